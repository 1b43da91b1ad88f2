// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/compare/comparison_result_model.h"

#include "ui/text_convert_qt.h"

namespace trafikon {

void ComparisonResultModel::SetColumns(const QStringList& captions) {
    beginResetModel();
    captions_ = captions;
    endResetModel();
}

void ComparisonResultModel::SetRows(std::vector<ComparisonRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ComparisonResultModel::Sort(int column, bool secondDirection) {
    beginResetModel();
    SortComparisonRows(rows_, column, secondDirection);
    endResetModel();
}

int ComparisonResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ComparisonResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant ComparisonResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const ComparisonRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (index.column() == 0)
        return DisplayText(row.name);
    if (index.column() == 1)
        return FromCp1252(row.average);
    const std::size_t month = static_cast<std::size_t>(index.column() - 2);
    return month < row.values.size() ? FromCp1252(row.values[month]) : QString();
}

QVariant ComparisonResultModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= captions_.size())
        return {};
    if (role == Qt::DisplayRole)
        return captions_[section];
    if (role == Qt::TextAlignmentRole && section > 0)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

}  // namespace trafikon
