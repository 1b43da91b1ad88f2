// SPDX-License-Identifier: GPL-3.0-or-later
// The monthly statistics file mon-<key>.tfd: 28 lines "Key=value" in a fixed
// order that readers rely on.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/text_file.h"

namespace trafikon {

inline constexpr int kMonthStatsLineCount = 28;
inline constexpr int kDaysInList = 31;

// Line positions (0-based) of the monthly file.
enum MonthStatsLine : int {
    kStatDate = 0,
    kStatTota,
    kStatPage,
    kStatImag,
    kStatProg,
    kStatHost,
    kStatOrig,
    kStatMote,
    kStatReOK,
    kStatReKO,
    kStatHits,
    kStatRet100,
    kStatRet200,
    kStatRet300,
    kStatRet400,
    kStatRet500,
    kStatJour,
    kStatViJo,
    kStatKoJo,
    kStatPaJo,
    kStatHiJo,
    kStatViMo,
    kStatKoMo,
    kStatPaMo,
    kStatHiMo,
    kStatTtPa,
    kStatTtHo,
    kStatTtMo,
};

// The four day lists: visitors, kilobytes, pages and hits per day.
inline constexpr std::array<MonthStatsLine, 4> kDayListLines = {kStatViJo, kStatKoJo, kStatPaJo,
                                                                kStatHiJo};

// "Date", "Tota", ..., "ttMo" in file order.
const std::array<std::string_view, kMonthStatsLineCount>& MonthStatsKeys();

struct MonthStats {
    std::array<std::string, kMonthStatsLineCount> values;  // text after "Key="
    int linesPresent = 0;                                  // lines found in the file (0..28)

    std::string& operator[](MonthStatsLine line) { return values[line]; }
    const std::string& operator[](MonthStatsLine line) const { return values[line]; }
};

// The 28 lines "Key=value" of `stats`.
Lines FormatMonthStats(const MonthStats& stats);

// Reads the lines by position, as every reader does: line k gives value k, the
// text after its first "=" (empty when it has none). Extra lines are ignored;
// a short list fills what is there and sets linesPresent.
MonthStats ParseMonthStats(const Lines& lines);
// Reads a monthly file; nullopt when it does not exist. Throws IoError when it
// exists but cannot be read.
std::optional<MonthStats> ReadMonthStatsFile(const std::string& path);

// Day lists: "-" followed by 31 decimal values, day 1 first, each followed by "-".
std::string FormatDayList(const std::array<long long, kDaysInList>& values);
// The value texts of a day list (the text after "Key="), day 1 first, never
// more than 31. A leading "-" is skipped; a last value without its "-" still
// counts; a list with fewer values gives fewer.
std::vector<std::string_view> SplitDayList(std::string_view list);
// The same read as numbers (ParseInteger); missing days are 0.
std::array<long long, kDaysInList> ParseDayList(std::string_view list);

}  // namespace trafikon
