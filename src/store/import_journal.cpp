// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/import_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "store/imported_logs.h"
#include "store/month_file_names.h"
#include "store/store_file_open.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {

namespace {

// Size of a file, or -1 when it does not exist.
long long SizeOrMissing(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return -1;
        ThrowErrno(path);
    }
    return static_cast<long long>(st.st_size);
}

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

std::optional<std::string> Unhex(std::string_view text) {
    if (text.size() % 2)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int v = 0;
        for (const char c : text.substr(i, 2)) {
            v *= 16;
            if (c >= '0' && c <= '9')
                v += c - '0';
            else if (c >= 'a' && c <= 'f')
                v += c - 'a' + 10;
            else
                return std::nullopt;
        }
        out.push_back(static_cast<char>(v));
    }
    return out;
}

void RemoveIfPresent(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        ThrowErrno(path);
}

void CutBackTo(const std::string& path, long long size) {
    if (size < 0) {
        RemoveIfPresent(path);
        return;
    }
    const long long now = SizeOrMissing(path);
    if (now <= size)
        return;
    const int fd = OpenStoreFileForWriting(path, O_WRONLY);
    const int failed = ::ftruncate(fd, static_cast<off_t>(size));
    const int saved = errno;
    ::close(fd);
    errno = saved;
    if (failed != 0)
        ThrowErrno(path);
}

// One journal line: key TAB log size TAB time size TAB format ("-" when there
// was none, else its bytes in hex) LF. A line without its LF was cut by a
// kill before the month received anything, and is ignored.
void PutBack(const std::string& siteDir, std::string_view record) {
    std::string_view fields[4];
    for (int i = 0; i < 3; ++i) {
        const auto tab = record.find('\t');
        if (tab == std::string_view::npos)
            return;
        fields[i] = record.substr(0, tab);
        record.remove_prefix(tab + 1);
    }
    fields[3] = record;
    const std::string key(fields[0]);
    if (key.find('/') != std::string::npos || key.empty())
        return;
    const std::optional<long long> logSize = ParseStoredInteger(fields[1]);
    const std::optional<long long> eurSize = ParseStoredInteger(fields[2]);
    if (!logSize || !eurSize)
        return;
    CutBackTo(StoredLogPath(siteDir, key), *logSize);
    CutBackTo(StoredTimePath(siteDir, key), *eurSize);
    const std::string formatPath = MonthFormatPath(siteDir, key);
    if (fields[3] == "-") {
        RemoveIfPresent(formatPath);
    } else if (const auto old = Unhex(fields[3])) {
        if (!FileExists(formatPath) || ReadWholeFile(formatPath) != *old)
            WriteWholeFile(formatPath, *old);
    }
}

void PutBackAll(const std::string& siteDir, const std::string& journal) {
    const std::string text = ReadWholeFile(journal);
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        PutBack(siteDir, std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    RemoveIfPresent(journal);
}

}  // namespace

ImportJournal::ImportJournal(std::string siteDir)
    : siteDir_(std::move(siteDir)), path_(ImportJournalPath(siteDir_)) {}

void ImportJournal::RecordMonth(const std::string& key) {
    const std::string logPath = StoredLogPath(siteDir_, key);
    const long long logSize = SizeOrMissing(logPath);
    // A time file without its stored log is started afresh, so it counts as absent.
    const long long eurSize = logSize < 0 ? -1 : SizeOrMissing(StoredTimePath(siteDir_, key));
    const std::string formatPath = MonthFormatPath(siteDir_, key);
    const std::string format = FileExists(formatPath) ? Hex(ReadWholeFile(formatPath)) : "-";
    if (fd_ < 0) {
        fd_ = OpenStoreFileForWriting(path_, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND);
    }
    const std::string line = key + "\t" + std::to_string(logSize) + "\t" + std::to_string(eurSize) +
                             "\t" + format + "\n";
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t w = ::write(fd_, rest.data(), rest.size());
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path_);
        }
        rest.remove_prefix(static_cast<std::size_t>(w));
    }
    // The record must be on disk before the month changes.
    if (::fdatasync(fd_) != 0)
        ThrowErrno(path_);
}

void ImportJournal::Commit() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    RemoveIfPresent(path_);
}

void ImportJournal::RollBack() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    PutBackAll(siteDir_, path_);
}

bool RecoverInterruptedImport(const std::string& siteDir) {
    const std::string journal = ImportJournalPath(siteDir);
    if (!FileExists(journal))
        return false;
    PutBackAll(siteDir, journal);
    return true;
}

void TidyLeftovers(const std::string& siteDir) {
    // The list of imported logs follows the journal: with a journal its next
    // version never counted, without one it is the store's.
    if (RecoverInterruptedImport(siteDir))
        DropStagedImportedLogs(siteDir);
    else
        CommitImportedLogs(siteDir);
    RemoveStaleTemporariesIn(siteDir);
}

}  // namespace trafikon
