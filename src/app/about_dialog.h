// SPDX-License-Identifier: GPL-3.0-or-later
// About box: the product's name, version, two information lines and the
// licence, a link that opens the licence's text in the user's browser.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace trafikon {

class TFAprop : public QDialog {
    Q_OBJECT
  public:
    explicit TFAprop(QWidget* parent = nullptr);

    static const char* LicencePage();
    // Opens the licence's page with the browser command; does nothing without one.
    void Label4Click();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();

    QLabel* Label1_;        // information line, entry 184
    QLabel* Label2_;        // information line, entry 186
    QLabel* LCountryData_;  // the source and licence of the shipped country data
    QLabel* Label4_;        // licence, a link
    QPushButton* BOK_;
};

}  // namespace trafikon
