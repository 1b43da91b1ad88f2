// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/countries_chart_widget.h"

#include <QPainter>
#include <algorithm>

#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {
const QColor kHitsColour(106, 143, 208);
const QColor kPagesColour(35, 70, 127);
}  // namespace

CountriesChartWidget::CountriesChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("CountriesChart");
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

void CountriesChartWidget::Show(std::vector<tabs::CountriesList::Bar> bars) {
    bars_ = std::move(bars);
    updateGeometry();
    update();
}

QSize CountriesChartWidget::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(QStringLiteral("0")) * 40,
            fm.height() * static_cast<int>(std::max<std::size_t>(bars_.size(), 1)) + 4};
}

QSize CountriesChartWidget::minimumSizeHint() const {
    const QSize full = sizeHint();
    return {full.width() / 2, (full.height() - 4) / 2 + 4};
}

void CountriesChartWidget::paintEvent(QPaintEvent*) {
    if (bars_.empty())
        return;
    QPainter p(this);
    // Every bar is drawn in the height given: rows and their font shrink
    // together when the chart is lower than its natural height.
    const int count = static_cast<int>(bars_.size());
    const int natural = QFontMetrics(font()).height();
    const int line = std::clamp((height() - 4) / count, 1, natural);
    QFont small = font();
    if (line < natural)
        small.setPixelSize(std::max(1, QFontMetrics(font()).ascent() * line / natural));
    p.setFont(small);
    const QFontMetrics fm(small);
    int nameWidth = 0;
    for (const auto& b : bars_)
        nameWidth = std::max(nameWidth, fm.horizontalAdvance(FromCp1252(b.name)));
    nameWidth = std::min(nameWidth, width() / 3);
    const int numberWidth = fm.horizontalAdvance(QString::number(bars_.front().hits)) + line / 2;
    const int left = nameWidth + line / 2, room = std::max(1, width() - left - numberWidth);
    const double largest = static_cast<double>(std::max<long long>(1, bars_.front().hits));
    p.setPen(palette().color(QPalette::WindowText));
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const auto& b = bars_[i];
        const int y = static_cast<int>(i) * line + 2;
        p.drawText(QRect(0, y, nameWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(FromCp1252(b.name), Qt::ElideRight, nameWidth));
        const double hits = room * static_cast<double>(b.hits) / largest;
        const double pages = room * static_cast<double>(b.pages) / largest;
        const int inset = std::min(2, line / 6);
        p.fillRect(QRectF(left, y + inset, hits, line - 2 * inset), kHitsColour);
        p.fillRect(QRectF(left, y + line / 3.0, pages, line / 3.0), kPagesColour);
        p.drawText(QRect(left + static_cast<int>(hits) + 4, y, numberWidth, line),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(b.hits));
    }
}

}  // namespace trafikon
