// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/countries_tab_widget.h"

#include <QLineEdit>

#include "month/month_extras.h"
#include "month/tabs_records.h"
#include "text/analysis_entries.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "ui/wait_cursor_qt.h"
#include "views/analysis/countries_chart_widget.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"
#include "views/analysis/tabs_detail_side_widget.h"
#include "views/analysis/tabs_switch_bar_widget.h"

namespace trafikon {

namespace {
constexpr int kHostsSwitch = 0, kCitiesSwitch = 1;
}  // namespace

CountriesTab::CountriesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent)
    : ListDetailTab(results, context, 2, {2}, parent) {
    source_ = new QLabel(detail_);
    source_->setObjectName("LCountrySource");
    source_->setTextFormat(Qt::PlainText);
    source_->setWordWrap(true);
    detail_->AddAbove(source_);
    chart_ = new CountriesChartWidget(detail_);
    detail_->AddAbove(chart_);
    connect(list(), &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        if (const std::optional<NameCountView> r = list()->model().RowAt(row);
            r && s == ListShortcut::Copy)
            context_.CopyText(r->name);
    });
    connect(hostList(), &NameCountListWidget::rowChosen, this, &CountriesTab::ShowHostLines);
    connect(hostList(), &NameCountListWidget::rowDoubleClicked, this, [this](int row) {
        if (const std::optional<NameCountView> r = hostList()->model().RowAt(row))
            context_.JumpToHost(r->name);
    });
    connect(hostList(), &NameCountListWidget::shortcutUsed, this, [this](ListShortcut s, int row) {
        if (const std::optional<NameCountView> r = hostList()->model().RowAt(row);
            r && s == ListShortcut::Copy)
            context_.CopyText(r->name);
    });
    hostList()->SetSortable(true);
    cityList()->SetSortable(true);
    switches()->SetChosen(kHostsSwitch);
}

NameCountListWidget* CountriesTab::hostList() const {
    return detail_->list(kHostsSwitch);
}

NameCountListWidget* CountriesTab::cityList() const {
    return detail_->list(kCitiesSwitch);
}

QString CountriesTab::CountText(std::size_t countries) const {
    return QString::number(countries) + QLatin1Char(' ') +
           FromCp1252(context_.Text(lang::kTextCountries));
}

void CountriesTab::ApplyTexts() {
    ShowSideTexts(lang::kTextCountry, lang::analysis::kHitsColumn);
    const QStringList captions = {Tr(lang::analysis::kHostColumn), Tr(lang::analysis::kHitsColumn)};
    hostList()->model().SetCaptions(captions);
    cityList()->model().SetCaptions({Tr(lang::kTextCity), Tr(lang::analysis::kHitsColumn)});
    switches()->SetCaption(kHostsSwitch, Tr(lang::analysis::kHostColumn));
    switches()->SetCaption(kCitiesSwitch, Tr(lang::kTextCity));
    countLabel()->setText(CountText(list()->model().rows().size()));
    ShowSource();
}

void CountriesTab::ShowSource() {
    QString text;
    if (!results_.analysed) {
        text.clear();
    } else if (!present_) {
        text = Tr(lang::kTextAnalyseAgain);
    } else {
        const CountryFile& f = countries_.file();
        if (f.source == CountrySource::kNone)
            text = Tr(lang::kTextNoCountryDatabase);
        else if (f.source == CountrySource::kUnreadable)
            text = Tr(lang::kTextCountryDatabaseUnreadable) + FromCp1252(f.sourceText);
        else
            text = Tr(lang::kTextCountriesFrom) + FromCp1252(f.sourceText);
    }
    for (const std::string& problem : problems_)
        text += QLatin1Char('\n') + QString::fromLocal8Bit(problem.c_str());
    source_->setText(text);
}

void CountriesTab::Refresh() {
    MonthExtras extras = LoadMonthExtras(results_.siteDir, results_.key);
    present_ = extras.present && extras.countriesPresent;
    problems_ = std::move(extras.problems);
    countries_.Load(present_ ? std::move(extras.countries) : CountryFile{}, results_.hosts,
                    CountryNames::Installed(),
                    context_.Text(lang::kTextCountryNamesLanguage) == "fr",
                    context_.Text(lang::kTextUnknownCountry));
    chart_->Show(countries_.Top(10));
    ShowSource();
    refresh_.Forget();
    detail_->Clear();
    side_.filter->clear();
    FillList(QString());
}

void CountriesTab::FillList(const QString& filter) {
    std::vector<NameCountRow> rows = countries_.Rows(ToCp1252(filter));
    const QString count = CountText(rows.size());
    ShowRows(std::move(rows), count);
}

void CountriesTab::ShowDetail(int listRow) {
    const std::optional<NameCountView> row = RowToShow(listRow);
    if (!row)
        return;
    tabs::CountriesList::Detail d = countries_.DetailOf(row->position, context_.Texts());
    TabsDetailHeader* header = detailHeader();
    header->SetTitle(FromCp1252(d.title));
    header->SetLine(0, FromCp1252(d.hits));
    header->SetLine(1, FromCp1252(d.people));
    header->SetLine(2, FromCp1252(d.robots));
    header->SetLine(3, QString());
    switches()->SetCaption(kHostsSwitch, Tr(lang::analysis::kHostColumn) +
                                             QStringLiteral(" (%1)").arg(d.hosts.size()));
    switches()->SetCaption(kCitiesSwitch,
                           Tr(lang::kTextCity) + QStringLiteral(" (%1)").arg(d.cities.size()));
    hostList()->model().SetRows(std::move(d.hosts));
    cityList()->model().SetRows(std::move(d.cities));
    detail_->ClearLogLines();  // until one of its hosts is chosen
}

void CountriesTab::ShowHostLines(int hostRow) {
    const std::optional<NameCountView> r = hostList()->model().RowAt(hostRow);
    if (!r || r->position < 0 || static_cast<std::size_t>(r->position) >= results_.hosts.size())
        return;
    const WaitCursor wait;
    const tabs::PageDetail host = tabs::ReadPageDetail(
        results_.hosts[static_cast<std::size_t>(r->position)], results_.files, &results_);
    detail_->ShowLogLines(host.logLineIds, LineNumbering::IndexPlusOne);
}

}  // namespace trafikon
