// SPDX-License-Identifier: GPL-3.0-or-later
// Visits and unique visitors: a hand-made month with known visits (gaps at the
// limit, one host with several user agents, lines out of order, midnight and
// the month's edge, a robot), and the tally against a slow count of generated
// hits, with its distinct-visitor keys spilled.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "engine/visit_tally.h"
#include "store/extra_result_names.h"
#include "store/spill_file.h"
#include "store/visit_file.h"
#include "support/temp_dir.h"
#include "views/maintenance/delete_logs.h"

namespace trafikon {
namespace {

using testing::Combined;
using testing::ScriptedObserver;
using testing::TempDir;
using testing::TestStore;

VisitSummary Analyse(TestStore& store, const std::string& key) {
    ScriptedObserver observer;
    EXPECT_TRUE(AnalyseLog(store.siteDir(), key, "http://www.site.org", observer).completed);
    VisitSummary s;
    EXPECT_TRUE(ReadVisitSummary(store.siteDir(), key, s));
    return s;
}

TEST(VisitsTest, HandMadeMonth) {
    const std::string firefox = "Mozilla/5.0 (X11; Linux x86_64; rv:120.0) Firefox/120.0";
    const std::string chrome = "Mozilla/5.0 (X11; Linux x86_64) Chrome/120.0 Safari/537.36";
    const std::string bot =
        "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)";
    auto line = [](const std::string& host, const std::string& time, const std::string& path,
                   const std::string& agent) {
        return Combined(host, time + " +0200", "GET " + path + " HTTP/1.0", "200", "100", "-",
                        agent);
    };
    TestStore store;
    store.AddMonth("2004-05",
                   {// 10.0.0.1 with Firefox: 29:59 apart (one visit), then 30:01 later (a second).
                    line("10.0.0.1", "01/May/2004:10:00:00", "/a.html", firefox),
                    // The same host with another user agent is another visitor.
                    line("10.0.0.1", "01/May/2004:10:05:00", "/a.html", chrome),
                    line("10.0.0.9", "01/May/2004:10:06:00", "/a.html", bot),
                    line("10.0.0.1", "01/May/2004:10:29:59", "/b.html", firefox),
                    line("10.0.0.9", "01/May/2004:10:16:00", "/b.html", bot),
                    line("10.0.0.1", "01/May/2004:11:00:00", "/c.html", firefox),
                    // Out of order: the visit still enters at /a.html.
                    line("10.0.0.2", "01/May/2004:12:10:00", "/b.html", firefox),
                    line("10.0.0.2", "01/May/2004:12:05:00", "/x.gif", firefox),
                    line("10.0.0.2", "01/May/2004:12:00:00", "/a.html", firefox),
                    // Over midnight: one visit of the 1st, a visitor of the 1st and of the 2nd.
                    line("10.0.0.3", "01/May/2004:23:50:00", "/a.html", firefox),
                    line("10.0.0.3", "02/May/2004:00:10:00", "/b.html", firefox),
                    line("10.0.0.1", "31/May/2004:23:59:59", "/a.html", firefox)});
    // Thirty seconds later, in the next month: a visit of June's.
    store.AddMonth("2004-06", {line("10.0.0.1", "01/Jun/2004:00:00:29", "/b.html", firefox)});

    const VisitSummary s = Analyse(store, "2004-05");
    EXPECT_EQ(s.people.visits, 6);
    EXPECT_EQ(s.people.visitors, 4);
    EXPECT_EQ(s.people.pages, 9);
    EXPECT_EQ(s.people.bounces, 3);
    EXPECT_EQ(s.people.seconds, 1799 + 600 + 1200);
    EXPECT_EQ(s.people.medianSeconds, 0);
    EXPECT_EQ(s.robots.visits, 1);
    EXPECT_EQ(s.robots.visitors, 1);
    EXPECT_EQ(s.robots.pages, 2);
    EXPECT_EQ(s.robots.medianSeconds, 600);
    EXPECT_EQ(s.peopleVisits[0], 5);
    EXPECT_EQ(s.peopleVisits[1], 0);
    EXPECT_EQ(s.peopleVisits[30], 1);
    EXPECT_EQ(s.peopleVisitors[0], 4);
    EXPECT_EQ(s.peopleVisitors[1], 1);
    EXPECT_EQ(s.peopleVisitors[30], 1);
    EXPECT_EQ(s.robotVisitors[0], 1);
    EXPECT_EQ(s.peopleHourVisits[10], 2);
    EXPECT_EQ(s.peopleHourVisits[23], 2);
    ASSERT_EQ(s.entries.size(), 2u);
    EXPECT_EQ(s.entries[0].page, "/a.html");
    EXPECT_EQ(s.entries[0].visits, 5);
    EXPECT_EQ(s.entries[1].page, "/c.html");
    ASSERT_EQ(s.exits.size(), 3u);
    EXPECT_EQ(s.exits[0].page, "/b.html");
    EXPECT_EQ(s.exits[0].visits, 3);
    EXPECT_EQ(s.exits[1].page, "/a.html");
    EXPECT_EQ(s.exits[1].visits, 2);

    const VisitSummary june = Analyse(store, "2004-06");
    EXPECT_EQ(june.people.visits, 1);
    EXPECT_EQ(june.peopleVisitors[0], 1);

    // The user's longer gap joins the visits 30:01 apart.
    SetVisitGapMinutes(31);
    const VisitSummary longer = Analyse(store, "2004-05");
    SetVisitGapMinutes(kDefaultVisitGapMinutes);
    EXPECT_EQ(longer.people.visits, 5);

    VisitSummary again;
    EXPECT_TRUE(ParseVisits(FormatVisits(s), again));
    EXPECT_EQ(FormatVisits(again), FormatVisits(s));
    DeleteAnalysis(store.siteDir(), "2004-05");
    EXPECT_FALSE(store.Has(std::string(kVisitsPrefix), "2004-05"));
}

// Generated hits of people and robots, quiet hours among them, lines shuffled within the tolerance,
// against visits cut from each visitor's sorted times.
TEST(VisitsTest, MatchesSlowCountOfGeneratedHits) {
    std::mt19937 random(28);
    struct Line {
        std::uint32_t host, agent, second;
        bool page;
        std::uint32_t order;
    };
    std::vector<Line> lines;
    std::uint32_t t = 0;
    for (int i = 0; i < 20000; ++i) {
        t += random() % 90;
        if (random() % 500 == 0)  // a quiet hour: visits close while others wait in order
            t += 3600;
        const std::uint32_t host = random() % 150, agent = random() % 3;
        lines.push_back({host, agent, t, random() % 3 != 0, 0});
    }
    for (Line& l : lines)  // disorder of up to five minutes
        l.order = l.second + random() % 300;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.order < b.order; });
    auto isRobot = [](std::uint32_t host) { return host % 7 == 0; };

    TempDir dir;
    SpillFile spill(dir.path() + "/");
    MonthAnalysis analysis(spill);
    VisitRules rules;
    rules.topPages = 0;
    rules.keyBudget = 64;
    rules.pruneEvery = 1;
    VisitTally tally(analysis, rules);
    std::uint32_t number = 0;
    for (const Line& l : lines) {
        StreamedHit hit;
        hit.line = number++;
        hit.host = l.host;
        hit.agent = l.agent;
        hit.second = l.second;
        hit.day = static_cast<std::uint8_t>(l.second / 86400 + 1);
        hit.page = l.page;
        tally.Hit(hit, isRobot(l.host));
    }
    const VisitSummary s = tally.Finish();
    EXPECT_GT(spill.size(), 0u);

    std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<std::pair<std::uint32_t, bool>>>
        byVisitor;
    for (const Line& l : lines)
        byVisitor[{l.host, l.agent}].emplace_back(l.second, l.page);
    VisitSummary want;
    std::vector<std::int64_t> durations[2];
    std::set<std::pair<int, std::pair<std::uint32_t, std::uint32_t>>> dayVisitors[2];
    for (auto& [visitor, hits] : byVisitor) {
        std::sort(hits.begin(), hits.end());
        const bool robot = isRobot(visitor.first);
        VisitTotals& w = robot ? want.robots : want.people;
        ++w.visitors;
        for (std::size_t i = 0; i < hits.size();) {
            std::size_t j = i + 1;
            while (j < hits.size() && hits[j].first - hits[j - 1].first <= 1800)
                ++j;
            std::int64_t pages = 0;
            for (std::size_t k = i; k < j; ++k)
                pages += hits[k].second;
            ++w.visits;
            w.pages += pages;
            w.bounces += pages == 1;
            w.seconds += hits[j - 1].first - hits[i].first;
            durations[robot].push_back(hits[j - 1].first - hits[i].first);
            ++(robot ? want.robotVisits : want.peopleVisits)[hits[i].first / 86400];
            i = j;
        }
        for (const auto& h : hits)
            dayVisitors[robot].insert({static_cast<int>(h.first / 86400), visitor});
    }
    for (int robot = 0; robot < 2; ++robot) {
        std::sort(durations[robot].begin(), durations[robot].end());
        (robot ? want.robots : want.people).medianSeconds =
            durations[robot][(durations[robot].size() - 1) / 2];
        for (const auto& dv : dayVisitors[robot])
            ++(robot ? want.robotVisitors : want.peopleVisitors)[dv.first];
    }
    for (const VisitTotals* p : {&want.people, &want.robots}) {
        const VisitTotals& got = p == &want.people ? s.people : s.robots;
        EXPECT_EQ(got.visits, p->visits);
        EXPECT_EQ(got.visitors, p->visitors);
        EXPECT_EQ(got.pages, p->pages);
        EXPECT_EQ(got.bounces, p->bounces);
        EXPECT_EQ(got.seconds, p->seconds);
        EXPECT_EQ(got.medianSeconds, p->medianSeconds);
    }
    EXPECT_EQ(s.peopleVisits, want.peopleVisits);
    EXPECT_EQ(s.robotVisits, want.robotVisits);
    EXPECT_EQ(s.peopleVisitors, want.peopleVisitors);
    EXPECT_EQ(s.robotVisitors, want.robotVisitors);
}

}  // namespace
}  // namespace trafikon
