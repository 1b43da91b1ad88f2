// SPDX-License-Identifier: GPL-3.0-or-later
// Layouts of the robots file (rob-) and of the people and robots totals (aud-).
//
// rob-: one robot a line, "kind;hits;pages;bytes;lines;last time;name", where
// lines is an IdList of the robot's log lines and the name (from the log) runs
// to the end of the line. aud-: two lines, "people;hits;pages;bytes;visitors"
// and "robots;..." in that order. Texts from a log lose their line breaks and
// the time its semicolons, so that a record stays one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trafikon {

using Lines = std::vector<std::string>;

// How a robot was recognised (one character in the file).
enum class RobotKind : char {
    kPerson = '0',      // not a robot
    kSignature = '1',   // a named crawler signature
    kGeneric = '2',     // a generic word ("bot", "crawl", ...)
    kEmptyAgent = '3',  // no user agent ("" or "-")
    kRobotsTxt = '4',   // its host asked for /robots.txt in the month
};

struct RobotRecord {
    RobotKind kind = RobotKind::kSignature;
    std::int64_t hits = 0, pages = 0, bytes = 0;
    std::string lines;  // IdList text of the log lines
    std::string lastTime;
    std::string name;
};

// The text of a record before and after its lines, for a writer that puts
// them in between itself.
std::pair<std::string, std::string> FormatRobotRecordAround(const RobotRecord& r);
// False (and `r` unspecified) for a line that is not a robot record.
bool ParseRobotRecord(std::string_view line, RobotRecord& r);

// Splits off the text before the next ";" of `rest` (the separator of the
// newer result files' lines); false when there is none.
bool NextSemicolonField(std::string_view& rest, std::string_view& field);

struct AudienceTotals {
    std::int64_t hits = 0, pages = 0, bytes = 0, visitors = 0;
};
struct Audience {
    AudienceTotals people, robots;
};

Lines FormatAudience(const Audience& a);
// False when the lines are not the two lines of an aud- file.
bool ParseAudience(const Lines& lines, Audience& a);

}  // namespace trafikon
