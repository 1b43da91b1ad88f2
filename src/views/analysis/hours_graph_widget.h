// SPDX-License-Identifier: GPL-3.0-or-later
// The hours-of-the-day graph of the general tab: hits of each hour 0-23 as
// bars, with the pages drawn inside them, from the month's hrs- file. A month
// analysed by an earlier version shows a line saying to analyse it again.
#pragma once

#include <QWidget>

#include "store/hour_file.h"

namespace trafikon {

struct MonthExtras;

class HoursGraphWidget : public QWidget {
  public:
    explicit HoursGraphWidget(QWidget* parent = nullptr);

    // Texts in the interface language: title, legend of both series, and the
    // line shown for a month without hours.
    void SetTexts(const QString& title, const QString& hits, const QString& pages,
                  const QString& missing);
    // Shows the month's hours; nothing is drawn when `analysed` is false.
    void Show(const MonthExtras& extras, bool analysed);

    bool hasHours() const { return present_; }
    const HourCounters& hours() const { return hours_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    HourCounters hours_;
    bool present_ = false;
    bool analysed_ = false;
    QString title_, hits_, pages_, missing_;
};

}  // namespace trafikon
