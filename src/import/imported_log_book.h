// SPDX-License-Identifier: GPL-3.0-or-later
// Where the import of a log starts, by what the site took in before
// (store/imported_logs.h): after the offset imported when the log is one
// imported before (grown, renamed, copied or compressed since), at its start
// when it is new or was truncated in place, nowhere when it holds nothing new.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/log_source.h"
#include "store/imported_logs.h"

namespace trafikon {

// A log opened for import.
struct LogOpening {
    std::unique_ptr<LogSource> source;  // null: nothing new to read
    std::uint64_t start = 0;            // content bytes imported before, passed over
    std::uint64_t end = UINT64_MAX;     // where the content read ends
    bool knownBefore = false;           // the log, or a part of it, was imported before
};

// The source of `path` placed at content byte `start`, ending at `end`. Throws IoError.
std::unique_ptr<LogSource> OpenLogAt(const std::string& path, std::uint64_t start,
                                     std::uint64_t end);

// Whether the first bytes of `path` are those of a compressed stream. Throws IoError.
bool IsCompressedLog(const std::string& path);

// The position after the last line end (LF or CR) among the first `size`
// bytes of the plain file `path`; 0 when there is none. Throws IoError.
std::uint64_t LastLineEndOf(const std::string& path, std::uint64_t size);

class ImportedLogBook {
  public:
    // Reads the list of the site (under the store's write lock). Throws IoError.
    explicit ImportedLogBook(std::string siteDir);

    // Opens `path` after what was imported of it; `whole` reads it from its
    // start whatever was. With `completeLinesOnly`, a plain log's content ends
    // after its last line end: a line still being written waits. Throws IoError.
    LogOpening Open(const std::string& path, bool whole, bool completeLinesOnly);
    // The log opened last was read to the end of `source`: its record follows.
    void Imported(const LogSource& source);
    // Writes the next version of the list when it changed; Commit puts it in
    // place, Drop forgets it and the record of the log opened last. Throw IoError.
    void Stage();
    void Commit();
    void Drop() noexcept;

    // Whether `path`, or a part of it, was imported before. Throws IoError.
    bool KnownBefore(const std::string& path);

  private:
    std::string siteDir_;
    std::vector<ImportedLog> logs_;
    bool changed_ = false;  // since the last Commit
    bool staged_ = false;
    // The log opened last.
    ImportedLog current_;
    std::string head_;
    std::size_t match_ = SIZE_MAX;  // its record, if any
    // What Imported changed, for Drop to undo.
    enum class Change { kNone, kAdded, kReplaced } change_ = Change::kNone;
    ImportedLog replaced_;
};

}  // namespace trafikon
