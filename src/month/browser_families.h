// SPDX-License-Identifier: GPL-3.0-or-later
// Groups the month's user agents into browser families with their major
// version ("Chrome 120", "Firefox 121", "Safari 17", "Edge 120") and into
// operating systems (Windows, macOS, Linux, Android, iOS, ...). Robots are one
// family of their own, recognised by the crawler signatures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/robot_signatures.h"

namespace trafikon {

struct AgentFamily {
    std::string browser;  // e.g. "Firefox 121"; kRobotFamily; kOtherFamily
    std::string system;   // e.g. "Android"; kOtherFamily
};

inline constexpr std::string_view kRobotFamily = "Robots";
inline constexpr std::string_view kOtherFamily = "?";

AgentFamily FamilyOfAgent(std::string_view userAgent, const RobotSignatures& robots);

struct FamilyCount {
    std::string name;
    std::int64_t hits = 0;
    std::int64_t agents = 0;  // distinct user agents grouped here
};

struct FamilyGroups {
    std::vector<FamilyCount> browsers, systems;  // most hits first, then by name
};

// The families of browser records (nav- lines: field 1 the user agent, field 2 its hits).
FamilyGroups GroupBrowserFamilies(const std::vector<std::string>& browserRecords,
                                  const RobotSignatures& robots);

}  // namespace trafikon
