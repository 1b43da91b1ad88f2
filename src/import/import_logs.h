// SPDX-License-Identifier: GPL-3.0-or-later
// Files the lines of access-log files into the store, month by month.
//
// Every line after a file's "#" header goes, unchanged but for its line end
// (CR LF), to the stored log of its month `log-<key>.log`, the key being
// year-month taken from the line's own date; its day and time go to the same
// line of `log-<key>.eur`; and every month that received lines gets the
// format in `format-<key>.tfd`. Lines are appended after what the month held.
// No line is taken in twice: a log imported before (by its content, whatever
// its name now: grown, renamed, copied, truncated in place, compressed; see
// store/imported_logs.h) is read from where its import stopped, so only its
// new lines are stored, or none; unless it is asked for whole again. The
// header of such a log, before that point, still tells its W3C fields. The
// files are read line by line and the
// months written through bounded buffers, so memory does not grow with the
// size of the logs or with the number of changes of month.
//
// Lines shorter than two characters are left out. After the first log line of
// a file, a "#" line is left out when the format has no `t` (servers dated by
// `d` repeat their header inside a file); with `t` it is stored like a log
// line. A line whose month key is not well formed (a damaged line) goes to
// the month in hand; damaged lines met before the first well-formed key of a
// file go, in order, in front of the first month found; a file without any
// well-formed key stores nothing.
//
// Each file may have its own format. A month that holds lines keeps its
// format: a file whose lines would enter a month stored under another format
// is refused whole (nothing of it stays stored) and the run goes on with the
// next file; W3C lines are rewritten into the month's field order instead
// (see month_format_guard.h). A W3C file is followed through the changes of
// its "#Fields:" directive when it is imported with the fields its first
// directive names.
//
// A compressed file (gzip, bzip2, xz, zstd) stores exactly what its
// decompressed form stores; its progress follows the compressed bytes read.
//
// A compressed file whose data turns out corrupt or cut short is left out
// likewise, with the reason.
//
// Failure: an unreadable file or an unwritable store stops the run with an
// IoError naming the file and the system's reason. The files imported whole
// before stay stored; every month is put back as it was before the failing
// file began (see import_journal.h), as it is after a crash or a kill.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "import/import_observer.h"
#include "import/vhost_sites.h"
#include "store/log_format.h"

namespace trafikon {

struct FileImportResult {
    std::string path;
    std::uint64_t bytes = 0;           // size of the file
    std::uint64_t linesStored = 0;     // lines written to the store
    std::uint64_t damagedLines = 0;    // stored with a neighbour month: date unreadable
    std::uint64_t unfiledLines = 0;    // left out: no line of the file had a readable date
    std::uint64_t rewrittenLines = 0;  // W3C lines stored in their month's field order
    bool hasLogLine = false;           // false: empty, or only "#" and blank lines
    bool knownBefore = false;          // the log, or a part of it, was imported before
    bool nothingNew = false;           // ... and holds nothing more: nothing was read
    std::uint64_t bytesKnown = 0;      // content bytes imported before, passed over
};

// A file left out because its lines would enter a month stored under another format.
struct RefusedFile {
    std::string path;
    std::string month;
    FieldFormat monthCodes;  // the format the month is stored under
    FieldFormat fileCodes;   // the format of the file's lines
};

// A compressed file left out because its data is corrupt or cut short.
struct DamagedFile {
    std::string path;
    std::string reason;
};

// One file to import and the format of its lines.
struct LogToImport {
    std::string path;
    FieldFormat codes;
    bool whole = false;              // from its start, even when imported before
    bool completeLinesOnly = false;  // a last line without its end waits (a live log)
};

struct ImportSummary {
    std::vector<FileImportResult> files;  // in the order imported
    std::vector<RefusedFile> refused;     // in the order met
    std::vector<DamagedFile> damaged;     // in the order met
    std::vector<std::string> months;      // keys that received lines, ascending
    // Virtual-host logs: the keys that received lines in each other site,
    // the sites made for new hosts, and the lines of new hosts filed into
    // the aimed site because the run had made as many sites as it may.
    std::map<int, std::vector<std::string>> otherSiteMonths;
    std::vector<NewSite> newSites;
    std::uint64_t linesPastSiteLimit = 0;
    std::uint64_t bytes = 0;
    std::uint64_t linesStored = 0;
    std::uint64_t damagedLines = 0;
    std::uint64_t unfiledLines = 0;
};

// siteDir: the store folder (it must exist). files: the log files, imported in
// this order. codes: the format, one code letter per field ("hlutrsbRU").
// Holds the store's write lock for the whole run (StoreBusy when another
// writer keeps it) and puts back first what an interrupted import left
// (TidyLeftovers). Throws IoError, or RunStopped when the observer asks the
// run to stop.
ImportSummary ImportLogs(const std::string& siteDir, const std::vector<std::string>& files,
                         std::string_view codes, ImportObserver& observer);
// The same with a format for each file. With `routing`, the lines of a file
// whose format holds the virtual host v go each to the site of its host
// (vhost_sites.h, site_parts.h), siteDir being the aimed site's folder; each
// site keeps every guarantee above: its lock, journal, months and list of
// imported logs. Without it they all go to siteDir.
ImportSummary ImportLogs(const std::string& siteDir, const std::vector<LogToImport>& files,
                         ImportObserver& observer, const VhostRouting* routing = nullptr);

// Whether a format holds the virtual host field v.
bool HasVirtualHost(std::string_view codes);

// The percentage reported before line `index` (from 0) of a file of `count`
// lines: index x 100 / count rounded to the nearest, halves to the even.
int ImportPercent(std::uint64_t index, std::uint64_t count);

}  // namespace trafikon
