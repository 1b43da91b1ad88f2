// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/spill_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/text_file.h"

namespace trafikon {

SpillFile::SpillFile(std::string siteDir) : path_(TemporaryNameFor(siteDir + "analysis.spill")) {}

SpillFile::~SpillFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::uint64_t SpillFile::Append(const void* data, std::size_t size) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) {
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ < 0)
            ThrowErrno(path_);
        ::unlink(path_.c_str());  // the space goes back when the file is closed
    }
    const std::uint64_t at = end_;
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t w = ::pwrite(fd_, p + done, size - done, static_cast<off_t>(at + done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path_);
        }
        done += static_cast<std::size_t>(w);
    }
    end_ += size;
    return at;
}

void SpillFile::Read(std::uint64_t offset, void* data, std::size_t size) const {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t r = ::pread(fd_, p + done, size - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            ThrowErrno(path_);
        if (r == 0)
            throw IoError(path_, "read past the end");
        done += static_cast<std::size_t>(r);
    }
}

}  // namespace trafikon
