// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/daily_bars.h"

#include <gtest/gtest.h>

namespace trafikon {
namespace {

std::vector<DrawOp> OfKind(const std::vector<DrawOp>& ops, DrawOp::Kind kind) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

TEST(DailyBarsTest, DaysOfMonth) {
    struct Case {
        const char* key;
        int days;
    } cases[] = {{"2003-02", 28}, {"2004-02", 29}, {"2000-02", 29}, {"1900-02", 28},
                 {"2004-04", 30}, {"2004-12", 31}, {"2004-13", 0},  {"bad", 0},
                 {"2004-00", 0},  {"", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(DaysInMonth(c.key), c.days) << c.key;
}

TEST(DailyBarsTest, RoundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(162.5), 162);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

// One bar and one label per day of the month, whatever the month's length;
// weekend numbers in blue.
TEST(DailyBarsTest, DrawsExactlyTheDaysOfTheMonthWithWeekendsInBlue) {
    struct Case {
        const char* key;
        int days;
        std::vector<int> weekend;  // some Saturday/Sunday days
        std::vector<int> weekday;  // some other days
    } cases[] = {
        {"2003-02", 28, {1, 2, 8, 9, 22, 23}, {3, 28}},
        {"2004-02", 29, {1, 7, 8, 28, 29}, {2, 6, 27}},
        {"2004-04", 30, {3, 4, 24, 25}, {1, 2, 30}},
        {"2004-05", 31, {1, 2, 29, 30}, {3, 31}},
    };
    for (const Case& c : cases) {
        BarSeries s;
        s.first = true;
        s.color = kBlue;
        s.values.fill(5);
        std::vector<DrawOp> ops;
        DrawDailyBars(ops, kGraphWidth, kGraphHeight, c.key, s);
        const auto texts = OfKind(ops, DrawOp::Text);
        ASSERT_EQ(static_cast<int>(texts.size()), c.days) << c.key;
        EXPECT_EQ(static_cast<int>(OfKind(ops, DrawOp::FillRect).size()), 1 + 2 * c.days);
        for (int d : c.weekend)
            EXPECT_EQ(texts[std::size_t(d - 1)].color, kBlue) << c.key << " day " << d;
        for (int d : c.weekday)
            EXPECT_EQ(texts[std::size_t(d - 1)].color, kBlack) << c.key << " day " << d;
        EXPECT_EQ(texts.back().text, std::to_string(c.days));
    }
}

TEST(DailyBarsTest, FirstSeriesGeometry) {
    BarSeries s;
    s.first = true;
    s.color = kBlue;
    s.values[0] = 1;
    s.values[1] = 2;
    s.values[2] = 4;
    s.largest = 4;
    std::vector<DrawOp> ops;
    DrawDailyBars(ops, 433, 490, "2004-02", s);
    // Canvas, axes (3 px) and the two grid lines at 350 - 113 and 350 - 226.
    ASSERT_GE(ops.size(), 5u);
    EXPECT_EQ(ops[0], (DrawOp{DrawOp::FillRect, 0, 0, 433, 490, kSilver, 1, {}}));
    EXPECT_EQ(ops[1], (DrawOp{DrawOp::Line, 27, 351, 423, 351, kBlack, 3, {}}));
    EXPECT_EQ(ops[2], (DrawOp{DrawOp::Line, 27, 351, 27, 11, kBlack, 3, {}}));
    EXPECT_EQ(ops[3], (DrawOp{DrawOp::Line, 27, 237, 423, 237, kBlack, 1, {}}));
    EXPECT_EQ(ops[4], (DrawOp{DrawOp::Line, 27, 124, 423, 124, kBlack, 1, {}}));
    // 29 days: slot 388 / 29 = 13.38, bar width 7, label shift 3, scale 325 / 4.
    // Day 1: x = 30, top = 350 - round(81.25) = 269.
    EXPECT_EQ(ops[5], (DrawOp{DrawOp::FillRect, 29, 351, 38, 268, kBlack, 1, {}}));
    EXPECT_EQ(ops[6], (DrawOp{DrawOp::FillRect, 30, 350, 37, 269, kBlue, 1, {}}));
    EXPECT_EQ(ops[7], (DrawOp{DrawOp::Text, 33, 358, 0, 0, kBlue, 1, "1"}));
    // Day 2: x = round(13.38) + 30 = 43, top = 350 - round(162.5) = 188 (half to even).
    EXPECT_EQ(ops[9], (DrawOp{DrawOp::FillRect, 43, 350, 50, 188, kBlue, 1, {}}));
    // Day 3 reaches the top of the scale.
    EXPECT_EQ(ops[12].y2, 25);
    // Day 4, value 0: no height.
    EXPECT_EQ(ops[15].y2, 350);
}

TEST(DailyBarsTest, SlotPositionsRoundHalvesToEven) {
    // 28 days over a slot of exactly 2.5 pixels.
    BarSeries s;
    s.color = kGraphGreen;
    s.offset = 3;
    std::vector<DrawOp> ops;
    DrawDailyBars(ops, 30 + 15 + 70, 100, "2003-02", s);
    ASSERT_EQ(ops.size(), 56u);           // second series: no canvas, axes or labels
    EXPECT_EQ(ops[1].x1, 30 + 3);         // day 1
    EXPECT_EQ(ops[3].x1, 30 + 2 + 3);     // day 2: round(2.5) = 2
    EXPECT_EQ(ops[7].x1, 30 + 8 + 3);     // day 4: round(7.5) = 8
    EXPECT_EQ(ops[1].x2 - ops[1].x1, 1);  // bar width round(1.25)
    EXPECT_EQ(ops[1].color, kGraphGreen);
}

TEST(DailyBarsTest, ZeroValuesDrawFlatBarsAndStillTheAxes) {
    BarSeries s;
    s.first = true;
    s.color = kBlue;
    s.largest = 0;
    std::vector<DrawOp> ops;
    DrawDailyBars(ops, kGraphWidth, kGraphHeight, "2004-05", s);
    EXPECT_EQ(OfKind(ops, DrawOp::Line).size(), 4u);
    for (const DrawOp& op : OfKind(ops, DrawOp::FillRect))
        if (op.color == kBlue) {
            EXPECT_EQ(op.y2, kGraphBase);
        }
    // Largest -1 means the largest of the drawn days; all 0 gives scale 1 too.
    s.largest = -1;
    ops.clear();
    DrawDailyBars(ops, kGraphWidth, kGraphHeight, "2004-05", s);
    EXPECT_EQ(ops[6].y2, kGraphBase);
}

TEST(DailyBarsTest, LargestMinusOneUsesOnlyTheDaysOfTheMonth) {
    BarSeries s;
    s.color = kBlue;
    s.values[0] = 10;
    s.values[30] = 1000;  // day 31 does not exist in April
    s.largest = -1;
    std::vector<DrawOp> ops;
    DrawDailyBars(ops, kGraphWidth, kGraphHeight, "2004-04", s);
    EXPECT_EQ(ops[1].y2, 25);  // day 1 is the largest drawn value
}

TEST(DailyBarsTest, AnInvalidKeyDrawsOnlyTheFrame) {
    BarSeries s;
    s.first = true;
    std::vector<DrawOp> ops;
    DrawDailyBars(ops, kGraphWidth, kGraphHeight, "garbage", s);
    EXPECT_EQ(ops.size(), 5u);
}

}  // namespace
}  // namespace trafikon
