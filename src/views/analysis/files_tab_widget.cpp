// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/files_tab_widget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

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
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {

namespace entry = lang::analysis;

FilesTab::FilesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : ListDetailTab(results, context, 5, {3, 2}, parent) {
    auto* kindRow = new QHBoxLayout;
    for (int k = 0; k < 4; ++k) {
        kinds_[std::size_t(k)] = new QPushButton(side_.side);
        kindRow->addWidget(kinds_[std::size_t(k)]);
        connect(kinds_[std::size_t(k)], &QPushButton::clicked, this, [this, k] { SetKind(k); });
    }
    side_.layout->insertLayout(0, kindRow);
    QWidget::setTabOrder(kinds_[3], side_.filter);  // the kinds stand above the filter

    for (int i = 0; i < 5; ++i) {
        NameCountListWidget* l = resultList(i);
        const bool queries = i == tabs::kExternalQueriesSwitch || i == tabs::kInternalQueriesSwitch;
        l->SetCountColumnShown(queries);
        l->SetSortable(i == tabs::kExternalQueriesSwitch);
        if (queries) {
            // Both columns fit their text: a long address is read whole with
            // the horizontal scroll bar rather than cut.
            FitColumns(l->header(), -1);
            l->model().SetSecondColumnText(true);
        }
        connect(l, &NameCountListWidget::shortcutUsed, this,
                [this, i](ListShortcut s, int row) { OnShortcut(i, s, row); });
    }
    resultList(tabs::kExternalQueriesSwitch)->model().SetTextOnlySorting(true);

    connect(list(), &NameCountListWidget::shortcutUsed, this,
            [this](ListShortcut s, int row) { OnShortcut(-1, s, row); });
    connect(resultList(tabs::kHostsSwitch), &NameCountListWidget::rowDoubleClicked, this,
            [this](int row) {
                if (const std::optional<NameCountView> r =
                        resultList(tabs::kHostsSwitch)->model().RowAt(row))
                    context_.JumpToHost(r->name);
            });

    switches()->SetChosen(tabs::kExternalReferrersSwitch);
    PaintKindButtons();
}

NameCountListWidget* FilesTab::resultList(int which) const {
    return detail_->list(which);
}

tabs::TabTables FilesTab::Tables() const {
    tabs::TabTables t;
    t.files = &results_.files;
    t.hosts = &results_.hosts;
    t.externalQueries = &results_.externalQueries;
    t.internalQueries = &results_.internalQueries;
    t.externalReferrers = &results_.externalReferrers;
    t.internalReferrers = &results_.internalReferrers;
    t.status = &results_.statuses;
    t.month = &results_;
    return t;
}

void FilesTab::ApplyTexts() {
    for (int k = 0; k < 4; ++k)
        kinds_[std::size_t(k)]->setText(FromCp1252(context_.Text(entry::kKinds[k])));
    ShowSideTexts(entry::kNameColumn, entry::kNumberColumn);
    const QStringList queryCaptions = {FromCp1252(context_.Text(entry::kQueryColumn)),
                                       FromCp1252(context_.Text(entry::kUrlColumn))};
    resultList(tabs::kExternalQueriesSwitch)->model().SetCaptions(queryCaptions);
    resultList(tabs::kInternalQueriesSwitch)->model().SetCaptions(queryCaptions);
    std::array<std::size_t, 5> counts{};
    for (int i = 0; i < 5; ++i)
        counts[std::size_t(i)] = resultList(i)->model().rows().size();
    ShowSwitchCaptions(tabs::FileSwitchCaptions(counts, context_.Texts()));
    countLabel()->setText(
        FromCp1252(tabs::FileCountLabel(list()->model().rows().size(), context_.Texts())));
}

void FilesTab::Refresh() {
    files_.Load(results_.files);
    ClearDetail();
    FillList(QString());
}

void FilesTab::SetKind(int kind) {
    if (kind < 0 || kind > 3)
        return;
    kind_ = kind;
    PaintKindButtons();
    FillList(side_.filter->text());
}

void FilesTab::PaintKindButtons() {
    for (int k = 0; k < 4; ++k) {
        QFont f = kinds_[std::size_t(k)]->font();
        f.setBold(k == kind_);
        kinds_[std::size_t(k)]->setFont(f);
    }
}

void FilesTab::FillList(const QString& filter) {
    std::vector<int> rows = files_.Rows(kind_, ToCp1252(filter));
    ShowRows(TableRows(rows, files_.entries()),
             FromCp1252(tabs::FileCountLabel(rows.size(), context_.Texts())));
}

void FilesTab::ClearDetail() {
    refresh_.Forget();
    detail_->Clear();
    ShowSwitchCaptions(tabs::FileSwitchCaptions({}, context_.Texts()));
}

void FilesTab::ShowSwitchCaptions(const std::array<std::string, 5>& captions) {
    for (int i = 0; i < 5; ++i)
        switches()->SetCaption(i, FromCp1252(captions[std::size_t(i)]));
}

void FilesTab::ShowDetail(int listRow) {
    const std::optional<NameCountView> row = RowToShow(listRow);
    if (!row)
        return;
    const WaitCursor wait;
    const tabs::FileDetail d = files_.Detail(static_cast<int>(row->position), Tables());
    detail_->ShowLogLines(d.logLineIds, LineNumbering::Index);

    resultList(tabs::kHostsSwitch)->model().SetRows(NameRows(d.hosts));
    resultList(tabs::kExternalReferrersSwitch)->model().SetRows(NameRows(d.externalReferrers));
    resultList(tabs::kInternalReferrersSwitch)->model().SetRows(NameRows(d.internalReferrers));
    auto queryRows = [](const std::vector<tabs::FileQuery>& queries) {
        std::vector<NameCountRow> out;
        out.reserve(queries.size());
        for (const tabs::FileQuery& q : queries)
            out.push_back({std::string(q.text), std::string(q.siteUrl), 0, q.record});
        return out;
    };
    resultList(tabs::kExternalQueriesSwitch)->model().SetRows(queryRows(d.externalQueries));
    resultList(tabs::kInternalQueriesSwitch)->model().SetRows(queryRows(d.internalQueries));

    const tabs::FileDetailTexts t = tabs::FileDetailLabels(d, context_.Texts());
    TabsDetailHeader* header = detailHeader();
    header->SetTitle(DisplayText(t.title));
    header->SetLine(0, DisplayText(t.accesses));
    header->SetLine(1, DisplayText(t.lastAccess));
    header->SetLine(2, DisplayText(t.users));
    header->SetLine(3, DisplayText(t.lastStatus),
                    d.lastStatusIsError ? QColor(Qt::red) : QColor(0, 128, 0));
    ShowSwitchCaptions(t.switches);
    header->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
}

void FilesTab::OnShortcut(int which, ListShortcut shortcut, int row) {
    NameCountListWidget* l = which < 0 ? list() : resultList(which);
    const std::optional<NameCountView> r = l->model().RowAt(row);
    if (!r)
        return;
    switch (which) {
        case -1:  // the file list
            if (shortcut == ListShortcut::Copy) {
                context_.CopyText(r->name);
            } else if (shortcut == ListShortcut::CopyAll) {
                std::vector<std::string_view> names;
                names.reserve(l->model().rows().size());
                for (const NameCountView n : l->model().rows())
                    names.push_back(n.name);
                context_.CopyText(JoinWithLineFeeds(names));
            } else if (shortcut == ListShortcut::Open) {
                context_.OpenSitePage(r->name);
            }
            break;
        case tabs::kExternalReferrersSwitch:
        case tabs::kInternalReferrersSwitch:
            if (shortcut == ListShortcut::Copy)
                context_.CopyText(r->name);
            else if (shortcut == ListShortcut::Open)
                context_.OpenAddress(r->name);
            break;
        case tabs::kExternalQueriesSwitch:
            // The row keeps its query's record, so a sorted list opens the row's own referrer.
            if (shortcut == ListShortcut::Copy)
                context_.CopyText(r->name);
            else if (shortcut == ListShortcut::Open)
                context_.OpenAddress(MonthResults::FieldAt(results_.externalQueries, r->position,
                                                           QueryField::kReferrer));
            break;
        default:  // hosts and internal queries have no shortcuts
            break;
    }
}

}  // namespace trafikon
