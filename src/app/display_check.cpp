// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/display_check.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string_view>

namespace trafikon {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool DisplayAvailable() {
    if (Set("QT_QPA_PLATFORM") || Set("WAYLAND_DISPLAY"))
        return true;
    if (!Set("DISPLAY"))
        return false;
    const std::string_view display = std::getenv("DISPLAY");
    if (display.front() != ':')
        return true;  // a remote or forwarded display: the toolkit will tell
    std::string_view number = display.substr(1);
    number = number.substr(0, number.find('.'));
    // Without the socket folder at all the server may listen elsewhere.
    struct stat st;
    const std::string socket = "/tmp/.X11-unix/X" + std::string(number);
    return ::stat(socket.c_str(), &st) == 0 || ::stat("/tmp/.X11-unix", &st) != 0;
}

std::string NoDisplayText() {
    return "trafikon: no display to open a window on (DISPLAY and WAYLAND_DISPLAY lead "
           "nowhere); without one, use trafikon-batch (man trafikon-batch).";
}

}  // namespace trafikon
