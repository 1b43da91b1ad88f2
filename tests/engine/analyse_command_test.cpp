// SPDX-License-Identifier: GPL-3.0-or-later
// The already-analysed test and the `trafikon-batch analyse` command, run as
// the program that outside tools call.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <utime.h>

#include <cstdlib>

#include "engine/analyse_log.h"
#include "engine/analysed_check.h"
#include "engine/engine_test_store.h"
#include "store/tagged_record.h"

namespace trafikon {
namespace {

using testing::Combined;
using testing::ReadRaw;
using testing::ScriptedObserver;
using testing::TempDir;
using testing::TestStore;
using testing::WriteRaw;

void SetModificationTime(const std::string& path, time_t when) {
    struct utimbuf times = {when, when};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

std::vector<std::string> Line(const std::string& day, const std::string& referrer = "-") {
    return {
        Combined("h", day + "/May/2004:10:00:00 +0200", "GET / HTTP/1.0", "200", "1", referrer)};
}

TEST(AnalysedCheckTest, FindsMissingAndOutOfDateMonths) {
    TestStore store;
    for (const char* key : {"2004-03", "2004-04", "2004-05"})
        store.AddMonth(key, Line("03"));
    ScriptedObserver observer;
    AnalyseLog(store.siteDir(), "2004-04", "", observer);
    AnalyseLog(store.siteDir(), "2004-05", "", observer);
    const std::vector<std::string> months = {"2004-03", "2004-04", "2004-05"};
    EXPECT_EQ(MonthsToAnalyse(store.siteDir(), months, false), std::vector<std::string>{"2004-03"});
    // The log of 2004-05 changes after its analysis.
    SetModificationTime(store.siteDir() + "log-2004-05.log", 1000000000);
    EXPECT_EQ(MonthsToAnalyse(store.siteDir(), months, false),
              (std::vector<std::string>{"2004-03", "2004-05"}));
    EXPECT_EQ(MonthsToAnalyse(store.siteDir(), months, true), months);
    // The date line is the log's modification time; the rest of the file does not matter.
    WriteRaw(store.siteDir() + "mon-2004-03.tfd",
             "Date=" + LogDateTimeText(store.siteDir() + "log-2004-03.log") + "\r\n");
    EXPECT_TRUE(IsMonthAnalysed(store.siteDir(), "2004-03"));
    WriteRaw(store.siteDir() + "mon-2004-03.tfd", "");
    EXPECT_FALSE(IsMonthAnalysed(store.siteDir(), "2004-03"));
    EXPECT_THROW(LogDateTimeText(store.siteDir() + "log-1999-01.log"), IoError);
}

struct BatchRun {
    int exitCode = -1;
    std::string out, err;
    std::string LastLine() const {
        std::string text = out;
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
};

BatchRun RunBatch(const std::string& arguments) {
    TempDir dir;
    const std::string command = std::string("'") + TRAFIKON_BATCH_EXE + "' analyse " + arguments +
                                " >'" + dir.path() + "/out' 2>'" + dir.path() + "/err'";
    BatchRun run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadRaw(dir / "out");
    run.err = ReadRaw(dir / "err");
    return run;
}

TEST(AnalyseCommandTest, UsageErrorsExitWithTwo) {
    const char* cases[] = {"--root", "--root ''", "--root /tmp --on-malformed maybe",
                           "--root /tmp --bogus", "--root /tmp --site-url"};
    for (const char* args : cases) {
        const BatchRun run = RunBatch(args);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.err.find("usage"), std::string::npos) << args;
    }
}

TEST(AnalyseCommandTest, AnalysesMissingOrOutOfDateMonthsAndSummarises) {
    TestStore store;
    store.AddMonth("2004-04", Line("01"));
    store.AddMonth("2004-05", {Line("02")[0], Line("03")[0]});
    const std::string root = "--root '" + store.root() + "'";

    BatchRun run = RunBatch(root);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.LastLine().rfind("months analysed: 2, lines read: 3, seconds: ", 0), 0u)
        << run.out;
    EXPECT_NE(run.LastLine().find("lines per second: "), std::string::npos);
    EXPECT_TRUE(store.Has("mon-", "2004-04"));

    run = RunBatch(root);
    EXPECT_EQ(run.LastLine().rfind("months analysed: 0, lines read: 0,", 0), 0u) << run.out;

    SetModificationTime(store.siteDir() + "log-2004-05.log", 1000000000);
    run = RunBatch(root);
    EXPECT_EQ(run.LastLine().rfind("months analysed: 1, lines read: 2,", 0), 0u) << run.out;

    run = RunBatch(root + " --all");
    EXPECT_EQ(run.LastLine().rfind("months analysed: 2, lines read: 3,", 0), 0u) << run.out;
}

TEST(AnalyseCommandTest, SiteUrlComesFromTheOptionOrTheSettingsFile) {
    struct Case {
        const char* name;
        std::string settings;  // empty: no settings file
        std::string option;
        std::size_t internalPages;
    };
    const Case cases[] = {
        {"settings", "http://www.site.org\r\nRetour On\r\n", "", 1},
        {"option wins", "http://www.site.org\r\n", "--site-url http://other.org", 0},
        {"option alone", "", "--site-url http://www.site.org", 1},
        {"neither", "", "", 0},
    };
    for (const auto& c : cases) {
        TestStore store;
        store.AddMonth("2004-05", Line("03", "http://www.site.org/a"));
        if (!c.settings.empty())
            WriteRaw(store.siteDir() + "param.tfd", c.settings);
        const BatchRun run = RunBatch("--root '" + store.root() + "' " + c.option);
        ASSERT_EQ(run.exitCode, 0) << c.name << run.err;
        EXPECT_EQ(store.ReadLines("mit-", "2004-05").size(), c.internalPages) << c.name;
        EXPECT_EQ(store.ReadLines("mot-", "2004-05").size(), 1 - c.internalPages) << c.name;
    }
}

TEST(AnalyseCommandTest, MalformedLinesAreIgnoredOrCancelTheMonth) {
    const std::vector<std::string> lines = {Line("03")[0], "short line", Line("04")[0]};
    for (const char* answer : {"", "--on-malformed ignore", "--on-malformed cancel"}) {
        TestStore store;
        store.AddMonth("2004-05", lines);
        const BatchRun run = RunBatch("--root '" + store.root() + "' " + answer);
        EXPECT_EQ(run.exitCode, 0) << answer;
        const bool cancel = std::string(answer).ends_with("cancel");
        EXPECT_EQ(store.Has("mon-", "2004-05"), !cancel) << answer;
        EXPECT_EQ(run.LastLine().rfind(cancel ? "months analysed: 0" : "months analysed: 1", 0), 0u)
            << run.out;
        if (cancel) {
            EXPECT_NE(run.err.find("line 1"), std::string::npos) << run.err;
        }
    }
}

TEST(AnalyseCommandTest, IoErrorsNameTheFileAndExitWithOne) {
    TestStore store;
    BatchRun run = RunBatch("--root '" + store.root() + "/nowhere'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("nowhere/data/1/"), std::string::npos) << run.err;

    WriteRaw(store.siteDir() + "log-2004-05.log", Line("03")[0] + "\r\n");  // no format file
    run = RunBatch("--root '" + store.root() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("format-2004-05.tfd"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace trafikon
