// SPDX-License-Identifier: GPL-3.0-or-later
// Robots tab of the analysis window: people's and robots' totals, the robots
// one by one with a name filter, and the detail of the selected robot (how it
// was recognised, hits, pages, kilobytes, last visit, its log lines in the
// window's panel). A month analysed by an earlier version says that it must be
// analysed again.
#pragma once

#include "month/robots_list.h"
#include "views/analysis/list_detail_tab_widget.h"

namespace trafikon {

class RobotsTab : public ListDetailTab {
    Q_OBJECT
  public:
    RobotsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    // Reads the month's robot files again (they sit beside the other results).
    void Refresh() override;
    // Selects the robot's row; its detail follows the selection.
    bool SelectByKey(std::string_view name) override;
    void FillList(const QString& filter) override;

    NameCountListWidget* robotList() const { return list(); }
    QLabel* audienceLabel() const { return audience_; }

  private:
    void ShowDetail(int listRow) override;
    void ShowAudience();
    QString CountText(std::size_t robots) const;
    std::string T(int entry) const { return context_.Text(entry); }

    tabs::RobotsList robots_;
    Audience audienceTotals_;
    std::vector<std::string> problems_;
    bool present_ = false;

    QLabel* audience_;
};

}  // namespace trafikon
