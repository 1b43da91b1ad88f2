// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/log_line_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "month/month_results.h"
#include "store/line_reader.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

std::string Reason(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

constexpr std::size_t kReadBlock = 16 * 1024;
constexpr std::size_t kIndexPiece = 1 << 20;  // longer lines are counted in pieces

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
    auto mtimeOf = [](const struct stat& s) {
        return static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec;
    };
    if (fd_ >= 0 && st.st_size == size_ && mtimeOf(st) == mtimeNs_)
        return true;

    Forget();
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)  // the file opened, should it be another by now
        return fail();
    const std::int64_t mtime = mtimeOf(st);
    ++builds_;
    marks_.reserve(static_cast<std::size_t>(st.st_size / 128 / kLinesPerMark));
    auto endLine = [this](std::uint64_t start) {
        if (lineCount_ % kLinesPerMark == 0)
            marks_.push_back(start);
        ++lineCount_;
    };
    // The store's line reader, in pieces: a hostile line of any length is
    // counted without being held whole.
    std::uint64_t indexed = 0;
    try {
        LineReader reader(
            std::make_unique<FileBytes>(fd_, path_, static_cast<std::uint64_t>(st.st_size)),
            kIndexPiece);
        std::string_view line;
        bool inLine = false;  // the last view was a piece of a longer line
        while (reader.Next(line)) {
            if (!inLine)
                endLine(reader.lineStart());
            inLine = reader.partial();
        }
        indexed = reader.bytesRead();
    } catch (const IoError& e) {
        if (error)
            *error = e.path() + ": " + e.reason();
        Forget();
        return false;
    }
    indexedBytes_ = indexed;
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
        const char* hit = FirstLineEnd(from, to);
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
