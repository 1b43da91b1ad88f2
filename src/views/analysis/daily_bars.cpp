// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/daily_bars.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "month/month_results.h"

namespace trafikon {

namespace {

bool ParseKey(std::string_view key, int& year, unsigned& month) {
    if (key.size() < 7 || key[4] != '-')
        return false;
    long long y = ParseSignedDecimal(key.substr(0, 4)).value_or(-1);
    long long m = ParseSignedDecimal(key.substr(5, 2)).value_or(-1);
    if (y < 1 || m < 1 || m > 12)
        return false;
    year = static_cast<int>(y);
    month = static_cast<unsigned>(m);
    return true;
}

}  // namespace

int DaysInMonth(std::string_view monthKey) {
    int y = 0;
    unsigned m = 0;
    if (!ParseKey(monthKey, y, m))
        return 0;
    using namespace std::chrono;
    const year_month_day_last last{year{y} / month{m} / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool IsWeekendDay(std::string_view monthKey, int day) {
    int y = 0;
    unsigned m = 0;
    if (!ParseKey(monthKey, y, m) || day < 1 || day > 31)
        return false;
    using namespace std::chrono;
    const year_month_day date{year{y}, month{m}, std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok())
        return false;
    const weekday wd{sys_days{date}};
    return wd == Saturday || wd == Sunday;
}

int RoundHalfEven(double v) {
    // The default floating-point rounding mode sends halves to the even neighbour.
    return static_cast<int>(std::nearbyint(v));
}

void DrawDailyBars(std::vector<DrawOp>& ops, int width, int height, std::string_view monthKey,
                   const BarSeries& series, int left, int base) {
    const int days = DaysInMonth(monthKey);
    long long largest = series.largest;
    if (largest == -1) {
        largest = 0;
        for (int i = 0; i < days; ++i)
            largest = std::max(largest, series.values[static_cast<std::size_t>(i)]);
    }
    if (series.first) {
        ops.push_back({DrawOp::FillRect, 0, 0, width, height, kSilver, 1, {}});
        ops.push_back({DrawOp::Line, left - 3, base + 1, width - 10, base + 1, kBlack, 3, {}});
        ops.push_back({DrawOp::Line, left - 3, base + 1, left - 3, 11, kBlack, 3, {}});
        const int step = RoundHalfEven((base - 11) / 3.0);
        ops.push_back(
            {DrawOp::Line, left - 3, base - step, width - 10, base - step, kBlack, 1, {}});
        ops.push_back(
            {DrawOp::Line, left - 3, base - 2 * step, width - 10, base - 2 * step, kBlack, 1, {}});
    }
    if (days <= 0)
        return;
    const double slot = static_cast<double>(width - left - 15) / days;
    const int barWidth = RoundHalfEven(slot / 2);
    const int labelShift = RoundHalfEven(slot / 4);
    const double scale = largest <= 0 ? 1.0 : static_cast<double>(base - 25) / largest;
    for (int i = 1; i <= days; ++i) {
        const long long value = series.values[static_cast<std::size_t>(i - 1)];
        const int x = RoundHalfEven((i - 1) * slot) + left + series.offset;
        const int top = base - RoundHalfEven(static_cast<double>(value) * scale);
        ops.push_back(
            {DrawOp::FillRect, x - 1, base + 1, x + barWidth + 1, top - 1, kBlack, 1, {}});
        ops.push_back({DrawOp::FillRect, x, base, x + barWidth, top, series.color, 1, {}});
        if (series.first)
            ops.push_back({DrawOp::Text, x + labelShift, base + 8, 0, 0,
                           IsWeekendDay(monthKey, i) ? kBlue : kBlack, 1, std::to_string(i)});
    }
}

std::array<long long, 31> ThirtyOneValues(const std::vector<long long>& values) {
    std::array<long long, 31> out{};
    for (std::size_t i = 0; i < out.size() && i < values.size(); ++i)
        out[i] = values[i];
    return out;
}

long long LargestOf(const std::array<long long, 31>& values) {
    return *std::max_element(values.begin(), values.end());
}

}  // namespace trafikon
