// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/hosts_tab_widget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tabs_fake_context.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"

namespace trafikon {
namespace {

using testing::Record;

class HostsTabTest : public ::testing::Test {
  protected:
    HostsTabTest() {
        ctx.month.files = {Record({"/a"}), Record({"/b"})};
        ctx.month.hosts = {
            Record({"192.168.0.1", "40", "-0-", "-0-", "[01/Nov/2003:00:00:00 +0100]"}),
            Record({"192.168.0.2", "41", "-0-3-", "-1-0-7-", "[02/Nov/2003:10:00:00 +0100]"}),
            Record({"crawler.example", "99", "-5-", "-1-", "[x]"})};
        tab.ApplyTexts();
        tab.Refresh();
    }
    testing::FakeContext ctx;
    HostsTab tab{ctx.month, ctx};
};

TEST_F(HostsTabTest, MinimumOfTheSettingsAndFilter) {
    ASSERT_EQ(tab.hostList()->model().rows().size(), 2u);  // 40 is not above 40
    EXPECT_EQ(tab.hostList()->model().rows()[0].name, "192.168.0.2");
    EXPECT_EQ(tab.countLabel()->text(), "2 Host ou IP");
    tab.filterEdit()->setText("192.168.");
    QTest::keyClick(tab.filterEdit(), Qt::Key_Return);
    EXPECT_EQ(tab.hostList()->model().rows().size(), 1u);
    // The minimum is read at every fill.
    ctx.editSettings()[3] = "0";
    tab.filterButton()->click();
    EXPECT_EQ(tab.hostList()->model().rows().size(), 2u);
    ctx.editSettings()[3] = "not a number";
    tab.FillList(QString());
    EXPECT_EQ(tab.hostList()->model().rows().size(), 2u);  // read as 40
}

TEST_F(HostsTabTest, DetailPagesShortcutsAndJump) {
    tab.hostList()->SelectRow(0);
    ASSERT_EQ(ctx.logLines.size(), 1u);
    EXPECT_EQ(ctx.logLines[0].first, "-0-3-");
    EXPECT_EQ(ctx.logLines[0].second, LineNumbering::IndexPlusOne);
    TabsDetailHeader* h = tab.detailHeader();
    EXPECT_EQ(h->title(), "Hote : 192.168.0.2");
    EXPECT_EQ(h->line(0), "Nombre d'acces : 41");
    EXPECT_EQ(h->line(1), QString::fromUtf8("Dernière date d'acces : 02/Nov/2003:10:00:00 "));
    EXPECT_EQ(h->line(2), QString::fromUtf8("Nombre de pages différentes :2"));  // 7 is stale
    EXPECT_EQ(h->line(3), "");
    EXPECT_TRUE(h->note().startsWith("1 r")) << h->note().toStdString();
    NameCountListWidget* pages = tab.pageList();
    ASSERT_EQ(pages->model().rows().size(), 2u);
    pages->SelectRow(0);
    QTest::keyClick(pages, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(pages, Qt::Key_V, Qt::ControlModifier);
    emit pages->rowDoubleClicked(1);
    EXPECT_EQ(ctx.copied, (std::vector<std::string>{"/b"}));
    EXPECT_EQ(ctx.openedPages, (std::vector<std::string>{"/b"}));
    EXPECT_EQ(ctx.fileJumps, (std::vector<std::string>{"/a"}));
    // A detail without stale positions hides the note again.
    tab.hostList()->SelectRow(1);
    EXPECT_EQ(h->note(), "");
    // The host list itself has no shortcuts.
    QTest::keyClick(tab.hostList(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ctx.copied.size(), 1u);
}

TEST_F(HostsTabTest, JumpTargetHiddenByTheMinimumIsNotFound) {
    EXPECT_FALSE(tab.SelectByKey("192.168.0.1"));
    EXPECT_FALSE(tab.SelectByKey("CRAWLER.example"));
    EXPECT_TRUE(tab.SelectByKey("crawler.example"));
    EXPECT_EQ(tab.hostList()->SelectedRow(), 1);
}

}  // namespace
}  // namespace trafikon
