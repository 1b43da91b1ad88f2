// Counts the lines of a file by the store's line rules (CR LF, LF or a lone
// CR ends a line; a last line without an end counts) without keeping them,
// so that an import can give its percentage by line before reading them.
#pragma once

#include <cstdint>
#include <string>

namespace trafikon {

// Throws IoError when the file cannot be read.
std::uint64_t CountLines(const std::string& path);

}  // namespace trafikon
