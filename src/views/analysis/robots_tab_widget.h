// Robots tab of the analysis window: people's and robots' totals, the robots
// one by one with a name filter, and the detail of the selected robot (how it
// was recognised, hits, pages, kilobytes, last visit, its log lines in the
// window's panel). A month analysed by an earlier version says that it must be
// analysed again.
#pragma once

#include "views/analysis/analysis_context.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/list_shortcuts.h"
#include "views/analysis/robots_list.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trafikon {

class NameCountListWidget;
class TabsDetailHeader;

class RobotsTab : public AnalysisTabWidget {
    Q_OBJECT
  public:
    RobotsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    // Reads the month's robot files again (they sit beside the other results).
    void Refresh() override;
    bool SelectByKey(std::string_view name) override;
    void FillRobotList(const QString& filter);

    NameCountListWidget* robotList() const { return list_; }
    QLineEdit* filterEdit() const { return filter_; }
    QLabel* audienceLabel() const { return audience_; }
    TabsDetailHeader* detailHeader() const { return header_; }

  private:
    void ShowDetail(int listRow);
    void ShowAudience();
    std::string T(int entry) const { return context_.Text(entry); }

    const MonthResults& results_;
    AnalysisContext& context_;
    tabs::RobotsList robots_;
    Audience audienceTotals_;
    std::vector<std::string> problems_;
    bool present_ = false;
    DetailRefresh refresh_;

    QLabel* audience_;
    QLineEdit* filter_;
    QPushButton* filterButton_;
    QLabel* count_;
    NameCountListWidget* list_;
    TabsDetailHeader* header_;
};

}  // namespace trafikon
