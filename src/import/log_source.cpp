// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/log_source.h"
#include "store/text_file.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
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

}  // namespace

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
    Decompressor(const std::string& path, int fd) : path_(path) {
        a_ = archive_read_new();
        if (a_ == nullptr)
            throw IoError(path, "out of memory");
        archive_read_support_filter_all(a_);
        archive_read_support_format_raw(a_);
        archive_entry* entry = nullptr;
        int r = archive_read_open_fd(a_, fd, kChunk);
        if (r == ARCHIVE_OK)
            r = archive_read_next_header(a_, &entry);
        if (r == ARCHIVE_EOF) {
            done_ = true;  // a stream without content
        } else if (r != ARCHIVE_OK) {
            const std::string reason = ArchiveReason(a_);
            archive_read_free(a_);
            throw DamagedCompressedFile(path, reason);
        }
        for (auto& buffer : buffers_) {
            buffer.data.resize(kChunk);
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
        std::memcpy(out, current_->data.data() + taken_, n);
        taken_ += n;
        return n;
    }

    std::uint64_t fileBytesRead() const { return fileBytes_; }

  private:
    static constexpr std::size_t kChunk = 1 << 20;
    struct Buffer {
        std::vector<char> data;
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
                const la_ssize_t r = archive_read_data(a_, buffer->data.data() + buffer->size,
                                                       kChunk - buffer->size);
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
            buffer->fileBytes = static_cast<std::uint64_t>(archive_filter_bytes(a_, -1));
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

LogSource::LogSource(const std::string& path) : path_(path), file_(path) {
    char head[16];
    const ssize_t n = ::pread(file_.fd(), head, sizeof head, 0);
    if (n > 0)
        compression_ = CompressionOf(std::string_view(head, static_cast<std::size_t>(n)));
    if (compression_ != Compression::kNone)
        decompressor_ = std::make_unique<Decompressor>(path_, file_.fd());
}

LogSource::~LogSource() = default;

std::size_t LogSource::Read(char* out, std::size_t size) {
    return decompressor_ ? decompressor_->Read(out, size) : file_.Read(out, size);
}

std::uint64_t LogSource::fileBytesRead() const {
    return decompressor_ ? decompressor_->fileBytesRead() : file_.bytesTaken();
}

}  // namespace trafikon
