// Draws a column left-aligned whatever alignment its model asks for: the URL
// column of the query lists shares the two-column list model, whose second
// column is otherwise a right-aligned count.
#pragma once

#include <QStyledItemDelegate>

namespace trafikon {

class TabsLeftAlignDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
};

}  // namespace trafikon
