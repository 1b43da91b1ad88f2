// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "state/app_state.h"
#include "store/month_stats.h"
#include "support/scripted_messages_qt.h"
#include "support/store_records.h"
#include "support/temp_dir.h"
#include "views/synthesis/daily_table_widget.h"

namespace trafikon {
namespace {

class DailyTableWidgetTest : public ::testing::Test {
  protected:
    testing::TempDir dir;
    testing::ScriptedMessages messages;
    DailyTableWidget widget;

    void SetUp() override {
        App().language.Assign(BuiltInEnglish());
        App().siteDir = dir.path() + "/";
        App().storedMonths = {"2004-05", "2004-06", "2004-07"};
        for (std::size_t m = 0; m < App().storedMonths.size(); ++m) {
            MonthStats stats;
            std::array<long long, kDaysInList> visitors{}, kilobytes{};
            for (int d = 0; d < kDaysInList; ++d) {
                visitors[d] = static_cast<long long>(m) * 100 + d;
                kilobytes[d] = 9000 + static_cast<long long>(m) * 100 + d;
            }
            stats[kStatViJo] = FormatDayList(visitors);
            stats[kStatKoJo] = FormatDayList(kilobytes);
            WriteMonthStatsFile(App().siteDir + "mon-" + App().storedMonths[m] + ".tfd", stats);
        }
        widget.ApplyTexts();
        widget.Refresh();
    }

    QPushButton* Button(const char* name) { return widget.findChild<QPushButton*>(name); }
    QListWidget* Months() { return widget.findChild<QListWidget*>("LBDate"); }
    QTreeWidget* Table() { return widget.findChild<QTreeWidget*>("LVInfoAnnuelle"); }
};

TEST_F(DailyTableWidgetTest, MonthListNewestFirstAndCaptionsFromTheLanguage) {
    ASSERT_EQ(Months()->count(), 3);
    EXPECT_EQ(Months()->item(0)->text(), "2004-07");
    EXPECT_EQ(Months()->item(2)->text(), "2004-05");
    EXPECT_EQ(Button("BIAKilo")->text(), "KiloBytes");
    EXPECT_EQ(Table()->columnCount(), 13);
    EXPECT_EQ(Table()->headerItem()->text(0), "Day");
}

TEST_F(DailyTableWidgetTest, SwitchingMeasureReplacesEveryValueAndTheBoldButton) {
    Months()->setCurrentRow(1);  // 2004-06, then 2004-05
    Button("BIAVisit")->click();
    ASSERT_EQ(Table()->topLevelItemCount(), 31);
    EXPECT_EQ(Table()->headerItem()->text(1), "2004-06");
    EXPECT_EQ(Table()->headerItem()->text(2), "2004-05");
    EXPECT_EQ(Table()->headerItem()->text(3), "");
    EXPECT_EQ(Table()->topLevelItem(0)->text(1), "100");
    EXPECT_TRUE(Button("BIAVisit")->font().bold());

    Button("BIAKilo")->click();
    ASSERT_EQ(Table()->topLevelItemCount(), 31);
    for (int d = 0; d < 31; ++d) {
        QTreeWidgetItem* row = Table()->topLevelItem(d);
        EXPECT_EQ(row->text(0), QString::number(d + 1));
        EXPECT_EQ(row->text(1), QString::number(9100 + d));
        EXPECT_EQ(row->text(2), QString::number(9000 + d));
        EXPECT_EQ(row->text(3), "");
    }
    EXPECT_TRUE(Button("BIAKilo")->font().bold());
    for (const char* other : {"BIAVisit", "BIAPage", "BIAHits"})
        EXPECT_FALSE(Button(other)->font().bold()) << other;
}

TEST_F(DailyTableWidgetTest, NoSelectionEmptiesTheTableAndStillMarksTheButton) {
    Months()->setCurrentRow(0);
    Button("BIAVisit")->click();
    EXPECT_EQ(Table()->topLevelItemCount(), 31);
    Months()->clearSelection();
    Months()->setCurrentRow(-1);
    Button("BIAHits")->click();
    EXPECT_EQ(Table()->topLevelItemCount(), 0);
    EXPECT_EQ(Table()->headerItem()->text(1), "");
    EXPECT_TRUE(Button("BIAHits")->font().bold());
}

TEST_F(DailyTableWidgetTest, LayoutFollowsTheTabSize) {
    widget.show();
    widget.resize(700, 400);
    QApplication::processEvents();
    // The table takes what the measures and the month list leave, beside them.
    EXPECT_GE(Months()->width(), 104);
    EXPECT_GT(Table()->width(), 700 - 2 * Months()->width());
    EXPECT_GT(Months()->height(), 400 / 2);
    EXPECT_FALSE(Table()->geometry().intersects(Months()->geometry()));
    EXPECT_FALSE(Table()->geometry().intersects(Button("BIAHits")->geometry()));
    // The visits share the column's width, and a pressed (bold) caption fits in it.
    QPushButton* visits = Button("visits");
    EXPECT_EQ(visits->width(), Months()->width());
    QFont bold = visits->font();
    bold.setBold(true);
    EXPECT_GT(visits->width(), QFontMetrics(bold).horizontalAdvance(visits->text()));
}

}  // namespace
}  // namespace trafikon
