// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/status_list.h"

#include <gtest/gtest.h>

#include "store/status_table.h"
#include "views/analysis/tabs_test_support.h"

namespace trafikon::tabs {
namespace {

using trafikon::testing::Record;

std::vector<std::string> StatusFile() {
    std::vector<std::string> lines;
    for (int code : StatusFileCodes())
        lines.push_back(std::to_string(code) + ";" + std::to_string(code % 7) + ";-;-");
    return lines;
}

TEST(StatusList, CodesFollowTheStatusFileOrder) {
    const auto& fileCodes = StatusFileCodes();
    for (int r = 0; r < kStatusCodeCount; ++r)
        EXPECT_EQ(std::to_string(fileCodes[r]), StatusCodes()[r].code) << r;
    EXPECT_STREQ(StatusCodes()[35].code, "417");
    EXPECT_STREQ(StatusCodes()[35].description, "Exception Failed");
    EXPECT_STREQ(StatusCodes()[FirstErrorRow()].code, "400");
}

TEST(StatusList, ModesAndCounts) {
    std::vector<std::string> lines = StatusFile();
    lines[18] = "400;19;-;-";
    lines[0] = "100;1;-;-";
    const LineTable table(lines);
    std::vector<int> all = StatusRows(true);
    std::vector<int> errors = StatusRows(false);
    ASSERT_EQ(all.size(), 49u);
    ASSERT_EQ(errors.size(), 31u);
    EXPECT_EQ(errors.front(), 18);  // the first row is 400 ...
    std::vector<std::string> errorCounts = StatusCounts(table, false);
    EXPECT_EQ(errorCounts.front(), "19");  // ... with the count of the 19th status line
    EXPECT_EQ(StatusCounts(table, true).front(), "1");

    // No analysis: every count empty. A short file: the missing lines read empty.
    for (const std::string& c : StatusCounts({}, false))
        EXPECT_EQ(c, "");
    lines.resize(20);
    std::vector<std::string> shortCounts = StatusCounts(LineTable(lines), false);
    ASSERT_EQ(shortCounts.size(), 31u);
    EXPECT_EQ(shortCounts[0], "19");
    EXPECT_EQ(shortCounts[2], "");
}

TEST(StatusList, DetailOfACode) {
    LineTable files = {Record({"/a"}), Record({"/b"}), Record({"/c"})};
    LineTable table(StatusFile());
    table.Replace(22, "404;3;-3-17-0-;-2-0-9-");
    table.Replace(21, "403;0;-5-;-1-");  // a zero count shows nothing
    StatusDetail d = StatusDetailOf(22, table, files);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.count, "3");
    EXPECT_EQ(d.logLineCount, 3u);
    EXPECT_EQ(d.pages, (std::vector<std::string_view>{"/c", "/a"}));
    StatusDetailTexts t = StatusDetailLabels(d, trafikon::testing::FrenchTabTexts());
    EXPECT_EQ(t.title, "Retour :404 (Not Found)");
    EXPECT_EQ(t.accesses, "Nombre d'acces : 3");
    EXPECT_EQ(t.pages, "Nombre de pages diff\xE9rentes :2");

    StatusDetail zero = StatusDetailOf(21, table, files);
    EXPECT_EQ(zero.logLineCount, 0u);
    EXPECT_TRUE(zero.pages.empty());
    StatusDetailTexts zt = StatusDetailLabels(zero, trafikon::testing::FrenchTabTexts());
    EXPECT_EQ(zt.accesses, "Nombre d'acces : 0");
    EXPECT_EQ(zt.pages, "Nombre de pages diff\xE9rentes :0");
}

TEST(StatusList, DetailSurvivesMisplacedShortOrMissingLines) {
    LineTable files = {Record({"/a"})};
    // Line of 404 found elsewhere than its row; "4040;..." does not count as 404.
    LineTable table = {"4040;9;-1-;-0-", "404;1;-7-;-0-", "500"};
    StatusDetail d = StatusDetailOf(22, table, files);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.logLineCount, 1u);
    EXPECT_EQ(d.pages, (std::vector<std::string_view>{"/a"}));
    EXPECT_FALSE(StatusDetailOf(40, table, files).found);  // "500" with no ";"
    EXPECT_FALSE(StatusDetailOf(0, {}, files).found);
    EXPECT_FALSE(StatusDetailOf(49, table, files).found);
    EXPECT_FALSE(StatusDetailOf(-1, table, files).found);
    // Text in place of a count or ids.
    LineTable damaged = {"100;abc;-x-2-;-zz-"};
    StatusDetail dd = StatusDetailOf(0, damaged, files);
    EXPECT_EQ(dd.logLineCount, 1u);
    EXPECT_TRUE(dd.pages.empty());
}

}  // namespace
}  // namespace trafikon::tabs
