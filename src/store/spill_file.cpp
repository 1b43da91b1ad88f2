// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/spill_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/positioned_io.h"
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
    const int error = WriteAllAt(fd_, static_cast<const char*>(data), size, at);
    if (error != 0) {
        errno = error;
        ThrowErrno(path_);
    }
    end_ += size;
    return at;
}

void SpillFile::Read(std::uint64_t offset, void* data, std::size_t size) const {
    const int error = ReadAllAt(fd_, static_cast<char*>(data), size, offset);
    if (error == kFileEndedFirst)
        throw IoError(path_, "read past the end");
    if (error != 0) {
        errno = error;
        ThrowErrno(path_);
    }
}

}  // namespace trafikon
