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
    // Two columns of bars at the font's height.
    const QSize full = sizeHint();
    const int rows = (static_cast<int>(std::max<std::size_t>(bars_.size(), 1)) + 1) / 2;
    return {full.width() / 2, QFontMetrics(font()).height() * rows + 4};
}

void CountriesChartWidget::paintEvent(QPaintEvent*) {
    if (bars_.empty())
        return;
    QPainter p(this);
    // The bars stand in two columns when the height given holds fewer rows
    // than bars at the font's height, so that the text keeps the font of the
    // window; rows share the height given, and lower still, rows and their
    // font shrink together.
    const int count = static_cast<int>(bars_.size());
    const int natural = QFontMetrics(font()).height();
    const int room = std::max(1, height() - 4);
    const int columns = std::clamp((count * natural + room - 1) / room, 1, 2);
    const int perColumn = (count + columns - 1) / columns;
    const int line = std::max(1, room / perColumn);
    const int bar = std::min(line, natural);  // the bar's thickness, centred in its row
    QFont small = font();
    if (bar < natural)
        small.setPixelSize(std::max(1, QFontMetrics(font()).ascent() * bar / natural));
    p.setFont(small);
    const QFontMetrics fm(small);
    const int columnWidth = width() / columns - (columns > 1 ? bar : 0);
    int nameWidth = 0;
    for (const auto& b : bars_)
        nameWidth = std::max(nameWidth, fm.horizontalAdvance(FromCp1252(b.name)));
    nameWidth = std::min(nameWidth, columnWidth * 2 / 5);
    const int numberWidth = fm.horizontalAdvance(QString::number(bars_.front().hits)) + bar / 2;
    const int barLeft = nameWidth + bar / 2;
    const int barRoom = std::max(1, columnWidth - barLeft - numberWidth);
    const double largest = static_cast<double>(std::max<long long>(1, bars_.front().hits));
    p.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < count; ++i) {
        const auto& b = bars_[static_cast<std::size_t>(i)];
        const int x = (i / perColumn) * (width() / columns);
        const int y = (i % perColumn) * line + 2 + (line - bar) / 2;
        p.drawText(QRect(x, y, nameWidth, bar), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(FromCp1252(b.name), Qt::ElideRight, nameWidth));
        const double hits = barRoom * static_cast<double>(b.hits) / largest;
        const double pages = barRoom * static_cast<double>(b.pages) / largest;
        const int inset = std::min(2, bar / 6);
        p.fillRect(QRectF(x + barLeft, y + inset, hits, bar - 2 * inset), kHitsColour);
        p.fillRect(QRectF(x + barLeft, y + bar / 3.0, pages, bar / 3.0), kPagesColour);
        p.drawText(QRect(x + barLeft + static_cast<int>(hits) + 4, y, numberWidth, bar),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(b.hits));
    }
}

}  // namespace trafikon
