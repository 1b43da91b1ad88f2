// SPDX-License-Identifier: GPL-3.0-or-later
// Comparison window: the stored months side by side for the most requested
// pages, the files whose path holds a fragment, or the hits per base directory.
// A new one opens on every use of the comparison command.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "views/compare/month_comparison.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace trafikon {

class ComparisonResultModel;

class TFCompare : public QWidget {
    Q_OBJECT
  public:
    // The size the window opens at when its content fits in it.
    static constexpr QSize kOpeningSize{760, 440};

    explicit TFCompare(QWidget* parent = nullptr);

    void BCompTopTenClick();
    void BCompFilesClick();
    void BCompDirectoryClick();
    void LVTopTenResultColumnClick(int column);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Builds the columns from the months stored now; they stay for the window's life.
    void BuildColumns();
    // Sizes the name column from the names and the room the months leave.
    void FitNameColumn();
    // Runs a command: busy cursor and suspended repainting while it computes;
    // the table is replaced only when the command succeeds.
    void RunCommand(
        const std::function<std::vector<ComparisonRow>(const MonthComparison&)>& command);

    std::string siteDir_;              // the site shown when the window opened
    std::vector<std::string> months_;  // the month columns, newest first
    ComparisonSortState sortState_;

    QTabWidget* tabs_;
    QPushButton* BCompTopTen_;
    QLabel* LFiles1_;
    QLineEdit* EFiltreFiles_;
    QPushButton* BCompFiles_;
    QPushButton* BCompDirectory_;
    QLabel* LTTResult1_;
    QTreeView* LVTopTenResult_;
    ComparisonResultModel* model_;
};

}  // namespace trafikon
