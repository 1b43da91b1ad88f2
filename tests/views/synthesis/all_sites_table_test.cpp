// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/all_sites_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/data_store.h"
#include "store/extra_result_names.h"
#include "store/month_stats.h"
#include "store/text_file.h"
#include "store/visit_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

// A stored month of `siteDir`, analysed when `hits` is given; its vis- file
// holds `visits` people's visits when that is not negative.
void StoreMonth(const std::string& siteDir, const std::string& key, const char* hits = nullptr,
                long long visits = -1) {
    WriteRaw(siteDir + LogFileName(key), "");
    if (hits == nullptr)
        return;
    MonthStats stats;
    stats[kStatHits] = hits;
    stats[kStatPage] = "12";
    stats[kStatKoMo] = "5000";  // bytes: 4 whole kilobytes
    WriteTextLines(siteDir + MonthStatsFileName(key), FormatMonthStats(stats));
    if (visits >= 0) {
        VisitSummary summary;
        summary.people.visits = visits;
        WriteTextLines(siteDir + ExtraResultFileName(kVisitsPrefix, key), FormatVisits(summary));
    }
}

TEST(AllSitesTable, RowsOfEachSiteNewestFirstWithWhatEachMonthHas) {
    TempDir dir;
    const std::string prog = dir.path() + "/";
    const std::string first = SiteDir(prog, 1), second = SiteDir(prog, 2);
    std::filesystem::create_directories(first);
    std::filesystem::create_directories(second);
    StoreMonth(first, "2026-10", "30", 7);
    StoreMonth(first, "2026-11", "40");  // analysed before visits were counted
    StoreMonth(second, "2026-11");       // not analysed
    std::vector<AllSitesRow> rows;
    AppendAllSitesRows(prog, {SiteEntry{1, "A", {}}, SiteEntry{2, "", {}}}, rows);

    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].site, 1);
    EXPECT_EQ(rows[0].key, "2026-11");
    EXPECT_EQ(rows[0].hits, "40");
    EXPECT_EQ(rows[0].visits, "");
    EXPECT_EQ(rows[1].key, "2026-10");
    EXPECT_EQ(rows[1].hits, "30");
    EXPECT_EQ(rows[1].pages, "12");
    EXPECT_EQ(rows[1].visits, "7");
    EXPECT_EQ(rows[1].kilobytes, "4");
    EXPECT_EQ(rows[2].site, 2);
    EXPECT_EQ(rows[2].key, "2026-11");
    EXPECT_EQ(rows[2].hits, "");
    EXPECT_EQ(rows[2].kilobytes, "");

    EXPECT_EQ(SiteCaption(SiteEntry{1, "A", {}}, "Site %1"), "A");
    EXPECT_EQ(SiteCaption(SiteEntry{2, "", {}}, "Site %1"), "Site 2");
}

}  // namespace
}  // namespace trafikon
