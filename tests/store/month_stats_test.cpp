// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/month_stats.h"

#include <gtest/gtest.h>

#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(MonthStatsTest, KeysInFileOrder) {
    const std::vector<std::string_view> expected = {
        "Date", "Tota",   "Page",   "Imag",   "Prog",   "Host",   "Orig", "Mote", "ReOK", "ReKO",
        "Hits", "Ret100", "Ret200", "Ret300", "Ret400", "Ret500", "Jour", "ViJo", "KoJo", "PaJo",
        "HiJo", "ViMo",   "KoMo",   "PaMo",   "HiMo",   "ttPa",   "ttHo", "ttMo"};
    const auto& keys = MonthStatsKeys();
    EXPECT_EQ(std::vector<std::string_view>(keys.begin(), keys.end()), expected);
    EXPECT_EQ(MonthStatsKeys()[kStatJour], "Jour");
    EXPECT_EQ(MonthStatsKeys()[kStatTtMo], "ttMo");
}

TEST(MonthStatsTest, FileRoundTrip) {
    MonthStats stats;
    for (int k = 0; k < kMonthStatsLineCount; ++k)
        stats.values[k] = std::to_string(k);
    stats[kStatDate] = "07/12/2026 20:15:00";
    stats[kStatTtPa] = "-3 (120)-0 (95)-";
    stats[kStatHost] = "a=b";                         // only the first "=" ends the key
    stats[kStatKoMo] = std::to_string(3000000000LL);  // more than 32 bits
    const Lines lines = FormatMonthStats(stats);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[0], "Date=07/12/2026 20:15:00");
    EXPECT_EQ(lines[11], "Ret100=11");
    EXPECT_EQ(lines[25], "ttPa=-3 (120)-0 (95)-");
    EXPECT_EQ(lines[22], "KoMo=3000000000");

    testing::TempDir dir;
    WriteMonthStatsFile(dir / "mon-2004-05.tfd", stats);
    const auto read = ReadMonthStatsFile(dir / "mon-2004-05.tfd");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->values, stats.values);
    EXPECT_EQ(read->linesPresent, 28);
    EXPECT_FALSE(ReadMonthStatsFile(dir / "mon-1999-01.tfd").has_value());
}

TEST(MonthStatsTest, ShortOrOddFilesGiveWhatIsThere) {
    struct Case {
        const char* name;
        Lines lines;
        int present;
        std::string date, tota, page;
    };
    const Case cases[] = {
        {"empty", {}, 0, "", "", ""},
        {"two lines", {"Date=d", "Tota=5"}, 2, "d", "5", ""},
        {"line without =", {"Date=d", "garbage", "Page=3"}, 3, "d", "", "3"},
        {"empty value", {"Date=", "Tota="}, 2, "", "", ""},
    };
    for (const Case& c : cases) {
        const MonthStats s = ParseMonthStats(c.lines);
        EXPECT_EQ(s.linesPresent, c.present) << c.name;
        EXPECT_EQ(s[kStatDate], c.date) << c.name;
        EXPECT_EQ(s[kStatTota], c.tota) << c.name;
        EXPECT_EQ(s[kStatPage], c.page) << c.name;
        EXPECT_EQ(s[kStatTtMo], "") << c.name;
    }
    Lines many(40, "X=1");
    EXPECT_EQ(ParseMonthStats(many).linesPresent, 28);
}

TEST(MonthStatsTest, DayLists) {
    std::array<long long, kDaysInList> values{};
    values[0] = 12;
    values[2] = 7;
    values[30] = 1536 / 1024;
    const std::string text = FormatDayList(values);
    EXPECT_EQ(text, "-12-0-7-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-1-");
    EXPECT_EQ(ParseDayList(text), values);
    EXPECT_EQ(SplitDayList(text).size(), 31u);

    struct Case {
        const char* name;
        std::string list;
        std::vector<std::string_view> expected;
    };
    std::string forty = "-";
    for (int d = 1; d <= 40; ++d)
        forty += std::to_string(d) + "-";
    std::vector<std::string_view> first31;
    static const std::vector<std::string> numbers = [] {
        std::vector<std::string> v;
        for (int d = 1; d <= 31; ++d)
            v.push_back(std::to_string(d));
        return v;
    }();
    for (const auto& n : numbers)
        first31.push_back(n);
    const Case cases[] = {
        {"empty", "", {}},
        {"dash only", "-", {}},
        {"three values", "-1-2-3-", {"1", "2", "3"}},
        {"last value without dash", "-1-2-3", {"1", "2", "3"}},
        {"no leading dash", "4-5-", {"4", "5"}},
        {"empty values kept", "-1--3-", {"1", "", "3"}},
        {"never more than 31", forty, first31},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitDayList(c.list), c.expected) << c.name;
    const auto parsed = ParseDayList(forty);
    EXPECT_EQ(parsed[30], 31);
    EXPECT_EQ(ParseDayList("-x-2")[0], 0);
    EXPECT_EQ(ParseDayList("-x-2")[1], 2);
}

}  // namespace
}  // namespace trafikon
