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

}  // namespace

LogLineIndex::~LogLineIndex() {
    Forget();
}

void LogLineIndex::Forget() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    starts_.clear();
    lengths_.clear();
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
    starts_.reserve(static_cast<std::size_t>(st.st_size / 128));
    lengths_.reserve(static_cast<std::size_t>(st.st_size / 128));
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
            const std::uint64_t pos = offset + static_cast<std::uint64_t>(lineEnd - base);
            starts_.push_back(lineStart);
            lengths_.push_back(static_cast<std::uint32_t>(pos - lineStart));
            inLine = false;
            afterCr = (*lineEnd == '\r');
            p = lineEnd + 1;
        }
        offset += static_cast<std::uint64_t>(n);
    }
    if (inLine) {
        starts_.push_back(lineStart);
        lengths_.push_back(static_cast<std::uint32_t>(offset - lineStart));
    }
    size_ = st.st_size;
    mtimeNs_ = mtime;
    return true;
}

bool LogLineIndex::ReadLine(long long n, std::string& out) const {
    out.clear();
    if (fd_ < 0 || n < 0 || static_cast<unsigned long long>(n) >= starts_.size())
        return false;
    const auto i = static_cast<std::size_t>(n);
    out.resize(lengths_[i]);
    std::size_t got = 0;
    while (got < out.size()) {
        ssize_t r =
            ::pread(fd_, out.data() + got, out.size() - got, static_cast<off_t>(starts_[i] + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {  // the file shrank since it was indexed
            out.clear();
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
