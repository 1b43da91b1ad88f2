// SPDX-License-Identifier: GPL-3.0-or-later
// Hosts tab of the analysis window: the name filter, the hosts above the
// minimum of requests of the settings, and the detail of the selected host
// (labels, the pages it asked for, its log lines in the window's panel).
#pragma once

#include "views/analysis/countries_list.h"
#include "views/analysis/hosts_list.h"
#include "views/analysis/list_detail_tab_widget.h"

namespace trafikon {

class HostsTab : public ListDetailTab {
    Q_OBJECT
  public:
    HostsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    void Refresh() override;
    // Fills the list for a filter text, with the minimum read from the settings now.
    void FillList(const QString& filter) override;

    NameCountListWidget* hostList() const { return list(); }
    NameCountListWidget* pageList() const;
    // The month's countries: a third column shows each host's place;
    // `countries` outlives the tab and is filled before the tab's Refresh.
    void UseCountries(const tabs::CountriesList* countries);

  private:
    void ShowDetail(int listRow) override;

    tabs::HostsList hosts_;
    const tabs::CountriesList* countries_ = nullptr;
};

}  // namespace trafikon
