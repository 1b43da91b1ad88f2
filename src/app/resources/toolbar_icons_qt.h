// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the tool-bar buttons and the window icon, taken from the desktop
// theme when it has them and drawn here otherwise.
#pragma once

#include <QIcon>

namespace trafikon {

QIcon RefreshIcon();
QIcon AnalyseAllIcon();
QIcon AddLogsIcon();
QIcon DeleteLogsIcon();
QIcon ProgramIcon();

}  // namespace trafikon
