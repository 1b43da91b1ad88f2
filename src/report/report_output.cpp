// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/text_file.h"

namespace trafikon::report {

namespace {

void WriteAllTo(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t w = ::write(fd, bytes.data(), bytes.size());
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(w));
    }
}

}  // namespace

void WriteReportFile(const std::string& path, std::string_view bytes) {
    if (path == "-") {
        WriteAllTo(STDOUT_FILENO, bytes, "standard output");
        return;
    }
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) {
        WriteWholeFile(path, bytes);  // a new or regular file: whole or not at all
        return;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        ThrowErrno(path);
    try {
        WriteAllTo(fd, bytes, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0)
        ThrowErrno(path);
}

}  // namespace trafikon::report
