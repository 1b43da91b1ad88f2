// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_columns_qt.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeView>

#include "ui/text_convert_qt.h"

namespace trafikon {

void FitColumns(QHeaderView* header, int stretchColumn) {
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(24);
    for (int c = 0; c < header->count(); ++c)
        header->setSectionResizeMode(
            c, c == stretchColumn ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
}

bool ElidedTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !view || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect cell = view->visualRect(index);
    if (text.isEmpty() || sizeHint(option, index).width() <= cell.width()) {
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    QToolTip::showText(event->globalPos(), PlainToolTip(text), view->viewport(), cell);
    return true;
}

void UseFittedColumns(QTreeView* view, int stretchColumn) {
    view->setItemDelegate(new ElidedTipDelegate(view));
    FitColumns(view->header(), stretchColumn);
}

}  // namespace trafikon
