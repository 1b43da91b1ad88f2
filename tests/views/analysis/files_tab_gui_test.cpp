// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/files_tab_widget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include "tabs_fake_context.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {
namespace {

using testing::Record;

std::string FileRec(std::string_view name, std::string_view hits, std::string_view kind,
                    std::string_view lines, std::string_view status, std::string_view hosts,
                    std::string_view extQ = "-") {
    return Record({name, hits, lines, kind, status, "[05/Nov/2003:10:00:01 +0100]", hosts, extQ,
                   "-", "-0-", "-", "-"});
}

class FilesTabTest : public ::testing::Test {
  protected:
    FilesTabTest() {
        MonthResults& m = ctx.month;
        m.files = {FileRec("/a.html", "3", "1", "-0-4-9-", "404", "-0-1-2-", "-0-1-2-"),
                   FileRec("/b.gif", "1", "2", "-1-", "304", "-1-"),
                   FileRec("/admin.html", "2", "1", "-2-3-", "200", "-0-"),
                   FileRec("/Admin.php", "1", "1", "-5-", "200", "-1-")};
        m.hosts = {Record({"h0", "50", "-"}), Record({"h1", "2", "-"}), Record({"h2", "9", "-"})};
        for (const char* q : {"\"q=b\"", "\"q=c\"", "\"q=a\""})
            m.externalQueries.push_back(
                Record({q, "0", "-30-", "-0-", "[x]", std::string("http://s.example/?") + (q + 1),
                        "http://s.example/"}));
        m.externalReferrers = {Record({"http://s.example/", "3", "-", "-0-", "[x]"})};
        tab.ApplyTexts();
        tab.Refresh();
    }
    std::vector<std::string> ListNames(NameCountListWidget* l) {
        std::vector<std::string> out;
        for (const NameCountView r : l->model().rows())
            out.emplace_back(r.name);
        return out;
    }
    testing::FakeContext ctx;
    FilesTab tab{ctx.month, ctx};
};

TEST_F(FilesTabTest, KindButtonsAndFilterKeepEachOther) {
    EXPECT_EQ(tab.countLabel()->text(), "4 Fichiers");
    tab.kindButton(tabs::kPages)->click();
    EXPECT_TRUE(tab.kindButton(tabs::kPages)->font().bold());
    EXPECT_FALSE(tab.kindButton(tabs::kAllKinds)->font().bold());
    EXPECT_EQ(ListNames(tab.fileList()),
              (std::vector<std::string>{"/a.html", "/admin.html", "/Admin.php"}));
    // A header click, then the filter button: the kind stays, the filter is case-sensitive.
    tab.fileList()->model().ClickColumn(1);
    tab.filterEdit()->setText("admin");
    tab.filterButton()->click();
    EXPECT_EQ(ListNames(tab.fileList()), (std::vector<std::string>{"/admin.html"}));
    EXPECT_EQ(tab.countLabel()->text(), "1 Fichiers");
    // A reload fills without the text filter but keeps the kind and the edit's text.
    tab.Refresh();
    EXPECT_EQ(tab.fileList()->model().rows().size(), 3u);
    EXPECT_EQ(tab.filterEdit()->text(), "admin");
}

TEST_F(FilesTabTest, DetailOfAFileOncePerSelection) {
    EXPECT_EQ(tab.switches()->caption(tabs::kExternalReferrersSwitch), "Referents Externe (0)");
    tab.fileList()->SelectRow(0);
    ASSERT_EQ(ctx.logLines.size(), 1u);
    EXPECT_EQ(ctx.logLines[0].first, "-0-4-9-");
    EXPECT_EQ(ctx.logLines[0].second, LineNumbering::Index);
    TabsDetailHeader* h = tab.detailHeader();
    EXPECT_EQ(h->title(), "Fichier :/a.html");
    EXPECT_EQ(h->line(0), "Nombre d'acces : 3");
    EXPECT_EQ(h->line(1), QString::fromUtf8("Dernière date d'acces : 05/Nov/2003:10:00:01 "));
    EXPECT_EQ(h->line(2), "Nombre d'utilisateur : 3");
    EXPECT_EQ(h->line(3), "Dernier Status : 404");
    EXPECT_EQ(h->lineColour(3), QColor(Qt::red));
    EXPECT_EQ(h->lineColour(0), QColor(Qt::blue));
    EXPECT_EQ(tab.switches()->caption(tabs::kHostsSwitch), "Hote ou IP (3)");
    EXPECT_EQ(tab.switches()->caption(tabs::kExternalQueriesSwitch), "Requete Externe (3)");
    EXPECT_EQ(tab.switches()->caption(tabs::kExternalReferrersSwitch), "Referents Externe (1)");

    // A click on the row already shown computes nothing again.
    emit tab.fileList()->rowChosen(0);
    EXPECT_EQ(ctx.logLines.size(), 1u);
    tab.fileList()->SelectRow(1);
    EXPECT_EQ(ctx.logLines.size(), 2u);
    EXPECT_EQ(tab.detailHeader()->lineColour(3), QColor(0, 128, 0));  // 304
}

TEST_F(FilesTabTest, SwitchesShowOneListAndHostsJump) {
    tab.fileList()->SelectRow(0);
    tab.switches()->button(tabs::kHostsSwitch)->click();
    EXPECT_EQ(tab.switches()->chosen(), tabs::kHostsSwitch);
    auto* stack = qobject_cast<QStackedWidget*>(tab.resultList(tabs::kHostsSwitch)->parentWidget());
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->currentWidget(), tab.resultList(tabs::kHostsSwitch));
    EXPECT_EQ(tab.switches()->button(tabs::kHostsSwitch)->palette().color(QPalette::WindowText),
              QColor(Qt::blue));
    emit tab.resultList(tabs::kHostsSwitch)->rowDoubleClicked(2);
    EXPECT_EQ(ctx.hostJumps, (std::vector<std::string>{"h2"}));
}

TEST_F(FilesTabTest, ShortcutsCopyAndOpen) {
    tab.fileList()->SelectRow(2);
    NameCountListWidget* list = tab.fileList();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ctx.copied, (std::vector<std::string>{"/admin.html", "/admin.html",
                                                    "/a.html\n/b.gif\n/admin.html\n/Admin.php\n"}));
    EXPECT_EQ(ctx.openedPages, (std::vector<std::string>{"/admin.html"}));

    // After sorting the external queries, Ctrl+V opens the row's own referrer.
    list->SelectRow(0);
    NameCountListWidget* queries = tab.resultList(tabs::kExternalQueriesSwitch);
    ASSERT_EQ(queries->model().rows().size(), 3u);
    queries->model().ClickColumn(1);  // any column: by query text, ascending
    EXPECT_EQ(queries->model().rows()[0].name, "\"q=a\"");
    queries->SelectRow(0);
    QTest::keyClick(queries, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(queries, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ctx.openedAddresses, (std::vector<std::string>{"http://s.example/?q=a\""}));
    EXPECT_EQ(ctx.copied.back(), "\"q=a\"");
    // The hosts list has no shortcuts.
    std::size_t copies = ctx.copied.size();
    tab.resultList(tabs::kHostsSwitch)->SelectRow(0);
    QTest::keyClick(tab.resultList(tabs::kHostsSwitch), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ctx.copied.size(), copies);
}

TEST_F(FilesTabTest, JumpTargetIsCaseSensitive) {
    EXPECT_TRUE(tab.SelectByKey("/admin.html"));
    EXPECT_EQ(tab.fileList()->SelectedRow(), 2);
    EXPECT_FALSE(tab.SelectByKey("/ADMIN.html"));
}

}  // namespace
}  // namespace trafikon
