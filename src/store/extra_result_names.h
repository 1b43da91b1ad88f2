// SPDX-License-Identifier: GPL-3.0-or-later
// Result files of a month added after the original ten: robots, the people
// and robots totals, hours of the day, browser families and systems, and visits. Written by the
// same analysis pass (temporary name, then renamed before the monthly file) and removed with the
// month's other files. A month analysed by an earlier version lacks them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

inline constexpr std::string_view kRobotsPrefix = "rob-";    // one robot a line
inline constexpr std::string_view kAudiencePrefix = "aud-";  // people and robots totals
inline constexpr std::string_view kHoursPrefix = "hrs-";     // 24 hour lines
inline constexpr std::string_view kFamiliesPrefix = "fam-";  // hits by browser family and system
// Visits and unique visitors (visit_file.h). Read on its own, like cty-: a
// month analysed before it existed keeps its other results.
inline constexpr std::string_view kVisitsPrefix = "vis-";

inline std::string ExtraResultFileName(std::string_view prefix, std::string_view key) {
    std::string name(prefix);
    name += key;
    name += ".tfd";
    return name;
}

// The names of the month `key`, in the order they are written.
inline std::vector<std::string> ExtraAnalysisFileNames(std::string_view key) {
    return {ExtraResultFileName(kRobotsPrefix, key), ExtraResultFileName(kAudiencePrefix, key),
            ExtraResultFileName(kHoursPrefix, key), ExtraResultFileName(kFamiliesPrefix, key)};
}

}  // namespace trafikon
