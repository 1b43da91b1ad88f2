// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/daily_graph_qt.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace trafikon {

namespace {
QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
}  // namespace

QImage PaintDailyGraph(const std::vector<DrawOp>& ops, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ToQColor(kSilver));
    QPainter p(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(10);
    p.setFont(font);
    for (const DrawOp& op : ops) {
        switch (op.kind) {
            case DrawOp::FillRect: {
                // Corners in any order; the right and bottom edges are not filled.
                const int left = std::min(op.x1, op.x2), right = std::max(op.x1, op.x2);
                const int top = std::min(op.y1, op.y2), bottom = std::max(op.y1, op.y2);
                if (right > left && bottom > top)
                    p.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(op.color));
                break;
            }
            case DrawOp::Line: {
                QPen pen(ToQColor(op.color));
                pen.setWidth(op.penWidth);
                p.setPen(pen);
                p.drawLine(op.x1, op.y1, op.x2, op.y2);
                break;
            }
            case DrawOp::Text: {
                const QString text = QString::fromStdString(op.text);
                const QFontMetrics fm(font);
                const QRect box(op.x1, op.y1, fm.horizontalAdvance(text), fm.height());
                p.fillRect(box, ToQColor(kSilver));
                p.setPen(ToQColor(op.color));
                p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
                break;
            }
        }
    }
    return image;
}

}  // namespace trafikon
