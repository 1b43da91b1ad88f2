// SPDX-License-Identifier: GPL-3.0-or-later
// The selections command of the main window: the selections dialog, and the
// analysis window of each selection it runs, titled with the selection's name.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/main_window.h"
#include "app/selections_dialog.h"
#include "state/app_state.h"
#include "ui/mdi_child_size_qt.h"
#include "views/analysis/analysis_window.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

void TFPrincipal::Selections1Click() {
    auto* dialog = new SelectionsDialog(
        [this](const std::string& folder, const std::string& key, const QString& name) {
            // A window already showing this selection is replaced: it holds
            // the results of the earlier run.
            for (QMdiSubWindow* child : area_->subWindowList()) {
                auto* analysis = qobject_cast<TFAnalyse*>(child->widget());
                if (analysis && analysis->property("selectionFolder").toString() ==
                                    QString::fromLocal8Bit(folder.c_str()))
                    child->close();
            }
            auto* analysis = new TFAnalyse(key, folder, name);
            analysis->setProperty("selectionFolder", QString::fromLocal8Bit(folder.c_str()));
            QMdiSubWindow* child = area_->addSubWindow(analysis);
            child->setAttribute(Qt::WA_DeleteOnClose);
            child->setProperty(kSitePropertyName, App().siteNumber);
            ShowNewChild(child, TFAnalyse::kOpeningSize);
            area_->setActiveSubWindow(child);
        },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

}  // namespace trafikon
