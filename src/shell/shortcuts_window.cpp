#include "shell/shortcuts_window.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/app_state.h"
#include "shell/text_convert_qt.h"

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
    resize(460, 200);
}

QStringList TFHelp::ShortcutLines(const std::string& languageCode) {
    if (languageCode == "fr")
        return {QString::fromUtf8("F2 : Affiche la fenêtre \"Général\""),
                QString::fromUtf8("CTRL+INSERT : Copier (dans la fenêtre d'analyse)"),
                QString::fromUtf8("CTRL+C : Copier (dans la fenêtre d'analyse)"),
                QString::fromUtf8("CTRL+V : Charge la page selectionnée dans un navigateur")};
    if (languageCode == "en")
        return {"F2 : Show the \"General\" window", "CTRL+INSERT : Copy (in the analyse window)",
                "CTRL+C : Copy (in the analyse window)",
                "CTRL+V : Load the selected file in your browser"};
    return {QString()};
}

void TFHelp::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFHelp::FormShow() {
    setWindowTitle(Tr(29));
    MHelp_->clear();
    MHelp_->setPlainText(ShortcutLines(App().settings.languageCode()).join('\n'));
    BClose_->setText(Tr(189));
}

}  // namespace trafikon
