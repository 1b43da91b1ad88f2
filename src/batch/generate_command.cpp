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
#include "batch/log_generator.h"

namespace trafikon::batch {

namespace {

constexpr const char* kUsage =
    "usage: trafikon-batch generate [--out FILE] [--lines N] [--format combined|common|iis]\n"
    "         [--months N] [--start YYYY-MM] [--seed N] [--tz +HHMM] [--hosts N] [--pages N]\n"
    "         [--junk FRACTION] [--no-iis-daily-header] [--uniform]\n";

int Usage(const std::string& why) {
    std::fprintf(stderr, "trafikon-batch generate: %s\n%s", why.c_str(), kUsage);
    return 2;
}

template <typename T>
bool ReadNumber(const std::string& text, T& value, T low) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low;
}

}  // namespace

int RunGenerateCommand(const std::vector<std::string>& args) {
    LogGeneratorOptions options;
    std::string outPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-iis-daily-header") {
            options.iisDailyHeader = false;
            continue;
        }
        if (a == "--uniform") {
            options.uniform = true;
            continue;
        }
        if (i + 1 == args.size())
            return Usage(a.compare(0, 2, "--") == 0 ? a + " needs a value"
                                                    : "unexpected argument: " + a);
        const std::string& v = args[++i];
        bool good = true;
        if (a == "--out")
            outPath = v;
        else if (a == "--lines")
            good = ReadNumber<std::int64_t>(v, options.lines, 0);
        else if (a == "--format")
            good = ParseGeneratedFormat(v, options.format);
        else if (a == "--months")
            good = ReadNumber(v, options.months, 1);
        else if (a == "--start")
            good = ParseYearMonth(v, options.startYear, options.startMonth);
        else if (a == "--seed")
            good = ReadNumber<std::uint64_t>(v, options.seed, 0);
        else if (a == "--tz")
            good = IsTimeZoneOffset(v) && (options.timeZone = v, true);
        else if (a == "--hosts")
            good = ReadNumber(v, options.hosts, 1);
        else if (a == "--pages")
            good = ReadNumber(v, options.pages, 1);
        else if (a == "--junk")
            good = ReadNumber(v, options.junk, 0.0) && options.junk <= 1.0;
        else
            return Usage("unknown option " + a);
        if (!good)
            return Usage("bad value for " + a + ": " + v);
    }
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
