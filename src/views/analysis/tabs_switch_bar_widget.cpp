// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/tabs_switch_bar_widget.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trafikon {

TabsSwitchBar::TabsSwitchBar(const std::vector<int>& rows, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    int index = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        // Each row keeps its switches at their own width, left-aligned.
        auto* row = new QHBoxLayout;
        row->setSpacing(10);
        column->addLayout(row);
        for (int c = 0; c < rows[r]; ++c, ++index) {
            auto* b = new QRadioButton(this);
            QFont f = b->font();
            f.setBold(true);
            b->setFont(f);
            group_->addButton(b, index);
            row->addWidget(b);
            switches_.push_back(b);
            connect(b, &QRadioButton::pressed, this, [this, index] {
                Paint(index, "red");
                switches_[std::size_t(index)]->setCursor(Qt::PointingHandCursor);
            });
            connect(b, &QRadioButton::released, this, [this, index] {
                switches_[std::size_t(index)]->unsetCursor();
                PaintAll();
            });
        }
        row->addStretch(1);
    }
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { SetChosen(id); });
    if (!switches_.empty())
        switches_.front()->setChecked(true);
    PaintAll();
}

void TabsSwitchBar::SetChosen(int index) {
    if (index < 0 || index >= count())
        return;
    chosen_ = index;
    switches_[std::size_t(index)]->setChecked(true);
    PaintAll();
    emit switched(index);
}

void TabsSwitchBar::SetCaption(int index, const QString& caption) {
    if (index < 0 || index >= count())
        return;
    switches_[std::size_t(index)]->setText(caption);
    switches_[std::size_t(index)]->setToolTip(caption);  // in full, should the tab be narrow
}

QString TabsSwitchBar::caption(int index) const {
    return index >= 0 && index < count() ? switches_[std::size_t(index)]->text() : QString();
}

void TabsSwitchBar::Paint(int index, const char* colour) {
    QRadioButton* b = switches_[std::size_t(index)];
    QPalette p = b->palette();
    p.setColor(QPalette::WindowText,
               colour ? QColor(colour) : palette().color(QPalette::WindowText));
    b->setPalette(p);
}

void TabsSwitchBar::PaintAll() {
    for (int i = 0; i < count(); ++i)
        Paint(i, i == chosen_ ? "blue" : nullptr);
}

}  // namespace trafikon
