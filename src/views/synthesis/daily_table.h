// SPDX-License-Identifier: GPL-3.0-or-later
// Day-by-day values of up to twelve stored months side by side, read from the
// per-day lines of each month's statistics file (mon-<key>.tfd), or for the
// visits from its visits file.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "store/month_stats.h"

namespace trafikon {

// Line of the statistics file that holds each measure's 31 per-day values.
enum class DailyMeasure : int {
    Visitors = kStatViJo,
    Kilobytes = kStatKoJo,
    Pages = kStatPaJo,
    Hits = kStatHiJo,
    Visits = -1,  // people's visits, from the vis- file (none for a month without it)
};

constexpr int kDailyColumns = 12;
constexpr int kDailyRows = kDaysInList;

// What the day table shows: a caption per month column (empty when unused) and
// 31 rows of twelve cells, empty texts included.
struct DailyTableContent {
    std::array<std::string, kDailyColumns> captions;
    std::array<std::array<std::string, kDailyColumns>, kDailyRows> cells;
};

// Fills the table for the month at `selected` in `monthsNewestFirst` and up to
// eleven older ones to its right. A negative or out-of-range selection gives an
// empty table. A month without statistics file keeps its caption and no values.
// Throws IoError when a statistics file exists but cannot be read.
DailyTableContent BuildDailyTable(const std::string& siteDir,
                                  const std::vector<std::string>& monthsNewestFirst, int selected,
                                  DailyMeasure measure);

}  // namespace trafikon
