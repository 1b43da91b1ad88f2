// SPDX-License-Identifier: GPL-3.0-or-later
// The logs a site watches: name patterns of files or folders
// ("/var/log/nginx/access.log*"), one a line in `watched.tfd` of the site
// folder; and the lock that lets one watcher at a time take their new lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/import_logs.h"
#include "store/text_file.h"

namespace trafikon {

// The patterns of the list; blank lines are none.
std::vector<std::string> ReadWatchedPatterns(const std::string& siteDir);
// Adds the patterns the list lacks, in their order (blank ones left out).
// Throws IoError.
void AddWatchedPatterns(const std::string& siteDir, const std::vector<std::string>& patterns);
// Makes `patterns` the list (blank ones left out). Throws IoError.
void WriteWatchedPatterns(const std::string& siteDir, const std::vector<std::string>& patterns);

// When the desktop program analyses the months its watch gave lines to: at
// once (0), every so many minutes, by hand (kAnalyseByHand), or once a day at
// a time of day (kAnalyseAtTimeOfDay, the time from ReadWatchAnalysisTime).
// One line in `watch-analysis.tfd`: the minutes, or the time as HH:MM; at
// once when it is missing or unreadable.
inline constexpr int kAnalyseByHand = -1;
inline constexpr int kAnalyseAtTimeOfDay = -2;
int ReadWatchAnalysisMinutes(const std::string& siteDir);
void WriteWatchAnalysisMinutes(const std::string& siteDir, int minutes);  // throws IoError
// The minute of the day (0 to 1439) of the daily analysis; -1 when none is set.
int ReadWatchAnalysisTime(const std::string& siteDir);
void WriteWatchAnalysisTime(const std::string& siteDir, int dayMinute);  // throws IoError

// "HH:MM" (or "H:MM") as a minute of the day; -1 when it is not a time.
int ParseTimeOfDay(std::string_view text);
std::string TimeOfDayText(int dayMinute);
// Seconds from `nowSecond` (a second of the day) until the next `dayMinute`:
// 1 to 86400, a whole day when it is that very second.
int SecondsUntilTimeOfDay(int nowSecond, int dayMinute);

// The regular files the patterns name (shell patterns; a folder stands for
// the files in it), each once, in name order. Names that match nothing give
// nothing: a log may come later.
std::vector<std::string> WatchedFiles(const std::vector<std::string>& patterns);

// The files of the site's watched logs that hold a complete log line now:
// an empty log, one of headers alone or one whose first line is still being
// written waits, and so does one gone meanwhile.
std::vector<std::string> ReadyWatchedLogs(const std::string& siteDir);

// The ready logs oldest first, each with the format its lines show, complete
// lines only; a log whose format is not recognised or lacks a required field
// is left out, its name in `leftOut`.
std::vector<LogToImport> WatchedLogsToImport(const std::string& siteDir,
                                             std::vector<std::string>& leftOut);

// Another process watches the site already.
class WatchBusy : public IoError {
  public:
    explicit WatchBusy(const std::string& lockPath);
};

// Held while a process watches the site (an flock of `watch.lock`, released
// by the kernel when the process ends, even by a kill).
class WatchLock {
  public:
    // Throws WatchBusy when another process holds it, IoError when the lock
    // file cannot be opened.
    explicit WatchLock(const std::string& siteDir);
    ~WatchLock();
    WatchLock(const WatchLock&) = delete;
    WatchLock& operator=(const WatchLock&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace trafikon
