// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window's newer views on a month analysed now and on one
// analysed by an earlier version: Robots tab, hours graph, browser families
// and the report command.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "state/app_state.h"
#include "store/extra_result_names.h"
#include "support/scripted_messages_qt.h"
#include "views/analysis/analysis_window.h"
#include "views/analysis/browsers_tab_widget.h"
#include "views/analysis/general_tab_widget.h"
#include "views/analysis/hours_graph_widget.h"
#include "views/analysis/log_lines_widget.h"
#include "views/analysis/month_report_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/robots_tab_widget.h"

namespace trafikon {
namespace {

using testing::Combined;

class RobotsTabTest : public ::testing::Test {
  protected:
    RobotsTabTest() {
        const std::string firefox =
            "Mozilla/5.0 (X11; Linux x86_64; rv:121.0) Gecko/20100101 Firefox/121.0";
        store.AddMonth("2004-05",
                       {Combined("1.1.1.1", "03/May/2004:10:00:00 +0200", "GET /a.html HTTP/1.0",
                                 "200", "2048", "-", firefox),
                        Combined("2.2.2.2", "03/May/2004:11:00:00 +0200", "GET /a.html HTTP/1.0",
                                 "200", "1024", "-", "Mozilla/5.0 (compatible; ClaudeBot/1.0)"),
                        Combined("2.2.2.2", "04/May/2004:11:30:00 +0200", "GET /b.html HTTP/1.0",
                                 "200", "1024", "-", "Mozilla/5.0 (compatible; ClaudeBot/1.0)"),
                        Combined("3.3.3.3", "04/May/2004:12:00:00 +0200", "GET /b.html HTTP/1.0",
                                 "200", "1024", "-", "-")});
        testing::ScriptedObserver observer;
        AnalyseLog(store.siteDir(), "2004-05", "", observer);
        App().siteDir = store.siteDir();
        App().programDir = store.root() + "/";
        App().language.Assign(BuiltInEnglish());
        App().settings.values.fill(std::string());
    }
    ~RobotsTabTest() override { App().siteDir.clear(); }

    std::unique_ptr<TFAnalyse> Open() {
        auto w = std::make_unique<TFAnalyse>("2004-05");
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        return w;
    }

    testing::TestStore store;
    testing::ScriptedMessages messages;
};

TEST_F(RobotsTabTest, ListsRobotsWithTheirDetailHoursAndFamilies) {
    auto w = Open();
    EXPECT_EQ(w->tabs()->tabText(TFAnalyse::kRobots), "Robots");
    auto* robots = static_cast<RobotsTab*>(w->tabPage(TFAnalyse::kRobots));
    ASSERT_EQ(robots->robotList()->model().rows().size(), 2u);
    EXPECT_EQ(robots->robotList()->model().rows()[0].name, "ClaudeBot");
    EXPECT_EQ(robots->robotList()->model().rows()[1].name, "no user agent");
    EXPECT_TRUE(robots->audienceLabel()->text().contains("People's hits : 1"));
    EXPECT_TRUE(robots->audienceLabel()->text().contains("Robots' hits : 3"));
    robots->robotList()->SelectRow(0);
    EXPECT_EQ(w->logLines()->rowCount(), 2);
    EXPECT_TRUE(robots->SelectByKey("ClaudeBot"));

    // The monthly statistics, people beside robots, then the visits.
    ASSERT_EQ(w->generalTab()->summaryList()->topLevelItemCount(), 23);
    EXPECT_EQ(w->generalTab()->summaryList()->topLevelItem(13)->text(1), "3");  // robots' hits
    EXPECT_EQ(w->generalTab()->summaryList()->topLevelItem(15)->text(1), "1");  // people's visits
    w->generalTab()->ShowTopList(TopList::EntryPages);
    ASSERT_EQ(w->generalTab()->topList()->model().rows().size(), 1u);
    EXPECT_EQ(w->generalTab()->topList()->model().rows()[0].name, "/a.html");
    const HoursGraphWidget* hours = w->generalTab()->hoursGraph();
    ASSERT_TRUE(hours->hasHours());
    EXPECT_EQ(hours->hours().hits[11], 2);

    BrowsersTabWidget* browsers = w->browserTab();
    EXPECT_EQ(browsers->rawList()->model().rows().size(), 3u);
    browsers->ShowView(BrowsersTabWidget::kFamilies);
    const auto& families = browsers->groupList()->model().rows();
    ASSERT_EQ(families.size(), 2u);
    EXPECT_EQ(families[0].name, "Robots");
    EXPECT_EQ(families[0].number, 3);  // the same robots as the Robots tab
    EXPECT_EQ(families[1].name, "Firefox 121");
    browsers->ShowView(BrowsersTabWidget::kSystems);
    EXPECT_EQ(browsers->groupList()->model().rows()[1].name, "Linux");
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("|").toStdString();
}

TEST_F(RobotsTabTest, ReportCommandWritesThePage) {
    auto w = Open();
    const QString path = QString::fromStdString(store.root() + "/report.html");
    WriteMonthReportTo(w.get(), "2004-05", true, path);
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains("Report of the month 2004-05"));
    EXPECT_TRUE(html.contains("ClaudeBot"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith("Report written: "));
}

TEST_F(RobotsTabTest, MonthOfAnEarlierVersionAsksForANewAnalysis) {
    for (const std::string& name : ExtraAnalysisFileNames("2004-05"))
        std::remove((store.siteDir() + name).c_str());
    auto w = Open();
    auto* robots = static_cast<RobotsTab*>(w->tabPage(TFAnalyse::kRobots));
    EXPECT_TRUE(robots->robotList()->model().rows().empty());
    EXPECT_TRUE(robots->audienceLabel()->text().contains("analyse it again"));
    w->browserTab()->ShowView(BrowsersTabWidget::kFamilies);
    EXPECT_TRUE(w->browserTab()->groupList()->model().rows()[0].name.find("analyse it again") !=
                std::string::npos);
    EXPECT_FALSE(w->generalTab()->hoursGraph()->hasHours());
    EXPECT_EQ(w->generalTab()->summaryList()->topLevelItemCount(), 11);
    // The older tabs show the month as before, and nothing is reported as damaged.
    EXPECT_EQ(w->browserList()->model().rows().size(), 3u);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("|").toStdString();
}

}  // namespace
}  // namespace trafikon
