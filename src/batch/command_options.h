// SPDX-License-Identifier: GPL-3.0-or-later
// The options of one trafikon-batch command, read the same way by every
// command: "--name value" or a lone "--name" flag, "--help" printing the
// command's usage, "--" ending the options of a command that takes operands.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon::batch {

struct CommandOption {
    std::string_view name;  // "--root"
    bool takesValue;
    // Takes the value ("" for a flag); returns "" when it is accepted, else
    // the problem, which becomes the usage error.
    std::function<std::string(const std::string& value)> take;
};

struct CommandLine {
    std::string_view command;  // "report"
    std::string_view usage;    // "usage: trafikon-batch report ...\n"
    std::vector<CommandOption> options;
    // Where arguments that are not options go; null: the command takes none.
    std::vector<std::string>* operands = nullptr;
};

// A `take` that keeps the value in `target` and sets `*given`, if any.
std::function<std::string(const std::string&)> StoreIn(std::string& target, bool* given = nullptr);

// A `take` of a flag: sets `flag`.
std::function<std::string(const std::string&)> SetFlag(bool& flag);

// Reads `args` into the options' `take`. Returns -1 when all were read, else
// the exit code: 0 once "--help" printed the usage on stdout, 2 once a usage
// error went to stderr.
int ReadCommandLine(const CommandLine& line, const std::vector<std::string>& args);

// Prints "trafikon-batch COMMAND: problem" and the usage on stderr; returns 2.
int UsageError(std::string_view command, std::string_view usage, const std::string& problem);
inline int UsageError(const CommandLine& line, const std::string& problem) {
    return UsageError(line.command, line.usage, problem);
}

}  // namespace trafikon::batch
