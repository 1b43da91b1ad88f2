// SPDX-License-Identifier: GPL-3.0-or-later
// The checks made on a log file before it is accepted for import, shared by
// the add-log dialog and the batch import.
#pragma once

#include <string>
#include <string_view>

namespace trafikon {

enum class LogFileCheck {
    kAccepted,
    kEmpty,       // the file holds no line at all (message +29)
    kNoLogLines,  // only "#" lines, blank or one-character lines (message +28)
};

// Reads the file from its start up to its first log line: the first line
// that neither begins with "#" nor is shorter than two characters, the line
// the import starts from. On kAccepted, `firstLogLine` (when given) receives
// it. Only the first LogReader::kHeadBytes of content are looked at. Throws
// IoError when the file cannot be read.
LogFileCheck CheckLogFile(const std::string& path, std::string* firstLogLine = nullptr);

// True for the lines an import skips before the first log line of a file.
inline bool IsHeaderOrBlank(std::string_view line) {
    return line.size() < 2 || line[0] == '#';
}

}  // namespace trafikon
