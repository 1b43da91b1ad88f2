// SPDX-License-Identifier: GPL-3.0-or-later
// Status codes tab of the analysis window: the fixed list of codes with their
// descriptions and the month's counts (every code, or the error codes only,
// by the settings), and the detail of the selected code.
#pragma once

#include <vector>

#include "month/status_list.h"
#include "views/analysis/analysis_context.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/list_shortcuts.h"

class QTreeWidget;

namespace trafikon {

class NameCountListWidget;
class TabsDetailHeader;
class TabsDetailSide;

class StatusTab : public AnalysisTabWidget {
    Q_OBJECT
  public:
    StatusTab(const MonthResults& results, AnalysisContext& context, QWidget* parent = nullptr);

    // Builds the code list for the display mode of the settings the first time.
    void ApplyTexts() override;
    // Puts the month's counts in the list and empties the detail.
    void Refresh() override;

    // Which codes the list holds.
    enum class Rows { kNotBuilt, kAllCodes, kErrorCodes };
    Rows builtMode() const { return builtMode_; }
    QTreeWidget* statusList() const { return list_; }
    NameCountListWidget* pageList() const;
    TabsDetailHeader* detailHeader() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildStatusTable();
    void FillStatusCounts();
    void ShowDetail(int listRow);

    const MonthResults& results_;
    AnalysisContext& context_;
    Rows builtMode_ = Rows::kNotBuilt;
    std::vector<int> codeRows_;  // code index (into the status file) of each list row
    DetailRefresh refresh_;

    QTreeWidget* list_;
    TabsDetailSide* detail_;
};

}  // namespace trafikon
