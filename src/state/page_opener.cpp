// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/page_opener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

extern char** environ;

namespace trafikon {

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

void SetError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

}  // namespace

std::string FindBrowserCommand() {
    const char* env = std::getenv("PATH");
    std::string_view path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const auto colon = path.find(':');
        const std::string_view dir = path.substr(0, colon);
        // An empty or relative entry names the current folder or one below it,
        // where nobody installs the system's page opener.
        if (!dir.empty() && dir.front() == '/') {
            std::string candidate(dir);
            if (candidate.back() != '/')
                candidate += '/';
            candidate += "xdg-open";
            if (IsExecutableFile(candidate))
                return candidate;
        }
        if (colon == std::string_view::npos)
            break;
        path.remove_prefix(colon + 1);
    }
    return {};
}

bool OpenPage(const std::string& command, const std::string& address, std::string* error) {
    if (command.empty()) {
        SetError(error, "no program to open pages");
        return false;
    }
    if (address.empty() || address.front() == '-') {
        SetError(error, "not an address: " + address);
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The page opener reads nothing: keep it off the program's input.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

    std::string arg0 = command;
    std::string arg1 = address;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, command.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        SetError(error, command + ": " + std::strerror(rc));
        return false;
    }
    // Reap the child whenever it ends, without holding up the caller.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

}  // namespace trafikon
