// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a log file as the import reads them: the file itself, or its
// decompressed content when it is a gzip, bzip2, xz or zstd stream. The kind
// is told by the first bytes of the file, never by its name, and compressed
// streams are read through libarchive (raw format, the one filter of the
// kind, decoded by libarchive itself: no outside program ever starts).
// Archives, other compressions and compressed data inside compressed data are
// refused by name, and so is a file whose content grows beyond the expansion
// limit.
//
// A plain file is read up to its size when opened, so that a live log or a
// stored log chosen for import into itself cannot grow the read without end.
// A compressed file is decompressed on a second thread, one buffer ahead of
// the reader, so that decompression and the import's own work overlap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "store/imported_logs.h"
#include "store/line_reader.h"
#include "store/text_file.h"

namespace trafikon {

// A file refused for its content alone (compressed data that is corrupt or
// cut short, an archive, a bomb, lines that change format): a fault of that
// file alone, not of the store.
class DamagedCompressedFile : public IoError {
  public:
    using IoError::IoError;
};

enum class Compression { kNone, kGzip, kBzip2, kXz, kZstd };

// The compression told by the first bytes of a file (as many as are there).
Compression CompressionOf(std::string_view head);
// "gzip", "bzip2", "xz", "zstd"; empty for kNone.
std::string_view CompressionName(Compression compression);

// What the content beginning with `head` is when it is no log text: "a zip
// archive", "lzop data", "compressed data"...; empty for text.
std::string_view RefusedContent(std::string_view head);

// How many times the bytes read of a compressed file its content may be (those
// bytes taken as 64 KiB at least); beyond it the file is refused. Logs
// compress about 10 to 30 times; a compression bomb a thousand times and more,
// from its first bytes.
inline constexpr std::uint64_t kDefaultExpansionLimit = 250;
std::uint64_t ExpansionLimit();
void SetExpansionLimit(std::uint64_t ratio);

class LogSource : public ByteSource {
  public:
    // Opens `path`; throws IoError naming it. With `maxContent`, the content
    // ends after that many bytes (a look at the head of a file).
    explicit LogSource(const std::string& path, std::uint64_t maxContent = 0);
    ~LogSource() override;
    LogSource(const LogSource&) = delete;
    LogSource& operator=(const LogSource&) = delete;

    // Fills `out` with up to `size` bytes of content; 0 at the end. Throws
    // IoError naming the file and the reason (DamagedCompressedFile for a
    // corrupt or truncated compressed stream).
    std::size_t Read(char* out, std::size_t size) override;

    // Passes over the first `count` bytes of content (before any Read);
    // returns how many there were, fewer when the content is shorter.
    std::uint64_t Skip(std::uint64_t count);
    // Ends the content `count` bytes after where it stands.
    void LimitContent(std::uint64_t count) { contentLeft_ = count; }
    // Bytes of content passed over or read so far, and the last
    // kLogProbeBytes of them.
    std::uint64_t contentTaken() const { return taken_; }
    const std::string& lastContent() const { return last_; }

    Compression compression() const { return compression_; }
    // Size of the file on disk.
    std::uint64_t fileSize() const override { return file_.fileSize(); }
    // Bytes of the file taken so far: compressed bytes for a compressed file.
    std::uint64_t fileBytesRead() const;

  private:
    class Decompressor;
    std::string path_;
    FileBytes file_;  // read directly for a plain file, by the decompressor otherwise
    Compression compression_ = Compression::kNone;
    std::unique_ptr<Decompressor> decompressor_;
    std::uint64_t contentLeft_;  // bytes the reader may still take
    std::uint64_t taken_ = 0;
    std::string last_;
    void KeepLast(const char* bytes, std::size_t size);
};

// The lines of a log file as the import reads them: from its LogSource, a
// line longer than `maxPiece` bytes in pieces. Throws IoError.
class LogReader : public LineReader {
  public:
    static constexpr std::size_t kMaxPiece = 4 << 20;
    // The most of a file that a look at its head reads, however it expands.
    static constexpr std::uint64_t kHeadBytes = 8 << 20;
    explicit LogReader(const std::string& path, std::size_t maxPiece = kMaxPiece,
                       std::uint64_t maxContent = 0)
        : LineReader(std::make_unique<LogSource>(path, maxContent), maxPiece) {}
    // The lines of `source` from where it stands.
    explicit LogReader(std::unique_ptr<LogSource> source, std::size_t maxPiece = kMaxPiece)
        : LineReader(std::move(source), maxPiece) {}

    bool compressed() const { return log().compression() != Compression::kNone; }
    // Bytes of the file taken so far (compressed bytes for a compressed file).
    std::uint64_t fileBytesRead() const { return log().fileBytesRead(); }

    const LogSource& log() const { return static_cast<const LogSource&>(source()); }
};

}  // namespace trafikon
