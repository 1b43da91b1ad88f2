// SPDX-License-Identifier: GPL-3.0-or-later
// The hits of a stored month as rows of the export columns (hit_columns.h),
// one at a time, read from the stored log with the month's own format: the
// month is never held in memory. Whether a hit is a robot's follows the
// robots list's rules, which need what each host did over the whole month
// (asked for /robots.txt, fetched a browser's resources): the log is read
// once for that first, twice when some host asked for /robots.txt, keeping
// only the hosts that did.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/robot_tally.h"
#include "report/visit_numbering.h"
#include "store/line_reader.h"
#include "store/log_format.h"
#include "store/log_line_splitter.h"

namespace trafikon {
class CountryDatabase;
class HitPreparer;
}  // namespace trafikon

namespace trafikon::report {

struct HitExportSource {
    std::string siteDir;  // the site's store folder
    std::string monthKey;
    int site = 1;
    bool maskHosts = true;        // addresses cut to their networks
    std::string countryDatabase;  // empty: countries of host names only
};

class MonthHitRows {
  public:
    // Reads the month's format, the robot signatures of the program folder and
    // the hosts' month. Throws IoError.
    explicit MonthHitRows(const HitExportSource& source);
    ~MonthHitRows();
    MonthHitRows(const MonthHitRows&) = delete;
    MonthHitRows& operator=(const MonthHitRows&) = delete;

    // Appends the next hit's row, ending in a line feed; false after the last.
    // Lines too short for the format are no hits and are skipped, as the
    // analysis skips them. Throws IoError.
    bool Next(std::string& out);
    std::uint64_t skippedLines() const { return skipped_; }

  private:
    struct Agent {
        AgentClass cls;
        std::string browser, system;
    };
    const Agent& AgentOf(std::string_view userAgent);
    // Reads the next hit of `reader` into `splitter`; false at the end.
    bool NextHit(LineReader& reader, std::uint64_t& number, bool countSkipped);
    void ReadHostFlags();
    // Appends the UTC time and the offset; returns the UTC seconds, or
    // INT64_MIN when the hit has no readable time.
    std::int64_t AppendTime(std::string& out);
    // Makes the shown form and the place of the hit's host.
    void TakeHost(std::string_view host);

    HitExportSource source_;
    FieldFormat format_;
    bool agentsLogged_ = false, zoneLogged_ = false;
    RobotSignatures signatures_;
    LogLineSplitter splitter_;
    std::unique_ptr<LineReader> reader_;
    std::unique_ptr<HitPreparer> preparer_;
    std::unique_ptr<CountryDatabase> countries_;
    std::unordered_map<std::uint64_t, Agent> agents_;
    std::unordered_map<std::uint64_t, std::uint8_t> hostFlags_;  // of hosts that asked only
    std::uint64_t line_ = 0, skipped_ = 0;
    std::string lastHost_, lastHostText_;
    std::string lastPlace_;  // country and city values, tab-separated
    std::string utf8_;
    bool haveLastHost_ = false;
    VisitNumbering visits_;
};

}  // namespace trafikon::report
