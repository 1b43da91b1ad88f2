// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/compare/month_comparison.h"

#include <gtest/gtest.h>

#include <utility>

#include "store/month_stats.h"
#include "store/tagged_record.h"
#include "store/text_file.h"
#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using Records = std::vector<std::pair<std::string, std::string>>;  // path, hits

class MonthComparisonTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string site = dir.path() + "/";

    // lfp-<key>.tfd with one 12-field file record per entry.
    void WriteFileList(const std::string& key, const Records& records) {
        Lines lines;
        for (const auto& [path, hits] : records) {
            std::string line;
            AppendRecord(line, {path, hits, "-1-", "1", "200", "[01/May/2004:00:00:00 +0000]",
                                "-0-", "-", "-", "-", "-", "-"});
            lines.push_back(line);
        }
        WriteTextLines(site + "lfp-" + key + ".tfd", lines);
    }
    // mon-<key>.tfd whose top pages line is `topPages` (the text after "ttPa=").
    void WriteTopPages(const std::string& key, const std::string& topPages) {
        MonthStats stats;
        stats[kStatTtPa] = topPages;
        WriteMonthStatsFile(site + "mon-" + key + ".tfd", stats);
    }
    MonthComparison Compare(std::vector<std::string> newestFirst) {
        return MonthComparison(site, std::move(newestFirst));
    }
};

struct Expected {
    std::string name, average;
    std::vector<std::string> values;
};

void ExpectRows(const std::vector<ComparisonRow>& rows, const std::vector<Expected>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, expected[i].name) << i;
        EXPECT_EQ(rows[i].average, expected[i].average) << rows[i].name;
        EXPECT_EQ(rows[i].values, expected[i].values) << rows[i].name;
    }
}

TEST_F(MonthComparisonTest, TopPageOfTheNewerMonthOnly) {
    WriteFileList("2004-06", {{"/b", "9"}, {"/a", "30"}});
    WriteTopPages("2004-06", "-1 (30)-0 (9)-");
    WriteFileList("2004-05", {{"/a", "4"}, {"/c", "50"}});
    WriteTopPages("2004-05", "-1 (50)-");
    WriteFileList("2004-04", {{"/x", "1"}});
    WriteTopPages("2004-04", "-");
    ExpectRows(Compare({"2004-06", "2004-05", "2004-04"}).TopPages(),
               {{"/a", "17", {"30", "4", "0"}},
                {"/b", "9", {"9", "0", "0"}},
                {"/c", "50", {"0", "50", "0"}}});
}

TEST_F(MonthComparisonTest, PageInThreeTopListsGivesOneRow) {
    for (const char* key : {"2004-01", "2004-02", "2004-03"}) {
        WriteFileList(key, {{"/other", "1"}, {"/p", "10"}});
        WriteTopPages(key, "-1 (10)-");
    }
    ExpectRows(Compare({"2004-03", "2004-02", "2004-01"}).TopPages(),
               {{"/p", "10", {"10", "10", "10"}}});
}

TEST_F(MonthComparisonTest, NamesDifferingInCaseShareTheFirstSpelling) {
    WriteFileList("2004-02", {{"/Index.html", "3"}});
    WriteTopPages("2004-02", "-0 (3)-");
    WriteFileList("2004-01", {{"/index.html", "5"}});
    WriteTopPages("2004-01", "-0 (5)-");
    ExpectRows(Compare({"2004-02", "2004-01"}).TopPages(), {{"/Index.html", "4", {"3", "5"}}});
    // Windows-1252 capitals fold too: É (0xC9) and é (0xE9).
    WriteFileList("2004-02", {{"/\xC9t\xE9.html", "3"}, {"/x/\xC9", "1"}});
    WriteFileList("2004-01", {{"/\xE9t\xC9.html", "5"}, {"/X/\xE9", "2"}});
    ExpectRows(Compare({"2004-02", "2004-01"}).SearchFiles(".html"),
               {{"/\xC9t\xE9.html", "4", {"3", "5"}}});
    ExpectRows(Compare({"2004-02", "2004-01"}).BaseDirectories(), {{"x", "2", {"1", "2"}}});
}

TEST_F(MonthComparisonTest, AverageRoundsHalvesToEven) {
    WriteFileList("2004-03", {{"/two.x", "2"}, {"/three.x", "3"}, {"/odd.x", "1"}});
    WriteFileList("2004-02", {{"/two.x", "3"}, {"/three.x", "4"}, {"/odd.x", "1"}});
    WriteFileList("2004-01", {{"/odd.x", "2"}});
    ExpectRows(Compare({"2004-03", "2004-02", "2004-01"}).SearchFiles(".x"),
               {{"/two.x", "2", {"2", "3", "0"}},    // 2.5
                {"/three.x", "4", {"3", "4", "0"}},  // 3.5
                {"/odd.x", "1", {"1", "1", "2"}}});  // 1.33
    EXPECT_EQ(RoundHalfToEven(5, 2), 2);
    EXPECT_EQ(RoundHalfToEven(7, 2), 4);
    EXPECT_EQ(RoundHalfToEven(5, 3), 2);
    EXPECT_EQ(RoundHalfToEven(9, 0), 0);
}

TEST_F(MonthComparisonTest, FileSearchNeedsTwoCharactersAndMatchesCase) {
    WriteFileList("2004-02", {{"/a.php", "7"}, {"/B.PHP", "2"}, {"/phpinfo", "1"}, {"/x", "3"}});
    WriteFileList("2004-01", {{"/a.php", "5"}});
    const MonthComparison compare = Compare({"2004-02", "2004-01"});
    EXPECT_TRUE(compare.SearchFiles("p").empty());
    EXPECT_TRUE(compare.SearchFiles("").empty());
    ExpectRows(compare.SearchFiles("php"),
               {{"/a.php", "6", {"7", "5"}}, {"/phpinfo", "1", {"1", "0"}}});
    ExpectRows(compare.SearchFiles("PHP"), {{"/B.PHP", "2", {"2", "0"}}});
}

TEST_F(MonthComparisonTest, BaseDirectoriesSumPerMonthAndSkipRootFiles) {
    WriteFileList("2004-02", {{"/img/a.gif", "10"},
                              {"/index.html", "40"},
                              {"/img/b.gif", "5"},
                              {"/favicon.ico", "2"},
                              {"/docs/2004/a.pdf", "1"}});
    WriteFileList("2004-01", {{"/Img/c.gif", "4"}, {"img2/x", "6"}});
    ExpectRows(Compare({"2004-02", "2004-01", "2003-12"}).BaseDirectories(),
               {{"img", "10", {"15", "4", "0"}},
                {"docs", "1", {"1", "0", "0"}},
                {"img2", "6", {"0", "6", "0"}}});
    WriteFileList("2004-02", {{"/index.html", "40"}, {"/favicon.ico", "2"}});
    EXPECT_TRUE(Compare({"2004-02"}).BaseDirectories().empty());
}

TEST(BaseDirectory, CutsTheFirstSegment) {
    const std::pair<const char*, const char*> cases[] = {
        {"/images/logo.gif", "images"},
        {"/docs/2004/a.pdf", "docs"},
        {"images/b.png", "images"},
        {"/index.html", ""},
        {"", ""},
        {"//x", ""},
    };
    for (const auto& [path, dir] : cases)
        EXPECT_EQ(BaseDirectory(path), dir) << path;
}

TEST_F(MonthComparisonTest, DamagedStoreFilesStopWithTheMonthAndFile) {
    struct Case {
        const char* what;
        std::function<void()> setUp;
        std::function<void(const MonthComparison&)> run;
        const char* file;
    };
    const std::vector<Case> cases = {
        {"position not a number", [&] { WriteTopPages("2004-02", "-x (3)-"); },
         [](const MonthComparison& c) { c.TopPages(); }, "mon-2004-02.tfd"},
        {"list cut short", [&] { WriteTopPages("2004-02", "-0 (3"); },
         [](const MonthComparison& c) { c.TopPages(); }, "mon-2004-02.tfd"},
        {"position past the file list", [&] { WriteTopPages("2004-02", "-5 (3)-"); },
         [](const MonthComparison& c) { c.TopPages(); }, "lfp-2004-02.tfd"},
        {"statistics without file list",
         [&] {
             WriteTopPages("2004-02", "-0 (3)-");
             std::remove((site + "lfp-2004-02.tfd").c_str());
         },
         [](const MonthComparison& c) { c.TopPages(); }, "lfp-2004-02.tfd"},
        {"hits not a number in a search",
         [&] {
             WriteFileList("2004-02", {{"/a.gif", "lots"}});
         },
         [](const MonthComparison& c) { c.SearchFiles("gif"); }, "lfp-2004-02.tfd"},
        {"hits not a number in a directory",
         [&] {
             WriteFileList("2004-02", {{"/i/a.gif", "1x"}});
         },
         [](const MonthComparison& c) { c.BaseDirectories(); }, "lfp-2004-02.tfd"},
    };
    for (const Case& c : cases) {
        WriteFileList("2004-02", {{"/i/a.gif", "3"}});
        WriteFileList("2004-01", {{"/i/a.gif", "1"}});
        std::remove((site + "mon-2004-02.tfd").c_str());
        c.setUp();
        try {
            c.run(Compare({"2004-02", "2004-01"}));
            ADD_FAILURE() << c.what << ": no error";
        } catch (const CompareError& e) {
            EXPECT_EQ(e.month(), "2004-02") << c.what;
            EXPECT_EQ(e.path(), site + c.file) << c.what;
        }
    }
}

TEST_F(MonthComparisonTest, MonthsWithoutFilesKeepZero) {
    WriteFileList("2004-01", {{"/a.gif", "3"}});
    ExpectRows(Compare({"2004-03", "2004-02", "2004-01"}).SearchFiles("gif"),
               {{"/a.gif", "3", {"0", "0", "3"}}});
    EXPECT_TRUE(Compare({}).TopPages().empty());
}

TEST(ComparisonSort, StateTogglesPerColumn) {
    struct Case {
        std::vector<int> clicks;
        bool lastIsSecond;
        int state;
    } cases[] = {
        {{0}, true, 1},         // first click on the names sorts descending
        {{0, 0}, false, 0},     //
        {{1}, false, 2},        // first click on the average: largest first
        {{1, 1}, true, 3},      // then smallest first
        {{1, 1, 1}, false, 2},  //
        {{1, 3}, false, 6},     // another column starts over
        {{3, 1, 1}, true, 3},
    };
    for (const Case& c : cases) {
        ComparisonSortState s;
        bool second = false;
        for (int column : c.clicks)
            second = s.Click(column);
        EXPECT_EQ(second, c.lastIsSecond) << c.clicks.size();
        EXPECT_EQ(s.state(), c.state);
    }
}

std::vector<std::string> Names(const std::vector<ComparisonRow>& rows) {
    std::vector<std::string> names;
    for (const auto& r : rows)
        names.push_back(r.name);
    return names;
}

TEST(ComparisonSort, OrdersByNameAverageAndMonth) {
    const std::vector<ComparisonRow> rows = {
        {"/b", "5", {"5", "0"}}, {"/A", "20", {"3", "37"}}, {"/c", "9", {"9", "0"}}};
    struct Case {
        int column;
        bool second;
        std::vector<std::string> names;
    } cases[] = {
        {0, false, {"/A", "/b", "/c"}}, {0, true, {"/c", "/b", "/A"}},
        {1, false, {"/A", "/c", "/b"}}, {1, true, {"/b", "/c", "/A"}},
        {2, false, {"/c", "/b", "/A"}}, {3, true, {"/b", "/c", "/A"}},  // ties keep order
    };
    for (const Case& c : cases) {
        std::vector<ComparisonRow> sorted = rows;
        SortComparisonRows(sorted, c.column, c.second);
        EXPECT_EQ(Names(sorted), c.names) << c.column << c.second;
    }
}

TEST(ComparisonSort, ClickingTheAverageTwiceInANewWindow) {
    std::vector<ComparisonRow> rows = {{"/a", "2", {}}, {"/b", "10", {}}, {"/c", "7", {}}};
    ComparisonSortState state;
    SortComparisonRows(rows, 1, state.Click(1));
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"/b", "/c", "/a"}));
    SortComparisonRows(rows, 1, state.Click(1));
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"/a", "/c", "/b"}));
}

}  // namespace
}  // namespace trafikon
