// SPDX-License-Identifier: GPL-3.0-or-later
// The results of a month beyond the original files (robots, people and robots
// totals, hours of the day, browser families and systems, countries), loaded
// from the rob-, aud-, hrs-, fam-, cty- and vis- files. A month analysed by an
// earlier version lacks them: `present` (the first four), `countriesPresent`
// or `visitsPresent` is then false and the windows say that the month must be analysed again.
#pragma once

#include <string>
#include <vector>

#include "store/country_file.h"
#include "store/family_file.h"
#include "store/hour_file.h"
#include "store/robot_file.h"
#include "store/visit_file.h"

namespace trafikon {

struct MonthExtras {
    bool present = false;  // the four files were found and read
    std::vector<RobotRecord> robots;
    Audience audience;
    HourCounters hours;
    bool countriesPresent = false;
    CountryFile countries;
    FamilyGroups families;       // robots in a family of their own
    bool visitsPresent = false;  // the vis- file was found and read
    VisitSummary visits;
    std::vector<std::string> problems;  // a file that could not be read, and why
};

// Never throws: a missing file leaves `present` false; an unreadable or
// damaged one adds a problem as well.
MonthExtras LoadMonthExtras(const std::string& siteDir, const std::string& key);

// The fam- file alone; false when it is missing, unreadable or damaged.
bool LoadMonthFamilies(const std::string& siteDir, const std::string& key, FamilyGroups& groups);
// The aud- file alone (people and robots totals); false when it is missing,
// unreadable or damaged.
bool LoadMonthAudience(const std::string& siteDir, const std::string& key, Audience& audience);

}  // namespace trafikon
