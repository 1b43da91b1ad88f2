// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog: edits settings 1 to 6 and 8 and saves all thirteen.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace trafikon {

class TFConfiguration : public QDialog {
    Q_OBJECT
  public:
    explicit TFConfiguration(QWidget* parent = nullptr);

    void FormShow();
    void BEnregParamClick();
    void BCancelClick();

    QLineEdit* urlEdit() const { return EURLSite; }
    QCheckBox* statusBox() const { return CBRetourParam; }
    QSpinBox* minHostControl() const { return UDMinHost; }
    QListWidget* languageList() const { return LBLangue; }
    QLineEdit* countryDatabaseEdit() const { return ECountryDb; }
    QCheckBox* maskBox() const { return CBMasque; }
    QSpinBox* expansionControl() const { return UDExpansion; }
    QSpinBox* visitGapControl() const { return UDVisitGap; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLabel* LURLSite;
    QLineEdit* EURLSite;
    QCheckBox* CBRetourParam;
    QLabel* LMinHost;
    QSpinBox* UDMinHost;  // read-only edit with its up-down arrows
    QLabel* LLangue;
    QListWidget* LBLangue;
    QLabel* LCountryDb;
    QLineEdit* ECountryDb;  // a file path, as the file system spells it
    QPushButton* BCountryDb;
    QCheckBox* CBMasque;
    QLabel* LExpansion;
    QSpinBox* UDExpansion;  // times its size a compressed log may expand
    QLabel* LVisitGap;
    QSpinBox* UDVisitGap;  // the longest gap within a visit, in minutes
    QPushButton* BEnregParam;
    QPushButton* BCancel;
};

}  // namespace trafikon
