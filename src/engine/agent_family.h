// SPDX-License-Identifier: GPL-3.0-or-later
// Browser families with their major version ("Chrome 120", "Firefox 121",
// "Safari 17", "Edge 120") and operating systems (Windows, macOS, Linux,
// Android, iOS, ...) told by a user agent, and the month's hits grouped by
// them. Robots are one family of their own in both groupings: the robot tally
// decides which hits are a robot's, so every view counts them alike.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "store/family_file.h"

namespace trafikon {

inline constexpr std::string_view kRobotFamily = "Robots";
inline constexpr std::string_view kOtherFamily = "?";

// kOtherFamily when the agent names no known browser or system.
std::string BrowserFamilyOf(std::string_view userAgent);
std::string SystemOf(std::string_view userAgent);

// Adds up hits by family; each user agent counts once in each family it adds to.
class FamilyTally {
  public:
    // `personHits` and `robotHits` of one user agent ("" for none).
    void AddAgent(std::string_view userAgent, std::int64_t personHits, std::int64_t robotHits);
    FamilyGroups Groups() const;  // most hits first, then by name

  private:
    void Add(std::map<std::string, FamilyCount, std::less<>>& map, std::string_view name,
             std::int64_t hits);
    std::map<std::string, FamilyCount, std::less<>> browsers_, systems_;
};

}  // namespace trafikon
