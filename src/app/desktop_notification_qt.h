// SPDX-License-Identifier: GPL-3.0-or-later
// A message to the user's desktop (freedesktop notifications over the session
// bus), for what happens while nobody looks at the window.
#pragma once

#include <QString>

namespace trafikon {

// Sends the notification without waiting for an answer; false when there is
// no session bus to send it on.
bool NotifyDesktop(const QString& title, const QString& text);

}  // namespace trafikon
