// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "store/line_reader.h"
#include "store/store_file_open.h"

namespace trafikon {

IoError::IoError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

void ThrowErrno(const std::string& path) {
    throw IoError(path, std::strerror(errno));
}

std::string TemporaryNameFor(const std::string& path) {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
    return dir + "." + name + suffix;
}

void DropCachedPages(const std::string& path) {
    int fd = -1;
    try {
        fd = OpenRegularFile(path);
    } catch (const IoError&) {
        return;  // none, or not a file: nothing of it is cached
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Lines SplitLines(std::string_view text) {
    // A buffer the size of the text: most texts are small store files.
    LineReader reader(std::make_unique<TextBytes>(text), LineReader::kWholeLines,
                      std::clamp<std::size_t>(text.size() + 1, 64, 1 << 20));
    Lines lines;
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    return lines;
}

namespace {

int OpenForReading(const std::string& path) {
    return OpenRegularFile(path);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t w = ::write(fd, bytes.data(), bytes.size());
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(w));
    }
}

// An analysis writes thirteen result files at once beside its tables: a
// quarter of a megabyte each keeps the writes large and the memory small.
constexpr std::size_t kWriteBuffer = 1 << 18;

}  // namespace

int OpenStoreFileForWriting(const std::string& path, int flags, unsigned mode) {
    for (;;) {
        const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        if (errno == ELOOP)
            throw IoError(path, "a symbolic link in the store, not followed: refused");
        if (errno != EINTR)
            ThrowErrno(path);
    }
}

NotRegularFile::NotRegularFile(const std::string& path) : IoError(path, "not a regular file") {}

int OpenRegularFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        ThrowErrno(path);
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        ThrowErrno(path);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw NotRegularFile(path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::string ReadWholeFile(const std::string& path) {
    const int fd = OpenForReading(path);
    std::string data;
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        data.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[1 << 16];
    for (;;) {
        ssize_t r = ::read(fd, chunk, sizeof chunk);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            errno = saved;
            ThrowErrno(path);
        }
        if (r == 0)
            break;
        data.append(chunk, static_cast<std::size_t>(r));
    }
    ::close(fd);
    return data;
}

Lines ReadTextLines(const std::string& path) {
    return SplitLines(ReadWholeFile(path));
}

Lines ReadTextLinesIfExists(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT)
        return {};
    return ReadTextLines(path);
}

void WriteTextLines(const std::string& path, const Lines& lines) {
    AtomicFileWriter out(path);
    for (const auto& line : lines)
        out.WriteLine(line);
    out.Commit();
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    AtomicFileWriter out(path);
    out.Write(bytes);
    out.Commit();
}

namespace {

// Removes the entries of `dir` named "." + <name> + "." + 16 hex digits +
// ".tmp", exactly what TemporaryNameFor makes, for a name accepted by `ofName`.
template <typename NameTest>
void RemoveTemporaries(const std::string& dir, NameTest ofName) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view entry(e->d_name);
        constexpr std::size_t kSuffix = 1 + 16 + 4;  // ".<hex>.tmp"
        if (entry.size() < 2 + kSuffix || entry.front() != '.' ||
            entry.substr(entry.size() - 4) != ".tmp" || entry[entry.size() - kSuffix] != '.')
            continue;
        const std::string_view hex = entry.substr(entry.size() - kSuffix + 1, 16);
        if (hex.find_first_not_of("0123456789abcdef") != std::string_view::npos)
            continue;
        if (!ofName(entry.substr(1, entry.size() - kSuffix - 1)))
            continue;
        ::unlink((dir + "/" + std::string(entry)).c_str());
    }
    ::closedir(d);
}

}  // namespace

void RemoveStaleTemporaries(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    RemoveTemporaries(dir, [&](std::string_view of) { return of == name; });
}

void RemoveStaleTemporariesIn(const std::string& dir) {
    RemoveTemporaries(dir, [](std::string_view) { return true; });
}

// ---------------------------------------------------------------- AtomicFileWriter

AtomicFileWriter::AtomicFileWriter(std::string path)
    : path_(std::move(path)), tempPath_(TemporaryNameFor(path_)) {
    fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0)
        ThrowErrno(path_);
    buffer_.reserve(kWriteBuffer);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_)
        ::unlink(tempPath_.c_str());
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kWriteBuffer) {
        Flush();
        if (bytes.size() >= kWriteBuffer) {
            WriteAll(fd_, bytes, path_);
            Written(bytes.size());
            return;
        }
    }
    buffer_.append(bytes);
}

void AtomicFileWriter::Flush() {
    WriteAll(fd_, buffer_, path_);
    Written(buffer_.size());
    buffer_.clear();
}

// A big file goes to disk as it is written rather than all at the sync: the
// disk works while the rest is built, and the sync waits for the last part
// only. Errors show at the sync.
void AtomicFileWriter::Written(std::size_t bytes) {
    constexpr std::uint64_t kWritebackStep = std::uint64_t{4} << 20;
    written_ += bytes;
    if (written_ - writeback_ < kWritebackStep)
        return;
    ::sync_file_range(fd_, static_cast<off_t>(writeback_),
                      static_cast<off_t>(written_ - writeback_), SYNC_FILE_RANGE_WRITE);
    writeback_ = written_;
}

void AtomicFileWriter::Sync() {
    Flush();
    if (::fsync(fd_) != 0)
        ThrowErrno(path_);
}

void AtomicFileWriter::Commit() {
    Sync();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        ThrowErrno(path_);
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0)
        ThrowErrno(path_);
    committed_ = true;
}

// ---------------------------------------------------------------- AppendFile

AppendFile::AppendFile(std::string path) : path_(std::move(path)) {
    fd_ = OpenStoreFileForWriting(path_, O_WRONLY | O_CREAT | O_APPEND);
    buffer_.reserve(kWriteBuffer);
}

AppendFile::~AppendFile() {
    if (fd_ >= 0) {
        try {
            Flush();
        } catch (...) {
        }
        ::close(fd_);
    }
}

void AppendFile::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kWriteBuffer)
        Flush();
    buffer_.append(bytes);
}

void AppendFile::Flush() {
    if (buffer_.empty())
        return;
    WriteAll(fd_, buffer_, path_);
    buffer_.clear();
}

void AppendFile::Close() {
    if (fd_ < 0)
        return;
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        ThrowErrno(path_);
}

}  // namespace trafikon
