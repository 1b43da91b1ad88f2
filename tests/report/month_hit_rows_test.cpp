// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the export, read from a hand-made month.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../engine/engine_test_store.h"
#include "report/hit_columns.h"
#include "report/month_hit_rows.h"

namespace trafikon::report {
namespace {

using testing::Combined;
using testing::TestStore;

constexpr const char* kFirefox =
    "Mozilla/5.0 (X11; Linux x86_64; rv:121.0) Gecko/20100101 Firefox/121.0";

std::vector<std::vector<std::string>> RowsOf(TestStore& store, bool mask) {
    MonthHitRows rows({store.siteDir(), "2026-03", 3, mask, ""});
    std::string text;
    while (rows.Next(text)) {
    }
    std::vector<std::vector<std::string>> out;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find('\n', from);
        std::vector<std::string>& row = out.emplace_back();
        std::size_t cell = from;
        for (std::size_t tab; (tab = text.find('\t', cell)) < end; cell = tab + 1)
            row.push_back(text.substr(cell, tab - cell));
        row.push_back(text.substr(cell, end - cell));
        from = end + 1;
    }
    return out;
}

TEST(MonthHitRowsTest, RowsCarryUtcTimeEscapedTextsAndTheRobotsRules) {
    TestStore store;
    store.AddMonth("2026-03", {"# a comment line",
                               Combined("203.0.113.7", "01/Mar/2026:00:30:00 +0130",
                                        "GET /a.html?x=1#top HTTP/1.1", "200", "512",
                                        "http://www.bing.com/search?q=caf%C3%A9", "odd\\agent\tx"),
                               "too short",
                               // A browser's agent on a host that asks for /robots.txt and fetches
                               // no resources: a robot named by its agent.
                               Combined("198.51.100.9", "02/Mar/2026:10:00:00 -0500",
                                        "GET /robots.txt HTTP/1.0", "404", "-", "-", kFirefox),
                               Combined("198.51.100.9", "02/Mar/2026:10:00:01 -0500",
                                        "GET /page HTTP/1.0", "200", "10", "-", kFirefox),
                               // The same agent elsewhere is a person's.
                               Combined("192.0.2.1", "03/Mar/2026:10:00:00 +0000",
                                        "GET /page HTTP/1.0", "200", "10", "-", kFirefox)});
    const auto rows = RowsOf(store, true);
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& row : rows)
        ASSERT_EQ(row.size(), 23u);
    const auto& a = rows[0];
    EXPECT_EQ(a[0], "3");
    EXPECT_EQ(a[1], "2026-02-28 23:00:00");  // 00:30 at +01:30
    EXPECT_EQ(a[2], "90");
    EXPECT_EQ(a[3], "203.0.113.0/24");
    EXPECT_EQ(a[4] + "|" + a[5] + "|" + a[6] + "|" + a[7], "GET|/a.html|x=1|HTTP/1.1");
    EXPECT_EQ(a[8] + "|" + a[9], "200|512");
    EXPECT_EQ(a[11], "www.bing.com");
    EXPECT_EQ(a[12], "\"q=caf\xC3\xA9\"");
    EXPECT_EQ(a[13], "odd\\\\agent\\tx");
    EXPECT_EQ(a[16], "0");
    EXPECT_EQ(a[20] + "|" + a[21], "2026-03|2");  // lines from 1, comments counted

    EXPECT_EQ(rows[1][1], "2026-03-02 15:00:00");
    EXPECT_EQ(rows[1][2], "-300");
    EXPECT_EQ(rows[1][14], "Firefox 121");
    EXPECT_EQ(rows[1][16] + "|" + rows[1][17], std::string("1|") + kFirefox);
    EXPECT_EQ(rows[2][16], "1");
    EXPECT_EQ(rows[2][21], "5");
    EXPECT_EQ(rows[3][16] + "|" + rows[3][17], "0|");
    // Visits by host and agent: the second hit of 198.51.100.9 joins its first.
    EXPECT_EQ(a[22] + rows[1][22] + rows[2][22] + rows[3][22], "1223");

    EXPECT_EQ(RowsOf(store, false)[0][3], "203.0.113.7");
    // A month key goes into the statements as a quoted literal, whatever it holds.
    EXPECT_EQ(HitPartition(2, "20'4-\\1"), "(2, '20\\'4-\\\\1')");
}

}  // namespace
}  // namespace trafikon::report
