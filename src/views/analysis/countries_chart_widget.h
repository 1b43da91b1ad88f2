// SPDX-License-Identifier: GPL-3.0-or-later
// The bar chart of the countries tab: the top countries by hits, one
// horizontal bar each, with the pages drawn inside, in one column or, when
// the chart is given less than its height, two.
#pragma once

#include <QWidget>
#include <vector>

#include "views/analysis/countries_list.h"

namespace trafikon {

class CountriesChartWidget : public QWidget {
  public:
    explicit CountriesChartWidget(QWidget* parent = nullptr);

    // Bars with names in Windows-1252.
    void Show(std::vector<tabs::CountriesList::Bar> bars);
    const std::vector<tabs::CountriesList::Bar>& bars() const { return bars_; }
    QSize sizeHint() const override;
    // Two columns at the font's height: a lower chart draws smaller rows.
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<tabs::CountriesList::Bar> bars_;
};

}  // namespace trafikon
