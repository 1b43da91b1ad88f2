// SPDX-License-Identifier: GPL-3.0-or-later
// The reference analysis itself, on small months whose files were worked out by hand.
#include "engine/reference/reference_analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/data_store.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon::testing {
namespace {

constexpr const char* kKey = "2004-05";

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string DayList(std::initializer_list<std::pair<int, long long>> days) {
    std::vector<long long> values(31, 0);
    for (auto [day, value] : days)
        values[day - 1] = value;
    std::string out = "-";
    for (long long v : values)
        out += std::to_string(v) + "-";
    return out;
}

class ReferenceMonth {
  public:
    ReferenceMonth(const std::string& format, const std::vector<std::string>& log) {
        site_ = dir_ / "site/";
        WriteRaw(site_ + LogFileName(kKey), Joined(log));
        std::string f;
        for (char c : format)
            f += std::string(1, c) + "\r\n";
        WriteRaw(site_ + FormatFileName(kKey), f);
    }
    ReferenceResult Run(const std::string& siteUrl, bool ignore = true) {
        return ReferenceAnalyseLog(
            site_, kKey, siteUrl, [ignore](std::int64_t) { return ignore; },
            [](const std::string&) { return std::string("DATE"); });
    }
    std::string File(const std::string& prefix) const {
        return ReadRaw(site_ + prefix + kKey + ".tfd");
    }
    Lines FileLines(const std::string& prefix) const { return SplitLines(File(prefix)); }
    bool Exists(const std::string& prefix) const {
        return FileExists(site_ + prefix + kKey + ".tfd");
    }

  private:
    TempDir dir_;
    std::string site_;
};

const std::vector<std::string> kLog = {
    "#Version: 1.0",
    "h1 - - [03/May/2004:10:00:00 +0100] \"GET /a/b.php?x=1#top HTTP/1.0\" 200 1536 "
    "\"http://se.example/find?q=web+log&hl=fr\" \"Moz\"",
    "h2 - - [03/May/2004:11:00:00 +0100] \"GET /img/logo.PNG HTTP/1.0\" 304 - "
    "\"http://my.site/index.html\" \"Moz\"",
    "h1 - - [05/May/2004:09:00:00 +0100] \"GET /a/b.php HTTP/1.1\" 404 100 \"-\" \"\"",
    "h3 - - [05/May/2004:09:30:00 +0100] \"GET /download/setup.exe HTTP/1.1\" 200 2048 "
    "\"http://se.example/find?a&&b\" \"Bot\"",
    "h2 - - [05/May/2004:10:00:00 +0100] \"GET /d.GIF HTTP/1.1\" 207 0 "
    "\"http://my.site/?x=%41%42\" \"Moz\"",
    "short line",
    "h1 - - [05/May/2004:11:00:00 +0100] \"GET /style.css HTTP/1.1\" 510 10 "
    "\"http://se.example/find?q=web+log&hl=fr\" \"Moz\"",
};

TEST(ReferenceAnalysisTest, HandComputedMonth) {
    ReferenceMonth month("hlutrsbRU", kLog);
    const ReferenceResult result = month.Run("http://my.site");
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.questions, std::vector<std::int64_t>{6});

    EXPECT_EQ(month.File("lfp-"),
              Joined({"\\1;/a/b.php\\2;2\\3;-1-3-\\4;1\\5;404\\6;[05/May/2004:09:00:00 "
                      "+0100]\\7;-0-\\8;-0-\\9;-\\10;-0-\\11;-\\12;-\\13;",
                      "\\1;/img/logo.PNG\\2;1\\3;-2-\\4;2\\5;304\\6;[03/May/2004:11:00:00 "
                      "+0100]\\7;-1-\\8;-\\9;-\\10;-\\11;-0-\\12;-\\13;",
                      "\\1;/download/setup.exe\\2;1\\3;-4-\\4;3\\5;200\\6;[05/May/2004:09:30:00 "
                      "+0100]\\7;-2-\\8;-1-\\9;-\\10;-0-\\11;-\\12;-\\13;",
                      "\\1;/d.GIF\\2;1\\3;-5-\\4;2\\5;207\\6;[05/May/2004:10:00:00 "
                      "+0100]\\7;-1-\\8;-\\9;-0-\\10;-\\11;-1-\\12;-\\13;",
                      "\\1;/style.css\\2;1\\3;-7-\\4;4\\5;510\\6;[05/May/2004:11:00:00 "
                      "+0100]\\7;-0-\\8;-0-\\9;-\\10;-0-\\11;-\\12;-\\13;"}));
    EXPECT_EQ(month.File("hos-"),
              Joined({"\\1;h1\\2;3\\3;-1-3-7-\\4;-0-4-\\5;[05/May/2004:11:00:00 +0100]\\6;",
                      "\\1;h2\\2;2\\3;-2-5-\\4;-1-3-\\5;[05/May/2004:10:00:00 +0100]\\6;",
                      "\\1;h3\\2;1\\3;-4-\\4;-2-\\5;[05/May/2004:09:30:00 +0100]\\6;"}));
    EXPECT_EQ(month.File("nav-"),
              Joined({"\\1;Moz\\2;4\\3;-1-2-5-7-\\4;", "\\1;Bot\\2;1\\3;-4-\\4;"}));
    EXPECT_EQ(month.File("mot-"),
              Joined({"\\1;http://se.example/find\\2;3\\3;-1-4-7-\\4;-0-2-4-\\5;[05/May/"
                      "2004:11:00:00 +0100]\\6;"}));
    EXPECT_EQ(month.File("ori-"),
              Joined({"\\1;\"q=web log\"  \"hl=fr\"\\2;0\\3;-18-18-\\4;-0-4-\\5;[05/May/"
                      "2004:11:00:00 +0100]\\6;http://se.example/"
                      "find?q=web+log&hl=fr\\7;http://se.example/\\8;",
                      "\\1;\"a\"  \"\"  \"b\"\\2;0\\3;-18-\\4;-2-\\5;[05/May/2004:09:30:00 "
                      "+0100]\\6;http://se.example/find?a&&b\\7;http://se.example/\\8;"}));
    EXPECT_EQ(month.File("mit-"),
              Joined({"\\1;http://my.site/index.html\\2;1\\3;-2-\\4;-1-\\5;[03/May/2004:11:00:00 "
                      "+0100]\\6;",
                      "\\1;http://my.site/\\2;1\\3;-5-\\4;-3-\\5;[05/May/2004:10:00:00 "
                      "+0100]\\6;"}));
    EXPECT_EQ(month.File("oit-"),
              Joined({"\\1;\"x=AB\"\\2;1\\3;-15-\\4;-3-\\5;[05/May/2004:10:00:00 "
                      "+0100]\\6;http://my.site/?x=%41%42\\7;http://my.site/\\8;"}));
    EXPECT_EQ(month.File("fls-"), "");

    const Lines ret = month.FileLines("ret-");
    ASSERT_EQ(ret.size(), 49u);
    EXPECT_EQ(ret[0], "100;0;-;-");
    EXPECT_EQ(ret[3], "200;2;-1-4-;-0-2-");
    EXPECT_EQ(ret[10], "207;1;-5-;-3-");
    EXPECT_EQ(ret[15], "304;1;-2-;-1-");
    EXPECT_EQ(ret[17], "307;0;-;-");
    EXPECT_EQ(ret[22], "404;1;-3-;-0-");
    EXPECT_EQ(ret[48], "510;1;-7-;-4-");

    EXPECT_EQ(month.FileLines("mon-"),
              (Lines{"Date=DATE",
                     "Tota=5",
                     "Page=4",  // /img/logo.PNG and /d.GIF: upper-case extensions count as pages
                     "Imag=0",
                     "Prog=1",
                     "Host=3",
                     "Orig=2",
                     "Mote=1",
                     "ReOK=4",
                     "ReKO=2",
                     "Hits=6",
                     "Ret100=0",
                     "Ret200=3",
                     "Ret300=1",
                     "Ret400=1",
                     "Ret500=1",
                     "Jour=2",
                     "ViJo=" + DayList({{3, 2}, {5, 3}}),
                     "KoJo=" + DayList({{3, 1}, {5, 2}}),
                     "PaJo=" + DayList({{3, 1}, {5, 1}}),
                     "HiJo=" + DayList({{3, 2}, {5, 4}}),
                     "ViMo=5",
                     "KoMo=3694",
                     "PaMo=2",
                     "HiMo=6",
                     "ttPa=-0 (2)-",
                     "ttHo=-0 (3)-1 (2)-2 (1)-",
                     "ttMo=-0 (3)-"}));
}

TEST(ReferenceAnalysisTest, CancelledRunWritesNothing) {
    ReferenceMonth month("hlutrsbRU", kLog);
    const ReferenceResult result = month.Run("", false);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(result.questions, std::vector<std::int64_t>{6});
    for (const char* prefix : {"lfp-", "hos-", "ret-", "fls-", "mon-"})
        EXPECT_FALSE(month.Exists(prefix)) << prefix;
}

TEST(ReferenceAnalysisTest, MonthlyCountsOfPathsAndEmptyMonths) {
    ReferenceMonth month("hr", {"a \"GET /a.gif\"", "a \"GET /b.zip\"", "a \"GET /c\"",
                                "a \"GET /d.GIF\"", "a \"GET /e.xhtml\""});
    ASSERT_TRUE(month.Run("").completed);
    const Lines mon = month.FileLines("mon-");
    EXPECT_EQ(mon[1], "Tota=5");
    EXPECT_EQ(mon[2], "Page=3");
    EXPECT_EQ(mon[3], "Imag=1");
    EXPECT_EQ(mon[4], "Prog=1");
    // No date in the format: every hit stays in day 1 and no day change is counted.
    EXPECT_EQ(mon[16], "Jour=0");
    EXPECT_EQ(mon[20], "HiJo=" + DayList({{1, 5}}));
    // /a.gif, /b.zip, /c, /d.GIF, /e.xhtml: types 2, 3, 1, 2 and 1 (the five-character
    // scan does not see ".xhtml").
    const Lines lfp = month.FileLines("lfp-");
    ASSERT_EQ(lfp.size(), 5u);
    const char types[] = {'2', '3', '1', '2', '1'};
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(lfp[i].find(std::string("\\4;") + types[i] + "\\5;"), std::string::npos)
            << lfp[i];

    for (const std::vector<std::string>& log :
         {std::vector<std::string>{}, std::vector<std::string>{"#a", "#b"}}) {
        ReferenceMonth empty("hlutrsbRU", log);
        ASSERT_TRUE(empty.Run("").completed);
        EXPECT_EQ(empty.File("lfp-"), "");
        EXPECT_EQ(empty.FileLines("ret-").size(), 49u);
        const Lines m = empty.FileLines("mon-");
        ASSERT_EQ(m.size(), 28u);
        EXPECT_EQ(m[10], "Hits=0");
        EXPECT_EQ(m[25], "ttPa=-");
    }
}

// Lines whose day is not 01 to 31 count in the current day and leave the day
// of the last valid line in place; days 3 -> 5 count two changes and day 4 stays 0.
TEST(ReferenceAnalysisTest, DayChanges) {
    auto line = [](const std::string& day, const std::string& bytes) {
        return "h - - [" + day + "/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 " + bytes;
    };
    ReferenceMonth month("hlutrsb",
                         {line("00", "5"), line("03", "1536"), line("45", "-"), line("x3", "-5"),
                          line("03", "+0"), line("05", "1023"), line("03", "1")});
    ASSERT_TRUE(month.Run("").completed);
    const Lines mon = month.FileLines("mon-");
    EXPECT_EQ(mon[16], "Jour=3");
    EXPECT_EQ(mon[17], "ViJo=" + DayList({{1, 1}, {3, 2}, {5, 1}}));
    EXPECT_EQ(mon[18], "KoJo=" + DayList({{3, 1}}));
    EXPECT_EQ(mon[20], "HiJo=" + DayList({{1, 1}, {3, 5}, {5, 1}}));
    EXPECT_EQ(mon[22], "KoMo=2565");
}

TEST(ReferenceAnalysisTest, DecodeQuery) {
    struct Case {
        std::string raw, referrer, decoded;
    };
    const Case cases[] = {
        {"q=web+log&hl=fr", "http://s/?", "\"q=web log\"  \"hl=fr\""},
        {"a&&b", "http://s/?", "\"a\"  \"\"  \"b\""},
        {"x=%41%42", "http://s/?", "\"x=AB\""},
        {"x=a%41", "http://s/?", "\"x=aA\""},
        {"", "http://s/?", "\"\""},
        {"a+", "http://s/?", "\"a+\""},                    // the "+" before the quote stays
        {"x=%4", "http://s/?", std::string("\"x=\0", 4)},  // the escape eats the closing quote
        {"%4h%1H", "http://s/?", "\"\x04\x01\""},
        {"%zz%HH", "http://s/?", std::string("\"\0\0\"", 4)},
        {"%C3%A9", "http://s/?ie=utf-8", "\"\xE9\""},
        {"%C3%A9", "http://s/?ie=UTF-8", "\"\xE9\""},
        {"%C3%A9", "http://s/?ie=Utf-8", "\"\xC3\xA9\""},
        {"%C3%A9", "utf-8://s/", "\"\xC3\xA9\""},  // only after the first character
        {"%E2%82%AC%C2%81%C5%93", "xutf-8", "\"\x80?\x9C\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReferenceDecodeQuery(c.raw, c.referrer), c.decoded) << c.raw << " " << c.referrer;
}

TEST(ReferenceAnalysisTest, Utf8ToCp1252) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"\xC3\xA9\xC2\xA0", "\xE9\xA0"},
        {"\xE2\x82\xAC\xE2\x80\x9A\xC5\xB8", "\x80\x82\x9F"},
        {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC2\x80", "??????"},  // no Windows-1252 byte
        {"\xE4\xB8\xAD\xF0\x9F\x98\x80", "??"},
        {"\xFF\xFE", "??"},            // two maximal ill-formed subparts
        {"\xE2\x82x", "?x"},           // a truncated sequence is one subpart
        {"\xE0\x80\xAF", "???"},       // overlong: E0 is not followed by A0..BF
        {"\xED\xA0\x80", "???"},       // surrogate
        {"\xF4\x90\x80\x80", "????"},  // above U+10FFFF
        {"\xC0\xAF", "??"},
        {"\xF0\x9F\x98", "?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReferenceUtf8ToCp1252(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace trafikon::testing
