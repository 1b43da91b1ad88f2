// Whether a stored month needs analysing: its monthly statistics file is
// missing, or its first line no longer names the modification time of the
// stored log (the log changed since it was analysed).
#pragma once

#include <string>
#include <vector>

namespace trafikon {

// Modification time of `path` as the user's locale writes it: short date, a
// blank, long time (strftime "%x %X" in the LC_TIME locale that the program's
// main sets up). Used both when the monthly file is written and when it is
// checked. Throws IoError when the file cannot be examined.
std::string LogDateTimeText(const std::string& path);

// True when `mon-<key>.tfd` exists in `siteDir` and its first line is "Date="
// followed by LogDateTimeText of `log-<key>.log`.
bool IsMonthAnalysed(const std::string& siteDir, const std::string& monthKey);

// The months of `storedMonths` to analyse, in their order: all of them when
// `allMonths`, otherwise those that are not analysed or out of date.
std::vector<std::string> MonthsToAnalyse(const std::string& siteDir,
                                         const std::vector<std::string>& storedMonths,
                                         bool allMonths);

}  // namespace trafikon
