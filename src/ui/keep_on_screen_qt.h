// SPDX-License-Identifier: GPL-3.0-or-later
// A top-level window grown downwards or sideways moves back onto its screen.
#pragma once

class QWidget;

namespace trafikon {

// Moves the visible `window` so that its frame lies inside the available part
// of its screen, as far as its size allows (its top left stays on screen).
void KeepOnScreen(QWidget* window);

}  // namespace trafikon
