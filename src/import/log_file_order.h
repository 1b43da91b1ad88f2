// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which log files picked together are listed and imported:
// oldest first by the date of their first log line, since rotated logs are
// named newest first (access.log, access.log.1, access.log.2.gz ...).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

// "YYYY-MM" + "DD:hh:mm:ss" of the first log line of a file, read by its
// detected format or else by `codes`; empty when the file cannot be read or
// its first line has no readable date.
std::string FirstLineTime(const std::string& path, std::string_view codes);

// The positions of `paths` oldest first; files without a readable date keep
// their order after the dated ones.
std::vector<std::size_t> OldestFirstOrder(const std::vector<std::string>& paths,
                                          std::string_view codes);

}  // namespace trafikon
