#include "views/analysis/tabs_records.h"

#include <gtest/gtest.h>

#include "views/analysis/tabs_sort.h"

namespace trafikon::tabs {
namespace {

TEST(TabsRecords, IdListsSkipDamagedEntries) {
    struct Case {
        std::string_view list;
        std::vector<long long> ids;
    };
    const Case cases[] = {
        {"-", {}},
        {"", {}},
        {"-0-", {0}},
        {"-12-40-", {12, 40}},
        {"-12-x4-40", {12, 40}},            // a damaged entry and a missing last dash
        {"--7--", {7}},                     // empty pieces
        {"-99999999999999999999-3-", {3}},  // too large for 64 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIds(c.list), c.ids) << c.list;
}

TEST(TabsRecords, CountsThatDoNotConvertFallBack) {
    EXPECT_EQ(ParseCount("41"), 41);
    EXPECT_EQ(ParseCount("-3"), -3);
    EXPECT_EQ(ParseCount("+5"), 5);
    EXPECT_EQ(ParseCount(""), 0);
    EXPECT_EQ(ParseCount("12a", 7), 7);
    EXPECT_EQ(ParseCount("99999999999999999999", 7), 7);
    EXPECT_FALSE(IsInteger("-"));
    EXPECT_FALSE(IsInteger(" 4"));
}

TEST(TabsRecords, LastAccessKeepsTheBlankBeforeTheZone) {
    EXPECT_EQ(LastAccessText("[12/Mar/2004:10:11:12 +0100]"), "12/Mar/2004:10:11:12 ");
    // A zone west of Greenwich has no "+": the time is still shown.
    EXPECT_EQ(LastAccessText("[12/Mar/2004:10:11:12 -0500]"), "12/Mar/2004:10:11:12 ");
    EXPECT_EQ(LastAccessText("[12/Mar/2004:10:11:12]"), "12/Mar/2004:10:11:12");
    EXPECT_EQ(LastAccessText(""), "");
    EXPECT_EQ(LastAccessText("["), "");
}

TEST(TabsRecords, NamesOfPositionsOutsideTheTableAreCountedNotRead) {
    std::vector<std::string> table = {"\\1;a\\2;1\\3;", "\\1;b\\2;1\\3;"};
    NameListResult r = NamesOf("-1-5-0--1-", table);
    EXPECT_EQ(r.names, (std::vector<std::string_view>{"b", "a", "b"}));
    EXPECT_EQ(r.missing, 1u);  // 5
    EXPECT_EQ(NameAt(table, 2), "");
    EXPECT_EQ(NameAt(table, -1), "");
}

TEST(TabsSort, HeaderClicksToggleOnTheSameColumnOnly) {
    struct Step {
        int click;
        int state;
    };
    // From a fresh list: first column Z..A, then A..Z; count column largest first, then smallest.
    const Step steps[] = {{0, 1}, {0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 2}, {0, 0}, {1, 2}};
    int state = 0;
    for (const Step& s : steps) {
        state = NextSortState(state, s.click);
        EXPECT_EQ(state, s.state);
    }
}

TEST(TabsSort, RowsSortByTextOrCount) {
    std::vector<NameCount> table = {
        {"beta", "5", 5}, {"Alpha", "12", 12}, {"alpha", "9", 9}, {"_x", "5", 5}, {"b", "5", 5}};
    auto sorted = [&](int state) {
        std::vector<int> rows = {0, 1, 2, 3, 4};
        SortRows(rows, table, state);
        return rows;
    };
    // Case-insensitive for A..Z only: "_" (0x5F) sorts before "a" (0x61) but after "A" would.
    EXPECT_EQ(sorted(0), (std::vector<int>{3, 1, 2, 4, 0}));
    EXPECT_EQ(sorted(1), (std::vector<int>{0, 4, 1, 2, 3}));
    // Counts as numbers (12 above 9), equal counts keep their order.
    EXPECT_EQ(sorted(2), (std::vector<int>{1, 2, 0, 3, 4}));
    EXPECT_EQ(sorted(3), (std::vector<int>{0, 3, 4, 2, 1}));
}

TEST(TabsSort, QueryListSortsByTextWhateverTheColumn) {
    std::vector<std::string_view> texts = {"\"q=b\"", "\"q=a\"", "\"q=C\""};
    std::vector<int> rows = {0, 1, 2};
    SortRowsByText(rows, texts, NextSortState(0, 1));  // state 2, bit 0: ascending
    EXPECT_EQ(rows, (std::vector<int>{1, 0, 2}));
    SortRowsByText(rows, texts, 3);
    EXPECT_EQ(rows, (std::vector<int>{2, 0, 1}));
}

}  // namespace
}  // namespace trafikon::tabs
