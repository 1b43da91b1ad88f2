// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/positioned_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace trafikon {

int ReadAllAt(int fd, char* out, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        const ssize_t r = ::pread(fd, out, size, static_cast<off_t>(offset));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return errno;
        if (r == 0)
            return kFileEndedFirst;
        out += r;
        size -= static_cast<std::size_t>(r);
        offset += static_cast<std::uint64_t>(r);
    }
    return 0;
}

int WriteAllAt(int fd, const char* bytes, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        const ssize_t w = ::pwrite(fd, bytes, size, static_cast<off_t>(offset));
        if (w < 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            const int flags = ::fcntl(fd, F_GETFL);
            if (error == EINVAL && flags >= 0 && (flags & O_DIRECT) != 0 &&
                ::fcntl(fd, F_SETFL, flags & ~O_DIRECT) == 0)
                continue;
            return error;
        }
        bytes += w;
        size -= static_cast<std::size_t>(w);
        offset += static_cast<std::uint64_t>(w);
    }
    return 0;
}

}  // namespace trafikon
