// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the desktop program has a display to open its windows on, checked
// before the window toolkit starts (which would only abort with a message
// that suggests reinstalling).
#pragma once

#include <string>

namespace trafikon {

// True when QT_QPA_PLATFORM chooses a platform, when WAYLAND_DISPLAY is set,
// or when DISPLAY is set and, for a local display (":0"), its X socket is
// there.
bool DisplayAvailable();

// The one line said when there is none.
std::string NoDisplayText();

}  // namespace trafikon
