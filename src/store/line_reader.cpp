// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/text_file.h"

namespace trafikon {

FileBytes::FileBytes(const std::string& path) : path_(path) {
    fd_ = OpenRegularFile(path);
    struct stat st;
    if (::fstat(fd_, &st) != 0) {
        const int saved = errno;
        ::close(fd_);
        fd_ = -1;
        errno = saved;
        ThrowErrno(path);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    unread_ = size_;
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

FileBytes::FileBytes(int fd, const std::string& path, std::uint64_t size)
    : path_(path), fd_(fd), ownsFd_(false), size_(size), unread_(size) {}

FileBytes::~FileBytes() {
    if (ownsFd_ && fd_ >= 0)
        ::close(fd_);
}

std::size_t FileBytes::Read(char* out, std::size_t size) {
    if (unread_ == 0)
        return 0;
    for (;;) {
        const ssize_t r = ::read(fd_, out, std::min<std::uint64_t>(size, unread_));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path_);
        }
        if (r == 0)  // the file shrank meanwhile
            unread_ = 0;
        unread_ -= static_cast<std::uint64_t>(r);
        return static_cast<std::size_t>(r);
    }
}

std::uint64_t FileBytes::Skip(std::uint64_t count) {
    count = std::min(count, unread_);
    if (::lseek(fd_, static_cast<off_t>(count), SEEK_CUR) < 0)
        ThrowErrno(path_);
    unread_ -= count;
    return count;
}

std::size_t TextBytes::Read(char* out, std::size_t size) {
    const std::size_t n = std::min(size, text_.size());
    if (n > 0)
        std::memcpy(out, text_.data(), n);
    text_.remove_prefix(n);
    return n;
}

LineReader::LineReader(const std::string& path, std::size_t maxPiece, std::size_t bufferSize)
    : LineReader(std::make_unique<FileBytes>(path), maxPiece, bufferSize) {}

LineReader::LineReader(std::unique_ptr<ByteSource> source, std::size_t maxPiece,
                       std::size_t bufferSize)
    : source_(std::move(source)), maxPiece_(maxPiece) {
    std::size_t size = maxPiece_ == kWholeLines ? bufferSize : std::min(bufferSize, maxPiece_ + 1);
    // A small file gets a small buffer: it holds the whole file all the same,
    // and a month of a few lines does not clear megabytes first.
    if (source_->boundedByFileSize() && source_->fileSize() < size)
        size = std::max<std::size_t>(static_cast<std::size_t>(source_->fileSize()) + 1, 4096);
    buf_.resize(size);
    bufferSize_ = size;
}

void LineReader::TradeBuffer(std::vector<char>& buffer) {
    const std::size_t unread = end_ - begin_;
    if (buffer.size() > 2 * bufferSize_ && unread <= bufferSize_)
        std::vector<char>(bufferSize_).swap(buffer);  // grown for a very long line once
    else if (buffer.size() < std::max(bufferSize_, unread))
        buffer.resize(std::max(bufferSize_, unread));
    if (unread > 0)
        std::memcpy(buffer.data(), buf_.data() + begin_, unread);
    buf_.swap(buffer);
    begin_ = 0;
    end_ = unread;
    crKnown_ = false;
}

// Moves the unread bytes to the front and reads more; false at end of file.
bool LineReader::Fill() {
    if (eof_)
        return false;
    crKnown_ = false;  // positions change: look again
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buf_.size())
        buf_.resize(buf_.size() * 2);  // a line longer than the buffer
    const std::size_t r = source_->Read(buf_.data() + end_, buf_.size() - end_);
    if (r == 0) {
        eof_ = true;
        return false;
    }
    end_ += r;
    return true;
}

bool LineReader::Next(std::string_view& line) {
    return Step<true>(line) == Buffered::kLine;
}

LineReader::Buffered LineReader::NextBuffered(std::string_view& line) {
    return Step<false>(line);
}

template <bool kMayRead>
LineReader::Buffered LineReader::Step(std::string_view& line) {
    if (pendingCr_) {
        if (begin_ == end_) {
            if (!kMayRead && !eof_)
                return Buffered::kNeedsRead;
            Fill();
        }
        pendingCr_ = false;
        if (begin_ < end_ && buf_[begin_] == '\n') {
            ++begin_;
            ++consumed_;
        }
    }
    lineStart_ = consumed_;
    std::size_t scanned = 0;  // bytes after begin_ known to hold no line end
    for (;;) {
        const char* base = buf_.data();
        const char* from = base + begin_ + scanned;
        const char* stop = base + end_;
        // The next CR of the buffer is looked for again only once passed: a
        // file with LF ends is searched for CR once per buffer, not per line.
        if (!crKnown_ || nextCr_ < begin_ + scanned) {
            const char* c = static_cast<const char*>(std::memchr(from, '\r', stop - from));
            nextCr_ = c ? static_cast<std::size_t>(c - base) : end_;
            crKnown_ = true;
        }
        const char* at = FirstLineEnd(from, stop, base + nextCr_);
        if (at) {
            line = std::string_view(base + begin_, at - (base + begin_));
            consumed_ += line.size() + 1;
            begin_ = static_cast<std::size_t>(at - base) + 1;
            partial_ = false;
            if (*at == '\r') {
                if (begin_ < end_) {
                    if (base[begin_] == '\n') {
                        ++begin_;
                        ++consumed_;
                    }
                } else {
                    pendingCr_ = true;
                }
            }
            return Buffered::kLine;
        }
        scanned = end_ - begin_;
        if (scanned >= maxPiece_) {  // a piece of a very long line
            line = std::string_view(base + begin_, scanned);
            consumed_ += scanned;
            begin_ = end_;
            partial_ = true;
            return Buffered::kLine;
        }
        if (!kMayRead && !eof_)
            return Buffered::kNeedsRead;
        if (!Fill()) {
            partial_ = false;
            if (begin_ == end_)
                return Buffered::kEnd;
            line = std::string_view(buf_.data() + begin_, end_ - begin_);
            consumed_ += line.size();
            begin_ = end_;
            return Buffered::kLine;
        }
    }
}

}  // namespace trafikon
