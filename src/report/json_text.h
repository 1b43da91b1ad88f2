// SPDX-License-Identifier: GPL-3.0-or-later
// JSON text of the month's values. Store and log texts are Windows-1252
// bytes; the JSON document is UTF-8, whatever bytes a log line held.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trafikon::report {

// Appends `cp1252` as a quoted JSON string in UTF-8: quote, backslash and
// every control character escaped, the five bytes Windows-1252 leaves
// undefined as U+FFFD, so the output is valid UTF-8 and valid JSON.
void AppendJsonString(std::string& out, std::string_view cp1252);

// Appends a decimal integer.
void AppendJsonNumber(std::string& out, std::int64_t value);

}  // namespace trafikon::report
