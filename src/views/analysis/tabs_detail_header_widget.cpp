// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/tabs_detail_header_widget.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/list_columns_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

TabsDetailHeader::TabsDetailHeader(QWidget* parent) : QWidget(parent), title_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setTextFormat(Qt::PlainText);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(title_);
    for (QLabel*& l : lines_) {
        l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        layout->addWidget(l);
    }
    // Texts from the log may be as long as they like: they never widen the detail.
    for (QLabel* l : {title_, lines_[0], lines_[1], lines_[2], lines_[3]}) {
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(0);
    }
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    QPalette p = note_->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    note_->setPalette(p);
    note_->hide();
    layout->addWidget(note_);
    SetLine(0, QString());
}

void TabsDetailHeader::SetMissingNote(std::size_t missing, const QString& wording) {
    if (missing == 0) {
        note_->clear();
        note_->hide();
        return;
    }
    note_->setText(QString(wording).arg(static_cast<qulonglong>(missing)));
    note_->show();
}

QString TabsDetailHeader::note() const {
    return note_->isHidden() ? QString() : note_->text();
}

void TabsDetailHeader::Show(QLabel* label, const QString& text) {
    label->setProperty("wholeText", text);
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : PlainToolTip(text));
}

void TabsDetailHeader::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QLabel* l : {title_, lines_[0], lines_[1], lines_[2], lines_[3]})
        Show(l, l->property("wholeText").toString());
}

void TabsDetailHeader::SetTitle(const QString& text) {
    Show(title_, DisplayText(text));
}

void TabsDetailHeader::SetLine(int line, const QString& text, const QColor& colour) {
    if (line < 0 || line > 3)
        return;
    QLabel* l = lines_[std::size_t(line)];
    Show(l, DisplayText(text));
    QColor c = colour;
    if (!c.isValid())
        c = line == 0 ? QColor(Qt::blue) : palette().color(QPalette::WindowText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

void TabsDetailHeader::Clear() {
    Show(title_, QString());
    for (int i = 0; i < 4; ++i)
        SetLine(i, QString());
    note_->clear();
    note_->hide();
}

QString TabsDetailHeader::title() const {
    return title_->property("wholeText").toString();
}

QString TabsDetailHeader::line(int line) const {
    return line >= 0 && line < 4 ? lines_[std::size_t(line)]->property("wholeText").toString()
                                 : QString();
}

QColor TabsDetailHeader::lineColour(int line) const {
    return line >= 0 && line < 4 ? lines_[std::size_t(line)]->palette().color(QPalette::WindowText)
                                 : QColor();
}

}  // namespace trafikon
