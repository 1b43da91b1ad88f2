#include "store/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "store/text_file.h"

namespace trafikon {

LogReader::LogReader(const std::string& path, std::size_t maxPiece)
    : source_(path), maxPiece_(maxPiece) {
    buf_.resize(std::min<std::size_t>(1 << 20, maxPiece_ + 1));
}

// Moves the unread bytes to the front and reads more; false at end of file.
bool LogReader::Fill() {
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
    const std::size_t r = source_.Read(buf_.data() + end_, buf_.size() - end_);
    if (r == 0) {
        eof_ = true;
        return false;
    }
    end_ += r;
    return true;
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
        // The next CR of the buffer is looked for again only once passed: a
        // file with LF ends is searched for CR once per buffer, not per line.
        if (!crKnown_ || nextCr_ < begin_ + scanned) {
            const char* c = static_cast<const char*>(std::memchr(from, '\r', stop - from));
            nextCr_ = c ? static_cast<std::size_t>(c - base) : end_;
            crKnown_ = true;
        }
        const char* cr =
            nextCr_ < static_cast<std::size_t>((lf ? lf : stop) - base) ? base + nextCr_ : nullptr;
        const char* at = cr ? cr : lf;
        if (at) {
            line = std::string_view(base + begin_, at - (base + begin_));
            begin_ = static_cast<std::size_t>(at - base) + 1;
            partial_ = false;
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
        if (scanned >= maxPiece_) {  // a piece of a very long line
            line = std::string_view(base + begin_, scanned);
            begin_ = end_;
            partial_ = true;
            return true;
        }
        if (!Fill()) {
            partial_ = false;
            if (begin_ == end_)
                return false;
            line = std::string_view(buf_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return true;
        }
    }
}

}  // namespace trafikon
