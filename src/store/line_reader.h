// SPDX-License-Identifier: GPL-3.0-or-later
// Streams the lines of a file through a reused buffer, by the store's line
// rules (CR LF, LF or a lone CR end a line; a line end at the very end does not
// start an empty last line; a last line without an end counts). Line ends are
// found with memchr rather than byte by byte: the import and the analysis read
// hundreds of megabytes this way. The one reader of lines for stored files
// (whole lines) and for the logs the import takes in (whose very long lines
// come in pieces, so that memory stays bounded whatever the file holds).
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// The line ends of every file the program reads: CR LF, LF or a lone CR.
// Returns the first byte of [from, to) that ends a line, or null when none
// does; when it is a CR, an LF right after it belongs to the same end.
inline const char* FirstLineEnd(const char* from, const char* to) {
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', to - from));
    const auto* cr = static_cast<const char*>(std::memchr(from, '\r', (lf ? lf : to) - from));
    return cr ? cr : lf;
}

// The same, for a caller that keeps `firstCr` between lines: the first CR at
// or after `from`, `to` when there is none. A file of LF ends is then
// searched for CRs once, not once a line.
inline const char* FirstLineEnd(const char* from, const char* to, const char* firstCr) {
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', to - from));
    return firstCr < (lf ? lf : to) ? firstCr : lf;
}

// Where a LineReader takes its bytes.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fills `out` with up to `size` bytes; 0 at the end. Throws IoError.
    virtual std::size_t Read(char* out, std::size_t size) = 0;
    // Size of the file on disk.
    virtual std::uint64_t fileSize() const = 0;
    // True when the bytes read never exceed fileSize() (not so for a
    // decompressed file): a reader's buffer need not be larger.
    virtual bool boundedByFileSize() const { return false; }
};

// A regular file, read up to the size it had when opened: lines appended
// meanwhile (a running import) belong to the next reading. Throws IoError
// (NotRegularFile for anything but a regular file).
class FileBytes : public ByteSource {
  public:
    explicit FileBytes(const std::string& path);
    // Reads the open descriptor `fd` of `path` from where it stands, `size`
    // bytes at most; the descriptor stays open and the caller's.
    FileBytes(int fd, const std::string& path, std::uint64_t size);
    ~FileBytes() override;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    std::size_t Read(char* out, std::size_t size) override;
    std::uint64_t fileSize() const override { return size_; }
    bool boundedByFileSize() const override { return true; }
    std::uint64_t bytesTaken() const { return size_ - unread_; }
    // Passes over up to `count` bytes unread; returns how many (fewer at the end).
    std::uint64_t Skip(std::uint64_t count);
    int fd() const { return fd_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool ownsFd_ = true;
    std::uint64_t size_ = 0;
    std::uint64_t unread_ = 0;  // bytes left up to the size at opening
};

// Bytes already in memory; `text` must outlive the reader.
class TextBytes : public ByteSource {
  public:
    explicit TextBytes(std::string_view text) : text_(text) {}
    std::size_t Read(char* out, std::size_t size) override;
    std::uint64_t fileSize() const override { return text_.size(); }
    bool boundedByFileSize() const override { return true; }

  private:
    std::string_view text_;
};

class LineReader {
  public:
    // No cap: every line comes whole, however long.
    static constexpr std::size_t kWholeLines = SIZE_MAX;

    // The lines of the regular file `path` (FileBytes). Throws IoError.
    explicit LineReader(const std::string& path, std::size_t maxPiece = kWholeLines,
                        std::size_t bufferSize = 1 << 20);
    // The lines of `source`. A line longer than `maxPiece` bytes comes in
    // pieces of at most twice that.
    explicit LineReader(std::unique_ptr<ByteSource> source, std::size_t maxPiece = kWholeLines,
                        std::size_t bufferSize = 1 << 20);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its end; the view stays valid until the next
    // call. False at the end of the file. Throws IoError.
    bool Next(std::string_view& line);
    // What NextBuffered found.
    enum class Buffered { kLine, kEnd, kNeedsRead };
    // Next for a caller that keeps the lines it took from the buffer: the same
    // while the bytes read hold the next line, kNeedsRead where Next would
    // read (and move the bytes of the lines returned before).
    Buffered NextBuffered(std::string_view& line);
    // The buffer, with the lines returned from it, goes to the caller, and
    // the reader goes on in `buffer`, its contents replaced by the unread
    // bytes (it grows to the reader's size when smaller).
    void TradeBuffer(std::vector<char>& buffer);
    // Where the buffer starts: a line returned is at an offset from it until
    // the next read or trade.
    const char* bufferData() const { return buf_.data(); }
    // The view returned last may be a piece of a longer line: the next call
    // returns what follows it, or false when the file ended with it.
    bool partial() const { return partial_; }
    // Bytes of the lines returned so far, their ends included.
    std::uint64_t bytesRead() const { return consumed_; }
    // Where the line (or piece) returned last starts in the source.
    std::uint64_t lineStart() const { return lineStart_; }
    std::uint64_t fileSize() const { return source_->fileSize(); }

  protected:
    ByteSource& source() const { return *source_; }

  private:
    template <bool kMayRead>
    Buffered Step(std::string_view& line);
    bool Fill();
    std::unique_ptr<ByteSource> source_;
    std::vector<char> buf_;
    std::size_t bufferSize_;  // the size asked for
    std::size_t begin_ = 0, end_ = 0;
    std::size_t nextCr_ = 0;  // the first CR at or after where it was sought; end_ if none
    bool crKnown_ = false;
    bool eof_ = false;
    std::size_t maxPiece_;
    bool partial_ = false;
    bool pendingCr_ = false;  // the last line ended with a CR at the end of the buffer
    std::uint64_t consumed_ = 0;
    std::uint64_t lineStart_ = 0;
};

}  // namespace trafikon
