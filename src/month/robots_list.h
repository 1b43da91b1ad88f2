// SPDX-License-Identifier: GPL-3.0-or-later
// Robots tab logic: the month's robots with a name filter, the detail of one
// robot, and the people and robots totals shown above the list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "month/name_count_row.h"
#include "month/tabs_records.h"
#include "store/robot_file.h"

namespace trafikon::tabs {

// How a robot was recognised, in the interface language.
const std::string& RobotKindText(RobotKind kind, const TextLookup& texts);

// A robot's name as the lists show it: "no user agent" for the hits without one.
std::string RobotName(const RobotRecord& robot, const TextLookup& texts);

class RobotsList {
  public:
    void Load(std::vector<RobotRecord> robots) { robots_ = std::move(robots); }
    // Rows (name, hits, position) of the robots whose names hold `filter`,
    // without regard to ASCII case, in file order.
    std::vector<NameCountRow> Rows(std::string_view filter, const TextLookup& texts) const;
    const RobotRecord* At(long long position) const;
    std::size_t size() const { return robots_.size(); }

  private:
    std::vector<RobotRecord> robots_;
};

struct RobotDetailTexts {
    std::string title;   // "Robot : <name>"
    std::string kind;    // "Reconnu par : <kind>"
    std::string hits;    // hits and pages
    std::string volume;  // kilobytes
    std::string last;    // last visit
};
RobotDetailTexts RobotDetailLabels(const RobotRecord& robot, const TextLookup& texts);

// "People's hits: n, Visitors (people): n / Robots' hits: n, Visitors (robots): n"
std::string AudienceLine(const Audience& audience, const TextLookup& texts);

}  // namespace trafikon::tabs
