// SPDX-License-Identifier: GPL-3.0-or-later
// A month analysed by an earlier version, checked in under
// tests/fixtures/store-2004-05/: the readers must find every field where that
// version wrote it, and analysing its log again must write the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/analyse_log.h"
#include "month/month_results.h"
#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/result_records.h"
#include "store/status_table.h"
#include "store/text_file.h"
#include "store/top_by_hits.h"
#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

const std::string kFixture = TRAFIKON_SOURCE_DIR "/tests/fixtures/store-2004-05/";
constexpr const char* kKey = "2004-05";

TEST(StoreFixture, EarlierFilesReadBackFieldByFieldAndAreWrittenAgainAlike) {
    MonthResults m;
    LoadMonthResults(kFixture, kKey, m);
    // Id lists of log lines stay in their files until a detail reads them.
    auto ids = [&m](std::string_view field) {
        std::string list;
        m.ReadIdList(field, [&](std::string_view piece) { list += piece; });
        return list;
    };
    ASSERT_TRUE(m.analysed);
    EXPECT_TRUE(m.problems.empty());

    const std::string_view index = m.files.at(0);
    EXPECT_EQ(ReadField(index, FileField::kPath), "/index.html");
    EXPECT_EQ(ReadField(index, FileField::kHits), "2");
    EXPECT_EQ(ids(ReadField(index, FileField::kLogLines)), "-0-4-");
    EXPECT_EQ(ReadField(index, FileField::kType), "1");
    EXPECT_EQ(ReadField(index, FileField::kLastStatus), "304");
    EXPECT_EQ(ReadField(index, FileField::kLastTime), "[04/May/2004:09:30:00 +0200]");
    EXPECT_EQ(ReadField(index, FileField::kHosts), "-0-1-");
    EXPECT_EQ(ReadField(index, FileField::kExternalQueries), "-0-");
    EXPECT_EQ(ReadField(index, FileField::kInternalQueries), "-0-");
    EXPECT_EQ(ReadField(index, FileField::kExternalPages), "-0-");
    EXPECT_EQ(ReadField(index, FileField::kInternalPages), "-1-");
    EXPECT_EQ(ReadField(index, FileField::kReserved), "-");
    EXPECT_EQ(ReadField(m.files.at(3), FileField::kType), "3");  // setup.zip

    const std::string_view host = m.hosts.at(2);
    EXPECT_EQ(ReadField(host, PageField::kKey), "198.51.100.7");
    EXPECT_EQ(ReadField(host, PageField::kHits), "2");
    EXPECT_EQ(ids(ReadField(host, PageField::kLogLines)), "-3-5-");
    EXPECT_EQ(ReadField(host, PageField::kFiles), "-3-4-");
    EXPECT_EQ(ReadField(host, PageField::kLastTime), "[17/May/2004:23:59:59 +0200]");
    EXPECT_EQ(ReadField(m.internalReferrers.at(1), PageField::kKey),
              "http://www.example.org/search.php");

    EXPECT_EQ(ReadField(m.browsers.at(1), BrowserField::kName), "Wget/1.9");
    EXPECT_EQ(ids(ReadField(m.browsers.at(1), BrowserField::kLogLines)), "-3-5-");

    const std::string_view query = m.externalQueries.at(0);
    EXPECT_EQ(ReadField(query, QueryField::kText), "\"q=trafic web\"  \"hl=fr\"");
    EXPECT_EQ(ReadField(query, QueryField::kFirstFile), "0");
    EXPECT_EQ(ReadField(query, QueryField::kSiteLengths), "-22-");
    EXPECT_EQ(ReadField(query, QueryField::kFiles), "-0-");
    EXPECT_EQ(ReadField(query, QueryField::kReferrer),
              "http://www.google.com/search?q=trafic+web&hl=fr");
    EXPECT_EQ(ReadField(query, QueryField::kReferrerSite), "http://www.google.com/");

    ASSERT_EQ(m.statuses.size(), static_cast<std::size_t>(kStatusLineCount));
    const auto& codes = StatusFileCodes();
    const auto row404 = std::find(codes.begin(), codes.end(), 404) - codes.begin();
    const std::string_view notFound = m.statuses.at(static_cast<std::size_t>(row404));
    EXPECT_EQ(ReadStatusPart(notFound, StatusPart::kCode), "404");
    EXPECT_EQ(ReadStatusPart(notFound, StatusPart::kHits), "1");
    EXPECT_EQ(ids(ReadStatusPart(notFound, StatusPart::kLogLines)), "-2-");
    EXPECT_EQ(ReadStatusPart(notFound, StatusPart::kFiles), "-2-");

    const MonthStats stats = *ReadMonthStatsFile(kFixture + MonthStatsFileName(kKey));
    EXPECT_EQ(stats.linesPresent, kMonthStatsLineCount);
    EXPECT_EQ(stats[kStatTota], "5");
    EXPECT_EQ(stats[kStatImag], "1");
    EXPECT_EQ(stats[kStatReKO], "1");
    EXPECT_EQ(stats[kStatRet300], "1");
    EXPECT_EQ(stats[kStatKoMo], "116878");
    EXPECT_EQ(ParseDayList(stats[kStatHiJo])[2], 3);
    EXPECT_EQ(ParseDayList(stats[kStatKoJo])[3], 100);
    EXPECT_EQ(ReadTopList(stats[kStatTtPa]).entries,
              (std::vector<TopEntry>{{0, "2"}, {2, "1"}, {4, "1"}}));
    EXPECT_EQ(m.summary.rows[1], "5");
    EXPECT_EQ(m.summary.dayValues[3][16], 1);

    // The same log analysed now: the same bytes, but for the date of the log
    // that heads the monthly file.
    testing::TempDir dir;
    const std::string site = dir.path() + "/";
    for (const std::string& name : {LogFileName(kKey), FormatFileName(kKey)})
        std::filesystem::copy_file(kFixture + name, site + name);
    struct Observer : AnalysisObserver {
        MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
            return MalformedLineAnswer::Ignore;
        }
    } observer;
    ASSERT_TRUE(AnalyseLog(site, kKey, "http://www.example.org", observer).completed);
    for (int f = 0; f < kResultFileCount; ++f) {
        const std::string name = ResultFileName(static_cast<ResultFile>(f), kKey);
        EXPECT_EQ(ReadWholeFile(site + name), ReadWholeFile(kFixture + name)) << name;
    }
    Lines now = ReadTextLines(site + MonthStatsFileName(kKey));
    Lines then = ReadTextLines(kFixture + MonthStatsFileName(kKey));
    now.erase(now.begin());
    then.erase(then.begin());
    EXPECT_EQ(now, then);
}

}  // namespace
}  // namespace trafikon
