// SPDX-License-Identifier: GPL-3.0-or-later
// The results of a month beyond the original files (robots, people and robots
// totals, hours of the day, countries), loaded from the rob-, aud-, hrs- and
// cty- files. A month analysed by an earlier version lacks them: `present`
// (the first three) or `countriesPresent` is then false and the windows say
// that the month must be analysed again.
#pragma once

#include <string>
#include <vector>

#include "store/country_file.h"
#include "store/hour_file.h"
#include "store/robot_file.h"

namespace trafikon {

struct MonthExtras {
    bool present = false;  // the three files were found and read
    std::vector<RobotRecord> robots;
    Audience audience;
    HourCounters hours;
    bool countriesPresent = false;
    CountryFile countries;
    std::vector<std::string> problems;  // a file that could not be read, and why
};

// Never throws: a missing file leaves `present` false; an unreadable or
// damaged one adds a problem as well.
MonthExtras LoadMonthExtras(const std::string& siteDir, const std::string& key);

}  // namespace trafikon
