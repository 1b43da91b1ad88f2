// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/hours_graph_widget.h"

#include <QPainter>
#include <algorithm>

#include "month/month_extras.h"

namespace trafikon {

namespace {
const QColor kHitsColour(106, 143, 208);
const QColor kPagesColour(35, 70, 127);
}  // namespace

HoursGraphWidget::HoursGraphWidget(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void HoursGraphWidget::SetTexts(const QString& title, const QString& hits, const QString& pages,
                                const QString& missing) {
    title_ = title;
    hits_ = hits;
    pages_ = pages;
    missing_ = missing;
    updateGeometry();
    update();
}

void HoursGraphWidget::Show(const MonthExtras& extras, bool analysed) {
    present_ = extras.present;
    analysed_ = analysed;
    hours_ = extras.hours;
    update();
}

QSize HoursGraphWidget::sizeHint() const {
    const QFontMetrics fm(font());
    const int width = std::max(24 * fm.horizontalAdvance(QStringLiteral("000")),
                               fm.horizontalAdvance(missing_) / 2);
    return {width + 2 * fm.height(), fm.height() * 14};
}

void HoursGraphWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm(font());
    const int line = fm.height();
    const QRect area = rect().adjusted(line / 2, 0, -line / 2, 0);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(area.left(), fm.ascent(), title_);
    if (!analysed_)
        return;
    if (!present_) {
        p.drawText(QRect(area.left(), line * 2, area.width(), line * 6),
                   Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, missing_);
        return;
    }
    const int top = line * 2, base = height() - line * 3;
    const std::int64_t largest =
        std::max<std::int64_t>(1, *std::max_element(hours_.hits.begin(), hours_.hits.end()));
    p.drawText(area.left(), top - line / 4, QString::number(largest));
    const double step = area.width() / 24.0;
    for (int h = 0; h < 24; ++h) {
        const double x = area.left() + h * step;
        auto bar = [&](std::int64_t v, const QColor& colour, double inset) {
            const double tall =
                static_cast<double>(v) * (base - top) / static_cast<double>(largest);
            p.fillRect(
                QRectF(x + step * (0.1 + inset), base - tall, step * (0.8 - 2 * inset), tall),
                colour);
        };
        bar(hours_.hits[h], kHitsColour, 0);
        bar(hours_.pages[h], kPagesColour, 0.15);
        if (h % 2 == 0 || step > fm.horizontalAdvance(QStringLiteral("00 ")))
            p.drawText(QRectF(x, base + 2, step, line), Qt::AlignHCenter | Qt::AlignTop,
                       QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')));
    }
    p.drawLine(area.left(), base, area.right(), base);
    const int legendY = base + line + line / 2;
    int x = area.left();
    for (const auto& [colour, text] :
         {std::pair{kHitsColour, hits_}, std::pair{kPagesColour, pages_}}) {
        p.fillRect(QRect(x, legendY + (line - line / 2) / 2, line / 2, line / 2), colour);
        x += line;
        p.drawText(QRect(x, legendY, fm.horizontalAdvance(text) + 1, line), Qt::AlignLeft, text);
        x += fm.horizontalAdvance(text) + line;
    }
}

}  // namespace trafikon
