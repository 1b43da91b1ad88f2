// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/tabs_records.h"

#include <gtest/gtest.h>

namespace trafikon::tabs {
namespace {

TEST(TabsRecords, LastAccessKeepsTheBlankBeforeTheZone) {
    EXPECT_EQ(LastAccessText("[12/Mar/2004:10:11:12 +0100]"), "12/Mar/2004:10:11:12 ");
    // A zone west of Greenwich has no "+": the time is still shown.
    EXPECT_EQ(LastAccessText("[12/Mar/2004:10:11:12 -0500]"), "12/Mar/2004:10:11:12 ");
    EXPECT_EQ(LastAccessText("[12/Mar/2004:10:11:12]"), "12/Mar/2004:10:11:12");
    EXPECT_EQ(LastAccessText(""), "");
    EXPECT_EQ(LastAccessText("["), "");
}

TEST(TabsRecords, NamesOfPositionsOutsideTheTableAreCountedNotRead) {
    LineTable table = {"\\1;a\\2;1\\3;", "\\1;b\\2;1\\3;"};
    NameListResult r = NamesOf("-1-5-0--1-", table);
    EXPECT_EQ(r.names, (std::vector<std::string_view>{"b", "a", "b"}));
    EXPECT_EQ(r.missing, 1u);  // 5
    EXPECT_EQ(NameAt(table, 2), "");
    EXPECT_EQ(NameAt(table, -1), "");
}

}  // namespace
}  // namespace trafikon::tabs
