// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of the months chart of the synthesis window: for each stored
// month its hits, pages and kilobytes, people and robots apart, and the same
// month a year before for the year-over-year view.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

enum class TrendMeasure { kHits, kPages, kKilobytes, kVisits, kUniqueVisitors };
enum class TrendAudience { kPeople, kRobots };

struct TrendFigures {
    // -1: not known for the month (the chart shows no bar).
    std::int64_t hits = -1, pages = -1, kilobytes = -1;
    // From the month's visits file (vis-), people and robots apart.
    std::int64_t visits = -1, uniqueVisitors = -1;
};

struct MonthTrendPoint {
    std::string key;  // "YYYY-MM"
    TrendFigures people, robots;
    // The people's figures and robots' are known apart: the month was analysed
    // by a version that tells them apart (its aud- file).
    bool apart = false;
};

// The points of `months` (ascending keys, as stored), the last `count` of
// them (0: all). A key that names no calendar month (a stored month of
// hostile lines, "0000-00") is left out. Never throws: a month without
// readable results has its figures unknown.
std::vector<MonthTrendPoint> BuildMonthTrend(const std::string& siteDir,
                                             const std::vector<std::string>& months, int count);

// The figure of a point; -1 when unknown.
std::int64_t TrendValue(const MonthTrendPoint& point, TrendMeasure measure, TrendAudience audience);

// The key of the same month a year before: "2025-03" for "2026-03".
std::string YearBefore(std::string_view key);

// True for "YYYY-MM" with a month 01 to 12.
bool IsCalendarMonth(std::string_view key);

}  // namespace trafikon
