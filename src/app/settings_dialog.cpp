// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <cstdint>
#include <string>

#include "engine/visit_tally.h"
#include "import/log_source.h"
#include "state/app_state.h"
#include "text/extra_texts.h"
#include "text/language_table.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/message_service_qt.h"
#include "ui/site_title_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

namespace {
const char kDefaultLanguage[] =
    "Fran\xe7"
    "ais (fr)";
}  // namespace

TFConfiguration::TFConfiguration(QWidget* parent) : QDialog(parent) {
    setObjectName("TFConfiguration");
    setModal(true);
    LURLSite = new QLabel;
    EURLSite = new QLineEdit;
    EURLSite->setObjectName("EURLSite");
    LURLSite->setBuddy(EURLSite);
    CBRetourParam = new QCheckBox;
    CBRetourParam->setObjectName("CBRetourParam");
    LMinHost = new QLabel;
    UDMinHost = new QSpinBox;
    UDMinHost->setObjectName("UDMinHost");
    UDMinHost->setRange(0, 32767);
    UDMinHost->setSingleStep(10);
    UDMinHost->setWrapping(false);
    // The value changes only through the arrows, never by typing.
    if (auto* edit = UDMinHost->findChild<QLineEdit*>())
        edit->setReadOnly(true);
    UDMinHost->setMinimumWidth(90);
    LMinHost->setBuddy(UDMinHost);
    LLangue = new QLabel;
    LBLangue = new QListWidget;
    LBLangue->setObjectName("LBLangue");
    LBLangue->setSelectionMode(QAbstractItemView::SingleSelection);
    LBLangue->setMaximumHeight(90);
    LLangue->setBuddy(LBLangue);
    LCountryDb = new QLabel;
    ECountryDb = new QLineEdit;
    ECountryDb->setObjectName("ECountryDb");
    LCountryDb->setBuddy(ECountryDb);
    BCountryDb = new QPushButton("...");
    BCountryDb->setObjectName("BCountryDb");
    connect(BCountryDb, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, LCountryDb->text(), ECountryDb->text(), "*.mmdb");
        if (!path.isEmpty())
            ECountryDb->setText(path);
    });
    CBMasque = new QCheckBox;
    CBMasque->setObjectName("CBMasque");
    LExpansion = new QLabel;
    UDExpansion = new QSpinBox;
    UDExpansion->setObjectName("UDExpansion");
    UDExpansion->setRange(1, 999999999);
    UDExpansion->setMinimumWidth(90);
    LExpansion->setBuddy(UDExpansion);
    LVisitGap = new QLabel;
    UDVisitGap = new QSpinBox;
    UDVisitGap->setObjectName("UDVisitGap");
    UDVisitGap->setRange(1, 24 * 60);
    LVisitGap->setBuddy(UDVisitGap);
    BEnregParam = new QPushButton;
    BEnregParam->setObjectName("BEnregParam");
    BEnregParam->setDefault(true);
    BCancel = new QPushButton;
    BCancel->setObjectName("BCancel");
    connect(BEnregParam, &QPushButton::clicked, this, &TFConfiguration::BEnregParamClick);
    connect(BCancel, &QPushButton::clicked, this, &TFConfiguration::BCancelClick);

    auto* grid = new QGridLayout(this);
    grid->addWidget(LURLSite, 0, 0);
    grid->addWidget(EURLSite, 0, 1, 1, 2);
    grid->addWidget(CBRetourParam, 1, 0, 1, 3);
    grid->addWidget(LMinHost, 2, 0, 1, 2);
    grid->addWidget(UDMinHost, 2, 2);
    grid->addWidget(LLangue, 3, 0, Qt::AlignTop);
    grid->addWidget(LBLangue, 3, 1, 1, 2);
    grid->addWidget(LCountryDb, 4, 0, 1, 3);
    auto* countryDb = new QHBoxLayout;
    countryDb->addWidget(ECountryDb, 1);
    countryDb->addWidget(BCountryDb);
    grid->addLayout(countryDb, 5, 0, 1, 3);
    grid->addWidget(CBMasque, 6, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BEnregParam);
    buttons->addWidget(BCancel);
    grid->addWidget(LExpansion, 7, 0, 1, 2);
    grid->addWidget(UDExpansion, 7, 2);
    grid->addWidget(LVisitGap, 8, 0, 1, 2);
    grid->addWidget(UDVisitGap, 8, 2);
    grid->addLayout(buttons, 9, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 220);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TFConfiguration::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}

void TFConfiguration::FormShow() {
    AppState& app = App();
    try {
        LoadSiteSettings(app.programDir, app.siteNumber, app.settings);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    setWindowTitle(WithSiteName(Tr(lang::settings::kTitle)));
    LURLSite->setText(Tr(lang::settings::kSiteUrlLabel));
    CBRetourParam->setText(Tr(lang::settings::kAllStatusBox));
    LMinHost->setText(Tr(lang::settings::kMinimumHitsLabel));
    LLangue->setText(Tr(lang::settings::kLanguageLabel));
    BEnregParam->setText(Tr(lang::settings::kSaveButton));
    BCancel->setText(Tr(lang::settings::kCancelButton));
    LCountryDb->setText(Tr(lang::kTextCountryDatabaseSetting));
    CBMasque->setText(Tr(lang::kTextMaskAddresses));
    LExpansion->setText(Tr(lang::kExpansionLimitSetting));
    LVisitGap->setText(Tr(lang::kVisitGapSetting));

    EURLSite->setText(FromCp1252(app.settings[1]));
    CBRetourParam->setChecked(app.settings[2] == "Retour On");
    bool isNumber = false;
    const int minHost = FromCp1252(app.settings[3]).trimmed().toInt(&isNumber);
    UDMinHost->setValue(isNumber ? minHost : 0);
    ECountryDb->setText(QFile::decodeName(QByteArray::fromStdString(app.settings[5])));
    CBMasque->setChecked(app.settings.maskAddresses());
    UDExpansion->setValue(static_cast<int>(app.settings.expansionLimit()));
    UDVisitGap->setValue(app.settings.visitGapMinutes());

    LBLangue->clear();
    for (const std::string& entry : ListLanguages(app.programDir))
        LBLangue->addItem(FromCp1252(entry));
    LBLangue->setCurrentRow(-1);
    LBLangue->clearSelection();
    const QString current = FromCp1252(app.settings[4]);
    for (int row = 0; row < LBLangue->count(); ++row) {
        if (LBLangue->item(row)->text() == current) {
            LBLangue->setCurrentRow(row);
            break;
        }
    }
}

void TFConfiguration::BEnregParamClick() {
    AppState& app = App();
    app.settings[1] = ToCp1252(EURLSite->text());
    app.settings[2] = CBRetourParam->isChecked() ? "Retour On" : "Retour Off";
    app.settings[3] = ToCp1252(UDMinHost->text());
    app.settings[5] = QFile::encodeName(ECountryDb->text().trimmed()).toStdString();
    app.settings[6] = CBMasque->isChecked() ? "" : Settings::kAddressesWhole;
    // A limit left as it was keeps its line as it was (empty: the built-in one).
    if (static_cast<std::uint64_t>(UDExpansion->value()) != app.settings.expansionLimit())
        app.settings[Settings::kExpansionLimit] = std::to_string(UDExpansion->value());
    if (UDVisitGap->value() != app.settings.visitGapMinutes())
        app.settings[Settings::kVisitGap] = std::to_string(UDVisitGap->value());
    const QList<QListWidgetItem*> selected = LBLangue->selectedItems();
    app.settings[4] =
        selected.isEmpty() ? std::string(kDefaultLanguage) : ToCp1252(selected.first()->text());
    try {
        SaveSiteSettings(app.programDir, app.siteNumber, app.settings);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
        return;
    }
    SetExpansionLimit(app.settings.expansionLimit());
    SetVisitGapMinutes(app.settings.visitGapMinutes());
    accept();
}

void TFConfiguration::BCancelClick() {
    reject();
}

}  // namespace trafikon
