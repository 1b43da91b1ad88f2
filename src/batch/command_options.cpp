// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/command_options.h"

#include <cstdio>

namespace trafikon::batch {

std::function<std::string(const std::string&)> StoreIn(std::string& target, bool* given) {
    return [&target, given](const std::string& value) {
        target = value;
        if (given)
            *given = true;
        return std::string();
    };
}

std::function<std::string(const std::string&)> SetFlag(bool& flag) {
    return [&flag](const std::string&) {
        flag = true;
        return std::string();
    };
}

int UsageError(std::string_view command, std::string_view usage, const std::string& problem) {
    std::fprintf(stderr, "trafikon-batch %.*s: %s\n%.*s", static_cast<int>(command.size()),
                 command.data(), problem.c_str(), static_cast<int>(usage.size()), usage.data());
    return 2;
}

int ReadCommandLine(const CommandLine& line, const std::vector<std::string>& args) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool looksLikeOption = !optionsEnded && a.size() > 2 && a.compare(0, 2, "--") == 0;
        if (!looksLikeOption) {
            if (line.operands && !optionsEnded && a == "--")
                optionsEnded = true;
            else if (line.operands)
                line.operands->push_back(a);
            else
                return UsageError(line, "unexpected argument: " + a);
            continue;
        }
        if (a == "--help") {
            std::fwrite(line.usage.data(), 1, line.usage.size(), stdout);
            return 0;
        }
        const CommandOption* option = nullptr;
        for (const CommandOption& o : line.options)
            if (o.name == a)
                option = &o;
        if (!option)
            return UsageError(line, "unknown option " + a);
        std::string value;
        if (option->takesValue) {
            if (i + 1 == args.size())
                return UsageError(line, a + " needs a value");
            value = args[++i];
        }
        if (const std::string problem = option->take(value); !problem.empty())
            return UsageError(line, problem);
    }
    return -1;
}

}  // namespace trafikon::batch
