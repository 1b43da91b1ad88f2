// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/imported_log_book.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <map>
#include <utility>

#include "store/text_file.h"

namespace trafikon {

namespace {

std::string ReadContentHead(const std::string& path, std::uint64_t size) {
    LogSource probe(path, size);
    std::string head(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    while (got < head.size()) {
        const std::size_t n = probe.Read(head.data() + got, head.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    head.resize(got);
    return head;
}

bool SameFile(const ImportedLog& a, const ImportedLog& b) {
    return a.device == b.device && a.inode == b.inode;
}

}  // namespace

bool IsCompressedLog(const std::string& path) {
    const int fd = OpenRegularFile(path);
    char head[512];
    ssize_t n;
    do
        n = ::pread(fd, head, sizeof head, 0);
    while (n < 0 && errno == EINTR);
    ::close(fd);
    return CompressionOf(std::string_view(head, n > 0 ? static_cast<std::size_t>(n) : 0)) !=
           Compression::kNone;
}

std::unique_ptr<LogSource> OpenLogAt(const std::string& path, std::uint64_t start,
                                     std::uint64_t end) {
    auto source = std::make_unique<LogSource>(path);
    if (start > 0)
        source->Skip(start);
    if (end != UINT64_MAX)
        source->LimitContent(end > start ? end - start : 0);
    return source;
}

std::uint64_t LastLineEndOf(const std::string& path, std::uint64_t size) {
    const int fd = OpenRegularFile(path);
    char buffer[64 * 1024];
    std::uint64_t end = size;
    while (end > 0) {
        const std::uint64_t from = end > sizeof buffer ? end - sizeof buffer : 0;
        const ssize_t r =
            ::pread(fd, buffer, static_cast<std::size_t>(end - from), static_cast<off_t>(from));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
            ThrowErrno(path);
        }
        if (r == 0)
            break;
        for (std::uint64_t i = static_cast<std::uint64_t>(r); i > 0; --i) {
            if (buffer[i - 1] == '\n' || buffer[i - 1] == '\r') {
                ::close(fd);
                return from + i;
            }
        }
        end = from;
    }
    ::close(fd);
    return 0;
}

ImportedLogBook::ImportedLogBook(std::string siteDir)
    : siteDir_(std::move(siteDir)), logs_(ReadImportedLogs(siteDir_)) {}

LogOpening ImportedLogBook::Open(const std::string& path, bool whole, bool completeLinesOnly) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path);
    current_ = ImportedLog();
    current_.device = static_cast<std::uint64_t>(st.st_dev);
    current_.inode = static_cast<std::uint64_t>(st.st_ino);
    current_.fileSize = static_cast<std::uint64_t>(st.st_size);
    current_.path = path;
    match_ = SIZE_MAX;
    change_ = Change::kNone;
    LogOpening opening;
    current_.compressed = IsCompressedLog(path);
    if (!whole && current_.compressed) {
        // A compressed log met before as it is: nothing to decompress.
        for (std::size_t i = 0; i < logs_.size(); ++i) {
            if (logs_[i].compressed && SameFile(logs_[i], current_) &&
                logs_[i].fileSize == current_.fileSize) {
                opening.knownBefore = true;
                match_ = i;
                return opening;
            }
        }
    }
    head_ = ReadContentHead(path, kLogProbeBytes);
    opening.source = std::make_unique<LogSource>(path);

    if (!whole) {
        std::map<std::uint64_t, std::uint64_t> headHashes;  // by length
        const auto headMatches = [&](const ImportedLog& log) {
            if (log.headLength == 0 || log.headLength > head_.size())
                return false;
            auto it = headHashes.find(log.headLength);
            if (it == headHashes.end())
                it = headHashes
                         .emplace(log.headLength,
                                  ContentHash(std::string_view(head_).substr(0, log.headLength)))
                         .first;
            return it->second == log.headHash;
        };
        for (std::size_t i = 0; i < logs_.size(); ++i) {
            const ImportedLog& log = logs_[i];
            if (!headMatches(log))
                continue;
            // The same plain file shorter than it was: truncated, new content.
            if (!current_.compressed && !log.compressed && SameFile(log, current_) &&
                current_.fileSize < log.fileSize)
                continue;
            if (match_ == SIZE_MAX || log.offset > logs_[match_].offset ||
                (log.offset == logs_[match_].offset && SameFile(log, current_)))
                match_ = i;
        }
    }
    if (match_ != SIZE_MAX) {
        const ImportedLog& log = logs_[match_];
        const std::uint64_t skipped = opening.source->Skip(log.offset);
        if (skipped < log.offset) {  // a part of a log imported further
            opening.source.reset();
            opening.knownBefore = true;
            return opening;
        }
        if (ContentHash(opening.source->lastContent()) == log.tailHash) {
            opening.start = log.offset;
            opening.knownBefore = true;
        } else {  // the same head, then other lines: a log of its own
            match_ = SIZE_MAX;
            opening.source = std::make_unique<LogSource>(path);
        }
    }
    if (completeLinesOnly && !current_.compressed) {
        opening.end = LastLineEndOf(path, current_.fileSize);
        if (opening.end <= opening.start) {
            opening.source.reset();
            return opening;
        }
        opening.source->LimitContent(opening.end - opening.start);
    }
    return opening;
}

void ImportedLogBook::Imported(const LogSource& source) {
    const std::uint64_t offset = source.contentTaken();
    if (offset == 0)
        return;
    if (match_ != SIZE_MAX && logs_[match_].offset == offset && SameFile(logs_[match_], current_) &&
        logs_[match_].fileSize == current_.fileSize)
        return;  // nothing changed
    ImportedLog record = current_;
    record.offset = offset;
    record.headLength = std::min<std::uint64_t>(offset, kLogProbeBytes);
    if (head_.size() < record.headLength)  // the log grew since its head was read
        head_ = ReadContentHead(record.path, record.headLength);
    record.headHash = ContentHash(std::string_view(head_).substr(0, record.headLength));
    record.tailHash = ContentHash(source.lastContent());
    record.importedAt = static_cast<std::int64_t>(std::time(nullptr));
    if (match_ == SIZE_MAX ||
        (logs_[match_].offset == offset && record.compressed && !SameFile(logs_[match_], record))) {
        // A new log, or the compressed copy of one: both copies stay known.
        logs_.push_back(std::move(record));
        change_ = Change::kAdded;
    } else {
        replaced_ = std::exchange(logs_[match_], std::move(record));
        change_ = Change::kReplaced;
    }
    staged_ = false;
    changed_ = true;
}

void ImportedLogBook::Stage() {
    if (!changed_)
        return;
    StageImportedLogs(siteDir_, logs_);
    staged_ = true;
}

void ImportedLogBook::Commit() {
    if (staged_)
        CommitImportedLogs(siteDir_);
    staged_ = changed_ = false;
    change_ = Change::kNone;
}

void ImportedLogBook::Drop() noexcept {
    if (change_ == Change::kAdded)
        logs_.pop_back();
    else if (change_ == Change::kReplaced)
        logs_[match_] = replaced_;
    change_ = Change::kNone;
    try {
        DropStagedImportedLogs(siteDir_);
    } catch (...) {
    }
    staged_ = false;
}

bool ImportedLogBook::KnownBefore(const std::string& path) {
    return Open(path, false, false).knownBefore;
}

}  // namespace trafikon
