// SPDX-License-Identifier: GPL-3.0-or-later
// Robots, people and hours of the day: crawler signatures on real user-agent
// strings, the result files of a whole analysis (Apache and IIS lines), and a
// month analysed by an earlier version.
#include <gtest/gtest.h>

#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "engine/hour_tally.h"
#include "engine/month_analysis.h"
#include "engine/robot_signatures.h"
#include "month/month_extras.h"
#include "store/extra_result_names.h"
#include "views/maintenance/delete_logs.h"

namespace trafikon {
namespace {

using testing::Combined;
using testing::ScriptedObserver;
using testing::TestStore;

TEST(RobotSignaturesTest, ClassifiesRealUserAgents) {
    const RobotSignatures s;
    const struct {
        const char* agent;
        RobotKind kind;
        const char* name;
    } cases[] = {
        {"Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)",
         RobotKind::kSignature, "Googlebot"},
        {"Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; GPTBot/1.2; "
         "+https://openai.com/gptbot)",
         RobotKind::kSignature, "GPTBot"},
        {"Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; ClaudeBot/1.0; "
         "+claudebot@anthropic.com)",
         RobotKind::kSignature, "ClaudeBot"},
        {"CCBot/2.0 (https://commoncrawl.org/faq/)", RobotKind::kSignature, "CCBot"},
        {"Mozilla/5.0 (Linux; Android 5.0) AppleWebKit/537.36 (KHTML, like Gecko) Mobile "
         "Safari/537.36 (compatible; Bytespider; spider-feedback@bytedance.com)",
         RobotKind::kSignature, "Bytespider"},
        {"Mozilla/5.0 AppleWebKit/537.36 (KHTML, like Gecko; compatible; PerplexityBot/1.0; "
         "+https://perplexity.ai/perplexitybot)",
         RobotKind::kSignature, "PerplexityBot"},
        {"Mozilla/5.0 (compatible; Yahoo! Slurp; http://help.yahoo.com/help/us/ysearch/slurp)",
         RobotKind::kSignature, "Yahoo! Slurp"},
        {"Mozilla/5.0 (compatible; Mail.RU_Bot/2.0; +http://go.mail.ru/help/robots)",
         RobotKind::kGeneric, "Mail.RU_Bot"},
        {"magpie-crawler/1.1 (U; Linux amd64; en-GB; +http://www.brandwatch.net)",
         RobotKind::kGeneric, "magpie-crawler"},
        {"Mozilla/5.0 (compatible; Acme-Indexer/3.1; +http://acme.test/bot.html)",
         RobotKind::kGeneric, "Acme-Indexer"},
        {"Zeta/2.0 (robot; crawler@zeta.test)", RobotKind::kGeneric, "Zeta"},
        {"Mozilla/5.0 (compatible; robot)", RobotKind::kGeneric, "Mozilla/5.0 (compatible; robot)"},
        {"Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like "
         "Gecko) Version/17.0 Safari/605.1.15 (Applebot-Extended/0.1)",
         RobotKind::kSignature, "Applebot-Extended"},
        {"Chef Client/10.18.2 (ruby-1.9.3-p327; ohai-6.16.0; x86_64-linux; +http://opscode.com)",
         RobotKind::kSignature, "Chef Client"},
        {"LiveJournal.com (webmaster@livejournal.com; for http://www.livejournal.com/users/x/; 1 "
         "readers)",
         RobotKind::kSignature, "LiveJournal"},
        {"Mozilla/5.0 (compatible; theoldreader.com)", RobotKind::kSignature, "The Old Reader"},
        {"HTTP_Request2/2.1.1 (http://pear.php.net/package/http_request2) PHP/5.3.2",
         RobotKind::kSignature, "HTTP_Request2"},
        {"-", RobotKind::kEmptyAgent, "-"},
        {"", RobotKind::kEmptyAgent, "-"},
        {"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
         "Chrome/120.0.0.0 Safari/537.36",
         RobotKind::kPerson, ""},
        {"Mozilla/5.0 (Linux; Android 10; CUBOT X30) AppleWebKit/537.36 (KHTML, like Gecko) "
         "Chrome/96.0.4664.104 Mobile Safari/537.36",
         RobotKind::kPerson, ""},
    };
    for (const auto& c : cases) {
        const RobotMatch m = s.Classify(c.agent);
        EXPECT_EQ(m.kind, c.kind) << c.agent;
        EXPECT_EQ(m.name, c.name) << c.agent;
    }
    // The file is data: a user's line names a crawler the built-in list lacks.
    const RobotSignatures mine(Lines{"# mine", "Acme Fetcher;acmefetch", "broken line"});
    EXPECT_EQ(mine.Classify("AcmeFetch/3 (+https://acme.test)").name, "Acme Fetcher");
    EXPECT_EQ(mine.Classify("Googlebot/2.1").kind, RobotKind::kPerson);
    // The first line listed wins wherever its text lies in the agent, an
    // exception wins over all, a generic word is named where it first comes,
    // and a text may run to the agent's last byte.
    const RobotSignatures order(
        Lines{"Late;zzfetch", "Early;abcfetch", "*;bot", "!;nobot-please", "Tail;xyz"});
    EXPECT_EQ(order.Classify("abcfetch zzfetch").name, "Late");
    EXPECT_EQ(order.Classify("ABCFETCH and more").name, "Early");
    EXPECT_EQ(order.Classify("FooBot/1 BarBot/2").name, "FooBot");
    EXPECT_EQ(order.Classify("zzfetch abcfetch nobot-please").kind, RobotKind::kPerson);
    EXPECT_EQ(order.Classify("agent xyz").name, "Tail");
    EXPECT_EQ(order.Classify("agent xy").kind, RobotKind::kPerson);
}

TEST(RobotSignaturesTest, FileIsWrittenOnceAndThenRead) {
    TestStore store;
    const std::string root = store.root() + "/";
    WriteRobotSignatureFileIfMissing(root);
    const std::string path = root + std::string(kRobotSignatureFileName);
    ASSERT_TRUE(FileExists(path));
    const std::size_t current = LoadRobotSignatures(root).size();
    testing::WriteRaw(path, "Acme;acme\r\n");
    WriteRobotSignatureFileIfMissing(root);  // kept: the user's list stays
    EXPECT_EQ(LoadRobotSignatures(ProgramDirOfSite(store.siteDir())).size(), 1u);
    // A damaged file: what is not a signature is left out and counted, so that
    // a one-letter text never makes every visitor a robot.
    testing::WriteRaw(path, "Acme;acme\r\nx;a\r\n\x1f\x8b;\x08zz\r\ngarbage\r\n#note\r\n");
    const RobotSignatures damaged = LoadRobotSignatures(root);
    EXPECT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged.ignoredLines(), 3u);
    EXPECT_EQ(damaged.Classify("Mozilla/5.0 (X11; Linux)").kind, RobotKind::kPerson);
    // The unedited list of the previous version takes the current one.
    testing::WriteRaw(path, ReadWholeFile(std::string(TRAFIKON_SOURCE_DIR) +
                                          "/tests/fixtures/robots-earlier.tfd"));
    WriteRobotSignatureFileIfMissing(root);
    EXPECT_EQ(LoadRobotSignatures(root).size(), current);
}

TEST(HourTallyTest, HourOfBothDateForms) {
    EXPECT_EQ(HourOfTimestamp("[10/Oct/2000:13:55:36 -0700]"), 13);
    EXPECT_EQ(HourOfTimestamp("[03/May/2004:00:00:00 +0200]"), 0);
    EXPECT_EQ(HourOfTimestamp("[03/May/2004:24:00:00 +0200]"), -1);
    EXPECT_EQ(HourOfTimestamp("[03/May/2004"), -1);
    EXPECT_EQ(HourOfTimestamp(""), -1);
}

// The reading thread works out the second of the day and the hour once; an
// hour stays readable when the minutes or seconds are not.
TEST(HourTallyTest, PreparedHitCarriesSecondAndHour) {
    const struct {
        const char* time;
        int second, hour;
    } cases[] = {
        {"[10/Oct/2000:13:55:36 -0700]", 13 * 3600 + 55 * 60 + 36, 13},
        {"[10/Oct/2000:23:59:60 -0700]", 86399, 23},  // a leap second stays in its day
        {"[10/Oct/2000:13:5x:36 -0700]", -1, 13},
        {"[10/Oct/2000:13:55:/6 -0700]", -1, 13},
        {"[10/Oct/2000:13:60:00 -0700]", -1, 13},
        {"[10/Oct/2000:24:00:00 -0700]", -1, -1},
        {"[10/Oct/2000:99:99:99 -0700]", -1, -1},
        {"[10/Oct/2000:00:00:01 +0700]", 1, 0},
        {"[11/Oct/2000:00:00:02 +0700]", 2, 0},
        {"", -1, -1},
        {"[11/Oct/2000:00:00:03 +0700]", 3, 0},
    };
    // One preparer for all, as the lines of a log come: a time with the date
    // and zone of the one before is read in part.
    HitPreparer preparer("");
    for (const auto& c : cases) {
        HitFields fields;
        fields.time = c.time;
        const PreparedHit hit = preparer.Prepare(fields);
        EXPECT_EQ(hit.secondOfDay, c.second) << c.time;
        EXPECT_EQ(hit.hour, c.hour) << c.time;
        EXPECT_EQ(hit.day, DayOfTimestamp(c.time)) << c.time;
        EXPECT_EQ(hit.timePacked, TimeTexts::Prepare(c.time).packed) << c.time;
        EXPECT_EQ(SecondOfTimestamp(c.time), c.second) << c.time;
    }
}

MonthExtras Analyse(TestStore& store, const std::string& key) {
    ScriptedObserver observer;
    EXPECT_TRUE(AnalyseLog(store.siteDir(), key, "http://www.site.org", observer).completed);
    return LoadMonthExtras(store.siteDir(), key);
}

TEST(RobotTallyTest, ApacheMonthSeparatesRobotsFromPeople) {
    TestStore store;
    const std::string chrome = "Mozilla/5.0 (X11; Linux x86_64) Chrome/120.0 Safari/537.36";
    store.AddMonth(
        "2004-05",
        {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200", "GET /a.html HTTP/1.0", "200", "2048",
                  "-", chrome),
         // 3.3.3.3 looks like a browser but asks for /robots.txt later: all its hits are a robot's.
         Combined("3.3.3.3", "03/May/2004:10:30:00 +0200", "GET /a.html HTTP/1.0", "200", "1024",
                  "-", chrome),
         Combined("2.2.2.2", "03/May/2004:23:59:59 +0200", "GET /b.png HTTP/1.0", "200", "1024",
                  "-", "Mozilla/5.0 (compatible; GPTBot/1.2; +https://openai.com/gptbot)"),
         Combined("2.2.2.2", "04/May/2004:10:00:00 +0200", "GET /a.html HTTP/1.0", "200", "-", "-",
                  "Mozilla/5.0 (compatible; GPTBot/1.2; +https://openai.com/gptbot)"),
         Combined("3.3.3.3", "04/May/2004:10:45:00 +0200", "GET /robots.txt HTTP/1.0", "200", "10",
                  "-", chrome),
         Combined("1.1.1.1", "04/May/2004:11:00:00 +0200", "GET /c.html HTTP/1.0", "200", "1", "-",
                  chrome)});
    const MonthExtras m = Analyse(store, "2004-05");
    ASSERT_TRUE(m.present);
    EXPECT_TRUE(m.problems.empty());
    ASSERT_EQ(m.robots.size(), 2u);
    EXPECT_EQ(m.robots[0].kind, RobotKind::kRobotsTxt);
    EXPECT_EQ(m.robots[0].name, chrome);
    EXPECT_EQ(m.robots[0].hits, 2);
    EXPECT_EQ(m.robots[0].lines, "-1-4-");
    EXPECT_EQ(m.robots[1].name, "GPTBot");
    EXPECT_EQ(m.robots[1].hits, 2);
    EXPECT_EQ(m.robots[1].pages, 1);
    EXPECT_EQ(m.robots[1].bytes, 1024);
    EXPECT_EQ(m.robots[1].lines, "-2-3-");
    EXPECT_EQ(m.robots[1].lastTime, "[04/May/2004:10:00:00 +0200]");
    EXPECT_EQ(m.audience.people.hits, 2);
    EXPECT_EQ(m.audience.people.visitors, 2);  // 1.1.1.1 on the 3rd and the 4th
    EXPECT_EQ(m.audience.robots.hits, 4);
    EXPECT_EQ(m.audience.robots.visitors, 4);
    EXPECT_EQ(m.hours.hits[10], 4);
    EXPECT_EQ(m.hours.pages[10], 3);
    EXPECT_EQ(m.hours.bytes[10], 2048 + 1024 + 10);
    EXPECT_EQ(m.hours.hits[23], 1);
    EXPECT_EQ(m.hours.hits[11], 1);

    // The new files go with the month's other results.
    DeleteAnalysis(store.siteDir(), "2004-05");
    for (const std::string& name : ExtraAnalysisFileNames("2004-05"))
        EXPECT_FALSE(FileExists(store.siteDir() + name)) << name;
}

// One classification of each hit: a browser that asked for /robots.txt but
// showed a page with its style sheet stays a person, the same user agent from
// a host that only asked is a robot, and the families count the same hits.
TEST(RobotTallyTest, RobotsTxtRuleSparesBrowsersAndFamiliesFollowIt) {
    TestStore store;
    const std::string firefox = "Mozilla/5.0 (X11; Ubuntu; Linux x86_64; rv:21.0) Firefox/21.0";
    const std::string chrome = "Mozilla/5.0 (Windows NT 10.0) Chrome/120.0 Safari/537.36";
    const std::string day = "03/May/2004:10:00:0";
    store.AddMonth(
        "2004-05",
        {Combined("1.1.1.1", day + "0 +0200", "GET /talk.html HTTP/1.0", "200", "10", "-", firefox),
         Combined("1.1.1.1", day + "1 +0200", "GET /talk.css HTTP/1.0", "200", "10", "-", firefox),
         Combined("1.1.1.1", day + "2 +0200", "GET /robots.txt HTTP/1.0", "200", "10", "-",
                  firefox),
         Combined("2.2.2.2", day + "3 +0200", "GET /robots.txt HTTP/1.0", "200", "10", "-", chrome),
         Combined("2.2.2.2", day + "4 +0200", "GET /a.html HTTP/1.0", "200", "10", "-", chrome),
         Combined("3.3.3.3", day + "5 +0200", "GET /a.html HTTP/1.0", "200", "10", "-", chrome),
         Combined("4.4.4.4", day + "6 +0200", "GET /a.html HTTP/1.0", "200", "10", "-", "-")});
    const MonthExtras m = Analyse(store, "2004-05");
    ASSERT_TRUE(m.present);
    EXPECT_TRUE(m.problems.empty());
    EXPECT_EQ(m.audience.people.hits, 4);
    EXPECT_EQ(m.audience.robots.hits, 3);
    ASSERT_EQ(m.robots.size(), 2u);
    EXPECT_EQ(m.robots[0].name, chrome);
    EXPECT_EQ(m.robots[0].lastTime, "[" + day + "4 +0200]");
    const auto hitsOf = [](const std::vector<FamilyCount>& list, std::string_view name) {
        for (const FamilyCount& f : list)
            if (f.name == name)
                return f.hits;
        return std::int64_t{0};
    };
    EXPECT_EQ(hitsOf(m.families.browsers, "Robots"), 3);
    EXPECT_EQ(hitsOf(m.families.browsers, "Firefox 21"), 3);
    EXPECT_EQ(hitsOf(m.families.browsers, "Chrome 120"), 1);
    EXPECT_EQ(hitsOf(m.families.systems, "Robots"), 3);
    EXPECT_EQ(hitsOf(m.families.systems, "Linux"), 3);
}

TEST(RobotTallyTest, IisMonthCountsHoursFromDateAndTimeFields) {
    TestStore store;
    store.AddMonth("2004-05",
                   {"#Fields: date time c-ip cs-username s-sitename s-computername cs-method "
                    "cs-uri-stem cs-uri-query sc-status cs(User-Agent)",
                    "2004-05-03 07:08:09 10.0.0.1 - W3SVC1 SRV GET /index.htm - 200 "
                    "Mozilla/5.0+(compatible;+bingbot/2.0;++http://www.bing.com/bingbot.htm)",
                    "2004-05-03 07:59:00 10.0.0.2 - W3SVC1 SRV GET /index.htm - 200 "
                    "Mozilla/5.0+(Windows+NT+10.0)",
                    "2004-05-04 18:00:00 10.0.0.2 - W3SVC1 SRV GET /x.gif - 200 "
                    "Mozilla/5.0+(Windows+NT+10.0)"},
                   "dHhuNNMINsU");
    const MonthExtras m = Analyse(store, "2004-05");
    ASSERT_TRUE(m.present);
    EXPECT_EQ(m.hours.hits[7], 2);
    EXPECT_EQ(m.hours.pages[7], 2);
    EXPECT_EQ(m.hours.hits[18], 1);
    EXPECT_EQ(m.hours.pages[18], 0);
    ASSERT_EQ(m.robots.size(), 1u);
    EXPECT_EQ(m.robots[0].name, "Bingbot");
    EXPECT_EQ(m.audience.people.hits, 2);
}

TEST(RobotTallyTest, CommonLinesWithoutUserAgentsAreNotAllRobots) {
    TestStore store;
    store.AddMonth("2004-05",
                   {"1.1.1.1 - - [03/May/2004:10:00:00 +0200] \"GET /a.html HTTP/1.0\" 200 10",
                    "2.2.2.2 - - [03/May/2004:10:00:01 +0200] \"GET /robots.txt HTTP/1.0\" 200 10",
                    "2.2.2.2 - - [03/May/2004:10:00:02 +0200] \"GET /a.html HTTP/1.0\" 200 10"},
                   "hlutrsb");
    const MonthExtras m = Analyse(store, "2004-05");
    EXPECT_EQ(m.audience.people.hits, 1);
    EXPECT_EQ(m.audience.robots.hits, 2);
}

TEST(MonthExtrasTest, MonthOfAnEarlierVersionHasNoExtras) {
    TestStore store;
    store.AddMonth("2004-05", {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200",
                                        "GET /a.html HTTP/1.0", "200", "1")});
    Analyse(store, "2004-05");
    std::remove((store.siteDir() + ExtraResultFileName(kHoursPrefix, "2004-05")).c_str());
    const MonthExtras m = LoadMonthExtras(store.siteDir(), "2004-05");
    EXPECT_FALSE(m.present);
    EXPECT_TRUE(m.problems.empty());
    EXPECT_TRUE(m.robots.empty());
}

}  // namespace
}  // namespace trafikon
