// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/month_trend_widget.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <unordered_map>

#include "state/app_state.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {

constexpr int kPagesText = 42, kKilobytesText = 43, kHitsText = 44;  // of the day table
constexpr int kRangeMonths[] = {12, 24, 0};

// A figure as a bar's height: nothing for an unknown one.
qreal Bar(std::int64_t value) {
    return value < 0 ? 0 : static_cast<qreal>(value);
}

}  // namespace

MonthTrendWidget::MonthTrendWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("MonthTrend");
    measure_ = new QComboBox;
    measure_->setObjectName("CBTrendMeasure");
    range_ = new QComboBox;
    range_->setObjectName("CBTrendRange");
    for (int i = 0; i < 3; ++i)
        range_->addItem(QString());
    yearOverYear_ = new QCheckBox;
    yearOverYear_->setObjectName("CKTrendYearOverYear");
    hint_ = new QLabel;
    hint_->setTextFormat(Qt::PlainText);
    view_ = new QChartView;
    view_->setObjectName("TrendChart");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(320, 200);

    auto* controls = new QHBoxLayout;
    controls->addWidget(measure_);
    controls->addWidget(range_);
    controls->addWidget(yearOverYear_);
    controls->addStretch(1);
    controls->addWidget(hint_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);

    connect(measure_, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(range_, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(yearOverYear_, &QCheckBox::toggled, this, [this] { Redraw(); });
}

void MonthTrendWidget::FillMeasures() {
    const int kept = measure_->currentData().isValid() ? measure_->currentData().toInt() : 0;
    const QSignalBlocker block(measure_);
    measure_->clear();
    measure_->addItem(Tr(kHitsText), static_cast<int>(TrendMeasure::kHits));
    measure_->addItem(Tr(kPagesText), static_cast<int>(TrendMeasure::kPages));
    measure_->addItem(Tr(kKilobytesText), static_cast<int>(TrendMeasure::kKilobytes));
    const bool visits = std::any_of(points_.begin(), points_.end(), [](const MonthTrendPoint& p) {
        return p.people.visits >= 0 || p.robots.visits >= 0;
    });
    if (visits) {
        measure_->addItem(Tr(lang::kTrendVisits), static_cast<int>(TrendMeasure::kVisits));
        measure_->addItem(Tr(lang::kTrendUniqueVisitors),
                          static_cast<int>(TrendMeasure::kUniqueVisitors));
    }
    measure_->setCurrentIndex(std::max(0, measure_->findData(kept)));
}

void MonthTrendWidget::ApplyTexts() {
    {
        const QSignalBlocker block(range_);
        range_->setItemText(0, Tr(lang::kTrendLast12));
        range_->setItemText(1, Tr(lang::kTrendLast24));
        range_->setItemText(2, Tr(lang::kTrendAllMonths));
    }
    yearOverYear_->setText(Tr(lang::kTrendYearOverYear));
    hint_->setText(Tr(lang::kTrendClickHint));
    FillMeasures();
    Redraw();
}

void MonthTrendWidget::Refresh() {
    const AppState& app = App();
    points_ = BuildMonthTrend(app.siteDir, app.storedMonths, 0);
    FillMeasures();
    Redraw();
}

void MonthTrendWidget::Redraw() {
    const auto measure = static_cast<TrendMeasure>(measure_->currentData().toInt());
    const int count = kRangeMonths[std::clamp(range_->currentIndex(), 0, 2)];
    const std::size_t first =
        count > 0 && points_.size() > static_cast<std::size_t>(count) ? points_.size() - count : 0;
    shownKeys_.clear();
    QStringList categories;
    for (std::size_t i = first; i < points_.size(); ++i) {
        shownKeys_.push_back(points_[i].key);
        categories << FromCp1252(points_[i].key);
    }
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    QAbstractBarSeries* series = nullptr;
    const auto total = [measure](const MonthTrendPoint& p) {
        const std::int64_t people = TrendValue(p, measure, TrendAudience::kPeople);
        const std::int64_t robots = TrendValue(p, measure, TrendAudience::kRobots);
        return people < 0 ? robots : people + std::max<std::int64_t>(robots, 0);
    };
    if (yearOverYear_->isChecked()) {
        std::unordered_map<std::string, const MonthTrendPoint*> byKey;
        for (const MonthTrendPoint& p : points_)
            byKey.emplace(p.key, &p);
        auto* before = new QBarSet(Tr(lang::kTrendYearBefore));
        auto* month = new QBarSet(Tr(lang::kTrendMonth));
        for (std::size_t i = first; i < points_.size(); ++i) {
            const auto earlier = byKey.find(YearBefore(points_[i].key));
            *before << (earlier == byKey.end() ? 0 : Bar(total(*earlier->second)));
            *month << Bar(total(points_[i]));
        }
        connect(before, &QBarSet::clicked, this, [this](int index) {
            if (index >= 0 && static_cast<std::size_t>(index) < shownKeys_.size())
                emit monthChosen(FromCp1252(YearBefore(shownKeys_[index])));
        });
        connect(month, &QBarSet::clicked, this, [this](int index) {
            if (index >= 0 && static_cast<std::size_t>(index) < shownKeys_.size())
                emit monthChosen(FromCp1252(shownKeys_[index]));
        });
        series = new QBarSeries;
        series->append(before);
        series->append(month);
    } else {
        // People and robots stacked; a month analysed before they were told
        // apart shows one bar of its own.
        auto* people = new QBarSet(Tr(lang::kTrendPeople));
        auto* robots = new QBarSet(Tr(lang::kTextRobots));
        auto* mixed = new QBarSet(Tr(lang::kTrendNotApart));
        bool anyMixed = false;
        for (std::size_t i = first; i < points_.size(); ++i) {
            const MonthTrendPoint& p = points_[i];
            const std::int64_t ofPeople = TrendValue(p, measure, TrendAudience::kPeople);
            *people << (p.apart ? Bar(ofPeople) : 0);
            *robots << (p.apart ? Bar(TrendValue(p, measure, TrendAudience::kRobots)) : 0);
            *mixed << (p.apart ? 0 : Bar(ofPeople));
            anyMixed = anyMixed || (!p.apart && ofPeople > 0);
        }
        series = new QStackedBarSeries;
        for (QBarSet* set : {people, robots, mixed}) {
            if (set == mixed && !anyMixed) {
                delete set;
                continue;
            }
            connect(set, &QBarSet::clicked, this, [this](int index) {
                if (index >= 0 && static_cast<std::size_t>(index) < shownKeys_.size())
                    emit monthChosen(FromCp1252(shownKeys_[index]));
            });
            series->append(set);
        }
    }
    chart->addSeries(series);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    // Month keys stand upright when there are more than a few: flat, they
    // would be cut short.
    if (categories.size() > 6)
        axisX->setLabelsAngle(-90);
    axisX->setTruncateLabels(false);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat("%.0f");
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    qreal top = 0;
    for (const QBarSet* set : series->barSets())
        for (int i = 0; i < set->count(); ++i)
            top = std::max(top, set->at(i));
    if (qobject_cast<QStackedBarSeries*>(series)) {
        top = 0;
        for (int i = 0; i < categories.size(); ++i) {
            qreal sum = 0;
            for (const QBarSet* set : series->barSets())
                sum += set->at(i);
            top = std::max(top, sum);
        }
    }
    axisY->setRange(0, top > 0 ? top : 1);  // an empty chart keeps a scale
    axisY->applyNiceNumbers();
    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
}

}  // namespace trafikon
