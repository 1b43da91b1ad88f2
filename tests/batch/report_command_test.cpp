// SPDX-License-Identifier: GPL-3.0-or-later
// trafikon-batch report as a process: usage errors, a month without analysis,
// the page, the CSV files and the JSON document of an analysed month, links
// and standard output.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon {
namespace {

using testing::Combined;
using testing::ReadRaw;
using testing::TestStore;

int Report(const TestStore& store, const std::string& arguments) {
    const std::string command = std::string("'") + TRAFIKON_BATCH_EXE + "' report --root '" +
                                store.root() + "' " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ReportCommandTest, WritesThePageOrTheListsOfAnAnalysedMonth) {
    TestStore store;
    store.AddMonth("2004-05", {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200",
                                        "GET /a,b.html HTTP/1.0", "200", "10", "-", "curl/8.5")});
    EXPECT_EQ(Report(store, "--month 2004-05 --html '" + store.root() + "/r.html'"), 1);
    testing::ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);

    EXPECT_EQ(Report(store, "--month 2004-05"), 2);
    EXPECT_EQ(Report(store, "--month 2004-5 --csv x"), 2);
    EXPECT_EQ(Report(store, "--month 2004-05 --html a --csv b"), 2);

    ASSERT_EQ(Report(store, "--month 2004-05 --lang en --html '" + store.root() + "/r.html'"), 0);
    const std::string page = ReadRaw(store.root() + "/r.html");
    EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(page.find("/a,b.html"), std::string::npos);

    ASSERT_EQ(Report(store, "--month 2004-05 --lang en --csv '" + store.root() + "/csv'"), 0);
    EXPECT_EQ(ReadRaw(store.root() + "/csv/2004-05-files.csv"),
              "Files,Hits,Last Status,Last Visited Date\r\n"
              "\"/a,b.html\",1,200,[03/May/2004:10:00:00 +0200]\r\n");
    EXPECT_NE(ReadRaw(store.root() + "/csv/2004-05-robots.csv").find("curl,signature,1"),
              std::string::npos);
}

// The document parses as strict JSON (valid UTF-8 included) whatever bytes the
// log held, has the documented keys, and its totals are the month's files'.
TEST(ReportCommandTest, JsonDocumentHoldsTheMonthAsItsFilesDo) {
    TestStore store;
    const std::string agent = "ev\x01il\\\x81\xe9";  // control, backslash, undefined, e acute
    store.AddMonth("2004-05",
                   {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200", "GET /a.html HTTP/1.0", "200",
                             "4096", "-", agent),
                    Combined("1.1.1.1", "03/May/2004:10:05:00 +0200", "GET /b.png HTTP/1.0", "200",
                             "2048", "http://x.org/?q=t", agent),
                    Combined("2.2.2.2", "04/May/2004:23:00:00 +0200", "GET /robots.txt HTTP/1.0",
                             "404", "10", "-", "Googlebot/2.1")});
    testing::ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    const std::string out = store.root() + "/r.json";
    ASSERT_EQ(Report(store, "--month 2004-05 --json - >'" + out + "'; exit $?"), 0);

    const nlohmann::json j = nlohmann::json::parse(ReadRaw(out));
    for (const char* key : {"month", "site", "totals", "days", "hours", "files", "hosts", "status",
                            "referrers", "queries", "robots", "browsers"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["month"], "2004-05");
    EXPECT_EQ(j["days"].size(), 31u);
    EXPECT_EQ(j["hours"].size(), 24u);

    const MonthStats stats = *ReadMonthStatsFile(store.siteDir() + MonthStatsFileName("2004-05"));
    const nlohmann::json& t = j["totals"];
    EXPECT_EQ(t["hits"], ParseInteger(stats[kStatHiMo]));
    EXPECT_EQ(t["pages"], ParseInteger(stats[kStatPaMo]));
    EXPECT_EQ(t["kilobytes"], ParseInteger(stats[kStatKoMo]) / 1024);
    EXPECT_EQ(t["distinct_files"], ReadTextLines(store.siteDir() + "lfp-2004-05.tfd").size());
    EXPECT_EQ(t["distinct_hosts"], ReadTextLines(store.siteDir() + "hos-2004-05.tfd").size());
    EXPECT_EQ(t["hits"], 3);
    EXPECT_EQ(t["people_hits"].get<int>() + t["robot_hits"].get<int>(), 3);
    long long dayHits = 0;
    for (const auto& d : j["days"])
        dayHits += d["hits"].get<long long>();
    EXPECT_EQ(dayHits, 3);
    long long countryHits = 0;  // every host has a country, if only "unknown"
    for (const auto& c : j["countries"])
        if (c["city"].is_null())
            countryHits += c["hits"].get<long long>();
    EXPECT_EQ(countryHits, 3);

    EXPECT_EQ(j["browsers"][0]["name"], "ev\x01il\\\xef\xbf\xbd\xc3\xa9");
    EXPECT_EQ(j["browsers"][0]["hits"], 2);
    EXPECT_EQ(j["robots"][0]["kind"], "signature");
    EXPECT_EQ(j["hosts"][0]["name"], "1.1.1.0/24");  // masked by default
}

// A link given as the page is written through and stays a link; "-" is
// standard output; a result file that cannot be read fails the run.
TEST(ReportCommandTest, WritesThroughLinksAndFailsWhenAResultFileIsUnreadable) {
    TestStore store;
    store.AddMonth("2004-05", {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200",
                                        "GET /a.html HTTP/1.0", "200", "10")});
    testing::ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    const std::string link = store.root() + "/link.html", target = store.root() + "/target.html";
    testing::WriteRaw(target, "old");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_EQ(Report(store, "--month 2004-05 --html '" + link + "'"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadRaw(target).find("/a.html"), std::string::npos);
    const std::string toStdout = std::string("'") + TRAFIKON_BATCH_EXE + "' report --root '" +
                                 store.root() + "' --month 2004-05 --html - >'" + store.root() +
                                 "/out' 2>/dev/null";
    ASSERT_EQ(std::system(toStdout.c_str()), 0);
    EXPECT_EQ(ReadRaw(store.root() + "/out"), ReadRaw(target));

    const std::string stats = store.siteDir() + MonthStatsFileName("2004-05");
    std::filesystem::remove(stats);
    std::filesystem::create_directory(stats);
    EXPECT_EQ(Report(store, "--month 2004-05 --html '" + target + "'"), 1);
}

}  // namespace
}  // namespace trafikon
