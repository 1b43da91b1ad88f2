// SPDX-License-Identifier: GPL-3.0-or-later
// Lines of a loaded table read whole: the ends the load left in the result
// file (those of big months' host and referrer lines) read back and joined to the part it kept,
// the lists only a detail reads still given by references. Lines asked in
// file order (a report's pass over a million hosts) are read ahead in
// blocks; others one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "month/month_results.h"

namespace trafikon {

class WholeLineReader {
  public:
    // `month` and its `table` must outlive the reader.
    WholeLineReader(const MonthResults& month, const LineTable& table);

    // Line `i` (valid) whole, valid until the next call. When its end cannot
    // be read: the part kept, and error() names the file and the reason.
    std::string_view Line(std::size_t i);
    const std::string& error() const { return error_; }

  private:
    // The file's bytes [at, at + length) as a view, or false.
    bool Read(int fd, std::uint64_t at, std::size_t length, std::string_view& bytes);

    const MonthResults& month_;
    const LineTable& table_;
    const RecordTails* tails_;
    std::string line_;
    std::string ahead_;  // bytes of the file from aheadAt_
    std::uint64_t aheadAt_ = 0;
    std::uint64_t lastEnd_ = 0;  // where the last end read stops
    std::string error_;
};

}  // namespace trafikon
