// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/log_file_look.h"

#include "import/format_detection.h"
#include "import/log_file_order.h"
#include "store/text_file.h"

namespace trafikon {

std::vector<LogFileLook> LookAtLogFiles(const std::vector<std::string>& paths,
                                        std::string_view codes, const StopFlag& stop) {
    std::vector<LogFileLook> looks;
    for (std::size_t i : OldestFirstOrder(paths, codes)) {
        if (stop.Requested())
            break;
        LogFileLook& look = looks.emplace_back();
        look.index = i;
        try {
            look.check = CheckLogFile(paths[i], &look.firstLine);
            if (look.check == LogFileCheck::kAccepted)
                look.head = ReadFileHead(paths[i]);
        } catch (const IoError&) {
            look.failure = std::current_exception();
        }
    }
    return looks;
}

}  // namespace trafikon
