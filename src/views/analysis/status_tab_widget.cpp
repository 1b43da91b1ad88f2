// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/status_tab_widget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

#include "state/settings.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/list_columns_qt.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_detail_side_widget.h"
#include "views/analysis/tabs_rows_qt.h"
#include "views/analysis/tabs_side_panel_qt.h"

namespace trafikon {

namespace entry = lang::analysis;

StatusTab::StatusTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : AnalysisTabWidget(parent), results_(results), context_(context) {
    list_ = new QTreeWidget(this);
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->header()->setSectionsClickable(false);
    // Code and count fit their values; the description takes the rest.
    UseFittedColumns(list_, 1);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);

    detail_ = new TabsDetailSide(context_, 1, {}, this);
    detail_->UseAsSitePages();

    PlaceSideAndDetail(this, list_, detail_, 297);

    // A detail follows the selection only: the focus alone marks a current row
    // without selecting it. The list has no shortcuts.
    connect(list_, &QTreeWidget::clicked, this,
            [this](const QModelIndex& index) { ShowDetail(index.row()); });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = list_->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            ShowDetail(rows.first().row());
    });
    list_->installEventFilter(this);
}

NameCountListWidget* StatusTab::pageList() const {
    return detail_->list();
}

TabsDetailHeader* StatusTab::detailHeader() const {
    return detail_->header();
}

bool StatusTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) ||
            ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_Insert))
            return true;
    }
    return AnalysisTabWidget::eventFilter(watched, event);
}

void StatusTab::ApplyTexts() {
    list_->setHeaderLabels({FromCp1252(context_.Text(entry::kCodeColumn)),
                            FromCp1252(context_.Text(entry::kDescriptionColumn)),
                            FromCp1252(context_.Text(entry::kNumberColumn))});
    list_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    if (builtMode_ == Rows::kNotBuilt)
        BuildStatusTable();
}

void StatusTab::BuildStatusTable() {
    const bool all = context_.settings().showAllStatusCodes();
    const Rows mode = all ? Rows::kAllCodes : Rows::kErrorCodes;
    if (builtMode_ == mode)
        return;
    builtMode_ = mode;
    list_->clear();
    codeRows_ = tabs::StatusRows(all);
    QList<QTreeWidgetItem*> items;
    for (int r : codeRows_) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::fromLatin1(tabs::StatusCodes()[r].code));
        item->setText(1, QString::fromLatin1(tabs::StatusCodes()[r].description));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    list_->addTopLevelItems(items);
}

void StatusTab::FillStatusCounts() {
    if (builtMode_ == Rows::kNotBuilt)
        BuildStatusTable();
    const std::vector<std::string> counts =
        tabs::StatusCounts(results_.statuses, builtMode_ == Rows::kAllCodes);
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        list_->topLevelItem(i)->setText(2, i < static_cast<int>(counts.size())
                                               ? FromCp1252(counts[std::size_t(i)])
                                               : QString());
}

void StatusTab::Refresh() {
    FillStatusCounts();
    refresh_.Forget();
    detail_->Clear();
}

void StatusTab::ShowDetail(int listRow) {
    if (!results_.analysed || listRow < 0 || listRow >= static_cast<int>(codeRows_.size()))
        return;
    const int code = codeRows_[std::size_t(listRow)];
    if (!refresh_.Accept(code))
        return;
    const WaitCursor wait;
    tabs::StatusDetail d = tabs::StatusDetailOf(code, results_.statuses, results_.files);
    if (d.logLineIds.empty())
        detail_->ClearLogLines();
    else
        d.logLineCount = detail_->ShowLogLines(d.logLineIds, LineNumbering::IndexPlusOne);
    pageList()->model().SetRows(NameRows(d.pages));
    const tabs::StatusDetailTexts t = tabs::StatusDetailLabels(d, context_.Texts());
    TabsDetailHeader* header = detailHeader();
    header->SetTitle(DisplayText(t.title));
    header->SetLine(0, DisplayText(t.accesses));
    header->SetLine(1, DisplayText(t.pages));
    header->SetLine(2, QString());
    header->SetLine(3, QString());
    header->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
}

}  // namespace trafikon
