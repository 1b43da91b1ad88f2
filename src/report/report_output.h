// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a report where the user said: "-" is standard output; a symbolic
// link, a device or a FIFO is written through, in place, as cp writes
// (the link stays a link, /dev/stdout stays the system's); a regular file or
// a new name gets a temporary file renamed into place.
#pragma once

#include <string>
#include <string_view>

namespace trafikon::report {

// Throws IoError naming `path` (a folder, a missing folder, a full disk...).
void WriteReportFile(const std::string& path, std::string_view bytes);

}  // namespace trafikon::report
