// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch generate [--out FILE] [--lines N] [--format combined|common|iis]
//                         [--months N] [--start YYYY-MM] [--seed N] [--tz +HHMM]
//                         [--hosts N] [--pages N] [--junk FRACTION]
//                         [--no-iis-daily-header] [--uniform]
// Writes a synthetic access log to stdout or FILE, the same for the same options:
// with the variety of a busy site's traffic, or with --uniform a few hundred
// hosts and a few dozen user agents and referrers whatever its length.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_commands.h"
#include "batch/command_options.h"
#include "batch/log_generator.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch generate [--out FILE] [--lines N] [--format combined|common|iis]\n"
    "         [--months N] [--start YYYY-MM] [--seed N] [--tz +HHMM] [--hosts N] [--pages N]\n"
    "         [--junk FRACTION] [--no-iis-daily-header] [--uniform]\n";

template <typename T>
bool ReadNumber(const std::string& text, T& value, T low) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low;
}

// The option `name`, whose value `read` takes or refuses.
CommandOption Valued(std::string_view name, std::function<bool(const std::string&)> read) {
    return {name, true, [name, read](const std::string& v) {
                return read(v) ? std::string() : "bad value for " + std::string(name) + ": " + v;
            }};
}

}  // namespace

int RunGenerateCommand(const std::vector<std::string>& args) {
    LogGeneratorOptions options;
    std::string outPath;
    bool noDailyHeader = false;
    LogGeneratorOptions& o = options;
    const CommandLine line{
        "generate",
        kUsage,
        {{"--out", true, StoreIn(outPath)},
         Valued("--lines", [&o](auto& v) { return ReadNumber<std::int64_t>(v, o.lines, 0); }),
         Valued("--format", [&o](auto& v) { return ParseGeneratedFormat(v, o.format); }),
         Valued("--months", [&o](auto& v) { return ReadNumber(v, o.months, 1); }),
         Valued("--start", [&o](auto& v) { return ParseYearMonth(v, o.startYear, o.startMonth); }),
         Valued("--seed", [&o](auto& v) { return ReadNumber<std::uint64_t>(v, o.seed, 0); }),
         Valued("--tz", [&o](auto& v) { return IsTimeZoneOffset(v) && (o.timeZone = v, true); }),
         Valued("--hosts", [&o](auto& v) { return ReadNumber(v, o.hosts, 1); }),
         Valued("--pages", [&o](auto& v) { return ReadNumber(v, o.pages, 1); }),
         Valued("--junk", [&o](auto& v) { return ReadNumber(v, o.junk, 0.0) && o.junk <= 1.0; }),
         {"--no-iis-daily-header", false, SetFlag(noDailyHeader)},
         {"--uniform", false, SetFlag(o.uniform)}}};
    if (const int exit = ReadCommandLine(line, args); exit >= 0)
        return exit;
    if (noDailyHeader)
        options.iisDailyHeader = false;
    std::FILE* out = stdout;
    if (!outPath.empty()) {
        out = std::fopen(outPath.c_str(), "wb");
        if (!out) {
            std::perror(("trafikon-batch generate: " + outPath).c_str());
            return 1;
        }
    }
    bool ok = WriteGeneratedLog(options, out);
    if (out != stdout)
        ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "trafikon-batch generate: cannot write %s\n",
                     outPath.empty() ? "to standard output" : outPath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace trafikon::batch
