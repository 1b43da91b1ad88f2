// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/name_count_model.h"

#include <numeric>

#include "ui/text_convert_qt.h"

namespace trafikon {

NameCountModel::NameCountModel(QObject* parent) : QAbstractTableModel(parent) {}

void NameCountModel::SetCaptions(const QStringList& captions) {
    captions_ = captions;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void NameCountModel::SetRows(NameCountTable rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void NameCountModel::ClickColumn(int c) {
    const int state = sort_.Click(c);
    emit layoutAboutToBeChanged();
    // Sort positions, so that selections and current rows follow their rows.
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    auto text = [this](int i) { return rows_.name(std::size_t(i)); };
    if (textOnly_)
        SortRowsByTextOnly(order, state, text);
    else if (state / 2 == 2)
        SortRowsByTextOnly(order, state, [this](int i) { return rows_.place(std::size_t(i)); });
    else
        SortRowsByState(order, state, text, [this](int i) { return rows_.number(std::size_t(i)); });
    std::vector<int> newRowOf(rows_.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        newRowOf[std::size_t(order[k])] = static_cast<int>(k);
    rows_.Reorder(order);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& p : before)
        after << index(newRowOf[std::size_t(p.row())], p.column());
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

std::optional<NameCountView> NameCountModel::RowAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return std::nullopt;
    return rows_[static_cast<std::size_t>(row)];
}

int NameCountModel::FindExact(std::string_view name) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_.name(i) == name)
            return static_cast<int>(i);
    return -1;
}

int NameCountModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int NameCountModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : placeColumn_ ? 3 : 2;
}

QVariant NameCountModel::data(const QModelIndex& index, int role) const {
    const std::optional<NameCountView> r = RowAt(index.row());
    if (!r)
        return {};
    if (role == Qt::DisplayRole)
        return DisplayText(index.column() == 0   ? r->name
                           : index.column() == 1 ? r->count
                                                 : r->place);
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return Alignment();
    return {};
}

QVariant NameCountModel::Alignment() const {
    return QVariant((secondIsText_ ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

QVariant NameCountModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section < captions_.size() ? captions_[section] : QString();
    if (role == Qt::TextAlignmentRole && section == 1)
        return Alignment();
    return {};
}

}  // namespace trafikon
