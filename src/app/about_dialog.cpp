// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "state/page_opener.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

const char* TFAprop::LicencePage() {
    return "https://www.gnu.org/licenses/gpl-3.0.html";
}

TFAprop::TFAprop(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);

    auto* band = new QLabel("Trafikon", this);
    band->setObjectName("LTitle");
    band->setAlignment(Qt::AlignCenter);
    band->setMinimumHeight(44);
    QFont bandFont = band->font();
    bandFont.setBold(true);
    bandFont.setPixelSize(20);
    band->setFont(bandFont);
    band->setAutoFillBackground(true);
    band->setStyleSheet("background-color: #cfe3f7; color: #10305a;");
    layout->addWidget(band);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(14, 8, 14, 0);
    auto* icon = new QLabel(this);
    icon->setObjectName("LIcon");
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
    icon->setPixmap(appIcon.pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    body->addWidget(icon);

    auto* lines = new QVBoxLayout;
    auto* version = new QLabel("Version : 3.1.1", this);
    version->setObjectName("LVersion");
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    lines->addWidget(version);
    Label1_ = new QLabel(this);
    Label1_->setObjectName("Label1");
    Label1_->setWordWrap(true);
    lines->addWidget(Label1_);
    Label2_ = new QLabel(this);
    Label2_->setObjectName("Label2");
    Label2_->setWordWrap(true);
    lines->addWidget(Label2_);
    LCountryData_ = new QLabel(this);
    LCountryData_->setObjectName("LCountryData");
    LCountryData_->setWordWrap(true);
    lines->addWidget(LCountryData_);
    Label4_ = new QLabel(this);
    Label4_->setObjectName("Label4");
    Label4_->setWordWrap(true);
    QFont link = Label4_->font();
    link.setUnderline(true);
    Label4_->setFont(link);
    Label4_->setStyleSheet("color: blue;");
    Label4_->setCursor(Qt::PointingHandCursor);
    Label4_->installEventFilter(this);
    lines->addWidget(Label4_);
    body->addLayout(lines, 1);
    layout->addLayout(body);

    BOK_ = new QPushButton(this);
    BOK_->setObjectName("BOK");
    BOK_->setDefault(true);  // Enter closes; Escape closes as the cancel button
    connect(BOK_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(BOK_, 0, Qt::AlignCenter);

    FormShow();
    // Its usual size, or more when the texts need it at a larger font.
    resize(QSize(380, 230).expandedTo(minimumSizeHint()));
}

void TFAprop::showEvent(QShowEvent* event) {
    FormShow();
    // Centred on the screen rather than on the main window.
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TFAprop::FormShow() {
    setWindowTitle(Tr(lang::about::kTitle));
    Label1_->setText(Tr(lang::about::kPurpose));
    Label2_->setText(Tr(lang::about::kWhereKept));
    Label4_->setText(Tr(lang::kTextLicence));
    LCountryData_->setText(Tr(lang::kTextCountryDataCredit));
    BOK_->setText(Tr(lang::about::kCloseButton));
}

bool TFAprop::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFAprop::Label4Click() {
    // With no browser command nothing opens and nothing is said; a browser
    // that cannot be started is reported.
    if (App().browserCommand.empty())
        return;
    std::string error;
    if (!OpenPage(App().browserCommand, LicencePage(), &error))
        Messages().Inform(this, FromCp1252(App().browserCommand) + "\n" + FromCp1252(error));
}

}  // namespace trafikon
