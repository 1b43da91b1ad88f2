// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a stored month needs analysing: its monthly statistics file is
// missing, or its first line no longer names the modification time of the
// stored log, or the companion file `ver-<key>.tfd` written with the results
// names another size or a finer modification time of the log (a log changed
// twice within one second). A month analysed before the companion existed is
// judged by the date line alone. Exclusions (line_exclusions.h) set or
// changed after the analysis make it out of date too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trafikon {

// Modification time of `path` as the user's locale writes it: short date, a
// blank, long time (strftime "%x %X" in the LC_TIME locale that the program's
// main sets up). Used both when the monthly file is written and when it is
// checked. Throws IoError when the file cannot be examined.
std::string LogDateTimeText(const std::string& path);

// What tells one version of a stored log from another.
struct LogVersion {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0;
    std::int64_t seconds = 0, nanoseconds = 0;  // modification time
    bool operator==(const LogVersion&) const = default;
};

// The version of the file at `path`; nothing when it does not exist. Throws
// IoError on any other failure.
std::optional<LogVersion> StoredLogVersion(const std::string& path);

// Writes ver-<key>.tfd for the log version `analysed`. Throws IoError.
void WriteAnalysedVersion(const std::string& siteDir, const std::string& monthKey,
                          const LogVersion& analysed);

// True when `mon-<key>.tfd` exists in `siteDir`, its first line is "Date="
// followed by LogDateTimeText of `log-<key>.log`, and ver-<key>.tfd, when
// present, names the log's present size and modification time.
bool IsMonthAnalysed(const std::string& siteDir, const std::string& monthKey);

// The months of `storedMonths` to analyse, in their order: all of them when
// `allMonths`, otherwise those that are not analysed or out of date.
std::vector<std::string> MonthsToAnalyse(const std::string& siteDir,
                                         const std::vector<std::string>& storedMonths,
                                         bool allMonths);

}  // namespace trafikon
