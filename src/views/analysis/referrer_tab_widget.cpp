// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/referrer_tab_widget.h"

#include <QLabel>
#include <QPushButton>

#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_detail_side_widget.h"
#include "views/analysis/tabs_rows_qt.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {

namespace entry = lang::analysis;

ReferrerTab::ReferrerTab(const MonthResults& results, AnalysisContext& context, bool external,
                         QWidget* parent)
    : ListDetailTab(results, context, 2, {2}, parent), referrers_(external) {
    connect(list(), &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        const std::optional<NameCountView> r = list()->model().RowAt(row);
        if (!r)
            return;
        if (s == ListShortcut::Copy)
            context_.CopyText(r->name);
        else if (s == ListShortcut::Open)
            context_.OpenAddress(r->name);
    });
    // The pages copy and open. External queries copy and open the full address
    // through which the query came; the internal query tree has no actions.
    detail_->UseAsSitePages(kPagesSwitch, false);
    connect(queryTree(), &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        if (!referrers_.external() || row < 0 || std::size_t(row) >= searchUrls_.size())
            return;
        const std::string& url = searchUrls_[std::size_t(row)];
        if (s == ListShortcut::Copy)
            context_.CopyText(url);
        else if (s == ListShortcut::Open)
            context_.OpenAddress(url);
    });
    switches()->SetChosen(kPagesSwitch);
}

NameCountListWidget* ReferrerTab::pageList() const {
    return detail_->list(kPagesSwitch);
}

NameCountListWidget* ReferrerTab::queryTree() const {
    return detail_->list(kQueriesSwitch);
}

const LineTable& ReferrerTab::ReferrerTable() const {
    return external() ? results_.externalReferrers : results_.internalReferrers;
}

const LineTable& ReferrerTab::QueryTable() const {
    return external() ? results_.externalQueries : results_.internalQueries;
}

void ReferrerTab::ShowSwitchCaptions(std::size_t pages, std::size_t queries) {
    const tabs::TextLookup text = context_.Texts();
    switches()->SetCaption(kPagesSwitch, FromCp1252(tabs::ReferrerPagesSwitch(pages, text)));
    switches()->SetCaption(kQueriesSwitch, FromCp1252(tabs::ReferrerQueriesSwitch(queries, text)));
}

void ReferrerTab::ApplyTexts() {
    ShowSideTexts(entry::kNameColumn, entry::kNumberColumn);
    countLabel()->setText(FromCp1252(
        tabs::ReferrerCountLabel(list()->model().rows().size(), external(), context_.Texts())));
    ShowSwitchCaptions(pageList()->model().rows().size(), queryTree()->model().rows().size());
}

void ReferrerTab::Refresh() {
    referrers_.Load(ReferrerTable(), QueryTable());
    ClearDetail();
    FillList(QString());
}

void ReferrerTab::FillList(const QString& filter) {
    std::vector<int> rows = referrers_.Rows(ToCp1252(filter));
    auto entryOf = [this](int row) { return referrers_.Entry(row); };
    ShowRows(TableRows(rows, entryOf),
             FromCp1252(tabs::ReferrerCountLabel(rows.size(), external(), context_.Texts())));
}

void ReferrerTab::ClearDetail() {
    refresh_.Forget();
    detail_->Clear();
    searchUrls_.clear();
    ShowSwitchCaptions(0, 0);
}

void ReferrerTab::ShowDetail(int listRow) {
    const std::optional<NameCountView> row = RowToShow(listRow);
    if (!row)
        return;
    const WaitCursor wait;
    tabs::ReferrerDetail d =
        referrers_.Detail(static_cast<int>(row->position), results_.files, &results_);
    d.logLineCount = detail_->ShowLogLines(d.logLineIds, LineNumbering::IndexPlusOne);
    pageList()->model().SetRows(NameRows(d.pages));
    std::vector<std::string_view> nodes;
    nodes.reserve(d.queries.size());
    searchUrls_.clear();
    for (const tabs::ReferrerQuery& q : d.queries) {
        nodes.push_back(q.text);
        if (external())
            searchUrls_.emplace_back(q.fullUrl);
    }
    queryTree()->model().SetRows(NameRows(nodes));
    const tabs::ReferrerDetailTexts t = tabs::ReferrerDetailLabels(d, external(), context_.Texts());
    TabsDetailHeader* header = detailHeader();
    header->SetTitle(DisplayText(t.title));
    header->SetLine(0, DisplayText(t.line1));
    header->SetLine(1, DisplayText(t.line2));
    header->SetLine(2, DisplayText(t.line3));
    header->SetLine(3, DisplayText(t.line4));
    switches()->SetCaption(kPagesSwitch, FromCp1252(t.pagesSwitch));
    switches()->SetCaption(kQueriesSwitch, FromCp1252(t.queriesSwitch));
    header->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
}

}  // namespace trafikon
