// SPDX-License-Identifier: GPL-3.0-or-later
// Second tab of the synthesis window: up to twelve stored months side by side,
// day by day, for one measure at a time (visitors, pages, kilobytes or hits).
#pragma once

#include <QWidget>

#include "views/synthesis/daily_table.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace trafikon {

class DailyTableWidget : public QWidget {
    Q_OBJECT
  public:
    explicit DailyTableWidget(QWidget* parent = nullptr);

    // Refills the month list, newest first, from App().storedMonths. The day
    // table keeps what it shows until a measure button is pressed again.
    void Refresh();
    // Sets the title, button and day column captions from the language table.
    void ApplyTexts();

  private:
    void BIAVisitClick() { ShowDailyValues(DailyMeasure::Visitors, BIAVisit_); }
    void BIAPageClick() { ShowDailyValues(DailyMeasure::Pages, BIAPage_); }
    void BIAKiloClick() { ShowDailyValues(DailyMeasure::Kilobytes, BIAKilo_); }
    void BIAHitsClick() { ShowDailyValues(DailyMeasure::Hits, BIAHits_); }
    void VisitsClick() { ShowDailyValues(DailyMeasure::Visits, visits_); }
    void ShowDailyValues(DailyMeasure measure, QPushButton* pressed);
    void ClearTable();

    QLabel* title_;
    QPushButton* BIAVisit_;
    QPushButton* BIAPage_;
    QPushButton* BIAKilo_;
    QPushButton* BIAHits_;
    QPushButton* visits_;
    QListWidget* LBDate_;
    QTreeWidget* LVInfoAnnuelle_;
};

}  // namespace trafikon
