// SPDX-License-Identifier: GPL-3.0-or-later
// The bar chart of the countries tab: the top countries by hits, one
// horizontal bar each, with the pages drawn inside.
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
    // Half the natural height: a low chart draws smaller rows.
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<tabs::CountriesList::Bar> bars_;
};

}  // namespace trafikon
