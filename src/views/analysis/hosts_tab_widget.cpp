// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/hosts_tab_widget.h"

#include <QLabel>
#include <QPushButton>

#include "state/settings.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_detail_side_widget.h"
#include "views/analysis/tabs_rows_qt.h"

namespace trafikon {

namespace entry = lang::analysis;

HostsTab::HostsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : ListDetailTab(results, context, 1, {}, parent) {
    // The host list has no shortcuts; its detail's pages copy, open and jump.
    detail_->UseAsSitePages();
}

void HostsTab::UseCountries(const tabs::CountriesList* countries) {
    countries_ = countries;
    hostList()->model().SetPlaceColumn(countries != nullptr);
}

NameCountListWidget* HostsTab::pageList() const {
    return detail_->list();
}

void HostsTab::ApplyTexts() {
    ShowSideTexts(entry::kHostColumn, entry::kNumberColumn);
    if (countries_)
        hostList()->model().SetCaptions(
            {Tr(entry::kHostColumn), Tr(entry::kNumberColumn), Tr(lang::kTextCountry)});
    countLabel()->setText(
        FromCp1252(tabs::HostCountLabel(list()->model().rows().size(), context_.Texts())));
}

void HostsTab::Refresh() {
    hosts_.Load(results_.hosts);
    refresh_.Forget();
    detail_->Clear();
    FillList(QString());
}

void HostsTab::FillList(const QString& filter) {
    const long long minimum = tabs::HostMinimum(context_.settings().hostThresholdText());
    std::vector<int> rows = hosts_.Rows(ToCp1252(filter), minimum);
    auto entryOf = [this](int row) { return hosts_.Entry(row); };
    NameCountTable shown = TableRows(rows, entryOf, [this](long long position) {
        return countries_ ? countries_->PlaceOfHost(static_cast<std::size_t>(position))
                          : std::string_view();
    });
    ShowRows(std::move(shown), FromCp1252(tabs::HostCountLabel(rows.size(), context_.Texts())));
}

void HostsTab::ShowDetail(int listRow) {
    const std::optional<NameCountView> row = RowToShow(listRow);
    if (!row)
        return;
    const WaitCursor wait;
    const tabs::HostDetail d =
        hosts_.Detail(static_cast<int>(row->position), results_.files, &results_);
    detail_->ShowLogLines(d.logLineIds, LineNumbering::IndexPlusOne);
    pageList()->model().SetRows(NameRows(d.pages));
    const tabs::HostDetailTexts t = tabs::HostDetailLabels(d, context_.Texts());
    TabsDetailHeader* header = detailHeader();
    header->SetTitle(DisplayText(t.title));
    header->SetLine(0, DisplayText(t.accesses));
    header->SetLine(1, DisplayText(t.lastAccess));
    header->SetLine(2, DisplayText(t.pages));
    const std::string_view place =
        countries_ ? countries_->PlaceOfHost(static_cast<std::size_t>(row->position))
                   : std::string_view();
    header->SetLine(3, place.empty() ? QString()
                                     : FromCp1252(context_.Text(lang::kTextCountry) + " : " +
                                                  std::string(place)));
    header->SetMissingNote(d.missing, FromCp1252(context_.Text(lang::kReferencesPastEnd)));
}

}  // namespace trafikon
