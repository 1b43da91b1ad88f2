// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/list_detail_tab_widget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "text/analysis_entries.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_side_widget.h"

namespace trafikon {

ListDetailTab::ListDetailTab(const MonthResults& results, AnalysisContext& context, int detailLists,
                             const std::vector<int>& switchRows, QWidget* parent)
    : AnalysisTabWidget(parent),
      results_(results),
      context_(context),
      side_(MakeTabsSidePanel(this)),
      detail_(new TabsDetailSide(context, detailLists, switchRows, this)) {
    PlaceSideAndDetail(this, side_.side, detail_);
    connect(side_.filterButton, &QPushButton::clicked, this,
            [this] { FillList(side_.filter->text()); });
    connect(side_.filter, &QLineEdit::returnPressed, this,
            [this] { FillList(side_.filter->text()); });
    connect(side_.list, &NameCountListWidget::rowChosen, this, &ListDetailTab::ShowDetail);
}

TabsDetailHeader* ListDetailTab::detailHeader() const {
    return detail_->header();
}

TabsSwitchBar* ListDetailTab::switches() const {
    return detail_->switches();
}

bool ListDetailTab::SelectByKey(std::string_view name) {
    refresh_.Forget();
    if (!side_.list->SelectByName(name))
        return false;
    ShowDetail(side_.list->SelectedRow());
    return true;
}

std::optional<NameCountView> ListDetailTab::RowToShow(int listRow) {
    const std::optional<NameCountView> row = side_.list->model().RowAt(listRow);
    if (!row || !refresh_.Accept(static_cast<int>(row->position)))
        return std::nullopt;
    return row;
}

void ListDetailTab::ShowSideTexts(int nameEntry, int countEntry) {
    side_.filterButton->setText(FromCp1252(context_.Text(lang::analysis::kFilter)));
    side_.list->model().SetCaptions(
        {FromCp1252(context_.Text(nameEntry)), FromCp1252(context_.Text(countEntry))});
}

void ListDetailTab::ShowRows(NameCountTable rows, const QString& count) {
    side_.list->setUpdatesEnabled(false);
    side_.list->model().SetRows(std::move(rows));
    side_.list->setUpdatesEnabled(true);
    refresh_.Forget();
    side_.count->setText(count);
}

}  // namespace trafikon
