// SPDX-License-Identifier: GPL-3.0-or-later
// The main window takes in the new lines of the watched logs by itself and
// analyses their months.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QInputDialog>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/shell_fixture_qt.h"
#include "import/watched_logs.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"

namespace trafikon {
namespace {

using testing::GenerateLog;
using testing::ProgramFolder;
using testing::ReadRaw;
using testing::WaitUntil;
using testing::WhenModalShows;
using testing::WriteRaw;

TEST(LogWatch, NewLinesOfAWatchedLogAreImportedOnceAndTheirMonthAnalysed) {
    ProgramFolder folder;
    folder.Prepare();
    const std::string log = folder.temp / "logs/access.log";
    WriteRaw(log, "");  // makes its folder
    GenerateLog(log, 200, 1, "2004-05");
    GenerateLog(folder.temp / "more.log", 50, 1, "2004-05", 8);
    WriteWatchedPatterns(folder.site(), {folder.temp / "logs"});
    const auto storedLines = [&] {
        const std::string path = folder.site() + "log-2004-05.log";
        const std::string bytes = FileExists(path) ? ReadRaw(path) : std::string();
        return std::count(bytes.begin(), bytes.end(), '\n');
    };
    const std::string analysis = folder.site() + "mon-2004-05.tfd";

    TFPrincipal window(folder.dir());
    window.FormShow();
    ASSERT_TRUE(WaitUntil([&] { return FileExists(analysis) && !App().analysisRunning; }, 30000));
    EXPECT_EQ(storedLines(), 200);

    std::remove(analysis.c_str());
    WriteRaw(log, ReadRaw(log) + ReadRaw(folder.temp / "more.log"));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(analysis) && !App().analysisRunning; }, 30000));
    EXPECT_EQ(storedLines(), 250);
    EXPECT_TRUE(folder.messages.shown.isEmpty()) << folder.messages.shown.join("|").toStdString();
}

// A watched virtual-host log: the host's lines make their site, which the
// chooser then lists, and both sites that received lines are analysed.
TEST(LogWatch, AVirtualHostLogFeedsItsSitesWhichAreListedAndAnalysed) {
    ProgramFolder folder;
    folder.Prepare();
    std::string shop, rest;
    for (int i = 0; i < 40; ++i) {
        const std::string line = " 10.0.0." + std::to_string(i) + " - - [0" +
                                 std::to_string(1 + i % 9) + "/May/2004:10:00:00 +0200] \"GET /p" +
                                 std::to_string(i) + ".html HTTP/1.1\" 200 100 \"-\" \"Agent/1\"\n";
        (i % 2 ? shop : rest) += (i % 2 ? "www.Shop.example.net:443" : "-") + line;
    }
    WriteRaw(folder.temp / "logs/vhost.log", rest + shop);
    WriteWatchedPatterns(folder.site(), {folder.temp / "logs"});
    const std::string shopSite = folder.dir() + "data/2/";

    TFPrincipal window(folder.dir());
    window.FormShow();
    ASSERT_TRUE(WaitUntil(
        [&] {
            return FileExists(folder.site() + "mon-2004-05.tfd") &&
                   FileExists(shopSite + "mon-2004-05.tfd") && !App().analysisRunning;
        },
        30000));
    std::string stored = ReadRaw(shopSite + "log-2004-05.log");
    std::erase(stored, '\r');
    EXPECT_EQ(stored, shop);
    EXPECT_EQ(window.siteChooser()->count(), 2);
    EXPECT_EQ(window.siteChooser()->itemText(1), "shop.example.net");
    EXPECT_EQ(App().siteNumber, 1);
}

TEST(LogWatch, TheWatchedLogsDialogKeepsThePatternsAndWhenToAnalyse) {
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    window.FormShow();
    WhenModalShows<QInputDialog>([](QInputDialog* patterns) {
        patterns->setTextValue("/var/log/a/access.log*\n\n  /srv/logs  \n");
        WhenModalShows<QInputDialog>([](QInputDialog* when) {
            when->setTextValue(Tr(lang::kWatchAnalysisByHand));
            when->accept();
        });
        patterns->accept();
    });
    window.WatchedLogsClick();
    EXPECT_EQ(ReadWatchedPatterns(folder.site()),
              (std::vector<std::string>{"/var/log/a/access.log*", "/srv/logs"}));
    EXPECT_EQ(ReadWatchAnalysisMinutes(folder.site()), kAnalyseByHand);

    // A time of day is asked again until it is one.
    WhenModalShows<QInputDialog>([](QInputDialog* patterns) {
        WhenModalShows<QInputDialog>([](QInputDialog* when) {
            when->setTextValue(Tr(lang::kWatchAnalysisAtTime).arg("HH:MM"));
            WhenModalShows<QInputDialog>([](QInputDialog* time) {
                time->setTextValue("25:00");
                WhenModalShows<QInputDialog>([](QInputDialog* again) {
                    again->setTextValue("6:30");
                    again->accept();
                });
                time->accept();
            });
            when->accept();
        });
        patterns->accept();
    });
    window.WatchedLogsClick();
    EXPECT_EQ(ReadWatchAnalysisTime(folder.site()), 6 * 60 + 30);
}

}  // namespace
}  // namespace trafikon
