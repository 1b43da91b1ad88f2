// SPDX-License-Identifier: GPL-3.0-or-later
// Writes synthetic web-server access logs for tests, benchmarks and fuzz
// seeds: Apache combined or common lines, or IIS W3C lines with their "#"
// header lines, spread over consecutive months, the same bytes for the same
// options and seed on every machine.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace trafikon::batch {

enum class GeneratedFormat { kCombined, kCommon, kIis };

struct LogGeneratorOptions {
    std::int64_t lines = 1000;
    GeneratedFormat format = GeneratedFormat::kCombined;
    int months = 1;
    int startYear = 2024;
    int startMonth = 1;
    std::uint64_t seed = 1;
    std::string timeZone = "+0100";  // written in Apache timestamps
    int hosts = 0;                   // distinct client hosts, 0: as the mode has them
    int pages = 0;                   // distinct pages of the site, 0: as the mode has them
    double junk = 0.0;               // share of hostile or malformed lines
    bool iisDailyHeader = true;      // IIS: header lines again at each new day
    // A few hundred hosts, a few dozen user agents and referrers, the same
    // for any length: the logs of earlier versions. Otherwise the variety of
    // a busy site's traffic: a host for about 16 lines, user agents and
    // referrers in the thousands, pages in the tens of thousands.
    bool uniform = false;
};

// The distinct hosts and pages of a generated log.
std::int64_t GeneratedHosts(const LogGeneratorOptions& options);
int GeneratedPages(const LogGeneratorOptions& options);

// Reads "combined", "common" or "iis".
bool ParseGeneratedFormat(std::string_view text, GeneratedFormat& format);
// Reads "YYYY-MM".
bool ParseYearMonth(std::string_view text, int& year, int& month);
// Reads "+HHMM" or "-HHMM".
bool IsTimeZoneOffset(std::string_view text);

// Writes the log to `out`; false when writing failed.
bool WriteGeneratedLog(const LogGeneratorOptions& options, std::FILE* out);

}  // namespace trafikon::batch
