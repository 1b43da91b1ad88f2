// SPDX-License-Identifier: GPL-3.0-or-later
// What the add-log dialog reads of the files picked before it lists them:
// their order, each one's check, first log line and head. The reads of a file
// stop after LogReader::kHeadBytes of its content however it expands, and the
// whole look can be asked to stop between files, so that it can run on a
// worker while the dialog stays responsive.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "import/log_file_check.h"
#include "store/stop_flag.h"

namespace trafikon {

struct LogFileLook {
    std::size_t index = 0;  // position among the paths looked at
    LogFileCheck check = LogFileCheck::kAccepted;
    std::string firstLine;          // on kAccepted
    std::vector<std::string> head;  // ReadFileHead, on kAccepted
    std::exception_ptr failure;     // the IoError of a file that could not be read
};

// The files of `paths` oldest first (OldestFirstOrder with `codes`), each
// checked and, when accepted, its head read. Ends early, with the files seen
// so far, once `stop` is requested.
std::vector<LogFileLook> LookAtLogFiles(const std::vector<std::string>& paths,
                                        std::string_view codes, const StopFlag& stop);

}  // namespace trafikon
