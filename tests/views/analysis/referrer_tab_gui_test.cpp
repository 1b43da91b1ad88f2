// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/referrer_tab_widget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "tabs_fake_context.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {
namespace {

using testing::Record;

void FillMonth(LineTable& refs, LineTable& queries) {
    for (int i = 0; i < 13; ++i)
        refs.push_back(Record({"http://r" + std::to_string(i) + ".example/search", "2", "-4-8-",
                               "-0-", "[09/Nov/2003:12:00:00 +0100]"}));
    queries = {Record({"\"q=twelve\"", "12", "-22-", "-0-", "[x]",
                       "http://r12.example/search?q=twelve", "http://r12.example/"}),
               Record({"\"q=one\"", "1", "-22-", "-0-", "[x]", "http://r1.example/search?q=one",
                       "http://r1.example/"})};
}

TEST(ReferrerTab, ExternalDetailWithItsQueries) {
    testing::FakeContext ctx;
    ctx.month.files = {Record({"/landing.html"})};
    FillMonth(ctx.month.externalReferrers, ctx.month.externalQueries);
    ReferrerTab tab(ctx.month, ctx, true);
    tab.ApplyTexts();
    tab.Refresh();
    EXPECT_EQ(tab.countLabel()->text(), "13 Referents Externes");
    EXPECT_EQ(tab.switches()->caption(ReferrerTab::kQueriesSwitch),
              QString::fromUtf8("Paramètre de la Requête (0)"));
    ASSERT_TRUE(tab.SelectByKey("http://r1.example/search"));
    ASSERT_EQ(ctx.logLines.size(), 1u);
    EXPECT_EQ(ctx.logLines[0].second, LineNumbering::IndexPlusOne);
    EXPECT_EQ(tab.detailHeader()->title(), "Moteurs de Recherche :http://r1.example/search");
    EXPECT_EQ(tab.detailHeader()->line(0), "Nombre d'acces : 2");
    EXPECT_EQ(tab.detailHeader()->line(1), QString::fromUtf8("Nombre de recherche différente : 1"));
    EXPECT_EQ(tab.detailHeader()->line(2),
              QString::fromUtf8("Dernière date d'acces : 09/Nov/2003:12:00:00 "));
    EXPECT_EQ(tab.switches()->caption(ReferrerTab::kPagesSwitch), "Fichiers (1)");
    EXPECT_EQ(tab.switches()->caption(ReferrerTab::kQueriesSwitch),
              QString::fromUtf8("Paramètre de la Requête (1)"));
    // Only the query of page 1, not the one of page 12.
    NameCountListWidget* tree = tab.queryTree();
    ASSERT_EQ(tree->model().rows().size(), 1u);
    EXPECT_EQ(tree->model().rows()[0].name, "\"q=one\"");
    // Copy and open use the same full address.
    tree->SelectRow(0);
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ctx.copied, (std::vector<std::string>{"http://r1.example/search?q=one"}));
    EXPECT_EQ(ctx.openedAddresses, (std::vector<std::string>{"http://r1.example/search?q=one"}));
    // Referrer list opens its address as it stands, pages open on the site.
    QTest::keyClick(tab.referrerList(), Qt::Key_V, Qt::ControlModifier);
    tab.pageList()->SelectRow(0);
    QTest::keyClick(tab.pageList(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ctx.openedAddresses.back(), "http://r1.example/search");
    EXPECT_EQ(ctx.openedPages, (std::vector<std::string>{"/landing.html"}));
}

TEST(ReferrerTab, InternalDetailHasNoLinesAndNoQueryActions) {
    testing::FakeContext ctx;
    FillMonth(ctx.month.internalReferrers, ctx.month.internalQueries);
    // External tables bigger than the internal ones do not limit the internal filter.
    ctx.month.externalReferrers = {Record({"http://x.example/", "1", "-", "-", "[x]"})};
    ReferrerTab tab(ctx.month, ctx, false);
    tab.ApplyTexts();
    tab.Refresh();
    tab.filterEdit()->setText("r1");
    QTest::keyClick(tab.filterEdit(), Qt::Key_Return);
    EXPECT_EQ(tab.countLabel()->text(), "4 Referents Internes");  // r1, r10, r11, r12
    ASSERT_TRUE(tab.SelectByKey("http://r12.example/search"));
    EXPECT_EQ(tab.detailHeader()->line(0), "");
    EXPECT_EQ(tab.queryTree()->model().rows().size(), 1u);
    tab.queryTree()->SelectRow(0);
    QTest::keyClick(tab.queryTree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(ctx.copied.empty());
}

}  // namespace
}  // namespace trafikon
