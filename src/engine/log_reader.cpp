#include "engine/log_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/text_file.h"

namespace trafikon {

namespace {
constexpr std::size_t kBufferSize = 4 << 20;
}

StoredLogReader::StoredLogReader(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        ThrowErrno(path);
    struct stat st;
    if (::fstat(fd_, &st) != 0) {
        const int saved = errno;
        ::close(fd_);
        fd_ = -1;
        errno = saved;
        ThrowErrno(path);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    buf_.resize(kBufferSize);
}

StoredLogReader::~StoredLogReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool StoredLogReader::Fill() {
    if (eof_)
        return false;
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buf_.size())
        buf_.resize(buf_.size() * 2);  // a line longer than the buffer
    // Only the bytes that the file held when it was opened are read: lines that
    // an import appends meanwhile belong to the next analysis.
    const std::uint64_t left = size_ - offset_;
    if (left == 0) {
        eof_ = true;
        return false;
    }
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(left, buf_.size() - end_));
    for (;;) {
        const ssize_t r = ::read(fd_, buf_.data() + end_, want);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path_);
        }
        if (r == 0) {
            eof_ = true;
            return false;
        }
        end_ += static_cast<std::size_t>(r);
        offset_ += static_cast<std::uint64_t>(r);
        return true;
    }
}

bool StoredLogReader::Next(std::string_view& line) {
    if (skipLf_) {
        if (begin_ == end_)
            Fill();
        if (begin_ < end_ && buf_[begin_] == '\n') {
            ++begin_;
            ++consumed_;
        }
        skipLf_ = false;
    }
    std::size_t scanFrom = begin_;
    for (;;) {
        const char* base = buf_.data();
        const std::size_t n = end_ - scanFrom;
        const char* lf = static_cast<const char*>(std::memchr(base + scanFrom, '\n', n));
        const std::size_t lfAt = lf ? static_cast<std::size_t>(lf - base) : end_;
        // A CR before the LF (or before the end of the data) ends the line there.
        const char* cr =
            static_cast<const char*>(std::memchr(base + scanFrom, '\r', lfAt - scanFrom));
        if (cr) {
            const std::size_t crAt = static_cast<std::size_t>(cr - base);
            line = std::string_view(base + begin_, crAt - begin_);
            std::size_t next = crAt + 1;
            if (next < end_) {
                if (base[next] == '\n')
                    ++next;
            } else {
                skipLf_ = true;
            }
            consumed_ += next - begin_;
            begin_ = next;
            return true;
        }
        if (lf) {
            line = std::string_view(base + begin_, lfAt - begin_);
            consumed_ += lfAt + 1 - begin_;
            begin_ = lfAt + 1;
            return true;
        }
        const std::size_t scanned = end_ - begin_;
        if (!Fill()) {
            if (begin_ == end_)
                return false;
            line = std::string_view(buf_.data() + begin_, end_ - begin_);  // no line end
            consumed_ += end_ - begin_;
            begin_ = end_;
            return true;
        }
        scanFrom = begin_ + scanned;
    }
}

}  // namespace trafikon
