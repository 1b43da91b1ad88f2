// SPDX-License-Identifier: GPL-3.0-or-later
// Countries tab of the analysis window: the chart of the top countries, the
// countries with a name filter, and the detail of the selected country (its
// totals, people and robots apart, then its hosts and its cities behind a
// switch; choosing a host shows its log lines in the window's panel, as the
// hosts tab does, and a double click shows it in the hosts tab). A month
// without countries says why.
#pragma once

#include <QLabel>

#include "views/analysis/countries_list.h"
#include "views/analysis/list_detail_tab_widget.h"

namespace trafikon {

class CountriesChartWidget;

class CountriesTab : public ListDetailTab {
    Q_OBJECT
  public:
    CountriesTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    // Reads the month's countries file again.
    void Refresh() override;
    void FillList(const QString& filter) override;

    NameCountListWidget* countryList() const { return list(); }
    NameCountListWidget* hostList() const;
    NameCountListWidget* cityList() const;
    CountriesChartWidget* chart() const { return chart_; }
    QLabel* sourceLabel() const { return source_; }
    const tabs::CountriesList& countries() const { return countries_; }

  private:
    void ShowDetail(int listRow) override;
    void ShowSource();
    void ShowHostLines(int hostRow);
    QString CountText(std::size_t countries) const;

    tabs::CountriesList countries_;
    std::vector<std::string> problems_;
    bool present_ = false;

    QLabel* source_;
    CountriesChartWidget* chart_;
};

}  // namespace trafikon
