// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a web page in the user's browser: the program that opens pages is
// xdg-open, started with the address as its one argument, never through a shell.
#pragma once

#include <string>

namespace trafikon {

// Full path of the first executable "xdg-open" in the folders of PATH (empty
// and relative entries skipped; the usual system folders when PATH is unset),
// or empty when there is none.
std::string FindBrowserCommand();

// Starts `command` with `address` as its single argument and returns at once
// without waiting for it; the child is reaped in the background so that none
// is left behind as a zombie. Returns false and starts nothing when `command`
// is empty, when `address` is empty or starts with '-' (it would read as an
// option), or when the program cannot be started; `error`, when given, then
// receives the reason.
bool OpenPage(const std::string& command, const std::string& address, std::string* error = nullptr);

}  // namespace trafikon
