// SPDX-License-Identifier: GPL-3.0-or-later
// External or internal referrers tab of the analysis window: the name filter,
// the referrer pages, and the detail of the selected page (labels, the pages
// of the site it led to, the queries first met through it, its log lines).
#pragma once

#include <string>
#include <vector>

#include "views/analysis/list_detail_tab_widget.h"
#include "views/analysis/referrer_list.h"

namespace trafikon {

class ReferrerTab : public ListDetailTab {
    Q_OBJECT
  public:
    // `external`: the mot-/ori- tables; otherwise mit-/oit-.
    ReferrerTab(const MonthResults& results, AnalysisContext& context, bool external,
                QWidget* parent = nullptr);

    void ApplyTexts() override;
    void Refresh() override;
    void FillList(const QString& filter) override;
    bool external() const { return referrers_.external(); }

    enum Switch { kPagesSwitch = 0, kQueriesSwitch = 1 };
    NameCountListWidget* referrerList() const { return list(); }
    NameCountListWidget* pageList() const;
    NameCountListWidget* queryTree() const;

  private:
    void ShowDetail(int listRow) override;
    void ClearDetail();
    void ShowSwitchCaptions(std::size_t pages, std::size_t queries);
    const LineTable& ReferrerTable() const;
    const LineTable& QueryTable() const;

    tabs::ReferrerList referrers_;
    std::vector<std::string> searchUrls_;
};

}  // namespace trafikon
