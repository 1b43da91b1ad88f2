// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/log_file_check.h"

#include "import/log_source.h"

namespace trafikon {

LogFileCheck CheckLogFile(const std::string& path, std::string* firstLogLine) {
    LogReader reader(path, LogReader::kMaxPiece, LogReader::kHeadBytes);
    std::string_view line;
    bool anyLine = false;
    while (reader.Next(line)) {
        anyLine = true;
        if (reader.partial()) {  // a very long line: at least two characters
            if (line[0] == '#') {
                while (reader.partial() && reader.Next(line)) {
                }
                continue;
            }
        }
        if (!IsHeaderOrBlank(line)) {
            if (firstLogLine)
                firstLogLine->assign(line);
            return LogFileCheck::kAccepted;
        }
    }
    return anyLine ? LogFileCheck::kNoLogLines : LogFileCheck::kEmpty;
}

}  // namespace trafikon
