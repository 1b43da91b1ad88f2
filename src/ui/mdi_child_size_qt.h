// SPDX-License-Identifier: GPL-3.0-or-later
// The size a child window of the main window opens at.
#pragma once

#include <QSize>

class QMdiSubWindow;

namespace trafikon {

// Sizes `child` for its first showing: its content gets `wanted`, or the
// content's minimum size where that is larger; the whole is kept inside the
// visible part of the main window's frame unless the minimum needs more (the
// frame then scrolls). A child already placed is moved back inside the frame
// as far as its size allows.
void SizeNewChild(QMdiSubWindow* child, QSize wanted);

// Sizes a child just added to its area, then shows it: maximised when the
// area's active child is (its normal size is the one above, for a restore),
// else as it is and kept inside the frame.
void ShowNewChild(QMdiSubWindow* child, QSize wanted);

}  // namespace trafikon
