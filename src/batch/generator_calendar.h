// SPDX-License-Identifier: GPL-3.0-or-later
// The days of the generated months: month lengths, week days and the moment
// of a line.
#pragma once

namespace trafikon::batch::generator {

inline bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

inline int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// 0 = Sunday.
inline int WeekDay(int y, int m, int d) {
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3)
        --y;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

struct Moment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

}  // namespace trafikon::batch::generator
