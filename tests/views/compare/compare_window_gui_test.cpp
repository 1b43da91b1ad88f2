// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "state/app_state.h"
#include "store/tagged_record.h"
#include "store/text_file.h"
#include "support/scripted_messages_qt.h"
#include "support/temp_dir.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/compare/compare_window.h"

namespace trafikon {
namespace {

class CompareWindowTest : public ::testing::Test {
  protected:
    testing::TempDir dir;
    testing::ScriptedMessages messages;

    void SetUp() override {
        App().language.Assign(BuiltInFrench());
        App().siteDir = dir.path() + "/";
        App().storedMonths = {"2004-05", "2004-06"};
        WriteFileList("2004-06", {{"/a.php", "8"}, {"/img/x.gif", "3"}});
        WriteFileList("2004-05", {{"/a.php", "2"}, {"/b.php", "1"}});
    }
    void WriteFileList(const std::string& key,
                       const std::vector<std::pair<std::string, std::string>>& records) {
        Lines lines;
        for (const auto& [path, hits] : records) {
            std::string line;
            AppendRecord(line, {path, hits, "-", "1", "200", "", "-", "-", "-", "-", "-", "-"});
            lines.push_back(line);
        }
        WriteTextLines(App().siteDir + "lfp-" + key + ".tfd", lines);
    }
    static QStringList Column(QTreeView* view, int column) {
        QStringList cells;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            cells << view->model()->index(r, column).data().toString();
        return cells;
    }
};

TEST_F(CompareWindowTest, ColumnsAreFixedNewestFirstAndEnterRunsTheSearch) {
    TFCompare window;
    window.show();
    auto* view = window.findChild<QTreeView*>("LVTopTenResult");
    QAbstractItemModel* model = view->model();
    ASSERT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Fichiers");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Moyenne");
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "2004-06");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "2004-05");
    EXPECT_EQ(window.windowTitle(), "Comparaison");
    EXPECT_EQ(window.findChild<QLabel*>("LTTResult1")->text(), "");

    auto* edit = window.findChild<QLineEdit*>("EFiltreFiles");
    edit->setText("php");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Column(view, 0), (QStringList{"/a.php", "/b.php"}));
    EXPECT_EQ(Column(view, 1), (QStringList{"5", "1"}));
    EXPECT_EQ(Column(view, 3), (QStringList{"2", "1"}));
    EXPECT_EQ(window.findChild<QLabel*>("LTTResult1")->text(), "2 Fichiers");

    edit->setText("p");
    window.findChild<QPushButton*>("BCompFiles")->click();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(window.findChild<QLabel*>("LTTResult1")->text(), "0 Fichiers");
    EXPECT_TRUE(messages.shown.isEmpty());

    // A month stored later does not change the columns of an open window.
    App().storedMonths.push_back("2004-07");
    WriteFileList("2004-07", {{"/img/y.gif", "50"}});
    window.findChild<QPushButton*>("BCompDirectory")->click();
    EXPECT_EQ(model->columnCount(), 4);
    EXPECT_EQ(Column(view, 0), QStringList{"img"});
    EXPECT_EQ(Column(view, 2), QStringList{"3"});
}

TEST_F(CompareWindowTest, HeaderClicksOnTheAverageSortLargestThenSmallest) {
    TFCompare window;
    window.show();
    auto* edit = window.findChild<QLineEdit*>("EFiltreFiles");
    edit->setText(".p");
    window.BCompFilesClick();
    auto* view = window.findChild<QTreeView*>("LVTopTenResult");
    window.LVTopTenResultColumnClick(1);
    EXPECT_EQ(Column(view, 0), (QStringList{"/a.php", "/b.php"}));
    window.LVTopTenResultColumnClick(1);
    EXPECT_EQ(Column(view, 0), (QStringList{"/b.php", "/a.php"}));
    // Coming from another column the state becomes 0: the names sort ascending.
    window.LVTopTenResultColumnClick(0);
    EXPECT_EQ(Column(view, 0), (QStringList{"/a.php", "/b.php"}));
    window.LVTopTenResultColumnClick(0);
    EXPECT_EQ(Column(view, 0), (QStringList{"/b.php", "/a.php"}));
    EXPECT_TRUE(view->header()->isSortIndicatorShown());
    // A new command's rows are in its own order: the arrow goes.
    window.BCompDirectoryClick();
    EXPECT_FALSE(view->header()->isSortIndicatorShown());
}

TEST_F(CompareWindowTest, NameColumnKeepsRoomBesideManyMonthsAndFollowsTheWindowSize) {
    App().storedMonths.clear();
    for (int m = 0; m < 31; ++m) {
        const std::string key = std::to_string(2004 + m / 12) + "-" + (m % 12 < 9 ? "0" : "") +
                                std::to_string(m % 12 + 1);
        App().storedMonths.push_back(key);
        WriteFileList(key, {{"/a/rather/long/name/of/a/page/of/the/site.php", "12345"}});
    }
    TFCompare window;
    window.resize(900, 500);
    window.show();
    window.findChild<QLineEdit*>("EFiltreFiles")->setText("site");
    window.BCompFilesClick();
    auto* view = window.findChild<QTreeView*>("LVTopTenResult");
    QApplication::processEvents();
    const int narrow = view->header()->sectionSize(0);
    EXPECT_GE(narrow, view->viewport()->width() / 3);
    EXPECT_GT(view->header()->length(), view->viewport()->width());  // the months scroll

    window.resize(3200, 500);
    QApplication::processEvents();
    EXPECT_GT(view->header()->sectionSize(0), narrow);
    EXPECT_EQ(view->header()->length(), view->viewport()->width());
    window.resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(view->header()->sectionSize(0), narrow);
}

TEST_F(CompareWindowTest, DamagedFileKeepsTheTableAndNamesMonthAndFile) {
    TFCompare window;
    window.show();
    window.BCompDirectoryClick();
    auto* view = window.findChild<QTreeView*>("LVTopTenResult");
    ASSERT_EQ(Column(view, 0), QStringList{"img"});

    WriteFileList("2004-05", {{"/img/z.gif", "many"}});
    window.BCompDirectoryClick();
    ASSERT_EQ(messages.shown.size(), 1);
    // In the interface language only: the month, then the file.
    EXPECT_TRUE(messages.shown[0].startsWith(Tr(lang::kCompareStopped).arg("2004-05") + "\n"));
    EXPECT_TRUE(messages.shown[0].endsWith("lfp-2004-05.tfd"));
    EXPECT_EQ(Column(view, 0), QStringList{"img"});
    EXPECT_EQ(window.findChild<QLabel*>("LTTResult1")->text(), "1 Fichiers");
}

}  // namespace
}  // namespace trafikon
