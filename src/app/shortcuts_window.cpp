// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shortcuts_window.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

TFHelp::TFHelp(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    MHelp_ = new QPlainTextEdit(this);
    MHelp_->setObjectName("MHelp");
    MHelp_->setReadOnly(true);
    layout->addWidget(MHelp_, 1);
    BClose_ = new QPushButton(this);
    BClose_->setObjectName("BClose");
    layout->addWidget(BClose_, 0, Qt::AlignRight);
    connect(BClose_, &QPushButton::clicked, this, &QDialog::accept);
    resize(QSize(460, 200).expandedTo(minimumSizeHint()));
}

QStringList TFHelp::ShortcutLines() {
    return {Tr(lang::kShortcutF2), Tr(lang::kShortcutCtrlInsert), Tr(lang::kShortcutCtrlC),
            Tr(lang::kShortcutCtrlV)};
}

void TFHelp::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFHelp::FormShow() {
    setWindowTitle(Tr(lang::mainwindow::kShortcutsItem));
    MHelp_->clear();
    MHelp_->setPlainText(ShortcutLines().join('\n'));
    BClose_->setText(Tr(lang::other::kCloseButton));
}

}  // namespace trafikon
