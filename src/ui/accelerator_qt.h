// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard accelerators (Alt+letter) for captions that come from the language
// files, which carry none: given when a window builds its menus or buttons.
#pragma once

#include <QString>

namespace trafikon {

// `text` with "&" before its first letter that `taken` lacks, a word's first
// letter rather than another; that letter joins `taken` (lower case). A text
// that already has an accelerator keeps it and adds its letter to `taken`.
QString WithAccelerator(const QString& text, QString& taken);

}  // namespace trafikon
