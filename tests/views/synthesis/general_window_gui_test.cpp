// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/general_window.h"

#include <gtest/gtest.h>

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeView>

#include "app/main_window.h"
#include "app/shell_fixture_qt.h"
#include "engine/analyse_log.h"
#include "import/import_logs.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/analysis_window.h"
#include "views/synthesis/month_trend_widget.h"

namespace trafikon {
namespace {

using testing::GenerateLog;
using testing::ProgramFolder;
using testing::WriteRaw;

class IgnoringObserver : public AnalysisObserver {
  public:
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::Ignore;
    }
};

class GeneralWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Prepare();
        const std::string log = folder.temp / "access.log";
        GenerateLog(log, 300, 2, "2004-05");
        SilentImportObserver importObserver;
        ImportLogs(folder.site(), {log}, "hlutrsbRU", importObserver);
        IgnoringObserver observer;
        AnalyseLog(folder.site(), "2004-05", "", observer);
        window = std::make_unique<TFPrincipal>(folder.dir());
        window->FormShow();
    }
    int RowOf(const std::string& key) {
        for (int row = 0; row < general()->rowCount(); ++row)
            if (general()->model()->Row(row).key == key)
                return row;
        return -1;
    }
    TFGeneral* general() { return window->general(); }

    ProgramFolder folder;
    std::unique_ptr<TFPrincipal> window;
};

TEST_F(GeneralWindowTest, TableListsMonthsNewestFirstWithThirteenColumns) {
    SynthesisModel* model = general()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->columnCount(), 13);  // the monthly file's ten, then the visits
    EXPECT_EQ(model->index(0, 0).data().toString(), "2004-06");
    EXPECT_EQ(model->index(0, 1).data().toString(), "*");
    EXPECT_EQ(model->index(0, 2).data().toString(), "");
    EXPECT_EQ(model->index(1, 0).data().toString(), "2004-05");
    EXPECT_NE(model->index(1, 1).data().toString(), "*");
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), Tr(30));
    EXPECT_EQ(model->headerData(10, Qt::Horizontal, Qt::DisplayRole).toString(), Tr(40));
    EXPECT_EQ(model->headerData(12, Qt::Horizontal, Qt::DisplayRole).toString(),
              Tr(lang::kTextPeopleUniqueVisitors));
    EXPECT_EQ(App().storedMonths, (std::vector<std::string>{"2004-05", "2004-06"}));
    // A month imported later shows after a refresh, on top.
    WriteRaw(folder.site() + "log-2004-08.log", "x\r\n");
    window->RefreshSynthesis();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 0).data().toString(), "2004-08");
}

TEST_F(GeneralWindowTest, OpeningAMonthFindsItsWindowOrOpensOneOrSaysThereIsNone) {
    QMdiArea* area = window->mdiArea();
    general()->OpenMonth(RowOf("2004-06"));
    EXPECT_EQ(folder.messages.shown, QStringList{Tr(146)});
    EXPECT_EQ(area->subWindowList().size(), 1);

    // Return on a row opens its month, as a double click does, at its opening size.
    window->show();
    QTreeView* table = general()->findChild<QTreeView*>("LVInfoAnnuelleSynthese");
    table->setCurrentIndex(general()->model()->index(RowOf("2004-05"), 0));
    QTest::keyClick(table, Qt::Key_Return);
    ASSERT_EQ(area->subWindowList().size(), 2);
    QMdiSubWindow* analysis = area->subWindowList().last();
    EXPECT_EQ(analysis->windowTitle(), Tr(112) + " 2004-05");
    const QSize content = analysis->widget()->size();
    EXPECT_GE(content.width(),
              std::min(TFAnalyse::kOpeningSize.width(), area->viewport()->width() - 20));
    EXPECT_GE(content.width(), analysis->widget()->minimumSizeHint().width());
    EXPECT_TRUE(App().requestedMonth.empty());

    window->General1Click();
    EXPECT_EQ(area->activeSubWindow(), window->generalChild());
    general()->OpenMonth(RowOf("2004-05"));
    EXPECT_EQ(area->subWindowList().size(), 2);
    EXPECT_EQ(area->activeSubWindow(), analysis);
}

TEST_F(GeneralWindowTest, TrendChartStacksPeopleAndRobotsAndAClickOpensTheMonth) {
    MonthTrendWidget* trend = general()->trend();
    EXPECT_EQ(trend->shownKeys(), (std::vector<std::string>{"2004-05", "2004-06"}));
    auto sets = [&] {
        return qobject_cast<QAbstractBarSeries*>(trend->chartView()->chart()->series().at(0))
            ->barSets();
    };
    ASSERT_EQ(sets().size(), 2);  // people, robots
    EXPECT_GT(sets()[0]->at(0) + sets()[1]->at(0), 0);
    EXPECT_EQ(sets()[0]->at(1) + sets()[1]->at(1), 0);  // not analysed

    window->show();
    emit sets()[1]->clicked(0);
    ASSERT_EQ(window->mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(window->mdiArea()->subWindowList().last()->windowTitle(), Tr(112) + " 2004-05");

    // Year over year: each month beside the same month a year before (none here).
    trend->yearOverYearBox()->setChecked(true);
    ASSERT_EQ(sets().size(), 2);
    EXPECT_EQ(sets()[0]->at(0), 0);
    EXPECT_GT(sets()[1]->at(0), 0);
    trend->measureBox()->setCurrentIndex(2);  // kilobytes
    EXPECT_EQ(trend->shownKeys().size(), 2u);
}

TEST_F(GeneralWindowTest, ClosingTheWindowMinimisesIt) {
    window->show();
    window->generalChild()->close();
    EXPECT_TRUE(window->generalChild()->isMinimized());
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
}

}  // namespace
}  // namespace trafikon
