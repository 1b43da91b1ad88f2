// SPDX-License-Identifier: GPL-3.0-or-later
// All sites at a glance: a child window of the main window with the hits,
// pages, visits and kilobytes of every stored month of every site. A double
// click (or Return) on a row asks for that site's synthesis.
#pragma once

#include <QAbstractTableModel>
#include <QSize>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "views/synthesis/all_sites_table.h"

class QTreeView;

namespace trafikon {

class AllSitesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // `captions`: the name shown for each site of the rows, by site number.
    void SetRows(std::vector<AllSitesRow> rows, std::vector<std::pair<int, QString>> captions);
    const AllSitesRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  private:
    QString Caption(int site) const;

    std::vector<AllSitesRow> rows_;
    std::vector<std::pair<int, QString>> captions_;
};

class AllSitesWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr QSize kOpeningSize{620, 400};

    // `programDir`: the program folder whose store holds the sites.
    explicit AllSitesWindow(std::string programDir, QWidget* parent = nullptr);

    // Reads every site's months again. An unreadable statistics file ends it
    // with a message; the rows read until then stay.
    void Refresh();
    void ApplyTexts();

    QTreeView* table() const { return LVAllSites; }
    AllSitesModel* model() const { return model_; }

  signals:
    // The user asked for the synthesis of `site`, at month `key`.
    void SiteChosen(int site, const QString& key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ChooseRow(int row);

    std::string programDir_;
    QTreeView* LVAllSites;
    AllSitesModel* model_;
};

}  // namespace trafikon
