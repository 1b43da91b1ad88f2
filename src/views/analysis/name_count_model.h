// SPDX-License-Identifier: GPL-3.0-or-later
// Model of the two-column lists of the analysis window (a name and a count,
// and for the hosts their place):
// rows kept as the store's bytes in a compact table, converted only for the
// visible cells, sorted by the header-click rule of list_sorter.h. Refilling keeps the sort state
// but puts the rows back in table order until the next header click.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "month/name_count_row.h"
#include "month/name_count_table.h"
#include "views/analysis/list_sorter.h"

namespace trafikon {

class NameCountModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit NameCountModel(QObject* parent = nullptr);

    void SetCaptions(const QStringList& captions);  // one per column (2)
    void SetRows(NameCountTable rows);
    void SetRows(const std::vector<NameCountRow>& rows) { SetRows(NameCountTable(rows)); }
    void Clear() { SetRows(NameCountTable()); }
    // Header click on column c: new sort state, rows sorted by it.
    void ClickColumn(int c);
    // The external-query rule: the toggle of the state, always by the first column.
    void SetTextOnlySorting(bool on) { textOnly_ = on; }
    // The second column holds a text (the address of a query), left-aligned,
    // instead of a right-aligned count.
    void SetSecondColumnText(bool on) { secondIsText_ = on; }
    // A third column shows each row's place (sorted by its text).
    void SetPlaceColumn(bool on) { placeColumn_ = on; }

    const NameCountTable& rows() const { return rows_; }
    // Row `row` viewed (valid until the rows change), or nullopt out of range.
    std::optional<NameCountView> RowAt(int row) const;
    // First row whose name equals `name` exactly (case-sensitive), or -1.
    int FindExact(std::string_view name) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QVariant Alignment() const;  // of the second column

    NameCountTable rows_;
    QStringList captions_;
    SortState sort_;
    bool textOnly_ = false;
    bool secondIsText_ = false;
    bool placeColumn_ = false;
};

}  // namespace trafikon
