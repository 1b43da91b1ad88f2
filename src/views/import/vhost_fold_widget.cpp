// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/vhost_fold_widget.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "state/site_settings.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"

namespace trafikon {

VhostFoldWidget::VhostFoldWidget(QWidget* parent) : QWidget(parent) {
    CBPort = new QCheckBox;
    CBPort->setObjectName("CBVhostPort");
    CBWww = new QCheckBox;
    CBWww->setObjectName("CBVhostWww");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CBPort);
    layout->addWidget(CBWww);
    setVisible(false);
}

void VhostFoldWidget::ApplyTexts() {
    CBPort->setText(Tr(lang::kVhostFoldPort));
    CBWww->setText(Tr(lang::kVhostFoldWww));
    CBPort->setChecked(true);
    CBWww->setChecked(true);
}

void VhostFoldWidget::ShowFor(const FieldFormat& shown, const std::vector<LogToImport>& files) {
    bool any = HasVirtualHost(shown);
    for (const LogToImport& file : files)
        any = any || HasVirtualHost(file.codes);
    setVisible(any);
}

VhostRouting VhostFoldWidget::Routing(const std::string& programDir,
                                      const std::string& siteDir) const {
    return RoutingMakingSites(programDir, siteDir,
                              VhostFold{CBPort->isChecked(), CBWww->isChecked()});
}

}  // namespace trafikon
