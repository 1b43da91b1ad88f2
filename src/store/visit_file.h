// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the visits file (vis-): the month's visits and unique visitors,
// people and robots apart, one record a line, its kind first:
//   "people;visits;visitors;pages;seconds;median;bounces" and "robots;..."
//   (seconds: the visits' durations added up; median: the median duration),
//   "day;DD;people visits;people visitors;robot visits;robot visitors", 31 lines,
//   "hour;HH;people visits;robot visits", 24 lines,
//   "entry;visits;page" and "exit;visits;page", people's visits only, most
//   first; the page (from the log) runs to the end of the line.
// A visit counts on the day and hour of its first hit; a visitor on each day
// it came.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trafikon {

using Lines = std::vector<std::string>;

struct VisitTotals {
    std::int64_t visits = 0, visitors = 0, pages = 0;
    std::int64_t seconds = 0, medianSeconds = 0, bounces = 0;
};

struct VisitPage {
    std::int64_t visits = 0;
    std::string page;
};

struct VisitSummary {
    VisitTotals people, robots;
    // By day 1..31 at index 0..30.
    std::array<std::int64_t, 31> peopleVisits{}, peopleVisitors{}, robotVisits{}, robotVisitors{};
    std::array<std::int64_t, 24> peopleHourVisits{}, robotHourVisits{};
    std::vector<VisitPage> entries, exits;
};

Lines FormatVisits(const VisitSummary& s);
// False when the lines are not those of a vis- file.
bool ParseVisits(const Lines& lines, VisitSummary& s);

// The vis- file of month `key` in `siteDir` (ending in '/'); false when it is
// missing (a month analysed by an earlier version), unreadable or damaged.
bool ReadVisitSummary(const std::string& siteDir, const std::string& key, VisitSummary& s);

}  // namespace trafikon
