// Day-by-day values of up to twelve stored months side by side, read from the
// per-day lines of each month's statistics file (mon-<key>.tfd).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// Line of the statistics file that holds each measure's 31 per-day values.
enum class DailyMeasure : int { Visitors = 18, Kilobytes = 19, Pages = 20, Hits = 21 };

constexpr int kDailyColumns = 12;
constexpr int kDailyRows = 31;

// What the day table shows: a caption per month column (empty when unused) and
// 31 rows of twelve cells, empty texts included.
struct DailyTableContent {
    std::array<std::string, kDailyColumns> captions;
    std::array<std::array<std::string, kDailyColumns>, kDailyRows> cells;
};

// Values of a per-day line ("ViJo=-12-0-7-...-"): the text after the key, its "="
// and the first "-", cut at every "-". The parse stops after 31 values, and at a
// last value without its closing "-" (which is kept), so a damaged line never
// yields more than 31 values.
std::vector<std::string> ParseDayValues(std::string_view line);

// Reads line `line` (1-based) of a statistics file; empty when the file is shorter.
// Throws IoError when the file cannot be read.
std::string ReadStatsLine(const std::string& path, int line);

// Fills the table for the month at `selected` in `monthsNewestFirst` and up to
// eleven older ones to its right. A negative or out-of-range selection gives an
// empty table. A month without statistics file keeps its caption and no values.
// Throws IoError when a statistics file exists but cannot be read.
DailyTableContent ShowDailyValues(const std::string& siteDir,
                                  const std::vector<std::string>& monthsNewestFirst, int selected,
                                  DailyMeasure measure);

}  // namespace trafikon
