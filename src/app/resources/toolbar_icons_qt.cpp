// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/resources/toolbar_icons_qt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trafikon {
namespace {

constexpr int kSize = 32;

QPixmap Canvas() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet of paper with ruled lines: the log file.
void DrawSheet(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 140, 170), 1.5));
    for (double y = r.top() + 5; y < r.bottom() - 2; y += 4)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

// Three rising bars: the analysis.
void DrawBars(QPainter& p, const QRectF& r) {
    const QColor colours[3] = {QColor(60, 120, 200), QColor(60, 170, 90), QColor(220, 140, 40)};
    const double w = r.width() / 3.0;
    for (int i = 0; i < 3; ++i) {
        const double h = r.height() * (0.4 + 0.3 * i);
        p.setPen(QPen(colours[i].darker(140), 1));
        p.setBrush(colours[i]);
        p.drawRect(QRectF(r.left() + i * w + 1, r.bottom() - h, w - 2, h));
    }
}

QIcon Drawn(void (*draw)(QPainter&)) {
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QIcon Themed(const char* name, void (*draw)(QPainter&)) {
    const QIcon drawn = Drawn(draw);
    return QIcon::fromTheme(QString::fromLatin1(name), drawn);
}

}  // namespace

QIcon RefreshIcon() {
    return Themed("view-refresh", [](QPainter& p) {
        p.setPen(QPen(QColor(40, 130, 60), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(24, 3);
        head.lineTo(27, 13);
        head.lineTo(17, 11);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 130, 60));
        p.drawPath(head);
    });
}

QIcon AnalyseAllIcon() {
    return Drawn([](QPainter& p) {
        DrawBars(p, QRectF(3, 4, 20, 24));
        p.setPen(QPen(QColor(70, 70, 70), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(210, 230, 255, 180));
        p.drawEllipse(QRectF(14, 12, 12, 12));
        p.drawLine(QPointF(24, 22), QPointF(30, 29));
    });
}

QIcon AddLogsIcon() {
    return Themed("document-open", [](QPainter& p) {
        DrawSheet(p, QRectF(4, 2, 18, 24));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 150, 60));
        p.drawEllipse(QRectF(15, 15, 16, 16));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(22, 18, 2, 10));
        p.drawRect(QRectF(18, 22, 10, 2));
    });
}

QIcon DeleteLogsIcon() {
    return Themed("edit-delete", [](QPainter& p) {
        DrawSheet(p, QRectF(4, 2, 18, 24));
        p.setPen(QPen(QColor(200, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 17), QPointF(29, 29));
        p.drawLine(QPointF(29, 17), QPointF(17, 29));
    });
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 120));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        DrawBars(p, QRectF(6, 6, 20, 20));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace trafikon
