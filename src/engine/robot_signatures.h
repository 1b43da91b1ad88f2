// SPDX-License-Identifier: GPL-3.0-or-later
// The crawler signatures that tell robots from people: a data file of the
// program folder (robots.tfd), written with the built-in list when it is
// missing, so that a user can add the crawlers of their own site.
//
// One signature a line, "Name;text": a user agent holding `text` (compared
// without regard to ASCII case) is the robot `Name`. The name "*" marks a
// generic word: the robot is then named by the word of the user agent that
// holds it ("MyCrawler/2.0" gives "MyCrawler"). The name "!" marks a text that
// is never a robot's (a phone named "Cubot", say), checked before all others.
// Lines starting with "#" and blank lines are comments. The first signature
// that matches wins, so named crawlers come before the generic words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/robot_file.h"
#include "store/text_file.h"

namespace trafikon {

inline constexpr std::string_view kRobotSignatureFileName = "robots.tfd";

struct RobotMatch {
    RobotKind kind = RobotKind::kPerson;
    std::string name;  // the robot's name; empty for a person
};

class RobotSignatures {
  public:
    // The built-in list.
    RobotSignatures();
    // The signatures of a file's lines. Comments are skipped; so are lines
    // that are not signatures (no ";", a text shorter than 3 characters, a
    // control character), which are counted.
    explicit RobotSignatures(const Lines& lines);

    RobotMatch Classify(std::string_view userAgent) const;
    std::size_t size() const { return entries_.size(); }
    // Lines of the file that were not signatures.
    std::size_t ignoredLines() const { return ignoredLines_; }

  private:
    struct Entry {
        std::string name;
        std::string text;  // lower case
    };
    // The texts by their first two bytes, so that a user agent is read once
    // whatever the number of signatures: texts numbered exceptions first, then
    // entries in order; bucket b holds, in increasing order, the numbers of
    // the texts whose first two bytes hash to b.
    static constexpr std::size_t kBuckets = 4096;
    void BuildIndex();
    const std::string& Text(std::uint32_t number) const {
        return number < exceptions_.size() ? exceptions_[number]
                                           : entries_[number - exceptions_.size()].text;
    }
    std::vector<Entry> entries_;
    std::vector<std::string> exceptions_;  // lower case
    std::size_t ignoredLines_ = 0;
    std::vector<std::uint32_t> bucketStarts_;  // kBuckets + 1
    std::vector<std::uint32_t> bucketTexts_;
};

// The lines of the built-in file (Windows-1252, without line ends).
Lines BuiltInRobotSignatureLines();

// The signatures of programDir/robots.tfd; the built-in list when it is
// missing or unreadable.
RobotSignatures LoadRobotSignatures(const std::string& programDir);
// Writes the built-in file at the program's first run, and again over the
// unedited built-in file of an earlier version (failures are ignored).
void WriteRobotSignatureFileIfMissing(const std::string& programDir);

// The program folder of a site folder ".../data/1/" (its grandparent).
std::string ProgramDirOfSite(const std::string& siteDir);

}  // namespace trafikon
