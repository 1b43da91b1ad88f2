// SPDX-License-Identifier: GPL-3.0-or-later
// Text of a store failure for a message box: the file, then the system's reason;
// for a store kept by another writer, the interface's own text.
#pragma once

#include <QString>

#include "store/text_file.h"

namespace trafikon {

QString IoErrorText(const IoError& error);

}  // namespace trafikon
