// Files the lines of access-log files into the store, month by month.
//
// Every line after a file's "#" header goes, unchanged but for its line end
// (CR LF), to the stored log of its month `log-<key>.log`, the key being
// year-month taken from the line's own date; its day and time go to the same
// line of `log-<key>.eur`; and every month that received lines gets the
// format in `format-<key>.tfd`. Lines are appended after what the month held,
// without any check for duplicates. The files are read line by line and the
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
// Failure: an unreadable file or an unwritable store stops the run with an
// IoError naming the file and the system's reason. The files imported whole
// before stay stored; every month is put back as it was before the failing
// file began (see import_journal.h), as it is after a crash or a kill.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/import_observer.h"

namespace trafikon {

struct FileImportResult {
    std::string path;
    std::uint64_t bytes = 0;         // size of the file
    std::uint64_t linesStored = 0;   // lines written to the store
    std::uint64_t damagedLines = 0;  // stored with a neighbour month: date unreadable
    std::uint64_t unfiledLines = 0;  // left out: no line of the file had a readable date
    bool hasLogLine = false;         // false: empty, or only "#" and blank lines
};

struct ImportSummary {
    std::vector<FileImportResult> files;  // in the order imported
    std::vector<std::string> months;      // keys that received lines, ascending
    std::uint64_t bytes = 0;
    std::uint64_t linesStored = 0;
    std::uint64_t damagedLines = 0;
    std::uint64_t unfiledLines = 0;
};

// siteDir: the store folder (it must exist). files: the log files, imported in
// this order. codes: the format, one code letter per field ("hlutrsbRU").
// Puts back first what an interrupted import left (RecoverInterruptedImport).
// Throws IoError, or RunStopped when the observer asks the run to stop.
ImportSummary ImportLogs(const std::string& siteDir, const std::vector<std::string>& files,
                         std::string_view codes, ImportObserver& observer);

// The percentage reported before line `index` (from 0) of a file of `count`
// lines: index x 100 / count rounded to the nearest, halves to the even.
int ImportPercent(std::uint64_t index, std::uint64_t count);

}  // namespace trafikon
