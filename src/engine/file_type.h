// SPDX-License-Identifier: GPL-3.0-or-later
// The type of a requested file, told by the extension of its path.
#pragma once

#include <cstdint>
#include <string_view>

namespace trafikon {

enum FileType : std::uint8_t { kPageFile = 1, kImageFile = 2, kArchiveFile = 3, kOtherFile = 4 };

// Type of a new file record, from the last five characters of its path (extension
// compared in lower case).
FileType FileTypeOfPath(std::string_view path);

}  // namespace trafikon
