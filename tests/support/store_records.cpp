// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/store_records.h"

#include <charconv>

#include "store/log_format.h"
#include "store/text_file.h"

namespace trafikon {

std::string BuildRecord(const RecordValues& values, int n) {
    if (n > kMaxRecordFields)
        n = kMaxRecordFields;
    std::string out;
    int i = 1;
    for (; i <= n; ++i) {
        AppendFieldTag(out, i);
        out += values[i - 1];
    }
    AppendFieldTag(out, i);
    return out;
}

void IdListAppend(std::string& list, long long n) {
    AppendDecimal(list, n);
    list += '-';
}

bool IdListContains(std::string_view list, long long n) {
    char buf[32];
    buf[0] = '-';
    auto [end, ec] = std::to_chars(buf + 1, buf + sizeof(buf) - 1, n);
    (void)ec;
    *end = '-';
    return list.find(std::string_view(buf, static_cast<std::size_t>(end - buf) + 1)) !=
           std::string_view::npos;
}

void WriteMonthStatsFile(const std::string& path, const MonthStats& stats) {
    WriteTextLines(path, FormatMonthStats(stats));
}

std::string DayTimeStamp(std::string_view t) {
    std::string s;
    AppendDayTimeStamp(s, t);
    return s;
}

}  // namespace trafikon
