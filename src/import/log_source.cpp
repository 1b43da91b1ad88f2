// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/log_source.h"
#include "store/text_file.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace trafikon {

namespace {

bool StartsWith(std::string_view head, std::string_view magic) {
    return head.size() >= magic.size() && head.compare(0, magic.size(), magic) == 0;
}

// The reason libarchive gives, or a plain one when it gives none.
std::string ArchiveReason(archive* a) {
    const char* text = archive_error_string(a);
    return text && *text ? text : "damaged compressed data";
}

// Enables the decoder of `compression` alone: libarchive decodes these four
// itself when built with their libraries, and would otherwise start an outside
// program; a log's content never starts a program.
void EnableOwnDecoder(archive* a, Compression compression, const std::string& path) {
    int r = ARCHIVE_FATAL;
    switch (compression) {
        case Compression::kGzip:
            r = archive_read_support_filter_gzip(a);
            break;
        case Compression::kBzip2:
            r = archive_read_support_filter_bzip2(a);
            break;
        case Compression::kXz:
            r = archive_read_support_filter_xz(a);
            break;
        case Compression::kZstd:
            r = archive_read_support_filter_zstd(a);
            break;
        case Compression::kNone:
            break;
    }
    if (r != ARCHIVE_OK) {
        archive_read_free(a);
        throw DamagedCompressedFile(path, std::string(CompressionName(compression)) +
                                              " data that this program cannot decode itself");
    }
}

// Content that is no log: archives and compressions that are not read.
std::string_view ForeignContentName(std::string_view head) {
    using namespace std::string_view_literals;
    static constexpr std::pair<std::string_view, std::string_view> kMagics[] = {
        {"PK\x03\x04"sv, "a zip archive"},
        {"PK\x05\x06"sv, "a zip archive"},
        {"7z\xbc\xaf\x27\x1c"sv, "a 7z archive"},
        {"Rar!\x1a\x07"sv, "a rar archive"},
        {"!<arch>\n"sv, "an ar archive"},
        {"\x89LZO\x00\r\n\x1a\n"sv, "lzop data"},
        {"LRZI"sv, "lrzip data"},
        {"LZIP"sv, "lzip data"},
        {"GRZipII"sv, "grzip data"},
        {"\x04\x22\x4d\x18"sv, "lz4 data"},
        {"\x1f\x9d"sv, "compress data"},
    };
    for (const auto& [magic, name] : kMagics)
        if (StartsWith(head, magic))
            return name;
    if (head.size() >= 262 && head.substr(257, 5) == "ustar"sv)
        return "a tar archive";
    return {};
}

// Bytes a compressed file may give for each of its own bytes read (a ratio),
// and the least its bytes read are taken as, so that a small file is not held
// to a few bytes.
std::atomic<std::uint64_t> gExpansionLimit{kDefaultExpansionLimit};
constexpr std::uint64_t kExpansionFloor = 64 * 1024;

}  // namespace

std::uint64_t ExpansionLimit() {
    return gExpansionLimit.load();
}

void SetExpansionLimit(std::uint64_t ratio) {
    gExpansionLimit.store(std::max<std::uint64_t>(ratio, 1));
}

std::string_view RefusedContent(std::string_view head) {
    std::string_view name = ForeignContentName(head);
    if (name.empty() && CompressionOf(head) != Compression::kNone)
        name = "compressed data";
    return name;
}

Compression CompressionOf(std::string_view head) {
    using namespace std::string_view_literals;
    if (StartsWith(head, "\x1f\x8b\x08"sv))
        return Compression::kGzip;
    if (StartsWith(head,
                   "\xfd"
                   "7zXZ\0"sv))
        return Compression::kXz;
    if (StartsWith(head, "\x28\xb5\x2f\xfd"sv))
        return Compression::kZstd;
    // "BZh" and a block size are letters a log line may begin with: the magic
    // of the first block (or of the end of an empty stream) must follow.
    if (head.size() >= 10 && StartsWith(head, "BZh"sv) && head[3] >= '1' && head[3] <= '9' &&
        (head.substr(4, 6) == "\x31\x41\x59\x26\x53\x59"sv ||
         head.substr(4, 6) == "\x17\x72\x45\x38\x50\x90"sv))
        return Compression::kBzip2;
    return Compression::kNone;
}

std::string_view CompressionName(Compression compression) {
    switch (compression) {
        case Compression::kGzip:
            return "gzip";
        case Compression::kBzip2:
            return "bzip2";
        case Compression::kXz:
            return "xz";
        case Compression::kZstd:
            return "zstd";
        case Compression::kNone:
            break;
    }
    return {};
}

// Decompresses on its own thread into a few buffers that the reader takes in turn.
class LogSource::Decompressor {
  public:
    Decompressor(const std::string& path, int fd, Compression compression)
        : path_(path), ratio_(ExpansionLimit()), kind_(CompressionName(compression)) {
        a_ = archive_read_new();
        if (a_ == nullptr)
            throw IoError(path, "out of memory");
        EnableOwnDecoder(a_, compression, path);
        archive_read_support_format_raw(a_);
        archive_entry* entry = nullptr;
        int r = archive_read_open_fd(a_, fd, kChunk);
        if (r == ARCHIVE_OK)
            r = archive_read_next_header(a_, &entry);
        if (r == ARCHIVE_OK && archive_filter_count(a_) > 2) {
            archive_read_free(a_);  // the filter took its own output again
            throw DamagedCompressedFile(path, "compressed twice: refused");
        }
        if (r == ARCHIVE_EOF) {
            done_ = true;  // a stream without content
        } else if (r != ARCHIVE_OK) {
            const std::string reason = ArchiveReason(a_);
            archive_read_free(a_);
            throw DamagedCompressedFile(path, reason);
        }
        for (auto& buffer : buffers_) {
            buffer.data = std::make_unique_for_overwrite<char[]>(kChunk);  // not cleared first
            free_.push_back(&buffer);
        }
        if (!done_)
            thread_ = std::thread([this] { Produce(); });
    }

    ~Decompressor() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable())
            thread_.join();
        archive_read_free(a_);
    }

    std::size_t Read(char* out, std::size_t size) {
        while (current_ == nullptr || taken_ == current_->size) {
            std::unique_lock lock(mutex_);
            if (current_ != nullptr) {
                free_.push_back(current_);
                current_ = nullptr;
                changed_.notify_all();
            }
            changed_.wait(lock, [this] { return !ready_.empty() || done_; });
            if (ready_.empty()) {
                if (!failure_.empty())
                    throw DamagedCompressedFile(path_, failure_);
                return 0;
            }
            current_ = ready_.front();
            ready_.pop_front();
            taken_ = 0;
            fileBytes_ = current_->fileBytes;
        }
        const std::size_t n = std::min(size, current_->size - taken_);
        std::memcpy(out, current_->data.get() + taken_, n);
        taken_ += n;
        return n;
    }

    std::uint64_t fileBytesRead() const { return fileBytes_; }

  private:
    static constexpr std::size_t kChunk = 1 << 20;
    struct Buffer {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        std::uint64_t fileBytes = 0;  // compressed bytes taken once it was filled
    };

    void Produce() {
        for (;;) {
            Buffer* buffer = nullptr;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !free_.empty() || stop_; });
                if (stop_)
                    return;
                buffer = free_.front();
                free_.pop_front();
            }
            buffer->size = 0;
            std::string failure;
            bool end = false;
            while (buffer->size < kChunk) {
                const la_ssize_t r =
                    archive_read_data(a_, buffer->data.get() + buffer->size, kChunk - buffer->size);
                if (r < 0) {
                    failure = ArchiveReason(a_);
                    break;
                }
                if (r == 0) {
                    end = true;
                    break;
                }
                buffer->size += static_cast<std::size_t>(r);
            }
            if (total_ == 0 && failure.empty()) {
                const std::string_view inside = RefusedContent(
                    std::string_view(buffer->data.get(), std::min<std::size_t>(buffer->size, 512)));
                if (!inside.empty())
                    failure = std::string(inside) + " inside " + std::string(kind_) + ": refused";
            }
            buffer->fileBytes = static_cast<std::uint64_t>(archive_filter_bytes(a_, -1));
            total_ += buffer->size;
            // The ratio so far: a bomb shows it from its first bytes, long
            // before its end.
            if (failure.empty() && total_ / ratio_ > std::max(buffer->fileBytes, kExpansionFloor))
                failure = "expands to more than " + std::to_string(ratio_) +
                          " times its size (the limit of the settings): refused";
            if (!failure.empty())
                buffer->size = 0;  // nothing of a refused file is read
            std::lock_guard lock(mutex_);
            if (buffer->size > 0)
                ready_.push_back(buffer);
            else
                free_.push_back(buffer);
            if (!failure.empty() || end) {
                failure_ = failure;
                done_ = true;
            }
            changed_.notify_all();
            if (done_)
                return;
        }
    }

    std::string path_;
    std::uint64_t ratio_;      // bytes of content for each byte of the file, at most
    std::string_view kind_;    // the compression's name
    std::uint64_t total_ = 0;  // bytes of content so far, on the thread
    archive* a_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Buffer buffers_[3];
    std::deque<Buffer*> free_, ready_;  // under mutex_
    bool done_ = false;                 // under mutex_ once the thread runs
    bool stop_ = false;
    std::string failure_;
    Buffer* current_ = nullptr;  // the reader's buffer
    std::size_t taken_ = 0;
    std::uint64_t fileBytes_ = 0;
};

LogSource::LogSource(const std::string& path, std::uint64_t maxContent)
    : path_(path), file_(path), contentLeft_(maxContent ? maxContent : UINT64_MAX) {
    char head[512];
    const ssize_t n = ::pread(file_.fd(), head, sizeof head, 0);
    const std::string_view headText(head, n > 0 ? static_cast<std::size_t>(n) : 0);
    compression_ = CompressionOf(headText);
    if (const std::string_view foreign = ForeignContentName(headText); !foreign.empty())
        throw DamagedCompressedFile(path, std::string(foreign) + ", not a log file: refused");
    if (compression_ != Compression::kNone)
        decompressor_ = std::make_unique<Decompressor>(path_, file_.fd(), compression_);
}

LogSource::~LogSource() = default;

std::size_t LogSource::Read(char* out, std::size_t size) {
    size = static_cast<std::size_t>(std::min<std::uint64_t>(size, contentLeft_));
    if (size == 0)
        return 0;
    const std::size_t n = decompressor_ ? decompressor_->Read(out, size) : file_.Read(out, size);
    contentLeft_ -= n;
    KeepLast(out, n);
    return n;
}

void LogSource::KeepLast(const char* bytes, std::size_t size) {
    taken_ += size;
    if (size >= kLogProbeBytes) {
        last_.assign(bytes + size - kLogProbeBytes, kLogProbeBytes);
        return;
    }
    last_.append(bytes, size);
    if (last_.size() > kLogProbeBytes)
        last_.erase(0, last_.size() - kLogProbeBytes);
}

std::uint64_t LogSource::Skip(std::uint64_t count) {
    if (decompressor_) {
        std::string scratch(64 * 1024, '\0');
        std::uint64_t skipped = 0;
        while (skipped < count) {
            const std::size_t n = decompressor_->Read(
                scratch.data(),
                static_cast<std::size_t>(std::min<std::uint64_t>(scratch.size(), count - skipped)));
            if (n == 0)
                break;
            KeepLast(scratch.data(), n);
            skipped += n;
        }
        return skipped;
    }
    const std::uint64_t skipped = file_.Skip(count);
    // The bytes before the new position, read where they are.
    const std::uint64_t keep = std::min<std::uint64_t>(skipped, kLogProbeBytes);
    std::string last(keep, '\0');
    std::size_t got = 0;
    while (got < keep) {
        const ssize_t r = ::pread(file_.fd(), last.data() + got, keep - got,
                                  static_cast<off_t>(skipped - keep + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            ThrowErrno(path_);
        if (r == 0)
            throw IoError(path_, "the file shrank while it was read");
        got += static_cast<std::size_t>(r);
    }
    last_ = std::move(last);
    taken_ = skipped;
    return skipped;
}

std::uint64_t LogSource::fileBytesRead() const {
    return decompressor_ ? decompressor_->fileBytesRead() : file_.bytesTaken();
}

}  // namespace trafikon
