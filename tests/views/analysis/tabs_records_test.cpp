#include "views/analysis/tabs_records.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace trafikon::tabs
