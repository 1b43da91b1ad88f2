// SPDX-License-Identifier: GPL-3.0-or-later
// The site manager: the list of the store's sites with their number, name,
// virtual hosts and stored months, and the buttons that add, rename and
// delete a site.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <string>
#include <vector>

#include "store/site_list.h"

class QPushButton;
class QTreeView;

namespace trafikon {

// Rows of the site list: one per site, with its count of stored months.
class SiteListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetSites(std::vector<SiteEntry> sites, std::vector<int> monthCounts);
    const SiteEntry& Site(int row) const { return sites_[static_cast<std::size_t>(row)]; }
    int MonthCount(int row) const { return months_[static_cast<std::size_t>(row)]; }

  private:
    std::vector<SiteEntry> sites_;
    std::vector<int> months_;
};

class SiteManagerDialog : public QDialog {
    Q_OBJECT
  public:
    // `programDir`: the program folder whose store holds the sites.
    explicit SiteManagerDialog(std::string programDir, QWidget* parent = nullptr);

    // Reads the sites again; the selection stays on site `selected` when given.
    void Refresh(int selected = 0);
    // The commands of the buttons; each asks what it needs, then refreshes.
    void BAddClick();
    void BRenameClick();
    void BDeleteClick();
    // Adds a site named `name`; a host gives its virtual host and its
    // address setting. Returns its number, or 0 (and a message) on failure.
    int AddNamedSite(const QString& name, const QString& host);
    // Selects the row of site `number` (none when it is not listed).
    void SelectSite(int number);
    // The number of the selected site, or 0.
    int SelectedSite() const;

    QTreeView* list() const { return LVSites; }
    SiteListModel* model() const { return model_; }

  private:
    std::string programDir_;
    SiteListModel* model_;
    QTreeView* LVSites;
    QPushButton* BAdd;
    QPushButton* BRename;
    QPushButton* BDelete;
    QPushButton* BClose;
};

}  // namespace trafikon
