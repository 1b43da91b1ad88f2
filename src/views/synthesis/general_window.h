// SPDX-License-Identifier: GPL-3.0-or-later
// The synthesis window: a child of the main window for the whole run, with the
// monthly synthesis table (tab TSGeneral), the day-by-day table (tab TSCompare)
// and the months chart.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "views/synthesis/synthesis_table.h"

class QLabel;
class QMdiArea;
class QTabWidget;
class QTreeView;

namespace trafikon {

// The property of a child window of the main window that holds the number of
// the site it shows.
inline constexpr const char* kSitePropertyName = "trafikonSite";

class DailyTableWidget;
class MonthTrendWidget;

// Rows of the synthesis table behind LVInfoAnnuelleSynthese.
class SynthesisModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetRows(std::vector<SynthesisRow> rows);
    void SetHeadings(QStringList headings);
    const SynthesisRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  private:
    std::vector<SynthesisRow> rows_;
    QStringList headings_;
};

class TFGeneral : public QWidget {
    Q_OBJECT
  public:
    // `area` is the main window's frame, whose child windows a double click searches.
    explicit TFGeneral(QMdiArea* area, QWidget* parent = nullptr);

    // Rebuilds App().storedMonths, the month list of the day-by-day table and the
    // synthesis table. An unreadable statistics file ends it with a message.
    void RefreshSynthesis();
    // Sets every text of the window from the language table.
    void ApplyTexts();

    QTreeView* table() const { return LVInfoAnnuelleSynthese; }
    SynthesisModel* model() const { return model_; }
    int rowCount() const { return model_->rowCount(); }
    MonthTrendWidget* trend() const { return trend_; }

    // Opens the analysis of the selected month (or of `row` when given).
    void LVInfoAnnuelleSyntheseDblClick();
    void OpenMonth(int row);
    // Selects the row of month `key` in the synthesis table, when it is there.
    void SelectMonth(const std::string& key);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Return or Enter on a row of the table opens its month, as a double click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The width the table needs to show every column whole.
    int TableWidth() const;

    QMdiArea* area_;
    QTabWidget* tabs_;
    QWidget* TSGeneral;
    QWidget* TSCompare;
    QLabel* LTitle;
    QTreeView* LVInfoAnnuelleSynthese;
    SynthesisModel* model_;
    DailyTableWidget* dailyTable_;  // content of TSCompare
    MonthTrendWidget* trend_;       // the months chart, third tab
};

}  // namespace trafikon
