#include "import/log_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/text_file.h"

namespace trafikon {

LogReader::LogReader(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        ThrowErrno(path_);
    struct stat st;
    if (::fstat(fd_, &st) == 0)
        size_ = static_cast<std::uint64_t>(st.st_size);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    buf_.resize(1 << 20);
}

LogReader::~LogReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

// Moves the unread bytes to the front and reads more; false at end of file.
bool LogReader::Fill() {
    if (eof_)
        return false;
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buf_.size())
        buf_.resize(buf_.size() * 2);  // a line longer than the buffer
    for (;;) {
        const ssize_t r = ::read(fd_, buf_.data() + end_, buf_.size() - end_);
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
        return true;
    }
}

bool LogReader::Next(std::string_view& line) {
    if (pendingCr_) {
        pendingCr_ = false;
        if (begin_ == end_)
            Fill();
        if (begin_ < end_ && buf_[begin_] == '\n')
            ++begin_;
    }
    std::size_t scanned = 0;  // bytes after begin_ known to hold no line end
    for (;;) {
        const char* base = buf_.data();
        const char* from = base + begin_ + scanned;
        const char* stop = base + end_;
        const char* lf = static_cast<const char*>(std::memchr(from, '\n', stop - from));
        const char* cr =
            static_cast<const char*>(std::memchr(from, '\r', (lf ? lf : stop) - from));
        const char* at = cr ? cr : lf;
        if (at) {
            line = std::string_view(base + begin_, at - (base + begin_));
            begin_ = static_cast<std::size_t>(at - base) + 1;
            if (at == cr) {
                if (begin_ < end_) {
                    if (base[begin_] == '\n')
                        ++begin_;
                } else {
                    pendingCr_ = true;
                }
            }
            return true;
        }
        scanned = end_ - begin_;
        if (!Fill()) {
            if (begin_ == end_)
                return false;
            line = std::string_view(buf_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
    }
}

}  // namespace trafikon
