// SPDX-License-Identifier: GPL-3.0-or-later
// Appends lines to the stored log of one month and their day-time stamps to
// its time file, each through a buffer written straight to the disk
// (store/direct_append_file.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "store/direct_append_file.h"

namespace trafikon {

// How the files of a month are buffered and written.
struct MonthWriting {
    std::size_t bufferBytes = 256 * 1024;  // the lines held before they are written out,
    std::size_t grownBytes = 1024 * 1024;  // ... up to this while the month stays in hand
    bool direct = true;  // straight to the disk on a writing thread, else through the cache
};

class MonthWriter {
  public:
    // Opens both files for appending, creating them when missing. When the
    // stored log does not exist yet, a time file left without it is started
    // afresh. A file whose last line has no line end gets one first, so that
    // appended lines never join it. The time file's buffers are an eighth
    // of the stored log's. Throws IoError.
    MonthWriter(std::string key, const std::string& siteDir, const MonthWriting& writing = {});
    // Destroyed without Close(), it closes without writing what is still buffered.
    MonthWriter(const MonthWriter&) = delete;
    MonthWriter& operator=(const MonthWriter&) = delete;

    // Adds the line and its stamp, each followed by CR LF.
    void Append(std::string_view line, std::string_view stamp) {
        log_.Append(line);
        log_.Append("\r\n");
        eur_.Append(stamp);
        eur_.Append("\r\n");
    }
    // The same in steps, for a line that comes in pieces: the pieces, then its end.
    void AppendPiece(std::string_view piece) { log_.Append(piece); }
    void EndLine(std::string_view stamp) {
        log_.Append("\r\n");
        eur_.Append(stamp);
        eur_.Append("\r\n");
    }

    // The month is no longer in hand: its buffers shrink back. Throws IoError.
    void Rest() {
        log_.Rest();
        eur_.Rest();
    }
    // Writes both files out and makes them durable, then closes. Throws IoError.
    void Close();

    const std::string& key() const { return key_; }

  private:
    std::string key_;
    bool newMonth_;  // its stored log did not exist
    DirectAppendFile log_, eur_;
};

}  // namespace trafikon
