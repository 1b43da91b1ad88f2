// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the store's own files for writing.
#pragma once

#include <string>

namespace trafikon {

// Opens a file of the store for writing (open(2) flags and mode) without
// following a symbolic link: a link put in the store in place of one of its
// files is refused by name, never written through. Throws IoError.
int OpenStoreFileForWriting(const std::string& path, int flags, unsigned mode = 0644);

}  // namespace trafikon
