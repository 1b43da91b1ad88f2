// SPDX-License-Identifier: GPL-3.0-or-later
// One analysis run of a stored log month: reads `log-<key>.log` line by line
// with the month's field format, folds every hit into the month's results and,
// when the run completes, writes the nine result files and the monthly
// statistics file of the month. A cancelled run changes no file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/analysis_observer.h"

namespace trafikon {

struct AnalysisResult {
    bool completed = false;          // false when cancelled at a malformed line or stopped
    bool stopped = false;            // ended early at the observer's request
    bool cancelled = false;          // cancelled at a malformed line
    std::uint64_t linesRead = 0;     // lines of the stored log read, comment lines included
    std::uint64_t hits = 0;          // lines counted as hits
    std::uint64_t ignoredLines = 0;  // malformed lines dropped
    bool logChanged = false;         // the log was removed or changed while read: nothing written
};

// `siteDir` is the store folder ending in '/'; `siteUrl` the address of the
// user's own site (referrers that begin with it are internal). The log is read
// without the store's write lock; the results are written under it, and only
// when the log is still the one read. Throws IoError when a file of the month
// cannot be read or written, StoreBusy when another writer keeps the lock.
// `countryDatabase` is the file that tells the hosts' countries (empty: none,
// and only host names find theirs); a file that cannot be read leaves the
// countries unknown and the countries file says why. `lockHeld`: the caller
// holds the store's write lock for its whole run (the months of a run share
// one lock, so they never keep each other out). `programDir`: the folder of
// robots.tfd, when the site folder is not in the program folder's data/ (a
// selection's folder); empty: the grandparent of `siteDir`.
AnalysisResult AnalyseLog(const std::string& siteDir, const std::string& monthKey,
                          const std::string& siteUrl, AnalysisObserver& observer,
                          const std::string& countryDatabase = {}, bool lockHeld = false,
                          const std::string& programDir = {});

// Before a run of analyses: under the store's write lock, puts back an
// interrupted import and removes the temporaries of killed writes. Throws
// IoError, StoreBusy.
void PrepareAnalysisRun(const std::string& siteDir);

}  // namespace trafikon
