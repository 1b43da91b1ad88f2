// SPDX-License-Identifier: GPL-3.0-or-later
// Decides which lines of the stored logs a selection keeps: a period, from a
// minute of one day to a minute of another, and conditions (line_condition.h)
// that must all hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/line_condition.h"
#include "engine/robot_signatures.h"
#include "geo/country_database.h"
#include "store/log_line_splitter.h"

namespace trafikon {

// Times are numbers YYYYMMDDhhmmss of the time written in the log line (its
// zone is not applied); both ends are included.
struct SelectionPeriod {
    std::uint64_t from = 0;
    std::uint64_t to = 0;
};

// Reads "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM". A start takes the first second of
// the day or minute, an end (`end`) its last. False for anything else.
bool ParsePeriodBound(std::string_view text, bool end, std::uint64_t& stamp);

// "YYYY-MM" of a time.
std::string MonthKeyOfStamp(std::uint64_t stamp);

// The time of a split and completed line (its d and H values); 0 when they are
// not a date and a time.
std::uint64_t LineStamp(const LogLineSplitter& splitter);

class LineFilter {
  public:
    // `signatures` tell robots (robot conditions); `countries` locates hosts
    // (country conditions); both outlive the filter. `agentsLogged`: the log
    // format has user agents, so a line without one is a robot's.
    LineFilter(std::vector<LineCondition> conditions, SelectionPeriod period,
               const RobotSignatures& signatures, const CountryDatabase& countries,
               bool agentsLogged);

    // The texts of the referrer-spam list (lower case) for `spam`; they
    // outlive the filter. None by default.
    void UseSpamTexts(const std::vector<std::string>* texts) { spamTexts_ = texts; }

    // True when the line that `splitter` holds (split and completed) lies in
    // the period and meets every condition.
    bool Matches(const LogLineSplitter& splitter);
    // The same, whatever the line's time.
    bool MatchesAnyTime(const LogLineSplitter& splitter);

  private:
    bool Meets(const LineCondition& c, const LogLineSplitter& splitter);
    bool IsRobot(std::string_view agent);

    std::vector<LineCondition> conditions_;
    SelectionPeriod period_;
    const RobotSignatures& signatures_;
    const CountryDatabase& countries_;
    bool agentsLogged_;
    const std::vector<std::string>* spamTexts_ = nullptr;
    std::string scratch_;
    std::unordered_map<std::string, bool> robotAgents_;  // bounded cache of Classify
};

}  // namespace trafikon
