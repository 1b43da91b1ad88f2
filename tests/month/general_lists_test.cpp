// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/general_lists.h"

#include <gtest/gtest.h>

#include "month/analysed_month_fixture.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::AnalysedMonth;

TEST(DayRowsTest, ThirtyOneRowsEvenForShortMonths) {
    testing::TempDir dir;
    AnalysedMonth::Write(dir.path());
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);  // February
    auto rows = DayRows(m.summary);
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows[0], (std::array<std::string, 5>{"1", "1", "2", "1", "2"}));
    EXPECT_EQ(rows[30], (std::array<std::string, 5>{"31", "0", "0", "0", "0"}));
}

TEST(DayRowsTest, ShortLinesLeaveCellsEmpty) {
    MonthSummary s;
    s.dayTexts[0] = {"4", "5"};
    s.dayTexts[1] = {"9"};
    auto rows = DayRows(s);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::array<std::string, 5>{"2", "5", "", "", ""}));
    EXPECT_TRUE(DayRows(MonthSummary{}).empty());
}

TEST(TopListRowsTest, NamesComeFromTheTableOfTheirKind) {
    testing::TempDir dir;
    AnalysedMonth::Write(dir.path());
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    auto pages = TopListRows(m, TopList::Pages);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].name, "/index.html");
    EXPECT_EQ(pages[0].count, "3");
    EXPECT_EQ(pages[1].name, "/missing.html");
    EXPECT_EQ(TopListRows(m, TopList::Hosts)[1].name, "host.example");
    EXPECT_EQ(TopListRows(m, TopList::Engines)[0].name, "http://search.example/find");
}

TEST(TopListRowsTest, EmptyTextsAndLostPositions) {
    MonthResults m;
    EXPECT_TRUE(TopListRows(m, TopList::Pages).empty());
    m.summary.topHosts = "-7 (12)-";
    m.hosts = {"\\1;a\\2;12\\3;"};
    std::size_t missing = 0;
    auto rows = TopListRows(m, TopList::Hosts, &missing);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "");
    EXPECT_EQ(rows[0].number, 12);
    EXPECT_EQ(missing, 1u);
}

TEST(RecordRowsTest, NameAndCountInTableOrder) {
    LineTable t{"\\1;Agent/1.0\\2;4\\3;-0-\\4;", "\\1;\\2;x\\3;-\\4;"};
    auto rows = RecordRows(t);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Agent/1.0");
    EXPECT_EQ(rows[0].number, 4);
    EXPECT_EQ(rows[1].count, "x");
    EXPECT_EQ(rows[1].number, 0);
    EXPECT_EQ(rows[1].position, 1);
}

}  // namespace
}  // namespace trafikon
