// SPDX-License-Identifier: GPL-3.0-or-later
// Third tab of the synthesis window: the stored months as a bar chart of one
// measure (hits, pages, kilobytes), people and robots stacked, over the last
// 12 or 24 months or all of them; or, year over year, each month beside the
// same month a year before. A click on a bar asks for that month's analysis.
#pragma once

#include <QWidget>
#include <vector>

#include "views/synthesis/month_trend.h"

class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;

namespace trafikon {

class MonthTrendWidget : public QWidget {
    Q_OBJECT
  public:
    explicit MonthTrendWidget(QWidget* parent = nullptr);

    // Reads the figures of App().storedMonths again and redraws.
    void Refresh();
    // Sets the texts from the language table and redraws.
    void ApplyTexts();

    QChartView* chartView() const { return view_; }
    QComboBox* measureBox() const { return measure_; }
    QComboBox* rangeBox() const { return range_; }
    QCheckBox* yearOverYearBox() const { return yearOverYear_; }
    // The month keys of the bars shown, left to right.
    const std::vector<std::string>& shownKeys() const { return shownKeys_; }

  signals:
    // A bar of the month `key` was clicked.
    void monthChosen(const QString& key);

  private:
    void Redraw();
    // The measures the months have figures for (visits once they are counted).
    void FillMeasures();

    QComboBox* measure_;
    QComboBox* range_;
    QCheckBox* yearOverYear_;
    QLabel* hint_;
    QChartView* view_;
    std::vector<MonthTrendPoint> points_;  // every stored month, ascending
    std::vector<std::string> shownKeys_;
};

}  // namespace trafikon
