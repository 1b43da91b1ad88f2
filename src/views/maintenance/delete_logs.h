// SPDX-License-Identifier: GPL-3.0-or-later
// Removal of a month's analysis, of a month's analysis and stored log, or of
// everything in the site folder. The settings (param.tfd) and the last
// confirmed field format (format.log) are never removed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// A file that could not be removed, with the system's reason.
struct DeleteFailure {
    std::string path;
    std::string reason;
};

struct DeleteReport {
    std::vector<std::string> deleted;  // names, in folder order
    std::vector<DeleteFailure> failures;
};

// True when `name` is one of the month's files: the name ends in `key`, a dot
// and a non-empty extension without dot ("lfp-2004-05.tfd" for "2004-05"), the
// key standing alone or after a prefix of letters and "-".
// An empty key, or a key holding a path separator, matches nothing.
bool MatchesMonthPattern(std::string_view name, std::string_view key);

// The files that belong to no month.
bool IsSiteWideFile(std::string_view name);

// How a file is removed: 0 on success, else -1 with errno (unlink; tests
// give one that fails).
using RemoveFile = int (*)(const char* path);

// Deletes the month's files but its stored log (log-K.log) and its field format
// (format-K.tfd); the month can be analysed again. `remove` null is unlink.
DeleteReport DeleteAnalysis(const std::string& siteDir, const std::string& key,
                            RemoveFile remove = nullptr);
// Deletes every file of the month.
DeleteReport DeleteAnalysisAndLog(const std::string& siteDir, const std::string& key);
// Deletes every file of the site folder but format.log, param.tfd and the
// store's lock file.
// Each holds the store's write lock while it deletes; throws StoreBusy when
// another writer keeps it. The monthly statistics go first, and a month
// whose statistics cannot be deleted keeps all its files: a month left
// partly deleted never looks analysed.
DeleteReport DeleteEverything(const std::string& siteDir);

}  // namespace trafikon
