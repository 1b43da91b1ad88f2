// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 texts of the geographic data (country and city names) as the
// Windows-1252 bytes that every other text of the program is kept in.
#pragma once

#include <string>
#include <string_view>

namespace trafikon {

// Each character without a Windows-1252 byte, and each ill-formed byte,
// becomes "?"; line breaks and control characters become blanks.
std::string Utf8ToCp1252Text(std::string_view utf8);

}  // namespace trafikon
