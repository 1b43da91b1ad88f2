// SPDX-License-Identifier: GPL-3.0-or-later
// The right-hand side that the analysis tabs share: the detail header and,
// under it, one result list, several lists behind a switch bar, or none. The
// selected row's log lines go to the window's panel through this side only.
#pragma once

#include <QWidget>
#include <cstddef>
#include <string_view>
#include <vector>

#include "views/analysis/log_line_index.h"

namespace trafikon {

class AnalysisContext;
class NameCountListWidget;
class TabsDetailHeader;
class TabsSwitchBar;

class TabsDetailSide : public QWidget {
    Q_OBJECT
  public:
    // `lists` result lists (one column, unsorted, until the tab says otherwise);
    // with more than one, a switch bar of `switchRows` (e.g. {3, 2}) chooses
    // the list shown. Without lists the header stands at the top.
    TabsDetailSide(AnalysisContext& context, int lists, const std::vector<int>& switchRows,
                   QWidget* parent = nullptr);

    TabsDetailHeader* header() const { return header_; }
    TabsSwitchBar* switches() const { return switches_; }  // null with fewer than two lists
    NameCountListWidget* list(int which = 0) const { return lists_.at(std::size_t(which)); }

    // Puts `widget` above the header.
    void AddAbove(QWidget* widget);
    // Empties the header and every list.
    void Clear();
    // Makes list `which` a list of the site's pages: Ctrl+C copies the page,
    // Ctrl+V opens it on the site and, with `jumps`, a double click jumps to it
    // in the files tab.
    void UseAsSitePages(int which = 0, bool jumps = true);

    // Shows a detail's log lines (an IdList field) in the window's panel;
    // returns the number of rows shown.
    std::size_t ShowLogLines(std::string_view idList, LineNumbering numbering);
    void ClearLogLines();

  private:
    AnalysisContext& context_;
    TabsDetailHeader* header_;
    TabsSwitchBar* switches_ = nullptr;
    std::vector<NameCountListWidget*> lists_;
};

}  // namespace trafikon
