// External or internal referrers tab of the analysis window: the name filter,
// the referrer pages, and the detail of the selected page (labels, the pages
// of the site it led to, the queries first met through it, its log lines).
#pragma once

#include <string>
#include <vector>

#include "views/analysis/analysis_context.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/list_shortcuts.h"
#include "views/analysis/referrer_list.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace trafikon {

class NameCountListWidget;
class TabsDetailHeader;
class TabsSwitchBar;

class ReferrerTab : public AnalysisTabWidget {
    Q_OBJECT
  public:
    // `external`: the mot-/ori- tables; otherwise mit-/oit-.
    ReferrerTab(const MonthResults& results, AnalysisContext& context, bool external,
                QWidget* parent = nullptr);

    void ApplyTexts() override;
    void Refresh() override;
    bool SelectByKey(std::string_view name) override;

    void FillReferrerList(const QString& filter);
    bool external() const { return referrers_.external(); }

    enum Switch { kPagesSwitch = 0, kQueriesSwitch = 1 };
    NameCountListWidget* referrerList() const { return list_; }
    NameCountListWidget* pageList() const { return pages_; }
    NameCountListWidget* queryTree() const { return queries_; }
    QLineEdit* filterEdit() const { return filter_; }
    QPushButton* filterButton() const { return filterButton_; }
    QLabel* countLabel() const { return count_; }
    TabsDetailHeader* detailHeader() const { return header_; }
    TabsSwitchBar* switches() const { return switches_; }
    // Full referrer address of each query node of the detail on screen (external tab).
    const std::vector<std::string>& searchUrls() const { return searchUrls_; }

  private:
    void ShowDetail(int listRow);
    void ClearDetail();
    const Lines& ReferrerTable() const;
    const Lines& QueryTable() const;

    const MonthResults& results_;
    AnalysisContext& context_;
    tabs::ReferrerList referrers_;
    DetailRefresh refresh_;
    std::vector<std::string> searchUrls_;

    QLineEdit* filter_;
    QPushButton* filterButton_;
    QLabel* count_;
    NameCountListWidget* list_;
    TabsDetailHeader* header_;
    TabsSwitchBar* switches_;
    QStackedWidget* stack_;
    NameCountListWidget* pages_;
    NameCountListWidget* queries_;
};

}  // namespace trafikon
