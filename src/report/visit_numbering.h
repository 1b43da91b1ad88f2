// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers the visits of a month's hits as they come in the stored log, for
// the export's visit column: a visitor's hit joins its open visit when it
// falls within the gap (VisitGapSeconds) of either end of it, else it starts
// the next number. Visits nothing can join any more are let go now and then,
// so memory follows the visitors of the moment, not of the month.
#pragma once

#include <cstdint>
#include <unordered_map>

namespace trafikon::report {

class VisitNumbering {
  public:
    // The visit of the hit of `visitor` (a key of its host and user agent) at
    // `seconds`; numbers start at 1.
    std::uint64_t Number(std::uint64_t visitor, std::int64_t seconds);

  private:
    struct Open {
        std::int64_t first, last;
        std::uint64_t number;
    };
    std::unordered_map<std::uint64_t, Open> open_;
    std::uint64_t count_ = 0;
    std::int64_t latest_ = INT64_MIN;
    std::uint32_t sinceLetGo_ = 0;
};

}  // namespace trafikon::report
