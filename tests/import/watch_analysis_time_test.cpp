// SPDX-License-Identifier: GPL-3.0-or-later
// The daily analysis of watched lines: the time typed, the wait until it comes
// round, and the saved schedule that keeps it.
#include <gtest/gtest.h>

#include "import/watched_logs.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(WatchAnalysisTime, ReadsTimesAndWaitsForTheNextOne) {
    EXPECT_EQ(ParseTimeOfDay("00:00"), 0);
    EXPECT_EQ(ParseTimeOfDay("7:05"), 7 * 60 + 5);
    EXPECT_EQ(ParseTimeOfDay("23:59"), 23 * 60 + 59);
    for (const char* wrong : {"", "24:00", "12:60", "12:5", "123:00", "1a:00", ":30", "12:30 "})
        EXPECT_EQ(ParseTimeOfDay(wrong), -1) << wrong;
    EXPECT_EQ(TimeOfDayText(7 * 60 + 5), "07:05");

    const int three = 3 * 60;  // 03:00
    EXPECT_EQ(SecondsUntilTimeOfDay(2 * 3600 + 59 * 60 + 59, three), 1);
    EXPECT_EQ(SecondsUntilTimeOfDay(3 * 3600, three), 24 * 3600);  // just missed: tomorrow
    EXPECT_EQ(SecondsUntilTimeOfDay(3 * 3600 + 1, three), 24 * 3600 - 1);
    EXPECT_EQ(SecondsUntilTimeOfDay(23 * 3600, 0), 3600);
}

TEST(WatchAnalysisTime, TheScheduleFileKeepsATimeOrMinutes) {
    testing::TempDir dir;
    const std::string site = dir.path() + "/";
    EXPECT_EQ(ReadWatchAnalysisTime(site), -1);
    WriteWatchAnalysisTime(site, 22 * 60 + 30);
    EXPECT_EQ(testing::ReadRaw(site + "watch-analysis.tfd"), "22:30\r\n");
    EXPECT_EQ(ReadWatchAnalysisMinutes(site), kAnalyseAtTimeOfDay);
    EXPECT_EQ(ReadWatchAnalysisTime(site), 22 * 60 + 30);
    WriteWatchAnalysisMinutes(site, 15);
    EXPECT_EQ(ReadWatchAnalysisMinutes(site), 15);
    EXPECT_EQ(ReadWatchAnalysisTime(site), -1);
}

}  // namespace
}  // namespace trafikon
