#include "store/log_format.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

const std::string kApacheLine =
    "192.168.0.1 - - [24/Mar/2002:01:37:08 +0100] \"GET /index.php HTTP/1.1\" 304 1248 "
    "\"http://www.example.com/start.html?q=a b\" \"Mozilla/3\"";
const std::string kIisLine =
    "2003-10-08 00:13:11 10.0.0.5 - W3SVC1 SRV1 GET /default.htm - 200 "
    "Mozilla/4.0+(compatible;+MSIE+6.0)";

struct Split {
    LogFields fields;
    DateParts parts;
    void operator()(std::string_view line, std::string_view format) {
        SplitLine(line, format, fields, parts);
    }
};

TEST(LogFormatTest, FieldCodesAndTheirTexts) {
    const std::string codes = "hlutrIsbRUvdHMN";
    for (std::size_t k = 0; k < codes.size(); ++k) {
        EXPECT_TRUE(IsFieldCode(codes[k]));
        EXPECT_EQ(FieldCodeOffset(codes[k]), 12 + static_cast<int>(k)) << codes[k];
        EXPECT_EQ(FieldTextEntry(codes[k]), 60 + static_cast<int>(k)) << codes[k];
    }
    for (char c : {'x', 'L', 'T', '%', '\0', '\xe9'}) {
        EXPECT_FALSE(IsFieldCode(c));
        EXPECT_EQ(FieldCodeOffset(c), 0);
        EXPECT_EQ(FieldTextEntry(c), 48);
    }
    EXPECT_EQ(CodeOfFieldText("%h-Remote Host"), 'h');
    EXPECT_EQ(CodeOfFieldText("%R-R\xe9"
                              "f\xe9rent (\\\"%{Referrer}i\\\")"),
              'R');
    EXPECT_EQ(CodeOfFieldText("%"), '\0');
    EXPECT_EQ(CodeOfFieldText(""), '\0');
}

TEST(LogFormatTest, DefaultsCoverEveryCodeAndAreComplete) {
    const std::set<char> all = {'h', 'l', 'u', 't', 'r', 'I', 's', 'b',
                                'R', 'U', 'v', 'd', 'H', 'M', 'N'};
    for (const DefaultFormat& d : {kApacheDefault, kIisDefault, kEasyPhpDefault}) {
        std::set<char> seen;
        for (char c : d.format) {
            EXPECT_TRUE(c == 'N' || seen.insert(c).second) << "twice: " << c;
            seen.insert(c);
        }
        for (char c : d.remaining) {
            EXPECT_TRUE(c == 'N' || seen.insert(c).second) << "twice: " << c;
            seen.insert(c);
        }
        EXPECT_EQ(seen, all) << d.format;
        EXPECT_EQ(CheckRequiredFields(d.format), "") << d.format;
    }
}

TEST(LogFormatTest, RequiredFields) {
    struct Case {
        std::string_view format;
        std::string missing;
    };
    const Case cases[] = {
        {"", "Ressource, Retour HTTP, Host"},
        {"hlutrsbRU", ""},
        {"Msh", ""},
        {"hr", "Retour HTTP"},
        {"rs", "Host"},
        {"sh", "Ressource"},
        {"h", "Ressource, Retour HTTP"},
        {"IdH", "Ressource, Retour HTTP, Host"},
        {"RSHm", "Ressource, Retour HTTP, Host"},  // codes are case-sensitive
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckRequiredFields(c.format), c.missing) << c.format;
}

TEST(LogFormatTest, FormatFiles) {
    testing::TempDir dir;
    WriteFormatFile(dir / "format.log", kIisDefault.format);
    EXPECT_EQ(testing::ReadRaw(dir / "format.log"),
              "d\r\nH\r\nh\r\nu\r\nN\r\nN\r\nM\r\nI\r\nN\r\ns\r\nU\r\n");
    EXPECT_EQ(ReadFormatFile(dir / "format.log"), kIisDefault.format);

    testing::WriteRaw(dir / "format-2004-05.tfd", "h\r\n\r\nlong\nx\r\n");
    EXPECT_EQ(ReadFormatFile(dir / "format-2004-05.tfd"), "hlx");
    EXPECT_EQ(ReadFormatFileIfExists(dir / "none.tfd"), "");
    EXPECT_THROW(ReadFormatFile(dir / "none.tfd"), IoError);
    WriteFormatFile(dir / "empty.tfd", "");
    EXPECT_EQ(testing::ReadRaw(dir / "empty.tfd"), "");
}

TEST(LogFormatTest, ExtractFieldRules) {
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
        std::string_view line = c.line;
        std::string_view value = "stale";
        ExtractField(line, value, c.code);
        EXPECT_EQ(value, c.value) << c.name;
        EXPECT_EQ(line, c.rest) << c.name;
    }
}

TEST(LogFormatTest, ApacheCombinedLine) {
    Split split;
    split(kApacheLine, kApacheDefault.format);
    const LogFields& f = split.fields;
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
    EXPECT_EQ(MonthKey(split.parts), "2002-03");
    EXPECT_EQ(split.parts.monthName, "Mar");
    EXPECT_EQ(split.parts.second, "08");

    // EasyPHP stops after b; what follows is not read.
    Split easy;
    easy(kApacheLine, kEasyPhpDefault.format);
    EXPECT_EQ(easy.fields['b'], "1248");
    EXPECT_EQ(easy.fields['R'], "");
    EXPECT_EQ(easy.fields['U'], "");

    // A request holding a quote and a blank still reaches the status.
    Split odd;
    odd("h - - [24/Mar/2002:01:37:08 +0100] \"GET /a\" b HTTP/1.0\" 404 12 \"-\" \"M\"",
        kApacheDefault.format);
    EXPECT_EQ(odd.fields['r'], "GET /a");
    EXPECT_EQ(odd.fields['s'], "404");
    EXPECT_EQ(odd.fields['b'], "12");
    EXPECT_EQ(odd.fields['R'], "-");
    EXPECT_EQ(odd.fields['U'], "M");
}

TEST(LogFormatTest, IisLinesAndTheirDates) {
    Split split;
    split(kIisLine, kIisDefault.format);
    const LogFields& f = split.fields;
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
    EXPECT_EQ(MonthKey(split.parts), "2003-10");
    EXPECT_EQ(DayTimeStamp(f['t']), "08:00:13:11");

    // The next line's date comes from its own d and H, not from the t just built.
    split("2003-11-30 23:59:59 h - a b GET /x - 404 UA", kIisDefault.format);
    EXPECT_EQ(f['t'], "[30/Nov/2003:23:59:59 +0200]");
    EXPECT_EQ(MonthKey(split.parts), "2003-11");
}

TEST(LogFormatTest, DateCompletion) {
    struct Case {
        const char* name;
        std::string t, d, h;
        std::string outT, outD, outH, key, monthName;
    };
    const Case cases[] = {
        {"apache", "[24/Mar/2002:01:37:08 +0100]", "", "", "[24/Mar/2002:01:37:08 +0100]",
         "2002-03-24", "01:37:08", "2002-03", "Mar"},
        {"apache december", "[01/Dec/1999:23:00:00 -0500]", "x", "y",
         "[01/Dec/1999:23:00:00 -0500]", "1999-12-01", "23:00:00", "1999-12", "Dec"},
        {"apache lower-case month", "[24/mar/2002:01:37:08 +0100]", "", "",
         "[24/mar/2002:01:37:08 +0100]", "2002-00-24", "01:37:08", "2002-00", "mar"},
        {"apache short t", "[24/Mar/20", "", "", "[24/Mar/20", "20-03-24", "::", "20-03", "Mar"},
        {"apache t of one character", "[", "", "", "[", "-00-", "::", "-00", ""},
        {"iis", "", "2003-10-08", "00:13:11", "[08/Oct/2003:00:13:11 +0200]", "2003-10-08",
         "00:13:11", "2003-10", "Oct"},
        {"iis january", "", "2004-01-31", "12:00:01", "[31/Jan/2004:12:00:01 +0200]", "2004-01-31",
         "12:00:01", "2004-01", "Jan"},
        {"iis month 13", "", "2003-13-08", "00:13:11", "[08//2003:00:13:11 +0200]", "2003-13-08",
         "00:13:11", "2003-13", ""},
        {"iis month 00", "", "2003-00-08", "00:13:11", "[08//2003:00:13:11 +0200]", "2003-00-08",
         "00:13:11", "2003-00", ""},
        {"iis month not a number", "", "2003-1x-08", "00:13:11", "[08//2003:00:13:11 +0200]",
         "2003-1x-08", "00:13:11", "2003-1x", ""},
        {"iis short d and H", "", "2003-1", "0", "[/Jan/2003:0:: +0200]", "2003-1", "0", "2003-1",
         "Jan"},
        {"iis empty", "", "", "", "[//::: +0200]", "", "", "-", ""},
    };
    for (const Case& c : cases) {
        LogFields fields;
        DateParts parts;
        fields['t'] = c.t;
        fields['d'] = c.d;
        fields['H'] = c.h;
        NormaliseDates(fields, parts);
        EXPECT_EQ(fields['t'], c.outT) << c.name;
        EXPECT_EQ(fields['d'], c.outD) << c.name;
        EXPECT_EQ(fields['H'], c.outH) << c.name;
        EXPECT_EQ(MonthKey(parts), c.key) << c.name;
        EXPECT_EQ(parts.monthName, c.monthName) << c.name;
    }
}

TEST(LogFormatTest, DayTimeStamps) {
    EXPECT_EQ(DayTimeStamp("[24/Mar/2002:01:37:08 +0100]"), "24:01:37:08");
    EXPECT_EQ(DayTimeStamp("[24/Mar/2002:01:3"), "24:01:3");
    EXPECT_EQ(DayTimeStamp("[24/Mar"), "24");
    EXPECT_EQ(DayTimeStamp("[2"), "2");
    EXPECT_EQ(DayTimeStamp(""), "");
    std::string out = "x";
    AppendDayTimeStamp(out, "[08/Oct/2003:00:13:11 +0200]");
    EXPECT_EQ(out, "x08:00:13:11");
}

TEST(LogFormatTest, ValuesThatOnlyTheDateSetsSurviveToTheNextLine) {
    Split split;
    split(kApacheLine, kApacheDefault.format);
    // A format without t and d: t is emptied, d and H keep the previous line's
    // values, and t is rebuilt from them.
    split("h2 GET 200", "hrs");
    EXPECT_EQ(split.fields['h'], "h2");
    EXPECT_EQ(split.fields['r'], "GET");
    EXPECT_EQ(split.fields['s'], "200");
    EXPECT_EQ(split.fields['d'], "2002-03-24");
    EXPECT_EQ(split.fields['t'], "[24/Mar/2002:01:37:08 +0200]");
    // A short line leaves the fields past its end empty.
    split("onlyhost", kApacheDefault.format);
    EXPECT_EQ(split.fields['h'], "onlyhost");
    EXPECT_EQ(split.fields['r'], "");
    EXPECT_EQ(split.fields['s'], "");
    EXPECT_EQ(split.fields['U'], "");
}

TEST(LogFormatTest, HostileLinesNeverCrashOrHang) {
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
    const std::string_view formats[] = {kApacheDefault.format,
                                        kIisDefault.format,
                                        kEasyPhpDefault.format,
                                        "rrrrrrrr",
                                        "tdH",
                                        "xyz"};
    Split split;
    for (const std::string& line : lines) {
        for (std::string_view format : formats) {
            split(line, format);
            for (char code : format) {
                // The date completion builds t, d and H; every other value is cut from the line.
                if (code != 't' && code != 'd' && code != 'H') {
                    ASSERT_LE(split.fields[code].size(), line.size());
                }
            }
            ASSERT_LE(MonthKey(split.parts).size(), 8u);
        }
    }
}

}  // namespace
}  // namespace trafikon
