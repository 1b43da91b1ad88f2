// SPDX-License-Identifier: GPL-3.0-or-later
// The data store: the site folder beside the executable and the names of the
// files of each stored month (month key "YYYY-MM").
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// The site a store starts with, and the one used when no site is named.
inline constexpr int kSiteNumber = 1;

// Files of the site folder that do not belong to one month.
inline constexpr std::string_view kLastFormatFileName = "format.log";
inline constexpr std::string_view kSettingsFileName = "param.tfd";
// Present only while an import runs, or after one was interrupted.
inline constexpr std::string_view kImportJournalFileName = "import.journal";
// The logs taken in, known by their content (imported_logs.h), and the next
// version of that file while one log's import commits.
inline constexpr std::string_view kImportedLogsFileName = "imported.tfd";
inline constexpr std::string_view kImportedLogsNextFileName = "imported.next";
// The name patterns of the logs a watch imports (watched_logs.h), and the lock
// that keeps a second watcher of the site out.
inline constexpr std::string_view kWatchedLogsFileName = "watched.tfd";
inline constexpr std::string_view kWatchLockFileName = "watch.lock";
// When the desktop program analyses what its watch took in (watched_logs.h).
inline constexpr std::string_view kWatchAnalysisFileName = "watch-analysis.tfd";
// Held by the writer that changes the store (store_lock.h).
inline constexpr std::string_view kStoreLockFileName = "store.lock";

// The nine result files of a month, in the order the engine lists them.
enum ResultFile : int {
    kFilesResult = 0,          // lfp-: one FileRecord per requested path
    kHostsResult,              // hos-: one HostRecord per host
    kBrowsersResult,           // nav-: one BrowserRecord per user agent
    kExternalReferrersResult,  // mot-: external referring pages
    kExternalQueriesResult,    // ori-: external query texts
    kInternalReferrersResult,  // mit-: internal referring pages
    kInternalQueriesResult,    // oit-: internal query texts
    kStatusResult,             // ret-: the 49 status lines
    kFinishedResult,           // fls-: written empty after a completed analysis
};
inline constexpr int kResultFileCount = 9;
inline constexpr std::array<std::string_view, kResultFileCount> kResultPrefixes = {
    "lfp-", "hos-", "nav-", "mot-", "ori-", "mit-", "oit-", "ret-", "fls-"};
inline constexpr std::string_view kMonthStatsPrefix = "mon-";

// programDir (ending in '/') + "data/".
std::string DataDir(const std::string& programDir);
// The folder of site `site`: programDir (ending in '/') + "data/N/".
std::string SiteDir(const std::string& programDir, int site);
// The folder of the first site, programDir + "data/1/".
std::string SiteDir(const std::string& programDir);

// File names (no folder) of the month `key`.
std::string LogFileName(std::string_view key);                      // log-K.log
std::string TimeFileName(std::string_view key);                     // log-K.eur
std::string FormatFileName(std::string_view key);                   // format-K.tfd
std::string MonthStatsFileName(std::string_view key);               // mon-K.tfd
std::string ResultFileName(ResultFile file, std::string_view key);  // e.g. lfp-K.tfd
// ver-K.tfd: size and exact modification time of the stored log that the
// month's results were made from, written after them (analysed_check.h).
std::string AnalysedLogFileName(std::string_view key);
// The ten files of an analysis: the nine result files in order, then mon-K.tfd.
std::vector<std::string> AnalysisFileNames(std::string_view key);

// Month keys of the stored logs of `siteDir`: for every entry named
// "log-" + key + ".log" (not a folder), the key; ascending ordinal order.
// A name whose key is not exactly 7 characters names no month and is left out.
// A missing folder gives an empty list.
std::vector<std::string> ListStoredMonths(const std::string& siteDir);

}  // namespace trafikon
