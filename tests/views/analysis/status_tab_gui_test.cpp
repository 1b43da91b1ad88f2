// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/status_tab_widget.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include "store/status_table.h"
#include "tabs_fake_context.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"

namespace trafikon {
namespace {

using testing::Record;

void FillMonth(MonthResults& m) {
    m.files = {Record({"/a"}), Record({"/missing.html"})};
    for (int code : StatusFileCodes())
        m.statuses.push_back(std::to_string(code) + ";0;-;-");
    m.statuses.Replace(18, "400;7;-1-;-0-");
    m.statuses.Replace(22, "404;2;-0-9-;-1-");
}

TEST(StatusTab, ErrorCodesOnlyStartAt400) {
    testing::FakeContext ctx;
    FillMonth(ctx.month);
    StatusTab tab(ctx.month, ctx);
    tab.ApplyTexts();
    tab.Refresh();
    EXPECT_EQ(tab.builtMode(), StatusTab::Rows::kErrorCodes);
    QTreeWidget* list = tab.statusList();
    ASSERT_EQ(list->topLevelItemCount(), 31);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "400");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "7");
    EXPECT_EQ(list->topLevelItem(17)->text(0), "417");
    EXPECT_EQ(list->topLevelItem(17)->text(1), "Exception Failed");

    list->setCurrentItem(list->topLevelItem(4));  // 404
    ASSERT_EQ(ctx.logLines.size(), 1u);
    EXPECT_EQ(ctx.logLines[0].first, "-0-9-");
    EXPECT_EQ(ctx.logLines[0].second, LineNumbering::IndexPlusOne);
    EXPECT_EQ(tab.detailHeader()->title(), "Retour :404 (Not Found)");
    EXPECT_EQ(tab.detailHeader()->line(0), "Nombre d'acces : 2");
    EXPECT_EQ(tab.detailHeader()->line(1), QString::fromUtf8("Nombre de pages différentes :1"));
    ASSERT_EQ(tab.pageList()->model().rows().size(), 1u);
    emit tab.pageList()->rowDoubleClicked(0);
    EXPECT_EQ(ctx.fileJumps, (std::vector<std::string>{"/missing.html"}));

    // A code with no request empties the panel and counts 0.
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(ctx.clears, 1);
    EXPECT_EQ(tab.detailHeader()->line(0), "Nombre d'acces : 0");
    EXPECT_TRUE(tab.pageList()->model().rows().empty());
}

TEST(StatusTab, AllCodesAndNoMonth) {
    testing::FakeContext ctx;
    ctx.editSettings()[2] = "Retour On";
    StatusTab tab(ctx.month, ctx);
    tab.ApplyTexts();
    ctx.month.analysed = false;  // no analysis: empty counts, no detail
    tab.Refresh();
    EXPECT_EQ(tab.builtMode(), StatusTab::Rows::kAllCodes);
    QTreeWidget* list = tab.statusList();
    ASSERT_EQ(list->topLevelItemCount(), 49);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "100");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(ctx.logLines.empty());
    EXPECT_EQ(ctx.clears, 0);
    // The list keeps the mode it was built for.
    ctx.editSettings()[2] = "Retour Off";
    tab.ApplyTexts();
    EXPECT_EQ(list->topLevelItemCount(), 49);
}

}  // namespace
}  // namespace trafikon
