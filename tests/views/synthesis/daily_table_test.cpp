// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/daily_table.h"

#include <gtest/gtest.h>

#include "store/month_stats.h"
#include "store/text_file.h"
#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;

// Writes mon-<key>.tfd whose four day lists hold, for day d, base + d
// (visitors), base + 100 + d (kilobytes), base + 200 + d (pages), base + 300 + d (hits).
void WriteStats(const std::string& siteDir, const std::string& key, long long base) {
    MonthStats stats;
    std::array<long long, kDaysInList> v{}, k{}, p{}, h{};
    for (int d = 0; d < kDaysInList; ++d) {
        v[d] = base + d + 1;
        k[d] = base + 100 + d + 1;
        p[d] = base + 200 + d + 1;
        h[d] = base + 300 + d + 1;
    }
    stats[kStatViJo] = FormatDayList(v);
    stats[kStatKoJo] = FormatDayList(k);
    stats[kStatPaJo] = FormatDayList(p);
    stats[kStatHiJo] = FormatDayList(h);
    WriteMonthStatsFile(siteDir + "mon-" + key + ".tfd", stats);
}

std::vector<std::string> NewestFirst(int count) {  // 2003-01 .. , newest first
    std::vector<std::string> keys;
    for (int i = count - 1; i >= 0; --i) {
        char key[8];
        std::snprintf(key, sizeof key, "%04d-%02d", 2003 + i / 12, i % 12 + 1);
        keys.push_back(key);
    }
    return keys;
}

class DailyTableTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string site = dir.path() + "/";
};

TEST_F(DailyTableTest, OldestMonthSelectedFillsOnlyColumnOne) {
    const auto months = NewestFirst(3);
    for (std::size_t i = 0; i < months.size(); ++i)
        WriteStats(site, months[i], 1000 * static_cast<long long>(i));
    const DailyTableContent t = BuildDailyTable(site, months, 2, DailyMeasure::Visitors);
    EXPECT_EQ(t.captions[0], months[2]);
    for (int c = 1; c < kDailyColumns; ++c)
        EXPECT_EQ(t.captions[c], "") << c;
    for (int d = 0; d < kDailyRows; ++d) {
        EXPECT_EQ(t.cells[d][0], std::to_string(2000 + d + 1));
        for (int c = 1; c < kDailyColumns; ++c)
            EXPECT_EQ(t.cells[d][c], "") << d << "," << c;
    }
}

TEST_F(DailyTableTest, TwentyMonthsNewestSelectedShowsTheTwelveNewestNewestLeft) {
    const auto months = NewestFirst(20);
    for (std::size_t i = 0; i < months.size(); ++i)
        WriteStats(site, months[i], 1000 * static_cast<long long>(i));
    const DailyTableContent t = BuildDailyTable(site, months, 0, DailyMeasure::Hits);
    for (int c = 0; c < kDailyColumns; ++c) {
        EXPECT_EQ(t.captions[c], months[c]);
        EXPECT_EQ(t.cells[0][c], std::to_string(1000 * c + 300 + 1));
        EXPECT_EQ(t.cells[30][c], std::to_string(1000 * c + 300 + 31));
    }
    EXPECT_EQ(t.captions[0], "2004-08");
    EXPECT_EQ(t.captions[11], "2003-09");
}

TEST_F(DailyTableTest, EachMeasureReadsItsOwnLine) {
    const auto months = NewestFirst(2);
    WriteStats(site, months[0], 0);
    WriteStats(site, months[1], 5000);
    const struct {
        DailyMeasure measure;
        long long offset;
    } cases[] = {{DailyMeasure::Visitors, 0},
                 {DailyMeasure::Kilobytes, 100},
                 {DailyMeasure::Pages, 200},
                 {DailyMeasure::Hits, 300}};
    for (const auto& c : cases) {
        const DailyTableContent t = BuildDailyTable(site, months, 0, c.measure);
        for (int d = 0; d < kDailyRows; ++d) {
            EXPECT_EQ(t.cells[d][0], std::to_string(c.offset + d + 1));
            EXPECT_EQ(t.cells[d][1], std::to_string(5000 + c.offset + d + 1));
        }
    }
}

TEST_F(DailyTableTest, MonthWithoutStatisticsKeepsItsCaptionAndNoValues) {
    const auto months = NewestFirst(3);
    WriteStats(site, months[0], 0);
    WriteStats(site, months[2], 0);
    const DailyTableContent t = BuildDailyTable(site, months, 0, DailyMeasure::Pages);
    EXPECT_EQ(t.captions[1], months[1]);
    for (int d = 0; d < kDailyRows; ++d) {
        EXPECT_EQ(t.cells[d][1], "");
        EXPECT_NE(t.cells[d][2], "");
    }
}

TEST_F(DailyTableTest, ShortStatisticsFileAndDamagedLineGiveWhatIsThere) {
    WriteTextLines(site + "mon-2004-01.tfd", {"Date=x", "Tota=1"});
    Lines lines(21, "X=");
    lines[17] = "ViJo=-1-2-3";  // no closing "-"
    WriteTextLines(site + "mon-2004-02.tfd", lines);
    const DailyTableContent t =
        BuildDailyTable(site, {"2004-02", "2004-01"}, 0, DailyMeasure::Visitors);
    EXPECT_EQ(t.cells[0][0], "1");
    EXPECT_EQ(t.cells[2][0], "3");
    EXPECT_EQ(t.cells[3][0], "");
    EXPECT_EQ(t.cells[0][1], "");
}

TEST_F(DailyTableTest, NoSelectionGivesAnEmptyTable) {
    const auto months = NewestFirst(2);
    for (int selected : {-1, 2}) {
        const DailyTableContent t = BuildDailyTable(site, months, selected, DailyMeasure::Hits);
        EXPECT_EQ(t.captions[0], "");
        EXPECT_EQ(t.cells[0][0], "");
    }
}

}  // namespace
}  // namespace trafikon
