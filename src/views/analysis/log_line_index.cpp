#include "views/analysis/log_line_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "views/analysis/month_results.h"

namespace trafikon {

namespace {

std::string Reason(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

constexpr std::size_t kReadBlock = 16 * 1024;

}  // namespace

LogLineIndex::~LogLineIndex() {
    Forget();
}

void LogLineIndex::Forget() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    marks_.clear();
    lineCount_ = 0;
    indexedBytes_ = 0;
    cursorLine_ = -1;
    blockLen_ = 0;
    size_ = -1;
    mtimeNs_ = -1;
}

bool LogLineIndex::Update(std::string* error) {
    auto fail = [&] {
        if (error)
            *error = Reason(path_);
        Forget();
        return false;
    };
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return fail();  // a FIFO or device would block the window
    const std::int64_t mtime =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    if (fd_ >= 0 && st.st_size == size_ && mtime == mtimeNs_)
        return true;

    Forget();
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return fail();
    ++builds_;
    marks_.reserve(static_cast<std::size_t>(st.st_size / 128 / kLinesPerMark));
    auto endLine = [this](std::uint64_t start) {
        if (lineCount_ % kLinesPerMark == 0)
            marks_.push_back(start);
        ++lineCount_;
    };
    std::vector<char> buf(1 << 20);
    std::uint64_t offset = 0;     // file offset of buf[0]
    std::uint64_t lineStart = 0;  // start of the line being read
    bool inLine = false;
    bool afterCr = false;  // the previous byte was a CR that ended a line
    for (;;) {
        ssize_t n = ::read(fd_, buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail();
        if (n == 0)
            break;
        const char* const base = buf.data();
        const char* const stopAt = base + n;
        const char* p = base;
        while (p < stopAt) {
            if (afterCr) {
                afterCr = false;
                if (*p == '\n') {  // LF of a CR LF: the line already ended
                    ++p;
                    continue;
                }
            }
            if (!inLine) {
                lineStart = offset + static_cast<std::uint64_t>(p - base);
                inLine = true;
            }
            // The line ends at the first CR or LF, whichever comes first.
            const auto* lf = static_cast<const char*>(std::memchr(p, '\n', stopAt - p));
            const char* segmentEnd = lf ? lf : stopAt;
            const auto* cr = static_cast<const char*>(std::memchr(p, '\r', segmentEnd - p));
            const char* lineEnd = cr ? cr : lf;
            if (!lineEnd)
                break;  // the line goes on in the next block
            endLine(lineStart);
            inLine = false;
            afterCr = (*lineEnd == '\r');
            p = lineEnd + 1;
        }
        offset += static_cast<std::uint64_t>(n);
    }
    if (inLine)
        endLine(lineStart);
    indexedBytes_ = offset;
    size_ = st.st_size;
    mtimeNs_ = mtime;
    return true;
}

bool LogLineIndex::LoadBlock(std::uint64_t pos) const {
    if (pos >= blockPos_ && pos - blockPos_ < blockLen_)
        return true;
    block_.resize(kReadBlock);
    ssize_t r;
    do {
        r = ::pread(fd_, block_.data(), block_.size(), static_cast<off_t>(pos));
    } while (r < 0 && errno == EINTR);
    blockPos_ = pos;
    blockLen_ = r > 0 ? static_cast<std::size_t>(r) : 0;
    // Bytes past the indexed size belong to lines the index does not know yet.
    const std::uint64_t indexed = indexedBytes_;
    if (blockPos_ + blockLen_ > indexed)
        blockLen_ = pos < indexed ? static_cast<std::size_t>(indexed - pos) : 0;
    return blockLen_ > 0;
}

// The line starting at `start` ends before `end`; the next one starts at `next`.
bool LogLineIndex::FindLineEnd(std::uint64_t start, std::uint64_t& end, std::uint64_t& next) const {
    const std::uint64_t indexed = indexedBytes_;
    for (std::uint64_t pos = start;;) {
        if (pos >= indexed) {  // a last line without an end
            end = next = indexed;
            return true;
        }
        if (!LoadBlock(pos))
            return false;  // the file shrank since it was indexed
        const char* const from = block_.data() + (pos - blockPos_);
        const char* const to = block_.data() + blockLen_;
        const auto* lf = static_cast<const char*>(std::memchr(from, '\n', to - from));
        const auto* cr = static_cast<const char*>(std::memchr(from, '\r', (lf ? lf : to) - from));
        const char* hit = cr ? cr : lf;
        if (!hit) {
            pos = blockPos_ + blockLen_;
            continue;
        }
        end = blockPos_ + static_cast<std::uint64_t>(hit - block_.data());
        next = end + 1;
        if (*hit == '\r' && next < indexed) {
            if (!LoadBlock(next))
                return false;
            if (block_[next - blockPos_] == '\n')
                ++next;
        }
        return true;
    }
}

bool LogLineIndex::ReadLine(long long n, std::string& out) const {
    out.clear();
    if (fd_ < 0 || n < 0 || static_cast<unsigned long long>(n) >= lineCount_)
        return false;
    const long long markLine = n - n % static_cast<long long>(kLinesPerMark);
    long long line = markLine;
    std::uint64_t pos = marks_[static_cast<std::size_t>(n) / kLinesPerMark];
    if (cursorLine_ >= markLine && cursorLine_ <= n) {
        line = cursorLine_;
        pos = cursorPos_;
    }
    std::uint64_t end = 0, next = 0;
    for (;; ++line) {
        if (!FindLineEnd(pos, end, next)) {
            cursorLine_ = -1;
            return false;
        }
        if (line == n)
            break;
        pos = next;
    }
    cursorLine_ = n + 1;
    cursorPos_ = next;
    out.resize(static_cast<std::size_t>(end - pos));
    if (pos >= blockPos_ && end <= blockPos_ + blockLen_) {
        std::memcpy(out.data(), block_.data() + (pos - blockPos_), out.size());
        return true;
    }
    std::size_t got = 0;
    while (got < out.size()) {
        ssize_t r = ::pread(fd_, out.data() + got, out.size() - got, static_cast<off_t>(pos + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {  // the file shrank since it was indexed
            out.clear();
            cursorLine_ = -1;
            return false;
        }
        got += static_cast<std::size_t>(r);
    }
    return true;
}

LogExtraction ExtractLogLines(LogLineIndex& index, std::string_view idList,
                              LineNumbering numbering) {
    LogExtraction result;
    const std::vector<long long> numbers = ParseIdList(idList, &result.notNumbers);
    const bool readable = index.Update(&result.error);
    result.lines.reserve(numbers.size());
    for (long long n : numbers) {
        ExtractedLine line;
        line.number = numbering == LineNumbering::Index ? n : n + 1;
        if (!readable || !index.ReadLine(n, line.text)) {
            line.missing = true;
            if (readable && static_cast<unsigned long long>(n) >= index.lineCount())
                ++result.beyondEnd;
        }
        result.lines.push_back(std::move(line));
    }
    return result;
}

}  // namespace trafikon
