// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/import_logs.h"
#include "import/line_count.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "../engine/engine_test_store.h"
#include "engine/analyse_log.h"
#include "store/data_store.h"
#include "store/import_journal.h"
#include "store/stop_flag.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

namespace fs = std::filesystem;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

constexpr const char* kApache = "hlutrsbRU";
constexpr const char* kIis = "dHhuNNMINsU";

// A combined line of the given day, month and year.
std::string Combined(const std::string& date, const std::string& path = "/index.php") {
    return "host - - [" + date + ":01:37:08 +0100] \"GET " + path +
           " HTTP/1.1\" 200 1248 \"-\" \"Mozilla/3\"";
}

std::string Iis(const std::string& date, const std::string& time = "00:13:11") {
    return date + " " + time + " 10.0.0.1 - - - GET /a.htm - 200 Mozilla";
}

std::string Crlf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// A format file: one code a line.
std::string FormatFile(std::string_view codes) {
    std::string out;
    for (char c : codes)
        out += std::string(1, c) + "\r\n";
    return out;
}

class Recorder : public ImportObserver {
  public:
    void FileStarted(std::size_t index, const std::string&) override { files.push_back(index); }
    void Progress(int percent) override { percents.push_back(percent); }
    std::vector<std::size_t> files;
    std::vector<int> percents;
};

// A store folder and the log files to import.
class ImportTest : public ::testing::Test {
  protected:
    ImportTest() { fs::create_directories(site()); }
    std::string site() const { return dir_ / "data/1"; }
    std::string in(const std::string& name) const { return dir_ / ("in/" + name); }
    std::string stored(const std::string& name) const {
        const std::string path = site() + "/" + name;
        return fs::exists(path) ? ReadRaw(path) : "<missing>";
    }
    std::string Log(const std::string& name, const std::string& text) {
        WriteRaw(in(name), text);
        return in(name);
    }
    ImportSummary Import(std::vector<std::string> files, const char* codes = kApache) {
        return ImportLogs(site(), files, codes, recorder_);
    }
    std::vector<std::string> SiteFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(site()))
            // the writers' lock and the logs taken in are no month's
            if (e.path().filename() != kStoreLockFileName &&
                e.path().filename() != kImportedLogsFileName)
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir_;
    Recorder recorder_;
};

TEST_F(ImportTest, LogSpanningTwoMonthsIsSplitByMonth) {
    const std::string a = Combined("28/Mar/2002"), b = Combined("31/Mar/2002", "/b"),
                      c = Combined("01/Apr/2002", "/c"), d = Combined("03/Apr/2002", "/d");
    const auto summary = Import({Log("a.log", a + "\n" + b + "\n" + c + "\n" + d + "\n")});
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a, b}));
    EXPECT_EQ(stored("log-2002-04.log"), Crlf({c, d}));
    EXPECT_EQ(stored("log-2002-03.eur"), Crlf({"28:01:37:08", "31:01:37:08"}));
    EXPECT_EQ(stored("log-2002-04.eur"), Crlf({"01:01:37:08", "03:01:37:08"}));
    const std::string format = Crlf({"h", "l", "u", "t", "r", "s", "b", "R", "U"});
    EXPECT_EQ(stored("format-2002-03.tfd"), format);
    EXPECT_EQ(stored("format-2002-04.tfd"), format);
    EXPECT_EQ(summary.linesStored, 4u);
    EXPECT_EQ(summary.months, (std::vector<std::string>{"2002-03", "2002-04"}));
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"format-2002-03.tfd", "format-2002-04.tfd",
                                                     "log-2002-03.eur", "log-2002-03.log",
                                                     "log-2002-04.eur", "log-2002-04.log"}));
}

TEST_F(ImportTest, IisLogSplitByItsOwnDatesSkippingRepeatedHeaders) {
    const std::string header =
        "#Software: server\r\n#Version: 1.0\r\n#Date: 2003-10-31\r\n"
        "#Fields: date time c-ip ...\r\n";
    const std::string l1 = Iis("2003-10-31", "23:59:59"), l2 = Iis("2003-11-01", "00:00:01"),
                      l3 = Iis("2003-10-31", "23:59:58");
    Import({Log("ex.log", header + l1 + "\r\n" + header + l2 + "\r\n#Date: x\r\n" + l3 + "\r\n")},
           kIis);
    EXPECT_EQ(stored("log-2003-10.log"), Crlf({l1, l3}));
    EXPECT_EQ(stored("log-2003-11.log"), Crlf({l2}));
    EXPECT_EQ(stored("log-2003-10.eur"), Crlf({"31:23:59:59", "31:23:59:58"}));
    EXPECT_EQ(stored("format-2003-11.tfd"),
              Crlf({"d", "H", "h", "u", "N", "N", "M", "I", "N", "s", "U"}));
}

TEST_F(ImportTest, HashLineAfterFirstLogLineIsStoredWhenFormatHasT) {
    const std::string a = Combined("24/Mar/2002");
    const auto summary = Import({Log("a.log", "#one\n#two\n#three\n" + a + "\n#late\n" + a)});
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a, "#late", a}));
    // "#late" lacks a date of its own and takes the one completed for the line before.
    EXPECT_EQ(summary.damagedLines, 0u);
    EXPECT_EQ(summary.files[0].linesStored, 3u);
}

TEST_F(ImportTest, LineEndsBlankAndShortLines) {
    const std::string a = Combined("24/Mar/2002"), b = Combined("25/Mar/2002", "/b");
    const std::string odd = Combined("26/Mar/2002", std::string("/\xe9t\xe9\0x", 6));
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"lf", a + "\n" + b + "\n", Crlf({a, b})},
        {"lone cr", a + "\r" + b + "\r", Crlf({a, b})},
        {"crlf, last line without end", a + "\r\n" + b, Crlf({a, b})},
        {"blank and one-character lines left out", "\n\r\nx\n" + a + "\n\ny\r\n" + b + "\n\n",
         Crlf({a, b})},
        {"one-line file without end", a, Crlf({a})},
        {"only log line is the last line", "#h\n#h\n" + a, Crlf({a})},
        {"nul and high bytes kept", odd + "\n", Crlf({odd})},
    };
    for (const auto& c : cases) {
        fs::remove_all(site());
        fs::create_directories(site());
        Import({Log("a.log", c.text)});
        EXPECT_EQ(stored("log-2002-03.log"), c.expected) << c.name;
        // The time file stays in step: one stamp per stored line.
        EXPECT_EQ(SplitLines(stored("log-2002-03.eur")).size(), SplitLines(c.expected).size())
            << c.name;
    }
}

TEST_F(ImportTest, LinesLongerThanTheReadBufferAreStoredWhole) {
    const std::string a = Combined("24/Mar/2002"), b = Combined("01/Apr/2002");
    const std::string huge = Combined("25/Mar/2002", "/" + std::string(9 << 20, 'x'));
    const std::string hugeHeader = "#" + std::string(9 << 20, 'h');
    Import({Log("a.log", hugeHeader + "\n" + a + "\n" + huge + "\r\n" + b + "\n")});
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a, huge}));
    EXPECT_EQ(stored("log-2002-03.eur"), Crlf({"24:01:37:08", "25:01:37:08"}));
    EXPECT_EQ(stored("log-2002-04.log"), Crlf({b}));
}

TEST_F(ImportTest, FilesWithoutLogLinesStoreNothing) {
    for (const std::string text : {"", "#a\n#b\n", "\n\nx\n"}) {
        const auto summary = Import({Log("a.log", text)});
        EXPECT_FALSE(summary.files[0].hasLogLine) << text;
        EXPECT_EQ(summary.linesStored, 0u);
        EXPECT_TRUE(SiteFiles().empty()) << text;
    }
}

TEST_F(ImportTest, EarlierImportsStayInFrontAndAFileAskedWholeIsStoredAgain) {
    const std::string a = Combined("24/Mar/2002"), b = Combined("25/Mar/2002", "/b");
    const std::string file = Log("a.log", a + "\n" + b + "\n");
    Import({file});
    Import({file});  // known: nothing new
    ImportLogs(site(), {{file, kApache, true}, {file, kApache, true}}, recorder_);
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a, b, a, b, a, b}));
    EXPECT_EQ(stored("log-2002-03.eur"), Crlf({"24:01:37:08", "25:01:37:08", "24:01:37:08",
                                               "25:01:37:08", "24:01:37:08", "25:01:37:08"}));
}

TEST_F(ImportTest, StoredLogImportedIntoItselfIsReadOnce) {
    const std::string a = Combined("24/Mar/2002"), b = Combined("25/Mar/2002", "/b");
    Import({Log("a.log", a + "\n" + b + "\n")});
    Import({site() + "/log-2002-03.log"});
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a, b, a, b}));
}

TEST_F(ImportTest, ExistingMonthFilesAreAppendedToAsTheyAre) {
    const std::string a = Combined("24/Mar/2002");
    // A stored log whose last line lacks its end, and no time file.
    WriteRaw(site() + "/log-2002-03.log", "old 1\r\nold 2");
    // A time file left without its stored log is started afresh.
    WriteRaw(site() + "/log-2002-04.eur", "stale\r\n");
    WriteRaw(site() + "/format-2002-03.tfd", FormatFile(kApache));
    Import({Log("a.log", a + "\n" + Combined("01/Apr/2002") + "\n")});
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({"old 1", "old 2", a}));
    EXPECT_EQ(stored("log-2002-03.eur"), Crlf({"24:01:37:08"}));
    EXPECT_EQ(stored("log-2002-04.eur"), Crlf({"01:01:37:08"}));
    EXPECT_EQ(stored("format-2002-03.tfd").size(), 27u);
}

TEST_F(ImportTest, AlternatingMonthsKeepTheirOrder) {
    std::vector<std::string> mar, apr;
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        const std::string l =
            Combined(i % 2 ? "30/Apr/2002" : "30/Mar/2002", "/" + std::to_string(i));
        (i % 2 ? apr : mar).push_back(l);
        text += l + "\n";
    }
    Import({Log("a.log", text)});
    EXPECT_EQ(SplitLines(stored("log-2002-03.log")), mar);
    EXPECT_EQ(SplitLines(stored("log-2002-04.log")), apr);
}

TEST_F(ImportTest, PercentageCountsCommentLines) {
    const std::string a = Combined("24/Mar/2002");
    Import({Log("a.log", "#a\n#b\n#c\n" + a + "\n" + a + "\n"), Log("b.log", "#x\n" + a)});
    // 3 of 5 lines, then 4 of 5, then the end; the second file starts at 1 of 2.
    EXPECT_EQ(recorder_.percents, (std::vector<int>{60, 80, 100, 50, 100}));
    EXPECT_EQ(recorder_.files, (std::vector<std::size_t>{0, 1}));
}

TEST_F(ImportTest, PercentageOfEveryLineIsReportedOnceWhenItRises) {
    const std::string a = Combined("24/Mar/2002");
    std::string text = "#a\n#b\n";
    for (int i = 0; i < 333; ++i)
        text += a + "\n";
    Import({Log("a.log", text)});
    std::vector<int> expected;
    for (std::uint64_t index = 2; index < 335; ++index)
        if (const int p = ImportPercent(index, 335); expected.empty() || p > expected.back())
            expected.push_back(p);
    if (expected.back() != 100)
        expected.push_back(100);
    EXPECT_EQ(recorder_.percents, expected);
}

TEST_F(ImportTest, BigLogCountedAsideKeepsEveryLineAndAStraightPercentage) {
    // Big enough to be counted on a second thread while it is read.
    const std::string line = Combined("24/Mar/2002") + "\n";
    std::string text;
    while (text.size() < LineCountAside::kAtOnceBelow + line.size())
        text += line;
    Import({Log("big.log", text)});
    EXPECT_EQ(stored("log-2002-03.log").size(), text.size() / line.size() * (line.size() + 1));
    ASSERT_FALSE(recorder_.percents.empty());
    EXPECT_TRUE(std::is_sorted(recorder_.percents.begin(), recorder_.percents.end()));
    EXPECT_EQ(recorder_.percents.back(), 100);
}

TEST(ImportPercentTest, RoundsHalvesToEven) {
    const struct {
        std::uint64_t index, count;
        int percent;
    } cases[] = {{0, 5, 0},  {3, 4, 75},  {1, 8, 12},  {3, 8, 38},  {5, 8, 62}, {1, 3, 33},
                 {2, 3, 67}, {1, 200, 0}, {3, 200, 2}, {7, 7, 100}, {9, 7, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(ImportPercent(c.index, c.count), c.percent) << c.index << "/" << c.count;
}

TEST_F(ImportTest, DamagedLinesGoWithTheMonthInHandOrWait) {
    const std::string a = Combined("24/Mar/2002"), b = Combined("01/Apr/2002");
    const std::string torn1 = "ages/x.gif HTTP/1.1\" 200 1 [01/xxx/ges/:00:00:00]";
    const std::string torn2 = "a b c [1] \"GET\" 200";
    const auto summary = Import({Log("a.log", torn1 + "\n#late\n" + torn2 + "\n" + a + "\n" +
                                                  torn2 + "\n" + b + "\n" + torn1 + "\n")});
    // Waiting lines go in front of the first month found, in order; later
    // damaged lines go with the month in hand.
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({torn1, "#late", torn2, a, torn2}));
    EXPECT_EQ(stored("log-2002-04.log"), Crlf({b, torn1}));
    EXPECT_EQ(SplitLines(stored("log-2002-03.eur")).size(), 5u);
    EXPECT_EQ(summary.damagedLines, 5u);
    EXPECT_EQ(summary.unfiledLines, 0u);
    EXPECT_EQ(SiteFiles().size(), 6u);  // no file named after a damaged key
}

TEST_F(ImportTest, FileWithoutReadableDateStoresNothing) {
    const std::string a = Combined("24/Mar/2002");
    const auto summary = Import({Log("bad.log", "a b c [1] x\nges/ x\n"), Log("good.log", a)});
    EXPECT_EQ(summary.files[0].unfiledLines, 2u);
    EXPECT_EQ(summary.files[0].linesStored, 0u);
    EXPECT_EQ(summary.damagedLines, 0u);
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a}));
}

TEST_F(ImportTest, UnreadableFileStopsTheRunKeepingEarlierFiles) {
    const std::string a = Combined("24/Mar/2002");
    const std::string good = Log("good.log", a), later = Log("later.log", Combined("01/Apr/2002"));
    const std::vector<std::string> runs[] = {{good, in("missing.log"), later},
                                             {good, dir_.path() + "/in", later}};  // a folder
    for (const auto& files : runs) {
        fs::remove_all(site());
        fs::create_directories(site());
        try {
            Import(files);
            ADD_FAILURE() << "no error for " << files[1];
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), files[1]);
            EXPECT_FALSE(e.reason().empty());
        }
        EXPECT_EQ(stored("log-2002-03.log"), Crlf({a}));
        EXPECT_EQ(stored("log-2002-04.log"), "<missing>");
        EXPECT_EQ(stored("import.journal"), "<missing>");
    }
}

TEST_F(ImportTest, AStopRequestPutsTheFileInHandBackAndKeepsEarlierFiles) {
    // Asked to stop once the second file has begun: its lines never stay stored.
    class StopInSecondFile : public Recorder {
      public:
        bool StopRequested() override { return files.size() == 2 && ++asks > 1; }
        int asks = 0;
    } observer;
    const std::string a = Combined("24/Mar/2002");
    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += Combined("01/Apr/2002") + "\n";
    const std::vector<std::string> files = {Log("a.log", a), Log("many.log", many)};
    EXPECT_THROW(ImportLogs(site(), files, kApache, observer), RunStopped);
    EXPECT_GT(observer.asks, 1);
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({a}));
    EXPECT_EQ(stored("log-2002-04.log"), "<missing>");
    EXPECT_EQ(stored("import.journal"), "<missing>");
}

TEST_F(ImportTest, UnwritableStoreIsReported) {
    WriteRaw(dir_ / "plain", "x");
    SilentImportObserver silent;
    try {
        ImportLogs(dir_ / "plain/data/1", {Log("a.log", Combined("24/Mar/2002"))}, kApache, silent);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), dir_ / "plain/data/1");
        EXPECT_EQ(e.reason(), "Not a directory");
    }
}

// A stored log replaced by a link to another file is refused by name, never
// written through; the month stays as it was.
TEST_F(ImportTest, ALinkInTheStoreIsNotWrittenThrough) {
    Import({Log("a.log", Combined("24/Mar/2002"))});
    WriteRaw(dir_ / "elsewhere", "mine\n");
    fs::remove(site() + "/log-2002-03.log");
    fs::create_symlink(dir_ / "elsewhere", site() + "/log-2002-03.log");
    try {
        Import({Log("b.log", Combined("25/Mar/2002"))});
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), site() + "/log-2002-03.log");
        EXPECT_NE(e.reason().find("symbolic link"), std::string::npos) << e.reason();
    }
    EXPECT_EQ(ReadRaw(dir_ / "elsewhere"), "mine\n");
    EXPECT_TRUE(fs::is_symlink(site() + "/log-2002-03.log"));
}

// W3C lines appended to a file of another format are never filed as the
// month in hand's damaged lines: the file is refused whole.
TEST_F(ImportTest, AFileWhoseLinesChangeFormatIsRefused) {
    const ImportSummary s =
        Import({Log("mixed.log", Combined("24/Mar/2002") + "\n" + "#Fields: date time c-ip\n" +
                                     Iis("2002-04-01") + "\n")});
    ASSERT_EQ(s.damaged.size(), 1u);
    EXPECT_NE(s.damaged[0].reason.find("line 2"), std::string::npos) << s.damaged[0].reason;
    EXPECT_EQ(SiteFiles(), std::vector<std::string>());
}

TEST_F(ImportTest, WriteFailureInTheMiddlePutsEveryMonthBack) {
    WriteRaw(site() + "/log-2002-03.log", "old\r\n");
    WriteRaw(site() + "/log-2002-03.eur", "01:00:00:00\r\n");
    WriteRaw(site() + "/format-2002-03.tfd", FormatFile(kApache));
    // The stored log of April cannot be opened: it is a folder.
    fs::create_directories(site() + "/log-2002-04.log");
    std::string text;
    for (int i = 0; i < 5000; ++i)  // more than one write buffer for March
        text += Combined("24/Mar/2002", "/" + std::to_string(i)) + "\n";
    text += Combined("01/Apr/2002") + "\n";
    EXPECT_THROW(Import({Log("a.log", text)}), IoError);
    EXPECT_EQ(stored("log-2002-03.log"), "old\r\n");
    EXPECT_EQ(stored("log-2002-03.eur"), "01:00:00:00\r\n");
    EXPECT_EQ(stored("format-2002-03.tfd"), FormatFile(kApache));
    EXPECT_EQ(stored("import.journal"), "<missing>");
}

TEST_F(ImportTest, KilledImportIsPutBackByTheNextOne) {
    WriteRaw(site() + "/log-2002-03.log", "old\r\n");
    WriteRaw(site() + "/log-2002-03.eur", "01:00:00:00\r\n");
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += Combined(i < 12000 ? "24/Mar/2002" : "01/Apr/2002", "/" + std::to_string(i)) + "\n";
    const std::string file = Log("a.log", text);
    // The child is killed half way through, after writing out part of the lines.
    const pid_t pid = ::fork();
    if (pid == 0) {
        struct KillAtHalf : SilentImportObserver {
            void Progress(int percent) override {
                if (percent == 70)
                    ::kill(::getpid(), SIGKILL);
            }
        } killer;
        ImportLogs(site(), {file}, kApache, killer);
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_GT(stored("log-2002-03.log").size(), 5u);  // lines had gone out
    EXPECT_NE(stored("import.journal"), "<missing>");
    EXPECT_TRUE(RecoverInterruptedImport(site()));
    EXPECT_EQ(stored("log-2002-03.log"), "old\r\n");
    EXPECT_EQ(stored("log-2002-03.eur"), "01:00:00:00\r\n");
    EXPECT_EQ(stored("log-2002-04.log"), "<missing>");
    EXPECT_EQ(stored("format-2002-03.tfd"), "<missing>");
    EXPECT_FALSE(RecoverInterruptedImport(site()));
    // The next import starts from the months as they were.
    Import({file});
    EXPECT_EQ(SplitLines(stored("log-2002-03.log")).size(), 12001u);
}

TEST_F(ImportTest, FileOfAnotherFormatThanItsMonthIsRefusedWhole) {
    Import({Log("combined.log", Combined("24/Mar/2002") + "\n")});
    // Its first line goes to April (new), its second to March (stored as combined).
    const std::string common =
        "h - - [01/Apr/2002:00:00:00 +0100] \"GET / HTTP/1.0\" 200 1\n"
        "h - - [25/Mar/2002:00:00:00 +0100] \"GET / HTTP/1.0\" 200 1\n";
    const ImportSummary s = ImportLogs(site(),
                                       {{Log("common.log", common), "hlutrsb"},
                                        {Log("next.log", Combined("26/Mar/2002")), kApache}},
                                       recorder_);
    ASSERT_EQ(s.refused.size(), 1u);
    EXPECT_EQ(s.refused[0].path, in("common.log"));
    EXPECT_EQ(s.refused[0].month, "2002-03");
    EXPECT_EQ(s.refused[0].monthCodes, kApache);
    EXPECT_EQ(s.refused[0].fileCodes, "hlutrsb");
    // Nothing of it stays; the next file goes on.
    EXPECT_EQ(stored("log-2002-04.log"), "<missing>");
    EXPECT_EQ(stored("format-2002-04.tfd"), "<missing>");
    EXPECT_EQ(s.files.size(), 1u);
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({Combined("24/Mar/2002"), Combined("26/Mar/2002")}));
    // Refused again, it leaves the month's files byte-identical.
    const std::string before =
        stored("log-2002-03.log") + stored("log-2002-03.eur") + stored("format-2002-03.tfd");
    EXPECT_EQ(ImportLogs(site(), {{in("common.log"), "hlutrsb"}}, recorder_).refused.size(), 1u);
    EXPECT_EQ(stored("log-2002-03.log") + stored("log-2002-03.eur") + stored("format-2002-03.tfd"),
              before);
}

TEST_F(ImportTest, W3cLinesWithOtherFieldsAreRewrittenIntoTheMonthOrder) {
    const std::string fields1 = "#Fields: date time c-ip cs-method cs-uri-stem sc-status sc-bytes";
    const std::string fields2 =
        "#Fields: date time s-ip cs-method cs-uri-stem cs(User-Agent) sc-status c-ip";
    const std::string codes1 = "dHhMIsb";
    Import({Log("ex1.log", fields1 + "\n2002-03-01 10:00:00 10.0.0.1 GET /a 200 512\n")},
           codes1.c_str());
    // A second file whose fields change in the middle, back to the month's.
    const ImportSummary s =
        Import({Log("ex2.log",
                    fields2 + "\n2002-03-02 11:00:00 10.9.9.9 GET /b Mozilla/5.0 404 10.0.0.2\n" +
                        fields1 + "\n2002-03-03 12:00:00 10.0.0.3 GET /c 200 7\n")},
               "dHNMIUsh");
    EXPECT_TRUE(s.refused.empty());
    EXPECT_EQ(stored("log-2002-03.log"), Crlf({"2002-03-01 10:00:00 10.0.0.1 GET /a 200 512",
                                               "2002-03-02 11:00:00 10.0.0.2 GET /b 404 -",
                                               "2002-03-03 12:00:00 10.0.0.3 GET /c 200 7"}));
    EXPECT_EQ(stored("format-2002-03.tfd"), FormatFile(codes1));
    ASSERT_EQ(s.files.size(), 1u);
    EXPECT_EQ(s.files[0].rewrittenLines, 1u);
    // Every stored line analyses without a malformed-line question.
    testing::ScriptedObserver observer;
    const AnalysisResult r = AnalyseLog(site() + "/", "2002-03", "", observer);
    EXPECT_TRUE(observer.asked.empty());
    EXPECT_EQ(r.hits, 3u);
    // W3C fields without the month's date fields cannot be rewritten.
    const ImportSummary refused = Import(
        {Log("ex3.log", "#Fields: date c-ip cs-method sc-status\n2002-03-04 h GET 200\n")}, "dhMs");
    EXPECT_EQ(refused.refused.size(), 1u);
}

}  // namespace
}  // namespace trafikon
