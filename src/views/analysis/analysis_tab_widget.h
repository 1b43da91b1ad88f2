// SPDX-License-Identifier: GPL-3.0-or-later
// Base of the tab pages of the analysis window that are built as their own
// widgets (files, hosts, status codes, external and internal referrers).
//
// Construction: `XTab(const MonthResults& results, AnalysisContext& context,
// QWidget* parent)` (or the referrer tab with an extra external/internal
// flag). The tab keeps both references for its whole life; the window owns
// them and outlives its tabs.
//
// The window calls:
//   ApplyTexts()            once after construction and at every language change;
//   Refresh()               after every load of the month (the tables of
//                           `results` were replaced): refill the list with no
//                           text filter, keep kind/switch/sort state, empty the detail;
//   SelectByKey(name)       jump target: select the first row whose first
//                           column equals `name` exactly, scroll it into view,
//                           focus the list (its detail follows the refresh
//                           rule); false when no row matches (the window then
//                           shows the message).
#pragma once

#include <QWidget>
#include <string_view>

namespace trafikon {

class AnalysisTabWidget : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
    virtual void ApplyTexts() = 0;
    virtual void Refresh() = 0;
    virtual bool SelectByKey(std::string_view name) {
        (void)name;
        return false;
    }
};

}  // namespace trafikon
