// SPDX-License-Identifier: GPL-3.0-or-later
// The generated logs the benchmarks read, made once by scripts/bench-data.sh
// (trafikon-batch generate) and cached.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace trafikon::bench {

// Path of the cached log for "LINES FORMAT MONTHS SEED [generator options]";
// exits when it cannot be made.
inline std::string BenchLog(const std::string& arguments) {
    const std::string command = "TRAFIKON_BATCH='" TRAFIKON_BATCH_EXE "' bash '" TRAFIKON_SOURCE_DIR
                                "/scripts/bench-data.sh' " +
                                arguments;
    std::string path;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        while (std::fgets(buf, sizeof buf, p))
            path += buf;
        ::pclose(p);
    }
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
        path.pop_back();
    if (path.empty()) {
        std::fprintf(stderr, "cannot make the benchmark log (%s)\n", arguments.c_str());
        std::exit(1);
    }
    return path;
}

}  // namespace trafikon::bench
