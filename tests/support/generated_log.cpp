// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/generated_log.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "support/temp_dir.h"

namespace trafikon::testing {

void WriteGeneratedLog(const std::string& path, const std::vector<std::string>& options,
                       LogVariety variety) {
    std::vector<std::string> args = {TRAFIKON_BATCH_EXE, "generate", "--out", path};
    if (variety == LogVariety::kUniform)
        args.push_back("--uniform");
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::string command;
        for (const auto& a : args)
            command += a + " ";
        throw std::runtime_error("log generator failed: " + command);
    }
}

std::string GeneratedLog(const std::vector<std::string>& options, LogVariety variety) {
    TempDir dir;
    const std::string path = dir / "generated.log";
    WriteGeneratedLog(path, options, variety);
    return ReadRaw(path);
}

}  // namespace trafikon::testing
