// SPDX-License-Identifier: GPL-3.0-or-later
// The bar graph of the general tab as a list of drawing operations, so that
// its geometry is computed (and tested) without a drawing surface. The
// window's graph paints the operations in order on its image.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trafikon {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGraphGreen{0, 128, 0};

struct DrawOp {
    enum Kind { FillRect, Line, Text };
    Kind kind = FillRect;
    // FillRect: corners (x1, y1) and (x2, y2), right and bottom edges excluded
    // once ordered. Line: from (x1, y1) to (x2, y2). Text: top left (x1, y1).
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb color;         // fill, pen or text colour
    int penWidth = 1;  // Line only
    std::string text;  // Text only (drawn in Arial, height 10, on silver)
    bool operator==(const DrawOp&) const = default;
};

// Days of the month of a key "YYYY-MM"; 0 when the key is not a valid month.
int DaysInMonth(std::string_view monthKey);
// Whether day `day` of the month of the key is a Saturday or a Sunday.
bool IsWeekendDay(std::string_view monthKey, int day);

// Real to nearest integer, halves to the even neighbour.
int RoundHalfEven(double v);

struct BarSeries {
    bool first = false;      // the first series clears the canvas and draws axes and labels
    long long largest = -1;  // -1: the largest of the drawn days
    Rgb color;
    std::array<long long, 31> values{};
    int offset = 0;  // horizontal shift of the bars in pixels
};

constexpr int kGraphWidth = 433;
constexpr int kGraphHeight = 490;
constexpr int kGraphLeft = 30;
constexpr int kGraphBase = 350;

// Appends the operations of one series. Only days 1..DaysInMonth are drawn.
void DrawDailyBars(std::vector<DrawOp>& ops, int width, int height, std::string_view monthKey,
                   const BarSeries& series, int left = kGraphLeft, int base = kGraphBase);

// The values of a per-day series, 31 entries, missing ones 0.
std::array<long long, 31> ThirtyOneValues(const std::vector<long long>& values);
long long LargestOf(const std::array<long long, 31>& values);

}  // namespace trafikon
