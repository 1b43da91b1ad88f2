// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/month_stats.h"

#include <algorithm>

#include "store/tagged_record.h"

namespace trafikon {
namespace {

constexpr std::array<std::string_view, kMonthStatsLineCount> kKeys = {
    "Date", "Tota",   "Page",   "Imag",   "Prog",   "Host",   "Orig", "Mote", "ReOK", "ReKO",
    "Hits", "Ret100", "Ret200", "Ret300", "Ret400", "Ret500", "Jour", "ViJo", "KoJo", "PaJo",
    "HiJo", "ViMo",   "KoMo",   "PaMo",   "HiMo",   "ttPa",   "ttHo", "ttMo"};

}  // namespace

const std::array<std::string_view, kMonthStatsLineCount>& MonthStatsKeys() {
    return kKeys;
}

Lines FormatMonthStats(const MonthStats& stats) {
    Lines lines;
    lines.reserve(kMonthStatsLineCount);
    for (int k = 0; k < kMonthStatsLineCount; ++k) {
        std::string line(kKeys[k]);
        line += '=';
        line += stats.values[k];
        lines.push_back(std::move(line));
    }
    return lines;
}

MonthStats ParseMonthStats(const Lines& lines) {
    MonthStats stats;
    const std::size_t n = std::min<std::size_t>(lines.size(), kMonthStatsLineCount);
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& line = lines[k];
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            stats.values[k] = line.substr(eq + 1);
    }
    stats.linesPresent = static_cast<int>(n);
    return stats;
}

std::optional<MonthStats> ReadMonthStatsFile(const std::string& path) {
    if (!FileExists(path))
        return std::nullopt;
    return ParseMonthStats(ReadTextLines(path));
}

std::string FormatDayList(const std::array<long long, kDaysInList>& values) {
    std::string out = "-";
    for (long long v : values) {
        AppendDecimal(out, v);
        out += '-';
    }
    return out;
}

std::vector<std::string_view> SplitDayList(std::string_view list) {
    std::vector<std::string_view> out;
    if (!list.empty() && list.front() == '-')
        list.remove_prefix(1);
    while (!list.empty() && out.size() < kDaysInList) {
        const std::size_t p = list.find('-');
        out.push_back(list.substr(0, p));
        if (p == std::string_view::npos)
            break;
        list.remove_prefix(p + 1);
    }
    return out;
}

std::array<long long, kDaysInList> ParseDayList(std::string_view list) {
    std::array<long long, kDaysInList> values{};
    const auto texts = SplitDayList(list);
    for (std::size_t d = 0; d < texts.size(); ++d)
        values[d] = ParseInteger(texts[d]);
    return values;
}

}  // namespace trafikon
