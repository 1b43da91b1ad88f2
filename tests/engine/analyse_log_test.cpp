// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs of AnalyseLog on small stored logs: the exact bytes of the
// result files, comment lines and line numbers, the malformed-line question,
// day lists and day changes, and lines written by strangers.
#include "engine/analyse_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/analysed_check.h"
#include "engine/engine_test_store.h"
#include "engine/hit_pipeline.h"
#include "store/month_stats.h"
#include "store/status_table.h"
#include "store/tagged_record.h"

namespace trafikon {
namespace {

using testing::Combined;
using testing::ReadRaw;
using testing::ScriptedObserver;
using testing::TestStore;
using testing::WriteRaw;

const char* const kResultPrefixesInOrder[] = {"ret-", "hos-", "nav-", "lfp-", "mot-",
                                              "ori-", "mit-", "oit-", "fls-", "mon-"};

std::string StatusFile(const std::vector<std::pair<int, std::string>>& counted) {
    std::string text;
    for (int code : StatusFileCodes()) {
        std::string line = std::to_string(code) + ";0;-;-";
        for (const auto& [c, l] : counted)
            if (c == code)
                line = l;
        text += line + "\r\n";
    }
    return text;
}

std::string Days(std::initializer_list<std::pair<int, long long>> values) {
    std::string text = "-";
    for (int day = 1; day <= 31; ++day) {
        long long v = 0;
        for (const auto& [d, n] : values)
            if (d == day)
                v = n;
        text += std::to_string(v) + "-";
    }
    return text;
}

MonthStats Stats(const TestStore& store, const std::string& key) {
    return ParseMonthStats(store.ReadLines("mon-", key));
}

TEST(AnalyseLogTest, WritesTheExactBytesOfEveryFile) {
    TestStore store;
    store.AddMonth("2004-05",
                   {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200", "GET /index.html HTTP/1.0",
                             "200", "1536", "http://search.example.com/find?q=web+log&hl=fr"),
                    Combined("2.2.2.2", "03/May/2004:10:00:01 +0200", "GET /img/a.PNG HTTP/1.0",
                             "304", "-", "http://www.site.org/index.html"),
                    Combined("1.1.1.1", "05/May/2004:11:00:00 +0200",
                             "GET /index.html?x=1 HTTP/1.0", "404", "100", "-", "")});
    ScriptedObserver observer;
    const AnalysisResult r =
        AnalyseLog(store.siteDir(), "2004-05", "http://www.site.org", observer);
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(r.linesRead, 3u);
    EXPECT_EQ(r.hits, 3u);
    EXPECT_TRUE(observer.asked.empty());
    EXPECT_EQ(observer.finished, std::vector<std::string>{"2004-05"});
    EXPECT_EQ(observer.progress.back(), 100);

    const std::string t0 = "[03/May/2004:10:00:00 +0200]", t1 = "[03/May/2004:10:00:01 +0200]",
                      t2 = "[05/May/2004:11:00:00 +0200]";
    EXPECT_EQ(store.Read("ret-", "2004-05"),
              StatusFile({{200, "200;1;-0-;-0-"}, {304, "304;1;-1-;-1-"}, {404, "404;1;-2-;-0-"}}));
    EXPECT_EQ(store.Read("hos-", "2004-05"), "\\1;1.1.1.1\\2;2\\3;-0-2-\\4;-0-\\5;" + t2 +
                                                 "\\6;\r\n" + "\\1;2.2.2.2\\2;1\\3;-1-\\4;-1-\\5;" +
                                                 t1 + "\\6;\r\n");
    EXPECT_EQ(store.Read("nav-", "2004-05"), "\\1;Moz\\2;2\\3;-0-1-\\4;\r\n");
    EXPECT_EQ(store.Read("lfp-", "2004-05"),
              "\\1;/index.html\\2;2\\3;-0-2-\\4;1\\5;404\\6;" + t2 +
                  "\\7;-0-\\8;-0-\\9;-\\10;-0-\\11;-\\12;-\\13;\r\n" +
                  "\\1;/img/a.PNG\\2;1\\3;-1-\\4;2\\5;304\\6;" + t1 +
                  "\\7;-1-\\8;-\\9;-\\10;-\\11;-0-\\12;-\\13;\r\n");
    EXPECT_EQ(store.Read("mot-", "2004-05"),
              "\\1;http://search.example.com/find\\2;1\\3;-0-\\4;-0-\\5;" + t0 + "\\6;\r\n");
    EXPECT_EQ(store.Read("ori-", "2004-05"),
              "\\1;\"q=web log\"  \"hl=fr\"\\2;0\\3;-26-\\4;-0-\\5;" + t0 +
                  "\\6;http://search.example.com/find?q=web+log&hl=fr"
                  "\\7;http://search.example.com/\\8;\r\n");
    EXPECT_EQ(store.Read("mit-", "2004-05"),
              "\\1;http://www.site.org/index.html\\2;1\\3;-1-\\4;-1-\\5;" + t1 + "\\6;\r\n");
    EXPECT_EQ(store.Read("oit-", "2004-05"), "");
    EXPECT_EQ(store.Read("fls-", "2004-05"), "");

    const std::string date = LogDateTimeText(store.siteDir() + "log-2004-05.log");
    const std::string expectedMonth =
        "Date=" + date + "\r\nTota=2\r\nPage=2\r\nImag=0\r\nProg=0\r\nHost=2\r\nOrig=1\r\n" +
        "Mote=1\r\nReOK=2\r\nReKO=1\r\nHits=3\r\nRet100=0\r\nRet200=1\r\nRet300=1\r\n" +
        "Ret400=1\r\nRet500=0\r\nJour=2\r\nViJo=" + Days({{3, 2}, {5, 1}}) +
        "\r\nKoJo=" + Days({{3, 1}}) + "\r\nPaJo=" + Days({{3, 1}, {5, 1}}) +
        "\r\nHiJo=" + Days({{3, 2}, {5, 1}}) + "\r\nViMo=3\r\nKoMo=1636\r\nPaMo=2\r\nHiMo=3\r\n" +
        "ttPa=-0 (2)-\r\nttHo=-0 (2)-1 (1)-\r\nttMo=-0 (1)-\r\n";
    EXPECT_EQ(store.Read("mon-", "2004-05"), expectedMonth);
    EXPECT_TRUE(IsMonthAnalysed(store.siteDir(), "2004-05"));
    // Nothing but the stored log, its format, the ten files, the six of
    // robots, people, hours, families, countries and visits, the version of the log
    // analysed and the writers' lock: no temporary left.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(store.siteDir()))
        ++entries;
    EXPECT_EQ(entries, 21u);  // with the folder's .keep file
}

TEST(AnalyseLogTest, ReferrerKindsFollowTheSiteUrl) {
    struct Case {
        const char* name;
        std::string siteUrl;
        std::string referrer;
        int externalPages, internalPages, externalQueries, internalQueries;
    };
    const Case cases[] = {
        {"internal", "http://www.site.org", "http://www.site.org/a.html", 0, 1, 0, 0},
        {"other case is external", "http://www.site.org", "http://WWW.site.org/a.html", 1, 0, 0, 0},
        {"empty site url", "", "http://www.site.org/a.html", 1, 0, 0, 0},
        {"internal query", "http://www.site.org", "http://www.site.org/s?q=1", 0, 1, 0, 1},
        {"ending in ?", "", "http://e.com/s?", 1, 0, 1, 0},
        {"dash", "http://www.site.org", "-", 0, 0, 0, 0},
        {"empty", "http://www.site.org", "", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TestStore store;
        store.AddMonth("2004-05", {Combined("h", "03/May/2004:10:00:00 +0200", "GET /x HTTP/1.0",
                                            "200", "1", c.referrer)});
        ScriptedObserver observer;
        ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", c.siteUrl, observer).completed);
        EXPECT_EQ(store.ReadLines("mot-", "2004-05").size(), std::size_t(c.externalPages))
            << c.name;
        EXPECT_EQ(store.ReadLines("mit-", "2004-05").size(), std::size_t(c.internalPages))
            << c.name;
        EXPECT_EQ(store.ReadLines("ori-", "2004-05").size(), std::size_t(c.externalQueries))
            << c.name;
        EXPECT_EQ(store.ReadLines("oit-", "2004-05").size(), std::size_t(c.internalQueries))
            << c.name;
        // The host is linked to the file with or without a referrer.
        EXPECT_EQ(ReadField(store.ReadLines("lfp-", "2004-05").at(0), 7), "-0-") << c.name;
    }
}

TEST(AnalyseLogTest, QueryRecordsKeepTheirFirstReferrerAndCrossLinks) {
    TestStore store;
    store.AddMonth("2004-05", {Combined("a", "03/May/2004:10:00:00 +0200", "GET /p1 HTTP/1.0",
                                        "200", "1", "http://www.one.com/s?q=x"),
                               Combined("b", "03/May/2004:10:00:01 +0200", "GET /p2 HTTP/1.0",
                                        "200", "1", "https://two.org/find/more?q=x"),
                               Combined("a", "03/May/2004:10:00:02 +0200", "GET /p1 HTTP/1.0",
                                        "200", "1", "http://www.one.com/s?q=y"),
                               Combined("c", "03/May/2004:10:00:03 +0200", "GET /p1 HTTP/1.0",
                                        "200", "1", "http://www.site.org/in?q=x")});
    ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "http://www.site.org", observer).completed);
    const Lines ori = store.ReadLines("ori-", "2004-05");
    ASSERT_EQ(ori.size(), 2u);
    // Fields 2, 6 and 7 keep the first hit's values; field 3 gets P at every hit.
    EXPECT_EQ(ori[0],
              "\\1;\"q=x\"\\2;0\\3;-19-16-\\4;-0-1-\\5;[03/May/2004:10:00:01 +0200]"
              "\\6;http://www.one.com/s?q=x\\7;http://www.one.com/\\8;");
    EXPECT_EQ(ReadField(ori[1], 1), "\"q=y\"");
    EXPECT_EQ(ReadField(ori[1], 2), "0");
    const Lines lfp = store.ReadLines("lfp-", "2004-05");
    ASSERT_EQ(lfp.size(), 2u);
    EXPECT_EQ(ReadField(lfp[0], 7), "-0-2-");  // hosts a, c
    EXPECT_EQ(ReadField(lfp[0], 8), "-0-1-");  // external queries x, y
    EXPECT_EQ(ReadField(lfp[0], 9), "-0-");    // internal query x
    EXPECT_EQ(ReadField(lfp[0], 10), "-0-");   // external page www.one.com/s
    EXPECT_EQ(ReadField(lfp[0], 11), "-0-");   // internal page
    EXPECT_EQ(ReadField(lfp[1], 8), "-0-");
    EXPECT_EQ(ReadField(lfp[1], 10), "-1-");
    EXPECT_EQ(store.ReadLines("oit-", "2004-05").size(), 1u);
    EXPECT_EQ(ReadField(store.ReadLines("mot-", "2004-05")[0], 4), "-0-");
}

TEST(AnalyseLogTest, IisCommentLinesKeepTheirPlaceInTheNumbering) {
    TestStore store;
    const std::string data1 = "2003-10-08 00:13:11 10.0.0.1 - x y GET /default.htm z 200 Moz";
    const std::string data2 = "2003-10-09 01:00:00 10.0.0.2 - x y GET /a.gif z 404 Moz";
    store.AddMonth("2003-10",
                   {"#Software: x", "#Version: 1.0", "#Date: 2003-10-08", "#Fields: date time",
                    data1, "#Software: restart", "#Fields: date time", data2},
                   "dHhuNNMINsU");
    ScriptedObserver observer;
    const AnalysisResult r = AnalyseLog(store.siteDir(), "2003-10", "", observer);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.linesRead, 8u);
    EXPECT_EQ(r.hits, 2u);
    EXPECT_TRUE(observer.asked.empty());
    const Lines lfp = store.ReadLines("lfp-", "2003-10");
    ASSERT_EQ(lfp.size(), 2u);
    EXPECT_EQ(ReadField(lfp[0], 1), "/default.htm");
    EXPECT_EQ(ReadField(lfp[0], 3), "-4-");
    EXPECT_EQ(ReadField(lfp[0], 6), "[08/Oct/2003:00:13:11 +0200]");
    EXPECT_EQ(ReadField(lfp[1], 3), "-7-");
    EXPECT_EQ(ReadField(lfp[1], 4), "2");
    const MonthStats s = Stats(store, "2003-10");
    EXPECT_EQ(s[kStatJour], "2");
    EXPECT_EQ(s[kStatHiJo], Days({{8, 1}, {9, 1}}));
    EXPECT_EQ(s[kStatKoMo], "0");  // the IIS format holds no bytes
}

TEST(AnalyseLogTest, MalformedLineQuestion) {
    const std::string good1 =
        Combined("a", "03/May/2004:10:00:00 +0200", "GET /1 HTTP/1.0", "200", "1");
    const std::string good2 =
        Combined("b", "04/May/2004:10:00:00 +0200", "GET /2 HTTP/1.0", "200", "2");
    const std::string shortLine =
        "c - - [03/May/2004:10:00:00 +0200] \"GET /3 HTTP/1.0\" 200 3 \"-\"";
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<MalformedLineAnswer> answers;
        bool completed;
        std::vector<std::int64_t> askedLines;
        std::uint64_t hits;
    };
    using A = MalformedLineAnswer;
    const Case cases[] = {
        {"ignored", {good1, shortLine, good2}, {A::Ignore}, true, {1}, 2},
        {"cancelled", {good1, shortLine, good2}, {A::Cancel}, false, {1}, 0},
        {"ignored last line", {good1, good2, shortLine}, {A::Ignore}, true, {2}, 2},
        {"empty line", {good1, "", good2}, {A::Ignore}, true, {1}, 2},
        {"one-character line", {"x", good1}, {A::Ignore}, true, {0}, 1},
        {"two in a row", {shortLine, shortLine, good1}, {A::Ignore, A::Ignore}, true, {0, 1}, 1},
        {"every line ignored", {shortLine}, {A::Ignore}, true, {0}, 0},
        {"yes to all asks once",
         {shortLine, good1, shortLine, shortLine},
         {A::IgnoreAll},
         true,
         {0},
         1},
    };
    for (const auto& c : cases) {
        TestStore store;
        // An earlier analysis that a cancelled run must leave as it was.
        for (const char* prefix : kResultPrefixesInOrder)
            WriteRaw(store.siteDir() + prefix + "2004-05.tfd", std::string("old ") + prefix);
        store.AddMonth("2004-05", c.lines);
        ScriptedObserver observer(c.answers);
        const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-05", "", observer);
        EXPECT_EQ(r.completed, c.completed) << c.name;
        std::vector<std::int64_t> asked;
        for (const auto& [number, text] : observer.asked) {
            asked.push_back(number);
            EXPECT_EQ(text, c.lines.at(static_cast<std::size_t>(number))) << c.name;
        }
        EXPECT_EQ(asked, c.askedLines) << c.name;
        if (!c.completed) {
            EXPECT_EQ(observer.cancelled, std::vector<std::string>{"2004-05"}) << c.name;
            EXPECT_TRUE(observer.finished.empty()) << c.name;
            for (const char* prefix : kResultPrefixesInOrder)
                EXPECT_EQ(store.Read(prefix, "2004-05"), std::string("old ") + prefix) << c.name;
            continue;
        }
        EXPECT_EQ(r.hits, c.hits) << c.name;
        EXPECT_EQ(Stats(store, "2004-05")[kStatHiMo], std::to_string(c.hits)) << c.name;
        // Line numbers stay indexes into the stored log.
        std::string lines = "-";
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            if (c.lines[i] == good1 || c.lines[i] == good2)
                lines += std::to_string(i) + "-";
        std::string stored = "-";
        for (const auto& rec : store.ReadLines("hos-", "2004-05")) {
            const std::string ids(ReadField(rec, 3));
            stored += ids.substr(1);
        }
        if (c.hits > 0) {
            EXPECT_EQ(stored, lines) << c.name;
        }
    }
}

TEST(AnalyseLogTest, EmptyMonthsWriteEveryFileForZeroHits) {
    const std::vector<std::vector<std::string>> logs = {{}, {"#only", "#comments"}};
    for (const auto& lines : logs) {
        TestStore store;
        store.AddMonth("2004-02", lines);
        ScriptedObserver observer;
        const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-02", "", observer);
        EXPECT_TRUE(r.completed);
        EXPECT_EQ(r.hits, 0u);
        EXPECT_EQ(store.Read("ret-", "2004-02"), StatusFile({}));
        for (const char* prefix : {"hos-", "nav-", "lfp-", "mot-", "ori-", "mit-", "oit-", "fls-"})
            EXPECT_EQ(store.Read(prefix, "2004-02"), "") << prefix;
        const MonthStats s = Stats(store, "2004-02");
        EXPECT_EQ(s.linesPresent, kMonthStatsLineCount);
        EXPECT_EQ(s[kStatHits], "0");
        EXPECT_EQ(s[kStatJour], "0");
        EXPECT_EQ(s[kStatViJo], Days({}));
        EXPECT_EQ(s[kStatTtPa], "-");
        EXPECT_EQ(s[kStatTtHo], "-");
        EXPECT_TRUE(IsMonthAnalysed(store.siteDir(), "2004-02"));
    }
}

TEST(AnalyseLogTest, DayListsAndDayChanges) {
    auto line = [](const std::string& day, const std::string& host, const std::string& bytes,
                   const std::string& path = "/p.html") {
        return Combined(host, day + "/May/2004:10:00:00 +0200", "GET " + path + " HTTP/1.0", "200",
                        bytes);
    };
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::string jour, viJo, koJo, paJo, hiJo, koMo;
    };
    const Case cases[] = {
        {"jump from 3 to 5",
         {line("03", "a", "10"), line("03", "b", "1536"), line("05", "a", "0")},
         "2",
         Days({{3, 2}, {5, 1}}),
         Days({{3, 1}}),
         Days({{3, 2}, {5, 1}}),
         Days({{3, 2}, {5, 1}}),
         "1546"},
        {"a day that comes back counts again",
         {line("03", "a", "1"), line("05", "a", "1"), line("03", "a", "1")},
         "3",
         Days({{3, 2}, {5, 1}}),
         Days({}),
         Days({{3, 2}, {5, 1}}),
         Days({{3, 2}, {5, 1}}),
         "3"},
        {"day 00 and 45 count in the current day",
         {line("00", "a", "1"), line("07", "b", "1"), line("45", "c", "1")},
         "1",
         Days({{1, 1}, {7, 2}}),
         Days({}),
         Days({{1, 1}, {7, 2}}),
         Days({{1, 1}, {7, 2}}),
         "3"},
        {"bytes that are not numbers add nothing",
         {line("02", "a", "-"), line("02", "a", "-5"), line("02", "a", "12x"),
          line("02", "a", "+2048")},
         "1",
         Days({{2, 1}}),
         Days({{2, 2}}),
         Days({{2, 4}}),
         Days({{2, 4}}),
         "2048"},
        {"images are no pages",
         {line("09", "a", "1", "/i.gif"), line("09", "a", "1", "/s.css"),
          line("09", "a", "1", "/")},
         "1",
         Days({{9, 1}}),
         Days({}),
         Days({{9, 1}}),
         Days({{9, 3}}),
         "3"},
        {"last day of a long month",
         {line("31", "a", "4096")},
         "1",
         Days({{31, 1}}),
         Days({{31, 4}}),
         Days({{31, 1}}),
         Days({{31, 1}}),
         "4096"},
    };
    for (const auto& c : cases) {
        TestStore store;
        store.AddMonth("2004-05", c.lines);
        ScriptedObserver observer;
        ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed) << c.name;
        const MonthStats s = Stats(store, "2004-05");
        EXPECT_EQ(s[kStatJour], c.jour) << c.name;
        EXPECT_EQ(s[kStatViJo], c.viJo) << c.name;
        EXPECT_EQ(s[kStatKoJo], c.koJo) << c.name;
        EXPECT_EQ(s[kStatPaJo], c.paJo) << c.name;
        EXPECT_EQ(s[kStatHiJo], c.hiJo) << c.name;
        EXPECT_EQ(s[kStatKoMo], c.koMo) << c.name;
    }
}

TEST(AnalyseLogTest, StatusClassesAndCodesWithoutALine) {
    struct Case {
        const char* name;
        std::vector<std::string> statuses;
        std::string reOk, reKo, hits, ret100, ret200, ret300, ret400, ret500;
    };
    const Case cases[] = {
        {"only 304", {"304", "304"}, "2", "0", "2", "0", "0", "2", "0", "0"},
        {"ends of classes",
         {"207", "307", "510", "102", "426"},
         "3",
         "2",
         "5",
         "1",
         "1",
         "1",
         "1",
         "1"},
        // Counted in their slots but without a line in the status file.
        {"unwritten slots",
         {"306", "418", "425", "508", "200"},
         "1",
         "0",
         "1",
         "0",
         "1",
         "0",
         "0",
         "0"},
        {"no slot",
         {"-", "5xx", "600", "99", "103", "-5", "404"},
         "0",
         "1",
         "1",
         "0",
         "0",
         "0",
         "1",
         "0"},
    };
    for (const auto& c : cases) {
        TestStore store;
        std::vector<std::string> lines;
        for (const auto& s : c.statuses)
            lines.push_back(Combined("h", "03/May/2004:10:00:00 +0200", "GET /x HTTP/1.0", s, "1"));
        store.AddMonth("2004-05", lines);
        ScriptedObserver observer;
        const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-05", "", observer);
        ASSERT_TRUE(r.completed) << c.name;
        const MonthStats s = Stats(store, "2004-05");
        EXPECT_EQ(s[kStatReOK], c.reOk) << c.name;
        EXPECT_EQ(s[kStatReKO], c.reKo) << c.name;
        EXPECT_EQ(s[kStatHits], c.hits) << c.name;
        EXPECT_EQ(s[kStatRet100], c.ret100) << c.name;
        EXPECT_EQ(s[kStatRet200], c.ret200) << c.name;
        EXPECT_EQ(s[kStatRet300], c.ret300) << c.name;
        EXPECT_EQ(s[kStatRet400], c.ret400) << c.name;
        EXPECT_EQ(s[kStatRet500], c.ret500) << c.name;
        // Every line is a hit of the day, whatever its status.
        EXPECT_EQ(s[kStatHiMo], std::to_string(c.statuses.size())) << c.name;
        EXPECT_EQ(store.ReadLines("ret-", "2004-05").size(), 49u) << c.name;
        // The file record keeps the last status as logged.
        EXPECT_EQ(ReadField(store.ReadLines("lfp-", "2004-05")[0], 5), c.statuses.back()) << c.name;
    }
}

TEST(AnalyseLogTest, LinesWrittenByStrangersNeverBreakTheRun) {
    const std::string t = "03/May/2004:10:00:00 +0200";
    const std::vector<std::string> lines = {
        Combined("a", t, std::string("GET /n\0ul HTTP/1.0", 18), "200", "1"),
        Combined("\xe9\xff", t, "GET /\xe9t\xe9 HTTP/1.0", "200", "1", "http://x.com/?q=%ff",
                 "\x80"),
        Combined("b", t, "GET /" + std::string(1 << 20, 'x') + " HTTP/1.0", "200", "1"),
        Combined("c", t, "GET /a\\3;b HTTP/1.0", "200", "1", "http://x\\4;y/?q=\\1;", "U\\2;"),
        Combined("d", t, "GET /q\" x HTTP/1.0", "200", "1"),
        "[[[ \"\"\" ]]] \" [ \"",
        std::string(200, ' '),
        Combined("e", "", "", "", ""),
        "\"unterminated",
        "#a comment after the first data line",
        Combined("f", t, "GET /last HTTP/1.0", "99999999999999999999999", "99999999999999999999"),
    };
    TestStore store;
    store.AddMonth("2004-05", lines);
    ScriptedObserver observer;  // ignores every malformed line
    const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-05", "", observer);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.linesRead, lines.size());
    EXPECT_EQ(r.hits + r.ignoredLines + 1, lines.size());  // the comment line is neither
    EXPECT_EQ(store.ReadLines("ret-", "2004-05").size(), 49u);
    EXPECT_EQ(Stats(store, "2004-05").linesPresent, kMonthStatsLineCount);
    // The 1 MB path is kept whole.
    bool longPath = false;
    for (const auto& rec : store.ReadLines("lfp-", "2004-05"))
        longPath |= rec.size() > (1u << 20);
    EXPECT_TRUE(longPath);
}

TEST(AnalyseLogTest, MissingFilesOfTheMonthAreIoErrors) {
    TestStore store;
    ScriptedObserver observer;
    // A log deleted since the months were listed: nothing to analyse, nothing written.
    EXPECT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).logChanged);
    EXPECT_FALSE(store.Has("mon-", "2004-05"));
    WriteRaw(store.siteDir() + "log-2004-06.log", "x\r\n");  // no format file
    EXPECT_THROW(AnalyseLog(store.siteDir(), "2004-06", "", observer), IoError);
    EXPECT_FALSE(store.Has("mon-", "2004-06"));
}

}  // namespace
}  // namespace trafikon

namespace trafikon {
namespace {

// Long logs travel in many batches between the reading thread and the run.
TEST(AnalyseLogTest, LongLogsAnswerEveryQuestionInOrderAndCancelPromptly) {
    std::vector<std::string> lines;
    std::vector<std::int64_t> malformed;
    for (int i = 0; i < 30000; ++i) {
        if (i % 7001 == 5) {
            malformed.push_back(i);
            lines.push_back("short");
        } else {
            lines.push_back(Combined("h" + std::to_string(i % 50), "03/May/2004:10:00:00 +0200",
                                     "GET /p" + std::to_string(i % 300) + " HTTP/1.0", "200", "1"));
        }
    }
    {
        TestStore store;
        store.AddMonth("2004-05", lines);
        ScriptedObserver observer;  // ignores
        const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-05", "", observer);
        ASSERT_TRUE(r.completed);
        std::vector<std::int64_t> asked;
        for (const auto& q : observer.asked)
            asked.push_back(q.first);
        EXPECT_EQ(asked, malformed);
        EXPECT_EQ(r.hits, lines.size() - malformed.size());
        EXPECT_EQ(r.linesRead, lines.size());
        // Progress goes up from 0 to 100.
        ASSERT_FALSE(observer.progress.empty());
        EXPECT_EQ(observer.progress.front(), 0);
        EXPECT_EQ(observer.progress.back(), 100);
        EXPECT_TRUE(std::is_sorted(observer.progress.begin(), observer.progress.end()));
    }
    {
        TestStore store;
        store.AddMonth("2004-05", lines);
        ScriptedObserver observer({MalformedLineAnswer::Ignore, MalformedLineAnswer::Cancel});
        const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-05", "", observer);
        EXPECT_FALSE(r.completed);
        EXPECT_EQ(observer.asked.size(), 2u);
        EXPECT_EQ(r.linesRead, static_cast<std::uint64_t>(malformed[1] + 1));
        EXPECT_FALSE(store.Has("mon-", "2004-05"));
        EXPECT_FALSE(store.Has("lfp-", "2004-05"));
    }
    {
        // A stop asked after the first batch: no question, no file, not cancelled.
        class StoppingObserver : public ScriptedObserver {
          public:
            bool StopRequested() override { return ++asks > 1; }
            int asks = 0;
        };
        TestStore store;
        store.AddMonth("2004-05", lines);
        StoppingObserver observer;
        const AnalysisResult r = AnalyseLog(store.siteDir(), "2004-05", "", observer);
        EXPECT_TRUE(r.stopped);
        EXPECT_FALSE(r.completed);
        EXPECT_LT(r.linesRead, lines.size());
        EXPECT_TRUE(observer.asked.empty());
        EXPECT_TRUE(observer.cancelled.empty());
        EXPECT_FALSE(store.Has("mon-", "2004-05"));
    }
}

}  // namespace
}  // namespace trafikon

namespace trafikon {
namespace {

// The remembered last host starts empty; a first line without a host must
// still get a host record of its own, like any other host text.
TEST(AnalyseLogTest, EmptyHostsAreRecordsLikeOthers) {
    const std::string t = "03/May/2004:10:00:00 +0200";
    TestStore store;
    store.AddMonth("2004-05", {Combined("", t, "GET /a HTTP/1.0", "200", "1"),
                               Combined("x", t, "GET /b HTTP/1.0", "200", "1"),
                               Combined("", t, "GET /a HTTP/1.0", "200", "1")});
    ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    EXPECT_EQ(store.Read("hos-", "2004-05"), "\\1;\\2;2\\3;-0-2-\\4;-0-\\5;[" + t + "]\\6;\r\n" +
                                                 "\\1;x\\2;1\\3;-1-\\4;-1-\\5;[" + t + "]\\6;\r\n");
    EXPECT_EQ(ParseMonthStats(store.ReadLines("mon-", "2004-05"))[kStatViJo],
              "-0-0-2-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-");
}

}  // namespace
}  // namespace trafikon

namespace trafikon {
namespace {

// Values are written as they stand; the monthly statistics read the lines back
// with ReadField like every other reader, tags inside values included.
TEST(AnalyseLogTest, MonthlyStatisticsReadTheWrittenLinesBack) {
    const std::string t = "03/May/2004:10:00:00 +0200";
    TestStore store;
    store.AddMonth("2004-05", {Combined("h", t, "GET /x\\4;1\\y.gif HTTP/1.0", "200", "1"),
                               Combined("h", t, "GET /a\\2;b.zip HTTP/1.0", "200", "1")});
    ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    const Lines lfp = store.ReadLines("lfp-", "2004-05");
    ASSERT_EQ(lfp.size(), 2u);
    EXPECT_EQ(lfp[0].substr(0, 21), "\\1;/x\\4;1\\y.gif\\2;1\\3");
    EXPECT_NE(lfp[0].find("\\4;2\\5;200"), std::string::npos);  // an image
    EXPECT_EQ(ReadField(lfp[1], 1), "/a");  // the tag inside cuts the path short
    const MonthStats s = ParseMonthStats(store.ReadLines("mon-", "2004-05"));
    EXPECT_EQ(s[kStatTota], "2");
    EXPECT_EQ(s[kStatImag], "1");
    EXPECT_EQ(s[kStatProg], "0");
    EXPECT_EQ(s[kStatPage], "1");
    EXPECT_EQ(s[kStatTtPa], "-0 (1)-");  // the image line holds the page marker
}

// The counting asks for the bytes of the lines ahead up to where each entry
// ends: a malformed line's end is its text's, whatever the rest of its entry
// (never written for it) holds.
TEST(LineBatchTest, MalformedLineEndsWithItsText) {
    LineBatch::Entry e;
    for (int i = 0; i < 7; ++i) {
        e.at[i] = 0x7FFFFF00u;
        e.size[i] = 0xFFu;
    }
    e.malformed = true;
    e.at[0] = 100;
    e.size[0] = 20;
    EXPECT_EQ(LineBatch::BytesEnd(e), 120u);
    e.at[0] = LineBatch::kExtra | 5;  // kept in `extra`
    EXPECT_EQ(LineBatch::BytesEnd(e), 0u);
    e.malformed = false;
    EXPECT_EQ(LineBatch::BytesEnd(e), 0x7FFFFFFFu);
}

}  // namespace
}  // namespace trafikon
