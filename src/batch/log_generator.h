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
    int hosts = 300;                 // distinct client hosts
    int pages = 120;                 // distinct pages of the site
    double junk = 0.0;               // share of hostile or malformed lines
    bool iisDailyHeader = true;      // IIS: header lines again at each new day
};

// Reads "combined", "common" or "iis".
bool ParseGeneratedFormat(std::string_view text, GeneratedFormat& format);
// Reads "YYYY-MM".
bool ParseYearMonth(std::string_view text, int& year, int& month);
// Reads "+HHMM" or "-HHMM".
bool IsTimeZoneOffset(std::string_view text);

// Writes the log to `out`; false when writing failed.
bool WriteGeneratedLog(const LogGeneratorOptions& options, std::FILE* out);

}  // namespace trafikon::batch
