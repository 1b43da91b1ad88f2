// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the entries of an id list, piece by piece, without converting them:
// exact when the list holds only digits and dashes and no number too long to
// convert (the lists the analysis writes), for then every run of digits is an
// entry. Reads 16 bytes a step where the processor allows.
#pragma once

#include <cstddef>
#include <string_view>

namespace trafikon {

class IdListCounter {
  public:
    void Add(std::string_view piece);
    bool exact() const { return plain_ && longest_ <= 18; }
    std::size_t entries() const { return runs_; }  // when exact()

  private:
    void AddBytes(const char* p, std::size_t n);
    std::size_t runs_ = 0;
    std::size_t run_ = 0;  // digits of the run under way
    std::size_t longest_ = 0;
    bool plain_ = true;
};

}  // namespace trafikon
