#include "import/line_count.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "store/text_file.h"

namespace trafikon {

namespace {

// Closes the descriptor on every way out.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

std::uint64_t CountLines(const std::string& path) {
    Fd file{OpenRegularFile(path)};
    ::posix_fadvise(file.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    std::vector<char> buf(1 << 20);
    std::uint64_t lines = 0;
    bool inLine = false;   // bytes seen since the last line end
    bool afterCr = false;  // the previous byte was a CR
    for (;;) {
        const ssize_t r = ::read(file.fd, buf.data(), buf.size());
        if (r < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path);
        }
        if (r == 0)
            break;
        const char* p = buf.data();
        const char* const end = p + r;
        // The next CR is looked for again only once passed: a file with LF
        // ends is searched for CR once per buffer, not once per line.
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
        while (p < end) {
            if (afterCr) {
                afterCr = false;
                if (*p == '\n') {  // the LF of a CR LF pair
                    ++p;
                    continue;
                }
            }
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (cr && cr < p)
                cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
            if (cr && (!lf || cr < lf)) {
                ++lines;
                inLine = false;
                afterCr = true;
                p = cr + 1;
            } else if (lf) {
                ++lines;
                inLine = false;
                p = lf + 1;
            } else {
                inLine = true;
                p = end;
            }
        }
    }
    if (inLine)
        ++lines;
    return lines;
}

}  // namespace trafikon
