#include "views/analysis/month_results.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "views/analysis/analysed_month_fixture.h"

namespace trafikon {
namespace {

using testing::AnalysedMonth;
using testing::TempDir;

TEST(RecordFieldTest, ReadsBetweenTagsAndNeedsTheClosingTag) {
    EXPECT_EQ(RecordField("\\1;a\\2;\\3;c\\4;", 1), "a");
    EXPECT_EQ(RecordField("\\1;a\\2;\\3;c\\4;", 2), "");
    EXPECT_EQ(RecordField("\\1;a\\2;\\3;c\\4;", 3), "c");
    EXPECT_EQ(RecordField("\\1;a\\2;b", 2), "");  // no closing tag
    EXPECT_EQ(RecordField("\\1;a\\2;b", 3), "");
    // Field 1 must not be confused with field 12's tag and so on.
    EXPECT_EQ(RecordField("\\1;x\\2;y\\3;-\\11;k\\12;-\\13;", 11), "k");
    EXPECT_EQ(RecordField("\\1;x\\2;y\\3;-\\11;k\\12;-\\13;", 12), "-");
}

TEST(IdListNumbersTest, ParsesAndSkipsBadPieces) {
    struct Case {
        const char* text;
        std::vector<long long> numbers;
        std::size_t bad;
    } cases[] = {
        {"-", {}, 0},
        {"", {}, 0},
        {"-12-", {12}, 0},
        {"-12-40-", {12, 40}, 0},
        {"-0-1-", {0, 1}, 0},
        {"-12-x-40-", {12, 40}, 1},
        {"-12--40-", {12, 40}, 1},
        {"-99999999999999999999999-3-", {3}, 1},
        {"-5", {5}, 0},  // last number without its dash
    };
    for (const Case& c : cases) {
        std::size_t bad = 99;
        EXPECT_EQ(IdListNumbers(c.text, &bad), c.numbers) << c.text;
        EXPECT_EQ(bad, c.bad) << c.text;
    }
}

TEST(ToNumberTest, FallsBackOnTextThatIsNotANumber) {
    EXPECT_EQ(ToNumber("42"), 42);
    EXPECT_EQ(ToNumber("-3"), -3);
    EXPECT_EQ(ToNumber("", 7), 7);
    EXPECT_EQ(ToNumber("4x", 7), 7);
    EXPECT_EQ(ToNumber(" 4", 7), 7);
}

TEST(ParseTopListTest, ReadsEntriesInStoredOrder) {
    bool bad = true;
    auto e = ParseTopList("-3 (120)-0 (95)-", &bad);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].position, 3);
    EXPECT_EQ(e[0].count, "120");
    EXPECT_EQ(e[1].position, 0);
    EXPECT_EQ(e[1].count, "95");
    EXPECT_FALSE(bad);
    // The monthly reader cuts the leading dash; both forms read the same.
    EXPECT_EQ(ParseTopList("3 (120)-0 (95)-").size(), 2u);
    EXPECT_TRUE(ParseTopList("", &bad).empty());
    EXPECT_FALSE(bad);
    EXPECT_TRUE(ParseTopList("-", &bad).empty());
    // Damaged text: what precedes the damage is kept, the rest is reported.
    e = ParseTopList("-3 (120)-garbage", &bad);
    EXPECT_EQ(e.size(), 1u);
    EXPECT_TRUE(bad);
}

TEST(MonthResultsTest, LoadsEveryTableInFileOrder) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_TRUE(m.analysed);
    EXPECT_TRUE(m.problems.empty());
    EXPECT_EQ(m.files.size(), 4u);
    EXPECT_EQ(m.hosts.size(), 2u);
    EXPECT_EQ(m.browsers.size(), 2u);
    EXPECT_EQ(m.externalReferrers.size(), 1u);
    EXPECT_EQ(m.internalReferrers.size(), 1u);
    EXPECT_EQ(m.externalQueries.size(), 1u);
    EXPECT_TRUE(m.internalQueries.empty());
    EXPECT_EQ(m.statuses.size(), 49u);
    EXPECT_EQ(MonthResults::FieldAt(m.files, 2, 1), "/missing.html");
    // Keys are case-sensitive: /Index.html and /index.html are two records.
    EXPECT_EQ(m.fileIndex.Find("/index.html"), 0);
    EXPECT_EQ(m.fileIndex.Find("/Index.html"), 3);
    EXPECT_EQ(m.fileIndex.Find("/INDEX.html"), -1);
    EXPECT_EQ(m.hostIndex.Find("host.example"), 1);

    const MonthSummary& s = m.summary;
    EXPECT_TRUE(s.present);
    EXPECT_EQ(s.lineCount, 28u);
    EXPECT_EQ(s.rows[0], "01/03/2004 10:00:00");
    EXPECT_EQ(s.rows[1], "4");
    EXPECT_EQ(s.rows[10], "3");  // Jour, line 17
    for (int series = 0; series < 4; ++series) {
        EXPECT_EQ(s.dayTexts[series].size(), 31u);
        EXPECT_EQ(s.dayValues[series].size(), 31u);
    }
    EXPECT_EQ(s.dayValues[3][0], 2);
    EXPECT_EQ(s.dayTexts[1][0], "2");
    EXPECT_EQ(s.topPages, "0 (3)-2 (1)-3 (1)-");
    EXPECT_EQ(s.topEngines, "0 (1)-");
}

TEST(MonthResultsTest, OutOfRangePositionsGiveNothing) {
    Lines t{"\\1;a\\2;1\\3;"};
    EXPECT_EQ(MonthResults::LineAt(t, -1), nullptr);
    EXPECT_EQ(MonthResults::LineAt(t, 1), nullptr);
    EXPECT_EQ(MonthResults::LineAt(t, 1LL << 40), nullptr);
    EXPECT_EQ(MonthResults::FieldAt(t, 5, 1), "");
    EXPECT_EQ(MonthResults::FieldAt(t, 0, 1), "a");
}

TEST(MonthResultsTest, WithoutTheFileListTheMonthIsNotAnalysed) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::remove((dir / "lfp-2004-02.tfd").c_str());
    MonthResults m;
    m.files.push_back("stale");
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_FALSE(m.analysed);
    EXPECT_TRUE(m.files.empty());
    EXPECT_TRUE(m.hosts.empty());
    EXPECT_TRUE(m.statuses.empty());
    EXPECT_FALSE(m.summary.present);
}

TEST(MonthResultsTest, MissingAndShortFilesAreReportedNotFatal) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::remove((dir / "hos-2004-02.tfd").c_str());
    testing::WriteRaw(dir / "ret-2004-02.tfd", "200;1;-0-;-0-\r\n");
    auto mon = AnalysedMonth::MonthlyLines();
    mon.resize(19);
    mon[17] = "ViJo=-1-x-3-";
    testing::WriteRaw(dir / "mon-2004-02.tfd", testing::CrLf(mon));

    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_TRUE(m.analysed);
    EXPECT_TRUE(m.hosts.empty());
    EXPECT_EQ(m.files.size(), 4u);
    std::string all;
    for (const auto& p : m.problems)
        all += p + "\n";
    EXPECT_NE(all.find("hos-2004-02.tfd"), std::string::npos) << all;
    EXPECT_NE(all.find("ret-2004-02.tfd"), std::string::npos) << all;
    EXPECT_NE(all.find("19 lines instead of 28"), std::string::npos) << all;
    EXPECT_NE(all.find("not a number"), std::string::npos) << all;
    // What could be read is kept; what could not convert counts 0.
    EXPECT_EQ(m.summary.dayTexts[0], (std::vector<std::string>{"1", "x", "3"}));
    EXPECT_EQ(m.summary.dayValues[0], (std::vector<long long>{1, 0, 3}));
    EXPECT_TRUE(m.summary.dayTexts[2].empty());
    EXPECT_EQ(m.summary.topPages, "");
}

TEST(MonthResultsTest, AReloadReplacesEverything) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_EQ(m.files.size(), 4u);
    EXPECT_EQ(m.summary.dayTexts[0].size(), 31u);
    LoadMonthResults(dir.path() + "/", "2004-03", m);
    EXPECT_FALSE(m.analysed);
    EXPECT_TRUE(m.summary.dayTexts[0].empty());
    EXPECT_EQ(m.fileIndex.Find("/index.html"), -1);
}

}  // namespace
}  // namespace trafikon
