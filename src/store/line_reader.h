// Reads a log file line by line through a reused buffer, with the store's
// line rules (CR LF, LF or a lone CR end a line; a last line without an end
// counts). Line ends are found with memchr rather than byte by byte: the
// import reads hundreds of megabytes this way. A line longer than `maxPiece`
// bytes comes in pieces (of at most twice that), so that memory stays bounded
// whatever the file holds. A compressed file gives its decompressed lines,
// a plain one is read up to its size when opened (see log_source.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "import/log_source.h"

namespace trafikon {

class LogReader {
  public:
    static constexpr std::size_t kMaxPiece = 4 << 20;
    explicit LogReader(const std::string& path, std::size_t maxPiece = kMaxPiece);  // IoError
    LogReader(const LogReader&) = delete;
    LogReader& operator=(const LogReader&) = delete;

    // The next line without its end; the view stays valid until the next
    // call. False at the end of the file. Throws IoError.
    bool Next(std::string_view& line);
    // The view returned last may be a piece of a longer line: the next call
    // returns what follows it, or false when the file ended with it.
    bool partial() const { return partial_; }
    std::uint64_t fileSize() const { return source_.fileSize(); }
    bool compressed() const { return source_.compression() != Compression::kNone; }
    // Bytes of the file taken so far (compressed bytes for a compressed file).
    std::uint64_t fileBytesRead() const { return source_.fileBytesRead(); }

  private:
    bool Fill();
    LogSource source_;
    std::vector<char> buf_;
    std::size_t begin_ = 0, end_ = 0;
    std::size_t nextCr_ = 0;  // the first CR at or after where it was sought; end_ if none
    bool crKnown_ = false;
    bool eof_ = false;
    std::size_t maxPiece_;
    bool partial_ = false;
    bool pendingCr_ = false;  // the last line ended with a CR at the end of the buffer
};

}  // namespace trafikon
