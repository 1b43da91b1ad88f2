// SPDX-License-Identifier: GPL-3.0-or-later
// A tab of the analysis window built as a filtered list on the left and the
// detail of its selected row on the right (files, hosts, referrers, robots):
// the filter edit and button refill the list, choosing a row shows its detail
// once (DetailRefresh), and a jump selects a row and shows its detail again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "month/name_count_row.h"
#include "month/name_count_table.h"
#include "views/analysis/analysis_context.h"
#include "views/analysis/analysis_tab_widget.h"
#include "views/analysis/list_shortcuts.h"
#include "views/analysis/tabs_side_panel_qt.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trafikon {

class NameCountListWidget;
class TabsDetailHeader;
class TabsDetailSide;
class TabsSwitchBar;

class ListDetailTab : public AnalysisTabWidget {
    Q_OBJECT
  public:
    // Fills the list for a filter text (empty: no filter).
    virtual void FillList(const QString& filter) = 0;
    // Selects the row named `name` and shows its detail and lines even when that
    // detail was the last one shown, since the log-line panel may hold another
    // list's lines.
    bool SelectByKey(std::string_view name) override;

    QLineEdit* filterEdit() const { return side_.filter; }
    QPushButton* filterButton() const { return side_.filterButton; }
    QLabel* countLabel() const { return side_.count; }
    TabsDetailHeader* detailHeader() const;
    TabsSwitchBar* switches() const;

  protected:
    // The detail side holds `detailLists` lists behind a switch bar of `switchRows`.
    ListDetailTab(const MonthResults& results, AnalysisContext& context, int detailLists,
                  const std::vector<int>& switchRows, QWidget* parent);

    // Shows the detail of a row of the list.
    virtual void ShowDetail(int listRow) = 0;
    // The row of the list whose detail must be shown now, or null (no such
    // row, or its detail is already on screen).
    std::optional<NameCountView> RowToShow(int listRow);
    // The filter button's text and the captions of the list's two columns.
    void ShowSideTexts(int nameEntry, int countEntry);
    // Puts `rows` in the list and `count` above it.
    void ShowRows(NameCountTable rows, const QString& count);
    void ShowRows(const std::vector<NameCountRow>& rows, const QString& count) {
        ShowRows(NameCountTable(rows), count);
    }
    NameCountListWidget* list() const { return side_.list; }

    const MonthResults& results_;
    AnalysisContext& context_;
    DetailRefresh refresh_;
    TabsSidePanel side_;
    TabsDetailSide* detail_;
};

}  // namespace trafikon
