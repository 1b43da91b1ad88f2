// SPDX-License-Identifier: GPL-3.0-or-later
// Deletion dialog: removes a month's analysis, a month's analysis and stored
// log, or everything in the store but the settings and the last field format.
// The caller refreshes the synthesis after it closes.
#pragma once

#include <QDialog>
#include <vector>

#include "views/maintenance/delete_logs.h"

class QListWidget;
class QPushButton;

namespace trafikon {

class TFSupprLog : public QDialog {
    Q_OBJECT
  public:
    explicit TFSupprLog(QWidget* parent = nullptr);

    // With no stored month, shows "Rien à supprimer" and does not open.
    int exec() override;

    void BSupprAnalyseClick();
    void BSupprAnalyseLogClick();
    void BSupprAllClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Rebuilds the stored months and the month list, newest first.
    void FormShow();
    // Tells the user about files that could not be removed.
    void ReportFailures(const std::vector<DeleteFailure>& failures);
    // False, after telling why, for the month that the running analysis has in hand.
    bool MayDelete(const std::string& key);

    QListWidget* LBListDate_;
    QPushButton* BSupprAnalyse_;
    QPushButton* BSupprAnalyseLog_;
    QPushButton* BSupprAll_;
    QPushButton* BClose_;
};

}  // namespace trafikon
