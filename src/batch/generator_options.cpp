// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "batch/log_generator.h"

namespace trafikon::batch {

std::int64_t GeneratedHosts(const LogGeneratorOptions& options) {
    if (options.hosts > 0)
        return options.hosts;
    return options.uniform ? 300 : std::max<std::int64_t>(1, options.lines / 16);
}

int GeneratedPages(const LogGeneratorOptions& options) {
    if (options.pages > 0)
        return options.pages;
    return options.uniform
               ? 120
               : static_cast<int>(std::clamp<std::int64_t>(options.lines / 64, 1000, 50000));
}

bool ParseGeneratedFormat(std::string_view text, GeneratedFormat& format) {
    if (text == "combined")
        format = GeneratedFormat::kCombined;
    else if (text == "common")
        format = GeneratedFormat::kCommon;
    else if (text == "iis")
        format = GeneratedFormat::kIis;
    else
        return false;
    return true;
}

bool ParseYearMonth(std::string_view text, int& year, int& month) {
    if (text.size() != 7 || text[4] != '-')
        return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6})
        if (text[i] < '0' || text[i] > '9')
            return false;
    year = (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
    month = (text[5] - '0') * 10 + (text[6] - '0');
    return year >= 1 && month >= 1 && month <= 12;
}

bool IsTimeZoneOffset(std::string_view text) {
    if (text.size() != 5 || (text[0] != '+' && text[0] != '-'))
        return false;
    for (std::size_t i = 1; i < 5; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

}  // namespace trafikon::batch
