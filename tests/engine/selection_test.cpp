// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis of a selection: a whole month kept whole gives the month's own
// files; a selection gives the files of its lines filtered beforehand; periods
// across a month's edge; the expression language's matches and errors; an
// empty selection.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/analyse_log.h"
#include "engine/analysed_check.h"
#include "engine/engine_test_store.h"
#include "engine/line_exclusions.h"
#include "engine/select_lines.h"
#include "store/data_store.h"
#include "store/extra_result_names.h"

namespace trafikon {
namespace {

using testing::Combined;
using testing::ReadRaw;
using testing::TestStore;

const std::vector<std::string> kJanuary = {
    Combined("203.0.113.7", "30/Jan/2026:23:59:00 +0100", "GET /blog/a.html HTTP/1.1", "200", "10",
             "http://search.example/?q=x", "Mozilla/5.0 Firefox/120"),
    Combined("203.0.113.9", "31/Jan/2026:11:59:59 +0100", "POST /form HTTP/1.1", "404", "5", "-",
             "curl/8.5"),
    Combined("2001:db8::5", "31/Jan/2026:12:00:00 +0100", "GET /blog/b.html?x=1 HTTP/1.1", "503",
             "7", "-", "Googlebot/2.1"),
    Combined("198.51.100.1", "31/Jan/2026:18:30:00 +0100", "GET /shop/c.png HTTP/1.1", "304", "-",
             "http://www.site.org/blog/a.html", "Mozilla/5.0 Firefox/120"),
    Combined("host.example.fr", "31/Jan/2026:23:00:00 +0100", "GET /blog/ HTTP/1.1", "200", "9",
             "-", "Mozilla/5.0 Safari/17"),
};
const std::vector<std::string> kFebruary = {
    Combined("203.0.113.7", "01/Feb/2026:00:10:00 +0100", "GET /blog/a.html HTTP/1.1", "404", "3",
             "-", "Mozilla/5.0 Firefox/120"),
    Combined("2001:db8:1::1", "01/Feb/2026:12:00:00 +0100", "HEAD / HTTP/1.1", "500", "0", "-",
             "-"),
};

Selection Select(const std::string& from, const std::string& to, const std::string& where = "") {
    Selection s;
    EXPECT_TRUE(ParsePeriodBound(from, false, s.period.from));
    EXPECT_TRUE(ParsePeriodBound(to, true, s.period.to));
    ConditionError error;
    EXPECT_TRUE(ParseConditions(where, s.conditions, error)) << error.message;
    return s;
}

std::vector<std::string> ResultNames(const std::string& key) {
    std::vector<std::string> names = AnalysisFileNames(key);
    for (const std::string& n : ExtraAnalysisFileNames(key))
        names.push_back(n);
    return names;
}

TEST(SelectionTest, AWholeMonthKeptWholeGivesTheMonthsOwnFiles) {
    TestStore store;
    store.AddMonth("2026-01", kJanuary);
    testing::ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2026-01", "http://www.site.org", observer).completed);
    const std::string out = store.root() + "/sel/";
    const SelectionResult r = RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-31"), out,
                                           "http://www.site.org", observer);
    ASSERT_TRUE(r.analysis.completed);
    EXPECT_EQ(r.linesKept, kJanuary.size());
    for (const std::string& name : ResultNames("2026-01"))
        EXPECT_EQ(ReadRaw(out + name), ReadRaw(store.siteDir() + name)) << name;
    EXPECT_EQ(SelectionKey(out), "2026-01");
}

// Each expression keeps the lines of both months whose indexes are given
// (January's 0 to 4, then February's as 5 and 6); the files of the selection
// are those of a store holding just those lines.
TEST(SelectionTest, KeepsWhatTheSameLinesFilteredBeforehandGive) {
    const struct {
        std::string where;
        std::vector<int> kept;
    } cases[] = {
        {"status=404", {1, 5}},
        {"status=5xx,304", {2, 3, 6}},
        {"!status=2xx !robot", {3, 5}},
        {"host=203.0.113.0/24", {0, 1, 5}},
        {"host=2001:db8::/48,198.51.100.1", {2, 3}},
        {"host!=2001:db8::/32 host~.FR", {4}},
        {"path~/blog/*", {0, 2, 4, 5}},
        {"path~/blog/a", {0, 5}},
        {"path~~^/(shop|form)", {1, 3}},
        {"method=post,head", {1, 6}},
        {"robot", {1, 2, 6}},
        {"ref~SEARCH ua~firefox", {0}},
        {"ua!~firefox ua~\"Safari/17\"", {4}},
        {"country=FR", {4}},
    };
    TestStore store;
    store.AddMonth("2026-01", kJanuary);
    store.AddMonth("2026-02", kFebruary);
    std::vector<std::string> all = kJanuary;
    all.insert(all.end(), kFebruary.begin(), kFebruary.end());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        testing::ScriptedObserver observer;
        const std::string out = store.root() + "/sel/";
        const SelectionResult r = RunSelection(
            store.siteDir(), Select("2026-01-01", "2026-02-28", c.where), out, "", observer);
        ASSERT_EQ(r.linesKept, c.kept.size());
        TestStore filtered;
        std::vector<std::string> lines;
        for (int i : c.kept)
            lines.push_back(all[static_cast<std::size_t>(i)]);
        filtered.AddMonth("2026-01", lines);
        ASSERT_TRUE(AnalyseLog(filtered.siteDir(), "2026-01", "", observer).completed);
        for (const std::string& name : ResultNames("2026-01"))
            if (name != MonthStatsFileName("2026-01")) {  // dated by the log
                EXPECT_EQ(ReadRaw(out + name), ReadRaw(filtered.siteDir() + name)) << name;
            }
    }
}

TEST(SelectionTest, APeriodAcrossAMonthsEdgeTakesItsMinutesFromBoth) {
    TestStore store;
    store.AddMonth("2026-01", kJanuary);
    store.AddMonth("2026-02", kFebruary);
    testing::ScriptedObserver observer;
    const std::string out = store.root() + "/edge/";
    const SelectionResult r = RunSelection(
        store.siteDir(), Select("2026-01-31T12:00", "2026-02-01T00:10"), out, "", observer);
    EXPECT_EQ(r.key, "2026-01");
    EXPECT_EQ(r.linesRead, kJanuary.size() + kFebruary.size());
    EXPECT_EQ(
        ReadRaw(out + LogFileName("2026-01")),
        kJanuary[2] + "\r\n" + kJanuary[3] + "\r\n" + kJanuary[4] + "\r\n" + kFebruary[0] + "\r\n");
}

TEST(SelectionTest, AnEmptySelectionRemovesTheFoldersEarlierAnalysis) {
    TestStore store;
    store.AddMonth("2026-01", kJanuary);
    testing::ScriptedObserver observer;
    const std::string out = store.root() + "/sel/";
    ASSERT_EQ(RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-31"), out, "", observer)
                  .linesKept,
              kJanuary.size());
    ASSERT_TRUE(FileExists(out + MonthStatsFileName("2026-01")));
    const SelectionResult r = RunSelection(
        store.siteDir(), Select("2026-01-01", "2026-01-31", "status=418"), out, "", observer);
    EXPECT_EQ(r.linesKept, 0u);
    EXPECT_FALSE(r.analysis.completed);
    EXPECT_FALSE(FileExists(out + MonthStatsFileName("2026-01")));
    EXPECT_FALSE(FileExists(out + ResultFileName(kFilesResult, "2026-01")));
    EXPECT_THROW(RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-31"), store.siteDir(),
                              "", observer),
                 IoError);
    TestStore other;  // a store's months are never overwritten
    other.AddMonth("2026-01", {kJanuary[0]});
    EXPECT_THROW(RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-31"), other.siteDir(),
                              "", observer),
                 IoError);
    EXPECT_EQ(ReadRaw(other.siteDir() + LogFileName("2026-01")), kJanuary[0] + "\r\n");

    // Stopped after its copy, a run leaves no earlier results beside the new lines.
    ASSERT_TRUE(RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-31"), out, "", observer)
                    .analysis.completed);
    struct Stopping : testing::ScriptedObserver {
        bool StopRequested() override { return true; }
    } stopping;
    EXPECT_FALSE(
        RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-15"), out, "", stopping)
            .analysis.completed);
    EXPECT_FALSE(FileExists(out + MonthStatsFileName("2026-01")));
}

// Exclusions leave lines out of the months and the selections alike, as if
// they were not in the log, and make analysed months out of date.
TEST(SelectionTest, ExclusionsLeaveLinesOutOfMonthsAndSelections) {
    TestStore store;
    store.AddMonth("2026-01", kJanuary);
    testing::ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2026-01", "", observer).completed);
    EXPECT_TRUE(IsMonthAnalysed(store.siteDir(), "2026-01"));
    testing::WriteRaw(store.root() + "/" + std::string(kReferrerSpamFileName),
                      "# ours\r\nSEARCH.example\r\n");
    testing::WriteRaw(store.siteDir() + std::string(kExclusionsFileName),
                      "# own network, health checks\r\nhost=203.0.113.0/24 method=POST\r\n"
                      "path=/shop/c.png\r\nspam\r\nnot an exclusion\r\n");
    EXPECT_EQ(LineExclusions(store.siteDir(), store.root() + "/", "", true).problems().size(), 1u);
    EXPECT_FALSE(IsMonthAnalysed(store.siteDir(), "2026-01"));
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2026-01", "", observer).completed);
    EXPECT_TRUE(IsMonthAnalysed(store.siteDir(), "2026-01"));

    TestStore filtered;
    filtered.AddMonth("2026-01", {kJanuary[2], kJanuary[4]});
    ASSERT_TRUE(AnalyseLog(filtered.siteDir(), "2026-01", "", observer).completed);
    const std::string out = store.root() + "/sel/";
    EXPECT_EQ(RunSelection(store.siteDir(), Select("2026-01-01", "2026-01-31"), out, "", observer)
                  .linesKept,
              2u);
    for (const std::string& name : ResultNames("2026-01"))
        if (name != MonthStatsFileName("2026-01")) {  // dated by the log
            EXPECT_EQ(ReadRaw(out + name), ReadRaw(filtered.siteDir() + name)) << name;
        }
    // The month's lines still point into its whole log; its numbers are those
    // of the lines left.
    const std::string hosts = store.Read("hos-", "2026-01");
    EXPECT_EQ(hosts.find("203.0.113."), std::string::npos);
    EXPECT_EQ(hosts.find("198.51.100.1"), std::string::npos);
    EXPECT_EQ(store.Read("lfp-", "2026-01").find("/shop/"), std::string::npos);
    EXPECT_EQ(store.Read("aud-", "2026-01"), filtered.Read("aud-", "2026-01"));
}

TEST(SelectionTest, MalformedExpressionsNameTheirPosition) {
    const struct {
        std::string text;
        std::size_t position;
    } cases[] = {
        {"stat=404", 1},      {"status", 7},    {"status=", 8},      {"status=4044", 8},
        {"status~404", 7},    {"robot=1", 6},   {"!status!=404", 8}, {"host=10.0.0.0/33", 6},
        {"path~~(", 7},       {"ua~\"curl", 4}, {"country=FRA", 9},  {"status=404,", 12},
        {"status=404 =", 12},
    };
    for (const auto& c : cases) {
        std::vector<LineCondition> conditions;
        ConditionError error;
        EXPECT_FALSE(ParseConditions(c.text, conditions, error)) << c.text;
        EXPECT_EQ(error.position, c.position) << c.text << ": " << error.message;
        EXPECT_TRUE(error.message.starts_with("position " + std::to_string(c.position) + ": "));
        EXPECT_TRUE(conditions.empty());
    }
    std::uint64_t stamp = 0;
    for (const char* bad : {"2026-1-01", "2026-13-01", "2026-01-01T24:00", "2026-01-01 10:00"})
        EXPECT_FALSE(ParsePeriodBound(bad, false, stamp)) << bad;
}

}  // namespace
}  // namespace trafikon
