// SPDX-License-Identifier: GPL-3.0-or-later
// Lines a site leaves out of every analysis, its months' and its selections':
// its own addresses, health checks, referrer spam. They are set in the site
// folder's exclusions.tfd, one exclusion a line in the language of selections
// (line_condition.h; the conditions of one line must all hold), a line that
// matches any of them being left out as if it were not in the log. `spam`
// matches the referrers that hold a text of referrer-spam.tfd, a list of the
// program folder beside robots.tfd that users extend (one text a line, "#"
// starting a comment). Without exclusions.tfd (the default) nothing is left out.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_filter.h"
#include "store/log_line_splitter.h"
#include "store/text_file.h"

namespace trafikon {

inline constexpr std::string_view kExclusionsFileName = "exclusions.tfd";
inline constexpr std::string_view kReferrerSpamFileName = "referrer-spam.tfd";

// The built-in referrer-spam list, written when the file is missing.
Lines BuiltInReferrerSpamLines();

class LineExclusions {
  public:
    // The exclusions of `siteDir`, with the spam list and robot signatures of
    // `programDir` and the countries of `countryDatabase`. Lines of the file
    // that are not expressions are reported in problems(), never applied.
    // Throws IoError when the file cannot be read.
    LineExclusions(const std::string& siteDir, const std::string& programDir,
                   const std::string& countryDatabase, bool agentsLogged);
    ~LineExclusions();

    bool empty() const { return filters_.empty(); }
    const std::vector<std::string>& problems() const { return problems_; }
    // True when the split and completed line is left out.
    bool Excludes(const LogLineSplitter& splitter);

  private:
    std::unique_ptr<RobotSignatures> signatures_;
    std::unique_ptr<CountryDatabase> countries_;
    std::vector<std::string> spam_;
    std::vector<LineFilter> filters_;
    std::vector<std::string> problems_;
};

// The lines of exclusions.tfd of `siteDir` (none when missing); writes them,
// removing the file when none is left but comments. `SaveExclusionLines`
// checks them first: on a line that is not an exclusion it writes nothing and
// returns "line N: " and the parser's message. Throws IoError.
Lines LoadExclusionLines(const std::string& siteDir);
std::string SaveExclusionLines(const std::string& siteDir, const Lines& lines);

// True when exclusions.tfd of `siteDir`, or the spam list of `programDir` when
// exclusions are set, changed after `stampPath` (a month's ver- file) was written.
bool ExclusionsChangedSince(const std::string& siteDir, const std::string& programDir,
                            const std::string& stampPath);

}  // namespace trafikon
