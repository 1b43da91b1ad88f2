// SPDX-License-Identifier: GPL-3.0-or-later
// Shortcuts window: the keyboard shortcuts of the program, in the interface's
// language (French or English; one empty line for any other language).
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace trafikon {

class TFHelp : public QDialog {
    Q_OBJECT
  public:
    explicit TFHelp(QWidget* parent = nullptr);

    // The shortcut lines in the interface language.
    static QStringList ShortcutLines();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();

    QPlainTextEdit* MHelp_;
    QPushButton* BClose_;
};

}  // namespace trafikon
