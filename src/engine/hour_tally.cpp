// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/hour_tally.h"

namespace trafikon {

int HourOfTimestamp(std::string_view time) {
    if (time.size() < 15 || time[12] != ':')
        return -1;
    const char a = time[13], b = time[14];
    if (a < '0' || a > '2' || b < '0' || b > '9')
        return -1;
    const int hour = (a - '0') * 10 + (b - '0');
    return hour < 24 ? hour : -1;
}

int SecondOfTimestamp(std::string_view time) {
    const int hour = HourOfTimestamp(time);
    if (hour < 0 || time.size() < 21 || time[15] != ':' || time[18] != ':')
        return -1;
    const auto digit = [&](int i) { return static_cast<unsigned>(time[i]) - '0'; };
    const unsigned m1 = digit(16), m2 = digit(17), s1 = digit(19), s2 = digit(20);
    if (m1 > 9 || m2 > 9 || s1 > 9 || s2 > 9)
        return -1;
    return SecondOfDay(hour, m1 * 10 + m2, s1 * 10 + s2);
}

void HourTally::AddAtHour(int hour, bool page, bool hasBytes, std::int64_t bytes) {
    if (hour < 0)
        return;
    ++counters_.hits[hour];
    if (page)
        ++counters_.pages[hour];
    if (hasBytes && __builtin_add_overflow(counters_.bytes[hour], bytes, &counters_.bytes[hour]))
        counters_.bytes[hour] = INT64_MAX;
}

}  // namespace trafikon
