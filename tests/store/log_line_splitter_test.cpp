// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/log_line_splitter.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include "support/store_records.h"

namespace trafikon {
namespace {

const std::string kApacheLine =
    "192.168.0.1 - - [24/Mar/2002:01:37:08 +0100] \"GET /index.php HTTP/1.1\" 304 1248 "
    "\"http://www.example.com/start.html?q=a b\" \"Mozilla/3\"";
const std::string kIisLine =
    "2003-10-08 00:13:11 10.0.0.5 - W3SVC1 SRV1 GET /default.htm - 200 "
    "Mozilla/4.0+(compatible;+MSIE+6.0)";

// Splits and completes one line, and gives its month key as the import takes it.
std::string SplitAndKey(LogLineSplitter& splitter, std::string_view line) {
    splitter.Split(line);
    const bool datedByT = !splitter['t'].empty();
    splitter.Complete();
    std::string key;
    AppendMonthKey(key, datedByT, splitter['t'], splitter['d']);
    return key;
}

TEST(LogLineSplitterTest, FieldRules) {
    struct Case {
        const char* name;
        std::string_view line;
        char code;
        std::string_view value;
        std::string_view rest;
    };
    const Case cases[] = {
        {"plain", "host rest ", 'h', "host", "rest "},
        {"plain, last field", "200 ", 's', "200", ""},
        {"plain without blank", "abc", 'h', "", "bc"},
        {"empty line", "", 'h', "", ""},
        {"quoted", "\"Mozilla/3 (X11)\" next ", 'U', "Mozilla/3 (X11)", "next "},
        {"quoted request", "\"GET / HTTP/1.1\" 200 5 ", 'r', "GET / HTTP/1.1", "200 5 "},
        {"empty quoted", "\"\" 200 ", 'R', "", "200 "},
        {"quote and blank at once", "\" abc\" 1 ", 'U', "", "abc\" 1 "},
        {"one quote", "\" ", 'U', "", ""},
        {"unterminated quote", "\"abc def ", 'U', "", "abc def "},
        {"bracketed", "[24/Mar/2002:01:37:08 +0100] \"GET", 't', "[24/Mar/2002:01:37:08 +0100]",
         "\"GET"},
        {"unterminated bracket", "[24/Mar/2002 x ", 't', "", "24/Mar/2002 x "},
        {"bracket without blank after", "[a]b] c ", 't', "[a]b]", "c "},
        {"request with inner quote", "\"GET /a\" b HTTP/1.1\" 200 5 ", 'r', "GET /a", "200 5 "},
        {"request then dash", "\"GET /\" - 5 ", 'r', "GET /", "- 5 "},
        {"request skip runs out", "\"GET /a\" b c ", 'r', "GET /a", ""},
        {"request skip ends at the line end", "\"a\" x\"", 'r', "a", ""},
        {"unquoted request skips to a digit", "GET /x HTTP/1.0 200 ", 'r', "GET", "1.0 200 "},
        {"skip only for r", "\"GET /a\" b HTTP/1.1\" 200 ", 'U', "GET /a", "b HTTP/1.1\" 200 "},
    };
    for (const Case& c : cases) {
        std::size_t pos = 0;
        EXPECT_EQ(LogLineSplitter::TakeField(c.line, pos, c.code), c.value) << c.name;
        EXPECT_EQ(c.line.substr(pos), c.rest) << c.name;
    }
}

TEST(LogLineSplitterTest, ApacheCombinedLine) {
    LogLineSplitter f{FieldFormat(kApacheDefault.format)};
    EXPECT_EQ(SplitAndKey(f, kApacheLine), "2002-03");
    EXPECT_EQ(f['h'], "192.168.0.1");
    EXPECT_EQ(f['l'], "-");
    EXPECT_EQ(f['u'], "-");
    EXPECT_EQ(f['t'], "[24/Mar/2002:01:37:08 +0100]");
    EXPECT_EQ(f['r'], "GET /index.php HTTP/1.1");
    EXPECT_EQ(f['s'], "304");
    EXPECT_EQ(f['b'], "1248");
    EXPECT_EQ(f['R'], "http://www.example.com/start.html?q=a b");
    EXPECT_EQ(f['U'], "Mozilla/3");
    EXPECT_EQ(f['d'], "2002-03-24");
    EXPECT_EQ(f['H'], "01:37:08");

    // EasyPHP stops after b; what follows is not read.
    LogLineSplitter easy{FieldFormat(kEasyPhpDefault.format)};
    SplitAndKey(easy, kApacheLine);
    EXPECT_EQ(easy['b'], "1248");
    EXPECT_EQ(easy['R'], "");
    EXPECT_EQ(easy['U'], "");

    // A request holding a quote and a blank still reaches the status.
    SplitAndKey(f, "h - - [24/Mar/2002:01:37:08 +0100] \"GET /a\" b HTTP/1.0\" 404 12 \"-\" \"M\"");
    EXPECT_EQ(f['r'], "GET /a");
    EXPECT_EQ(f['s'], "404");
    EXPECT_EQ(f['b'], "12");
    EXPECT_EQ(f['R'], "-");
    EXPECT_EQ(f['U'], "M");
}

TEST(LogLineSplitterTest, IisLinesAndTheirDates) {
    LogLineSplitter f{FieldFormat(kIisDefault.format)};
    EXPECT_EQ(SplitAndKey(f, kIisLine), "2003-10");
    EXPECT_EQ(f['d'], "2003-10-08");
    EXPECT_EQ(f['H'], "00:13:11");
    EXPECT_EQ(f['h'], "10.0.0.5");
    EXPECT_EQ(f['u'], "-");
    EXPECT_EQ(f['M'], "GET");
    EXPECT_EQ(f['I'], "/default.htm");
    EXPECT_EQ(f['N'], "-");  // the third N overwrote the first two
    EXPECT_EQ(f['s'], "200");
    EXPECT_EQ(f['U'], "Mozilla/4.0+(compatible;+MSIE+6.0)");
    EXPECT_EQ(f['t'], "[08/Oct/2003:00:13:11 +0200]");
    EXPECT_EQ(f['r'], "GET /default.htm HTTP/1.1");
    EXPECT_EQ(DayTimeStamp(f['t']), "08:00:13:11");

    // The next line's date comes from its own d and H, not from the t just built.
    EXPECT_EQ(SplitAndKey(f, "2003-11-30 23:59:59 h - a b GET /x - 404 UA"), "2003-11");
    EXPECT_EQ(f['t'], "[30/Nov/2003:23:59:59 +0200]");
}

TEST(LogLineSplitterTest, DateCompletion) {
    struct Case {
        const char* name;
        std::string t, d, h;
        std::string outT, outD, outH, key;
    };
    const Case cases[] = {
        {"apache", "[24/Mar/2002:01:37:08 +0100]", "", "", "[24/Mar/2002:01:37:08 +0100]",
         "2002-03-24", "01:37:08", "2002-03"},
        {"apache december", "[01/Dec/1999:23:00:00 -0500]", "x", "y",
         "[01/Dec/1999:23:00:00 -0500]", "1999-12-01", "23:00:00", "1999-12"},
        {"apache lower-case month", "[24/mar/2002:01:37:08 +0100]", "", "",
         "[24/mar/2002:01:37:08 +0100]", "2002-00-24", "01:37:08", "2002-00"},
        {"apache short t", "[24/Mar/20", "", "", "[24/Mar/20", "20-03-24", "::", "20-03"},
        {"apache t of one character", "[", "", "", "[", "-00-", "::", "-00"},
        // The same date as two lines before, after short texts that set d otherwise.
        {"apache date seen before", "[24/mar/2002:02:00:00 +0100]", "", "",
         "[24/mar/2002:02:00:00 +0100]", "2002-00-24", "02:00:00", "2002-00"},
        {"apache same date", "[24/mar/2002:03:00:00 +0100]", "", "", "[24/mar/2002:03:00:00 +0100]",
         "2002-00-24", "03:00:00", "2002-00"},
        {"iis", "", "2003-10-08", "00:13:11", "[08/Oct/2003:00:13:11 +0200]", "2003-10-08",
         "00:13:11", "2003-10"},
        {"iis january", "", "2004-01-31", "12:00:01", "[31/Jan/2004:12:00:01 +0200]", "2004-01-31",
         "12:00:01", "2004-01"},
        {"iis month 13", "", "2003-13-08", "00:13:11", "[08//2003:00:13:11 +0200]", "2003-13-08",
         "00:13:11", "2003-13"},
        {"iis month 00", "", "2003-00-08", "00:13:11", "[08//2003:00:13:11 +0200]", "2003-00-08",
         "00:13:11", "2003-00"},
        {"iis month not a number", "", "2003-1x-08", "00:13:11", "[08//2003:00:13:11 +0200]",
         "2003-1x-08", "00:13:11", "2003-1x"},
        {"iis short d and H", "", "2003-1", "0", "[/Jan/2003:0:: +0200]", "2003-1", "0", "2003-1"},
        {"iis empty", "", "", "", "[//::: +0200]", "", "", "-"},
    };
    // One splitter for all, one line after the other, as in a log.
    LogLineSplitter f{FieldFormat("tdH")};
    for (const Case& c : cases) {
        // Quoted, so that each value is taken as it stands.
        EXPECT_EQ(SplitAndKey(f, "\"" + c.t + "\" \"" + c.d + "\" \"" + c.h + "\""), c.key)
            << c.name;
        EXPECT_EQ(f['t'], c.outT) << c.name;
        EXPECT_EQ(f['d'], c.outD) << c.name;
        EXPECT_EQ(f['H'], c.outH) << c.name;
    }
}

TEST(LogLineSplitterTest, ValuesThatOnlyTheDateSetsSurviveToTheNextLine) {
    LogLineSplitter f{FieldFormat("htrs")};
    SplitAndKey(f, "h1 [24/Mar/2002:01:37:08 +0100] GET 200");
    // A line with an empty t: d and H keep the previous line's values, and t
    // is rebuilt from them.
    EXPECT_EQ(SplitAndKey(f, "h2 \"\" GET 200"), "2002-03");
    EXPECT_EQ(f['h'], "h2");
    EXPECT_EQ(f['r'], "GET");
    EXPECT_EQ(f['s'], "200");
    EXPECT_EQ(f['d'], "2002-03-24");
    EXPECT_EQ(f['t'], "[24/Mar/2002:01:37:08 +0200]");
    // A short line leaves the fields past its end empty.
    EXPECT_FALSE(f.Split("onlyhost"));
    EXPECT_EQ(f['h'], "onlyhost");
    EXPECT_EQ(f['t'], "");
    EXPECT_EQ(f['r'], "");
    EXPECT_EQ(f['s'], "");
}

std::vector<std::string> HostileLines() {
    std::vector<std::string> lines = {
        "",
        "\"",
        "[",
        "\" [ \"",
        "\"unterminated quote and more",
        "[unterminated bracket and more",
        std::string(1 << 20, 'a'),
        std::string(1 << 20, '"'),
        std::string("\0\0\0 \xff\xfe \"\x80\" [\x90] 200", 19),
        "h - - [24/Mar/2002:01:37:08 +0100] \"GET / HTTP/1.1\"",
        "h - - [24/Ma] \"GET\" 200 5",
        "1 2",
    };
    std::mt19937 rng(5);
    const std::string alphabet = std::string("\" []-0a\xff", 9) + std::string(1, '\0');
    for (int i = 0; i < 3000; ++i) {
        std::string s(rng() % 60, ' ');
        for (char& c : s)
            c = alphabet[rng() % alphabet.size()];
        lines.push_back(s);
    }
    return lines;
}

TEST(LogLineSplitterTest, HostileLinesNeverCrashOrHang) {
    const std::vector<std::string> lines = HostileLines();
    for (std::string_view format :
         {kApacheDefault.format, kIisDefault.format, kEasyPhpDefault.format,
          std::string_view("rrrrrrrr"), std::string_view("tdH"), std::string_view("xyz")}) {
        LogLineSplitter f{FieldFormat(format)};
        for (const std::string& line : lines) {
            ASSERT_LE(SplitAndKey(f, line).size(), 8u);
            for (char code : format) {
                // The completion builds t, d, H and r; every other value is cut from the line.
                if (code != 't' && code != 'd' && code != 'H' && code != 'r') {
                    ASSERT_LE(f[code].size(), line.size());
                }
            }
        }
    }
}

TEST(LogLineSplitterTest, MalformedWhenTheLineEndsBeforeAField) {
    struct Case {
        FieldFormat format;
        std::string line;
        bool complete;
    };
    const Case cases[] = {
        {"hlutrsbRU", "h - - [t] \"r\" 200 1 \"-\" \"U\"", true},
        {"hlutrsbRU", "h - - [t] \"r\" 200 1 \"-\"", false},
        {"hlutrsbRU", "h - - [t] \"r\" 200 1 \"-\" \"U\" more", true},
        {"hlutrsbRU", "", false},
        {"h", "", true},    // the appended blank gives the one field
        {"hl", "", false},  // an empty line runs out at its second field
        {"hl", "x", false},
        {"hl", "x ", true},
        {"", "anything", true},
        {"hr", "h \"unterminated", true},
        {"hrs", "h \"unterminated", false},  // the request skip eats the rest
        {"hrs", "h \"GET / x\" y\" 200", true},
    };
    for (const auto& c : cases) {
        LogLineSplitter splitter(c.format);
        EXPECT_EQ(splitter.Split(c.line), c.complete) << c.format << " [" << c.line << "]";
    }
}

// Splitting a line where it lies reads nothing past it (here a quote and a
// bracket that would end a field) and gives what splitting a copy gives.
TEST(LogLineSplitterTest, InPlaceSplitMatchesTheCopyingOne) {
    std::vector<std::string> lines = HostileLines();
    lines.push_back(kApacheLine);
    lines.push_back(kApacheLine + " \"");
    for (std::string_view format :
         {kApacheDefault.format, std::string_view("rrrrrrrr"), std::string_view("hlutrsbRUN")}) {
        LogLineSplitter copying{FieldFormat(format)}, inPlace{FieldFormat(format)};
        for (const std::string& line : lines) {
            const std::string buffer = line + "\"] x";
            ASSERT_EQ(inPlace.SplitInPlace(std::string_view(buffer.data(), line.size())),
                      copying.Split(line));
            for (char code : format)
                ASSERT_EQ(inPlace[code], copying[code]) << format << " [" << line << "]";
        }
    }
}

}  // namespace
}  // namespace trafikon
