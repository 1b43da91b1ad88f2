// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of a month comparison for the result table: the name, the average and
// one column per month, newest first.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "views/compare/month_comparison.h"

namespace trafikon {

class ComparisonResultModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Captions of the name and average columns, then the month keys.
    void SetColumns(const QStringList& captions);
    void SetRows(std::vector<ComparisonRow> rows);
    const std::vector<ComparisonRow>& rows() const { return rows_; }
    // Sorts the rows by a column (see SortComparisonRows).
    void Sort(int column, bool secondDirection);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    QStringList captions_;
    std::vector<ComparisonRow> rows_;
};

}  // namespace trafikon
