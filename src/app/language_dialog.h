// SPDX-License-Identifier: GPL-3.0-or-later
// The first-run language chooser: lists the language files and returns the
// chosen (or typed) entry, which becomes setting 4. Its texts are fixed and
// bilingual, as no language is loaded yet.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace trafikon {

class TFLangue : public QDialog {
    Q_OBJECT
  public:
    explicit TFLangue(QWidget* parent = nullptr);

    // Text of the drop-down list when OK was pressed, as Windows-1252 bytes.
    const std::string& chosen() const { return chosen_; }
    QComboBox* languageList() const { return CBLangue; }

    void FormShow();
    void BOKClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLabel* LSelect;
    QComboBox* CBLangue;
    QPushButton* BOK;
    std::string chosen_;
};

}  // namespace trafikon
