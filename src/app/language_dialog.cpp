// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language_dialog.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "text/language_table.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

TFLangue::TFLangue(QWidget* parent) : QDialog(parent) {
    setObjectName("TFLangue");
    setWindowTitle(QStringLiteral("Langue / Language"));
    setModal(true);
    LSelect = new QLabel;
    CBLangue = new QComboBox;
    CBLangue->setObjectName("CBLangue");
    CBLangue->setEditable(true);
    CBLangue->setInsertPolicy(QComboBox::NoInsert);
    CBLangue->setMinimumWidth(200);
    BOK = new QPushButton(QStringLiteral("OK"));
    BOK->setObjectName("BOK");
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this, &TFLangue::BOKClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LSelect);
    layout->addWidget(CBLangue);
    layout->addWidget(BOK, 0, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFLangue::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    // Centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFLangue::FormShow() {
    LSelect->setText(QStringLiteral("Selectionnez la langue :\nSelect the language :"));
    CBLangue->clear();
    for (const std::string& entry : ListLanguages(App().programDir))
        CBLangue->addItem(FromCp1252(entry));
    // French is offered first, as the language of a program that was told nothing.
    const int french =
        CBLangue->findText(FromCp1252("Fran\xe7"
                                      "ais (fr)"));
    CBLangue->setCurrentIndex(french);
    if (french < 0)
        CBLangue->setEditText(QString());
    chosen_.clear();
}

void TFLangue::BOKClick() {
    chosen_ = ToCp1252(CBLangue->currentText());
    accept();
}

}  // namespace trafikon
