// SPDX-License-Identifier: GPL-3.0-or-later
// Appends lines to the stored log of one month and their day-time stamps to
// its time file, through buffers written out in whole lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trafikon {

class MonthWriter {
  public:
    // Opens both files for appending, creating them when missing. When the
    // stored log does not exist yet, a time file left without it is started
    // afresh. A file whose last line has no line end gets one first, so that
    // appended lines never join it. Lines are written out once `bufferBytes`
    // of them are held. Throws IoError.
    MonthWriter(std::string key, const std::string& siteDir, std::size_t bufferBytes = kFlushAt);
    ~MonthWriter();  // closes without writing what is still buffered
    MonthWriter(const MonthWriter&) = delete;
    MonthWriter& operator=(const MonthWriter&) = delete;

    // Adds the line and its stamp, each followed by CR LF.
    void Append(std::string_view line, std::string_view stamp) {
        if (line.size() >= flushAt_) {  // a very long line does not grow the buffer
            AppendPiece(line);
            line = {};
        }
        log_.append(line).append("\r\n");
        eur_.append(stamp).append("\r\n");
        if (log_.size() >= flushAt_ || eur_.size() >= flushAt_)
            Flush();
    }
    // The same in steps, for a line that comes in pieces: the pieces, then its end.
    void AppendPiece(std::string_view piece);
    void EndLine(std::string_view stamp) { Append({}, stamp); }

    void Flush();  // writes both buffers out; throws IoError
    void Close();  // Flush, then close; throws IoError

    const std::string& key() const { return key_; }

    static constexpr std::size_t kFlushAt = 256 * 1024;

  private:
    struct Target {
        std::string path;
        int fd = -1;
    };
    static void Open(Target& target, bool truncate);
    static void WriteOut(Target& target, std::string_view bytes);

    std::string key_;
    std::size_t flushAt_;
    Target logFile_, eurFile_;
    std::string log_, eur_;
};

}  // namespace trafikon
