// SPDX-License-Identifier: GPL-3.0-or-later
// The exclusions of the site (engine/line_exclusions) as an editable text:
// checked line by line before it is saved.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace trafikon {

class ExclusionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ExclusionsDialog(QWidget* parent = nullptr);
    // Checks and writes the text; false (and a message) when a line is not
    // an exclusion or the file cannot be written.
    bool Save();
    QPlainTextEdit* editor() const { return editor_; }

  private:
    QPlainTextEdit* editor_;
};

}  // namespace trafikon
