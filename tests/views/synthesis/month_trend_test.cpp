// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/month_trend.h"

#include <gtest/gtest.h>

#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/robot_file.h"
#include "store/text_file.h"
#include "store/visit_file.h"
#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(MonthTrend, FiguresComeFromTheAudienceFileElseTheDayListsAndHostileKeysAreLeftOut) {
    testing::TempDir dir;
    const std::string site = dir.path() + "/";
    Audience a;
    a.people = {100, 40, 10 * 1024, 7};
    a.robots = {20, 5, 2048, 3};
    WriteTextLines(site + "aud-2026-03.tfd", FormatAudience(a));
    // An older analysis: no aud- file, the totals of the day lists.
    MonthStats stats;
    std::array<long long, kDaysInList> days{};
    days[0] = 30;
    days[4] = 12;
    for (const MonthStatsLine line : kDayListLines)
        stats[line] = FormatDayList(days);
    WriteMonthStatsFile(site + MonthStatsFileName("2025-03"), stats);

    const std::vector<std::string> months = {"0000-00", "2025-03", "2025-04", "2026-03", "9999-13"};
    const auto points = BuildMonthTrend(site, months, 0);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].key, "2025-03");
    EXPECT_FALSE(points[0].apart);
    EXPECT_EQ(TrendValue(points[0], TrendMeasure::kHits, TrendAudience::kPeople), 42);
    EXPECT_EQ(TrendValue(points[0], TrendMeasure::kHits, TrendAudience::kRobots), -1);
    EXPECT_EQ(TrendValue(points[1], TrendMeasure::kPages, TrendAudience::kPeople), -1);
    EXPECT_TRUE(points[2].apart);
    EXPECT_EQ(TrendValue(points[2], TrendMeasure::kKilobytes, TrendAudience::kPeople), 10);
    EXPECT_EQ(TrendValue(points[2], TrendMeasure::kPages, TrendAudience::kRobots), 5);
    EXPECT_EQ(TrendValue(points[2], TrendMeasure::kVisits, TrendAudience::kPeople), -1);
    VisitSummary visits;
    visits.people.visits = 9;
    visits.people.visitors = 4;
    visits.robots.visits = 2;
    WriteTextLines(site + "vis-2026-03.tfd", FormatVisits(visits));
    const auto withVisits = BuildMonthTrend(site, {"2026-03"}, 0);
    EXPECT_EQ(TrendValue(withVisits[0], TrendMeasure::kVisits, TrendAudience::kPeople), 9);
    EXPECT_EQ(TrendValue(withVisits[0], TrendMeasure::kUniqueVisitors, TrendAudience::kPeople), 4);
    EXPECT_EQ(TrendValue(withVisits[0], TrendMeasure::kVisits, TrendAudience::kRobots), 2);

    const auto last = BuildMonthTrend(site, months, 2);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].key, "2025-04");
    EXPECT_EQ(YearBefore("2026-03"), "2025-03");
    EXPECT_EQ(YearBefore("0001-12"), "0000-12");
    EXPECT_EQ(YearBefore("2026-13"), "");
}

}  // namespace
}  // namespace trafikon
