// SPDX-License-Identifier: GPL-3.0-or-later
// The fast analysis against the literal reference analysis: both run on copies
// of the same stored month, and every one of the ten files they write must be
// the same, byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/analyse_log.h"
#include "engine/analysed_check.h"
#include "engine/reference/reference_analysis.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "support/generated_log.h"
#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::ReadRaw;
using testing::ReferenceAnalyseLog;
using testing::WriteRaw;

// A scratch folder on tmpfs when the machine has one: every analysis syncs its
// ten files to disk, and hundreds of runs on a disk would take minutes.
class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = "/dev/shm/trafikon-oracle-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            pattern = (std::filesystem::temp_directory_path() / "trafikon-oracle-XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

constexpr const char* kKey = "2004-05";
constexpr const char* kCombined = "hlutrsbRU";
constexpr const char* kCommon = "hlutrsb";
// The field order of the generator's W3C lines.
constexpr const char* kIisGenerated = "dHNMINNuhURsNNbNN";
constexpr const char* kIisDefault = "dHhuNNMINsU";

// Answers the malformed-line question by line number and records where it was asked.
class ScriptedObserver : public AnalysisObserver {
  public:
    explicit ScriptedObserver(std::function<bool(std::int64_t)> ignore)
        : ignore_(std::move(ignore)) {}
    MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view) override {
        questions.push_back(lineNumber);
        return ignore_(lineNumber) ? MalformedLineAnswer::Ignore : MalformedLineAnswer::Cancel;
    }
    std::vector<std::int64_t> questions;

  private:
    std::function<bool(std::int64_t)> ignore_;
};

std::string Visible(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

// Empty when equal; otherwise the first differing line of the two file texts.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual)
        return {};
    const Lines e = SplitLines(expected), a = SplitLines(actual);
    std::ostringstream out;
    for (std::size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
        const std::string* el = i < e.size() ? &e[i] : nullptr;
        const std::string* al = i < a.size() ? &a[i] : nullptr;
        if (el && al && *el == *al)
            continue;
        out << "line " << i + 1 << "\n  reference: " << (el ? Visible(*el) : "<none>")
            << "\n  engine:    " << (al ? Visible(*al) : "<none>");
        return out.str();
    }
    out << "same lines, other bytes (line ends?) sizes " << expected.size() << " vs "
        << actual.size();
    return out.str();
}

struct Month {
    std::string name;
    std::string format;
    std::string log;
};

// `ignore` answers the question by its 0-based rank in the run and the line number.
using MalformedPolicy = std::function<bool(int rank, std::int64_t lineNumber)>;

// Runs both analyses on two copies of `month` with the same log modification
// time and expects the same outcome and the same ten files. `previous` is put
// in place of every result file beforehand, so that a cancelled run can be
// seen to leave it alone. Returns whether the reference run completed.
bool ExpectSameFiles(
    const Month& month, const std::string& siteUrl,
    const MalformedPolicy& ignore = [](int, std::int64_t) { return true; }) {
    SCOPED_TRACE(month.name + " (format " + month.format + ", site URL \"" + siteUrl + "\")");
    ScratchDir dir;
    const std::string refDir = dir / "reference/";
    const std::string engDir = dir / "engine/";
    const std::vector<std::string> names = AnalysisFileNames(kKey);
    for (const std::string& site : {refDir, engDir}) {
        WriteRaw(site + LogFileName(kKey), month.log);
        std::string format;
        for (char c : month.format)
            format += std::string(1, c) + "\r\n";
        WriteRaw(site + FormatFileName(kKey), format);
        for (const std::string& name : names)
            WriteRaw(site + name, "previous\r\n");
    }
    std::filesystem::last_write_time(refDir + LogFileName(kKey),
                                     std::filesystem::last_write_time(engDir + LogFileName(kKey)));

    int refAsked = 0, engAsked = 0;
    const testing::ReferenceResult ref = ReferenceAnalyseLog(
        refDir, kKey, siteUrl, [&](std::int64_t line) { return ignore(refAsked++, line); },
        [](const std::string& p) { return LogDateTimeText(p); });
    ScriptedObserver observer([&](std::int64_t line) { return ignore(engAsked++, line); });
    const AnalysisResult eng = AnalyseLog(engDir, kKey, siteUrl, observer);

    EXPECT_EQ(ref.completed, eng.completed);
    EXPECT_EQ(ref.questions, observer.questions);
    for (const std::string& name : names) {
        // A cancelled run leaves the earlier files; a completed one replaces them all.
        if (ref.completed)
            EXPECT_NE(ReadRaw(refDir + name), "previous\r\n") << name;
        else
            EXPECT_EQ(ReadRaw(refDir + name), "previous\r\n") << name;
        const std::string diff = FirstDifference(ReadRaw(refDir + name), ReadRaw(engDir + name));
        EXPECT_TRUE(diff.empty()) << name << ": " << diff;
    }
    return ref.completed;
}

// A log written by the generator.
std::string Generated(const std::string& format, int lines, int seed, double junk, int months = 1,
                      int hosts = 40) {
    std::ostringstream junkText;
    junkText << junk;
    return testing::GeneratedLog({"--lines", std::to_string(lines), "--format", format, "--months",
                                  std::to_string(months), "--start", "2004-05", "--hosts",
                                  std::to_string(hosts), "--pages", "60", "--seed",
                                  std::to_string(seed), "--junk", junkText.str()});
}

TEST(ReferenceVsEngineTest, GeneratedMonths) {
    struct Case {
        const char* genFormat;
        const char* fieldFormat;
        int seed;
        double junk;
        const char* siteUrl;
    };
    const Case cases[] = {
        {"combined", kCombined, 1, 0.0, ""},
        {"combined", kCombined, 2, 0.05, "http://www.example.org"},
        {"combined", kCombined, 3, 0.2, "http://www.example.org/"},
        {"combined", kCommon, 4, 0.1, ""},
        {"common", kCommon, 5, 0.1, ""},
        {"common", kCombined, 6, 0.1, "http://www.example.org"},
        {"iis", kIisGenerated, 7, 0.0, ""},
        {"iis", kIisGenerated, 8, 0.15, "http://www.example.org"},
        {"iis", kIisDefault, 9, 0.1, ""},
    };
    for (const Case& c : cases) {
        const Month month{std::string(c.genFormat) + " seed " + std::to_string(c.seed),
                          c.fieldFormat, Generated(c.genFormat, 600, c.seed, c.junk)};
        ExpectSameFiles(month, c.siteUrl);
    }
}

// Larger months: many hosts (top lists full of ties), and logs that hold
// several months, so that days go back and are counted again.
TEST(ReferenceVsEngineTest, LargerAndUnorderedMonths) {
    ExpectSameFiles({"combined 3 months", kCombined, Generated("combined", 9000, 21, 0.02, 3, 300)},
                    "http://www.example.org");
    // No to a question far into the log, while the reading may already be ahead.
    EXPECT_FALSE(
        ExpectSameFiles({"combined cancel late", kCombined, Generated("combined", 9000, 23, 0.01)},
                        "", [](int, std::int64_t line) { return line < 6000; }));
    ExpectSameFiles({"iis 2 months", kIisGenerated, Generated("iis", 1500, 22, 0.02, 2, 200)},
                    "http://www.example.org");
}

TEST(ReferenceVsEngineTest, CancelAndIgnoreAnswers) {
    const Month month{"junk", kCombined, Generated("combined", 300, 11, 0.3)};
    // Yes to the first two questions, No to the third; No at once.
    EXPECT_FALSE(ExpectSameFiles(month, "", [](int rank, std::int64_t) { return rank < 2; }));
    EXPECT_FALSE(ExpectSameFiles(month, "", [](int, std::int64_t) { return false; }));
}

// Lines that strangers write: each is a case of its own in the combined format.
const char* const kHostileLines[] = {
    "",
    "x",
    " ",
    "#",
    "#Fields: in the middle",
    "a.example - - [03/May/2004:10:00:00 +0100] \"GET /a\\3;b.html HTTP/1.0\" 200 10 \"-\" "
    "\"Agent\\3;x\\2;\"",
    "h\\1;x - - [03/May/2004:10:00:00 +0100] \"GET /p\\4;1\\q HTTP/1.0\" 200 10 \"-\" \"A\"",
    "nul - - [03/May/2004:10:00:00 +0100] \"GET /n\\0ul\xE9\xFF HTTP/1.0\" 200 5 \"-\" "
    "\"\xC3\xA9\\0\"",
    "d0 - - [00/May/2004:10:00:00 +0100] \"GET /day0 HTTP/1.0\" 200 100 \"-\" \"A\"",
    "d45 - - [45/May/2004:10:00:00 +0100] \"GET /day45 HTTP/1.0\" 200 100 \"-\" \"A\"",
    "dx - - [x5/May/2004:10:00:00 +0100] \"GET /dayx HTTP/1.0\" 200 100 \"-\" \"A\"",
    "d5 - - [5/May/2004:10:00:00 +0100] \"GET /day5 HTTP/1.0\" 200 100 \"-\" \"A\"",
    "s1 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" abc xyz \"-\" \"A\"",
    "s2 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" 306 +5 \"-\" \"A\"",
    "s3 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" 418 -5 \"-\" \"A\"",
    "s4 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" 999 99999999999999999999 \"-\" "
    "\"A\"",
    "s5 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" +404 1536 \"-\" \"A\"",
    "s6 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" 099 0 \"-\" \"A\"",
    "s7 - - [04/May/2004:10:00:00 +0100] \"GET /s HTTP/1.0\" 510 ++5 \"-\" \"A\"",
    "q1 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://search.example/s?q=web+log&hl=fr\" \"A\"",
    "q2 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://search.example/s?a&&b\" \"A\"",
    "q3 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://s.example/?x=%41%42\" \"A\"",
    "q4 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://s.example/?x=a%41\" \"A\"",
    "q5 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 \"http://s.example/?x=%4\" "
    "\"A\"",
    "q6 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://s.example/?x=%4h%zz%HH%1H+\" \"A\"",
    "q7 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 \"http://s.example/x?\" "
    "\"A\"",
    "q8 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://s.example/?ie=utf-8&q=%C3%A9t%C3%A9%E2%82%AC%C2%81%FF%FE%E2%82%F0%9F%98%80\" "
    "\"A\"",
    "q9 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"UTF-8://s?q=%C3%A9\" \"A\"",
    "q10 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 \"ab?x=1\" \"A\"",
    "q11 - - [06/May/2004:10:00:00 +0100] \"GET /q HTTP/1.0\" 200 1 "
    "\"http://s.example?q=UTF-8%ED%A0%80%E0%80%AF\" \"A\"",
    "r1 - - [07/May/2004:10:00:00 +0100] \"GET /r HTTP/1.0\" 200 1 "
    "\"http://www.example.org/in.html\" \"A\"",
    "r2 - - [07/May/2004:10:00:00 +0100] \"GET /r HTTP/1.0\" 200 1 "
    "\"http://www.example.org/in.html?q=1\" \"A\"",
    "r3 - - [07/May/2004:10:00:00 +0100] \"GET /r HTTP/1.0\" 200 1 "
    "\"HTTP://WWW.EXAMPLE.ORG/in.html?q=1\" \"A\"",
    "e1 - - [08/May/2004:10:00:00 +0100] \"GET /a\"b c\" HTTP/1.0\" 200 7 \"-\" \"A\"",
    "e2 - - [08/May/2004:10:00:00 +0100] \"GET /x HTTP/1.0\\\" 200 7 \"-\" \"A\\\"",
    "e3 - - [08/May/2004:10:00:00 +0100] \"GET /y HTTP/1.0\" 200 7 \"-\" \"A\\\"\"",
    "e4 - - [08/May/2004:10:00:00 +0100] \"\" 200 7 \"\" \"\"",
    "e5 - - [08/May/2004:10:00:00 +0100] - 200 7 - -",
    "e6 - - [08/May/2004:10:00:00 +0100] \"GET /unterminated",
    "e7 - - 08/May/2004:10:00:00 \"GET /nobracket HTTP/1.0\" 200 7 \"-\" \"A\"",
    "e8 - - [08/May/2004:10:00:00 +0100] \"GET /more HTTP/1.0\" 200 7 \"-\" \"A\" extra fields",
    "t1 - - [08/may/2004:10:00:00 +0100] \"GET /lower HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p1 - - [09/May/2004:10:00:00 +0100] \"GET /IMG/LOGO.PNG HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p2 - - [09/May/2004:10:00:00 +0100] \"GET /a.xhtml HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p3 - - [09/May/2004:10:00:00 +0100] \"GET /a.jpg, HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p4 - - [09/May/2004:10:00:00 +0100] \"GET /a. HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p5 - - [09/May/2004:10:00:00 +0100] \"GET .htaccess HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p6 - - [09/May/2004:10:00:00 +0100] \"GET /b.zip?x#y HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p7 - - [09/May/2004:10:00:00 +0100] \"GET /c.JPEG HTTP/1.0\" 200 7 \"-\" \"A\"",
    "p8 - - [09/May/2004:10:00:00 +0100] \"GET /d.tar.gz HTTP/1.0\" 200 7 \"-\" \"A\"",
    "\"\" - - [09/May/2004:10:00:00 +0100] \"GET /nohost HTTP/1.0\" 200 7 \"-\" \"A\"",
    "tb - - [ \"GET /tb HTTP/1.0\" 200 1 \"-\" \"A\"",
    "u1 - - [09/May/2004:10:00:00 +0100] \"GET /u HTTP/1.0\" 200 7 \"-\" \"A\\1;B\"",
};

// A month of well-formed lines of several days and hosts, into which the
// hostile lines are mixed.
std::string BaseLines() {
    std::string log;
    const char* hosts[] = {"h1", "h2", "h1", "h3"};
    const char* paths[] = {"/", "/index.html", "/img/a.gif", "/f.zip", "/s.css"};
    for (int i = 0; i < 24; ++i) {
        char line[400];
        std::snprintf(line, sizeof line,
                      "%s - - [%02d/May/2004:10:%02d:00 +0100] \"GET %s HTTP/1.0\" %d %d "
                      "\"http://www.example.org/p%d.html?q=%d\" \"Agent %d\"\r\n",
                      hosts[i % 4], 3 + i / 6, i, paths[i % 5], i % 7 == 0 ? 404 : 200, 500 * i,
                      i % 3, i % 2, i % 3);
        log += line;
    }
    return log;
}

TEST(ReferenceVsEngineTest, HostileLinesOneByOne) {
    for (const char* format : {kCombined, kCommon}) {
        for (const char* line : kHostileLines) {
            const std::string text(line, std::char_traits<char>::length(line));
            // Alone, after good lines, and between them.
            ExpectSameFiles({"alone: " + text, format, text}, "");
            ExpectSameFiles({"after: " + text, format, BaseLines() + text + "\r\n"},
                            "http://www.example.org");
            ExpectSameFiles({"between: " + text, format, BaseLines() + text + "\r\n" + BaseLines()},
                            "http://www.example.org");
        }
    }
}

TEST(ReferenceVsEngineTest, HostileLinesTogether) {
    std::string log = "#Header one\r\n#Header two\r\n" + BaseLines();
    for (const char* line : kHostileLines)
        log += std::string(line) + "\r\n";
    static const char kNulLine[] =
        "nul2 - - [10/May/2004:10:00:00 +0100] \"GET /z\0z HTTP/1.0\" 200 1 \"-\" \"\0\"\r\n";
    log += std::string(kNulLine, sizeof kNulLine - 1);
    log += BaseLines();
    log += "last - - [10/May/2004";  // malformed last line
    for (const char* url : {"", "http://www.example.org", "http://s.example"}) {
        ExpectSameFiles({"together", kCombined, log}, url);
        ExpectSameFiles({"together", kCommon, log}, url);
        ExpectSameFiles({"together", kIisDefault, log}, url);
    }
}

TEST(ReferenceVsEngineTest, IisLinesAndOddFormats) {
    const std::string iis =
        "#Software: x\r\n#Fields: date time c-ip cs-username s-sitename s-computername "
        "cs-method cs-uri-stem s-port sc-status cs(User-Agent)\r\n"
        "2004-05-03 00:13:11 1.2.3.4 - W3SVC1 SRV GET /default.htm 80 200 Mozilla/4.0\r\n"
        "2004-05-03 00:14:11 1.2.3.4 - W3SVC1 SRV GET /img/x.GIF 80 304 Mozilla/4.0\r\n"
        "#Date: 2004-05-04 00:00:00\r\n"
        "2004-05-04 01:14:11 1.2.3.5 - W3SVC1 SRV POST /cgi/x.pl 80 500 -\r\n"
        "2004-05-4 01:14:11 1.2.3.5 - W3SVC1 SRV GET /short 80 200 -\r\n"
        "2004-13-05 01:14:11 1.2.3.5 - W3SVC1 SRV GET /month13 80 200 -\r\n"
        "2004-05-45 01:14:11 1.2.3.5 - W3SVC1 SRV GET /day45 80 200 -\r\n"
        "2004-05-06 01:14:11 1.2.3.5 - W3SVC1 SRV GET\r\n"
        "2004-05-06 01:14:11 1.2.3.6 - W3SVC1 SRV GET /last 80 200 A\r\n";
    ExpectSameFiles({"iis", kIisDefault, iis}, "");
    // Unknown codes, a format with neither t nor d, a request from M and I only.
    const std::string apache = BaseLines();
    ExpectSameFiles({"unknown codes", "hlxtrsbRUz", apache}, "");
    ExpectSameFiles({"no date", "hNNNrsb", apache}, "");
    ExpectSameFiles({"method and path", "hNNtMIsb", apache}, "");
    ExpectSameFiles({"one field", "h", apache}, "");
    ExpectSameFiles({"empty log", kCombined, ""}, "");
    ExpectSameFiles({"comments only", kCombined, "#a\r\n#b\r\n"}, "");
    // Lines of invalid days between lines of one day, an empty last line, a long line.
    ExpectSameFiles({"invalid days inside a day", kCombined,
                     "a - - [03/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "b - - [00/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "c - - [45/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "a - - [03/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "d - - [04/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "a - - [03/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "\r\n"},
                    "");
    ExpectSameFiles({"invalid days first", kCombined,
                     "b - - [00/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "a - - [01/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"
                     "c - - [x1/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"},
                    "");
    const std::string longValue(1 << 20, 'x');
    ExpectSameFiles({"a long line", kCombined,
                     "a - - [03/May/2004:10:00:00 +0100] \"GET /" + longValue +
                         " HTTP/1.0\" 200 1 \"http://s/?q=" + longValue + "\" \"" + longValue +
                         "\"\r\n" + BaseLines()},
                    "");
    const std::string good =
        "a - - [03/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"";
    // A line without a date takes the date left by the last complete line; a
    // malformed line in between, answered Yes, leaves no date behind.
    ExpectSameFiles({"date of a line without one", kCombined,
                     good + "\r\n" +
                         "b - - [07/May/2004:10:00:00 +0100] \"GET /x HTTP/1.0\"\r\n"
                         "tb - - [ \"GET /tb HTTP/1.0\" 200 1 \"-\" \"A\"\r\n"},
                    "");
    ExpectSameFiles({"mixed line ends", kCombined,
                     good + "\r\r\n" + good + "\n\r" + good + "\r\n\r\n" + good + "\n\n\r"},
                    "");
    ExpectSameFiles({"LF and CR line ends", kCombined,
                     "a - - [03/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\n"
                     "b - - [04/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"\r"
                     "c - - [05/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\""},
                    "");
}

// The headless driver analyses every stored month of a store like the reference.
TEST(ReferenceVsEngineTest, BatchCommand) {
    ScratchDir dir;
    const std::string refDir = dir / "reference/";
    const std::string engDir = dir / "root/data/1/";
    const std::vector<std::pair<std::string, std::string>> months = {
        {"2004-05", Generated("combined", 400, 31, 0.05)},
        {"2004-06", BaseLines() + "x\r\n" + BaseLines()}};
    for (const auto& [key, log] : months) {
        for (const std::string& site : {refDir, engDir}) {
            WriteRaw(site + LogFileName(key), log);
            WriteRaw(site + FormatFileName(key), "h\r\nl\r\nu\r\nt\r\nr\r\ns\r\nb\r\nR\r\nU\r\n");
        }
        ASSERT_TRUE(ReferenceAnalyseLog(
                        refDir, key, "http://www.example.org", [](std::int64_t) { return true; },
                        [](const std::string&) { return std::string(); })
                        .completed);
    }
    const std::string cmd = std::string("'") + TRAFIKON_BATCH_EXE + "' analyse --root '" +
                            (dir / "root") +
                            "' --site-url http://www.example.org --all --on-malformed ignore "
                            ">/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    for (const auto& [key, log] : months) {
        for (const std::string& name : AnalysisFileNames(key)) {
            std::string ref = ReadRaw(refDir + name), eng = ReadRaw(engDir + name);
            // The first line of mon- is the log's date in the driver's locale.
            if (name.rfind("mon-", 0) == 0) {
                ASSERT_EQ(eng.rfind("Date=", 0), 0u);
                ref.erase(0, ref.find('\n'));
                eng.erase(0, eng.find('\n'));
            }
            const std::string diff = FirstDifference(ref, eng);
            EXPECT_TRUE(diff.empty()) << name << ": " << diff;
        }
    }
}

// Random lines built from pieces that the splitting, date and decoding rules
// care about, split by random field formats. Fixed seeds keep failures
// reproducible.
const std::string& RandomPiece(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "h1",
        "h2",
        "-",
        "-",
        "[03/May/2004:10:00:00 +0100]",
        "[04/May/2004:23:59:59 -0800]",
        "[00/May/2004:10:00:00 +0100]",
        "[45/May/2004:10:00:00 +0100]",
        "[3/May/2004:1",
        "[07/may/2004:10:00:00 +0100]",
        "[",
        "]",
        "] ",
        "\"",
        "\"\"",
        "\" \"",
        "\"GET /a.gif HTTP/1.0\"",
        "\"GET /b.php?x=1#f HTTP/1.1\"",
        "\"POST /c/ HTTP/1.1\"",
        "\"GET /d.ZIP\"",
        "\"GET /e\\3;f\"",
        "\"GET /q\" x\" HTTP/1.0\"",
        "200",
        "304",
        "404",
        "+5",
        "-5",
        "abc",
        "999",
        "510",
        "0",
        "1536",
        "99999999999999999999",
        "2004-05-03",
        "2004-13-40",
        "00:13:11",
        "GET",
        "/x.php",
        "/img/Y.JPG",
        "\\1;",
        "\\2;x",
        "%41",
        "?",
        "#",
        "\"http://www.example.org/p?q=a+b&c=%C3%A9\"",
        "\"http://s.example/?ie=utf-8&q=%E2%82%AC%FF%C3\"",
        "\"http://s.example/find?a&&b\"",
        "\"http://www.example.org/\"",
        "\"ab?%4\"",
        "\"Mozilla/5.0 (X11)\"",
        "\"Agent \\\" x\"",
        std::string("\0", 1),
        "\xFF\xFE",
        "\xC3\xA9",
        "utf-8",
        "UTF-8",
        "+",
        "%",
        "&"};
    return pieces[rng() % pieces.size()];
}

std::string RandomLine(std::mt19937& rng) {
    std::string line;
    if (rng() % 10 == 0)
        line += "#";
    const int count = static_cast<int>(rng() % 13);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && rng() % 8 != 0)
            line += ' ';
        line += RandomPiece(rng);
    }
    return line;
}

std::string RandomFormat(std::mt19937& rng) {
    static const std::string codes = "hlutrIsbRUvdHMNNx";
    std::string format;
    const int count = 1 + static_cast<int>(rng() % 11);
    for (int i = 0; i < count; ++i)
        format += codes[rng() % codes.size()];
    return format;
}

TEST(ReferenceVsEngineTest, RandomLinesAndFormats) {
    const char* const urls[] = {"", "http://www.example.org", "\"http"};
    for (unsigned seed = 1; seed <= 120; ++seed) {
        std::mt19937 rng(seed);
        std::string log;
        const int lines = static_cast<int>(rng() % 60);
        for (int i = 0; i < lines; ++i) {
            // Mostly well-formed combined lines with one piece changed, so that
            // runs of hits reach the accumulators.
            const unsigned shape = rng() % 3;
            if (shape == 0) {
                log += RandomLine(rng);
            } else if (shape == 1) {
                // A random date, request, status and bytes.
                log += "h" + std::to_string(rng() % 4) + " - - " + RandomPiece(rng) + " " +
                       RandomPiece(rng) + " " + RandomPiece(rng) + " " + RandomPiece(rng) +
                       " \"http://www.example.org/r?q=1\" \"A\"";
            } else {
                log += "h" + std::to_string(rng() % 4) + " - - [0" + std::to_string(1 + rng() % 9) +
                       "/May/2004:10:00:00 +0100] \"GET /p" + std::to_string(rng() % 5) +
                       ".html HTTP/1.0\" 200 " + std::to_string(rng() % 3000) + " " +
                       RandomLine(rng) + " \"A" + std::to_string(rng() % 3) + "\"";
            }
            log += (rng() % 5 == 0) ? "\n" : "\r\n";
        }
        const std::string format = (seed % 3 == 0) ? std::string(kCombined) : RandomFormat(rng);
        const unsigned cancelAt = rng() % 6;  // 0: never
        ExpectSameFiles({"random seed " + std::to_string(seed), format, log}, urls[seed % 3],
                        [cancelAt](int rank, std::int64_t) {
                            return cancelAt == 0 || rank + 1 < static_cast<int>(cancelAt);
                        });
    }
}

}  // namespace
}  // namespace trafikon
