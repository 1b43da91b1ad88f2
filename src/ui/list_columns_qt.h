// SPDX-License-Identifier: GPL-3.0-or-later
// How the report lists of the program use their width: number columns fit
// their widest value, one text column takes what is left, and a cell cut
// short shows its whole text as a tooltip. Texts from a log are shown as
// plain text everywhere, tooltips included.
#pragma once

#include <QStyledItemDelegate>

class QHeaderView;
class QTreeView;

namespace trafikon {

// Every column fits its contents, but `stretchColumn` (when >= 0), which takes
// the width left; the last column does not stretch of itself.
void FitColumns(QHeaderView* header, int stretchColumn);

// Draws cells as the standard delegate does; the tooltip of a cell is its
// whole text, shown only when the cell is too narrow for it.
class ElidedTipDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

// Gives `view` an ElidedTipDelegate and the column rule of FitColumns.
void UseFittedColumns(QTreeView* view, int stretchColumn);

}  // namespace trafikon
