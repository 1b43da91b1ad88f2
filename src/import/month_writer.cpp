// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/month_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/month_file_names.h"
#include "store/store_file_open.h"
#include "store/text_file.h"

namespace trafikon {

MonthWriter::MonthWriter(std::string key, const std::string& siteDir, std::size_t bufferBytes)
    : key_(std::move(key)), flushAt_(bufferBytes) {
    logFile_.path = StoredLogPath(siteDir, key_);
    eurFile_.path = StoredTimePath(siteDir, key_);
    const bool newMonth = !FileExists(logFile_.path);
    Open(logFile_, false);
    Open(eurFile_, newMonth);
    log_.reserve(flushAt_ + 4096);
    eur_.reserve(flushAt_ / 8);
}

MonthWriter::~MonthWriter() {
    if (logFile_.fd >= 0)
        ::close(logFile_.fd);
    if (eurFile_.fd >= 0)
        ::close(eurFile_.fd);
}

void MonthWriter::Open(Target& target, bool truncate) {
    target.fd = OpenStoreFileForWriting(target.path,
                                        O_RDWR | O_CREAT | O_APPEND | (truncate ? O_TRUNC : 0));
    struct stat st;
    if (::fstat(target.fd, &st) != 0)
        ThrowErrno(target.path);
    if (st.st_size == 0)
        return;
    char last = 0;
    if (::pread(target.fd, &last, 1, st.st_size - 1) != 1)
        ThrowErrno(target.path);
    if (last != '\n' && last != '\r')
        WriteOut(target, "\r\n");
}

void MonthWriter::WriteOut(Target& target, std::string_view rest) {
    while (!rest.empty()) {
        const ssize_t w = ::write(target.fd, rest.data(), rest.size());
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(target.path);
        }
        rest.remove_prefix(static_cast<std::size_t>(w));
    }
}

void MonthWriter::AppendPiece(std::string_view piece) {
    if (log_.size() + piece.size() > flushAt_)
        Flush();
    if (piece.size() >= flushAt_)  // big pieces go straight out: the buffer keeps its size
        WriteOut(logFile_, piece);
    else
        log_.append(piece);
}

void MonthWriter::Flush() {
    WriteOut(logFile_, log_);
    log_.clear();
    WriteOut(eurFile_, eur_);
    eur_.clear();
}

void MonthWriter::Close() {
    Flush();
    for (Target* target : {&logFile_, &eurFile_}) {
        const int fd = target->fd;
        target->fd = -1;
        if (::close(fd) != 0)
            ThrowErrno(target->path);
    }
}

}  // namespace trafikon
