// Hosts tab of the analysis window: the name filter, the hosts above the
// minimum of requests of the settings, and the detail of the selected host
// (labels, the pages it asked for, its log lines in the window's panel).
#pragma once

#include "views/analysis/analysis_context.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/hosts_list.h"
#include "views/analysis/list_shortcuts.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trafikon {

class NameCountListWidget;
class TabsDetailHeader;

class HostsTab : public AnalysisTabWidget {
    Q_OBJECT
  public:
    HostsTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    void ApplyTexts() override;
    void Refresh() override;
    bool SelectByKey(std::string_view name) override;

    // Fills the list for a filter text, with the minimum read from the settings now.
    void FillHostList(const QString& filter);

    NameCountListWidget* hostList() const { return list_; }
    NameCountListWidget* pageList() const { return pages_; }
    QLineEdit* filterEdit() const { return filter_; }
    QPushButton* filterButton() const { return filterButton_; }
    QLabel* countLabel() const { return count_; }
    TabsDetailHeader* detailHeader() const { return header_; }

  private:
    void ShowDetail(int listRow);
    void ClearDetail();

    const MonthResults& results_;
    AnalysisContext& context_;
    tabs::HostsList hosts_;
    DetailRefresh refresh_;

    QLineEdit* filter_;
    QPushButton* filterButton_;
    QLabel* count_;
    NameCountListWidget* list_;
    TabsDetailHeader* header_;
    NameCountListWidget* pages_;
};

}  // namespace trafikon
