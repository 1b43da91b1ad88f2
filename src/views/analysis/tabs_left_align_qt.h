// Draws a column left-aligned whatever alignment its model asks for: the URL
// column of the query lists shares the two-column list model, whose second
// column is otherwise a right-aligned count.
#pragma once

#include "shell/list_columns_qt.h"

namespace trafikon {

class TabsLeftAlignDelegate : public ElidedTipDelegate {
  public:
    using ElidedTipDelegate::ElidedTipDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        ElidedTipDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
};

}  // namespace trafikon
