// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's sites: the Site menu and the tool bar's chooser, the
// switch from one site to another, the site manager and the window of all
// sites.
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "app/log_watch_qt.h"
#include "app/main_window.h"
#include "app/site_manager_dialog.h"
#include "state/app_state.h"
#include "store/site_list.h"
#include "text/extra_texts.h"
#include "ui/accelerator_qt.h"
#include "ui/error_text_qt.h"
#include "ui/mdi_child_size_qt.h"
#include "ui/message_service_qt.h"
#include "ui/store_watcher_qt.h"
#include "ui/text_convert_qt.h"
#include "views/synthesis/all_sites_window.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

void TFPrincipal::BuildSiteChooser() {
    Site1 = menuBar()->addMenu(QString());
    Site1->setObjectName("Site1");
    siteItems_ = new QActionGroup(this);
    siteItems_->setExclusive(true);
    ManageSites1 = new QAction(this);
    ManageSites1->setObjectName("ManageSites1");
    connect(ManageSites1, &QAction::triggered, this, &TFPrincipal::ManageSitesClick);
    AllSites1 = new QAction(this);
    AllSites1->setObjectName("AllSites1");
    connect(AllSites1, &QAction::triggered, this, &TFPrincipal::AllSitesClick);
    Site1->addAction(ManageSites1);
    Site1->addAction(AllSites1);
    CBSite = new QComboBox;
    CBSite->setObjectName("CBSite");
    CBSite->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(CBSite, &QComboBox::activated, this,
            [this](int index) { SwitchSite(CBSite->itemData(index).toInt()); });
}

void TFPrincipal::FillSites() {
    AppState& app = App();
    std::vector<SiteEntry> sites;
    try {
        sites = ReadSiteList(programDir_);
    } catch (const IoError& error) {
        PStateBar->setText(IoErrorText(error));
    }
    if (!SiteOf(sites, app.siteNumber))
        sites.push_back(SiteEntry{app.siteNumber, {}, {}});
    const bool several = sites.size() > 1;
    const std::string& numbered = app.Text(lang::kSiteNumbered);
    app.siteCaption = several ? SiteCaption(*SiteOf(sites, app.siteNumber), numbered) : "";

    Site1->clear();
    CBSite->blockSignals(true);
    CBSite->clear();
    CBSite->setToolTip(Tr(lang::kSiteChooserHint));
    QString letters;  // Alt+letter of the menu's items
    for (const SiteEntry& site : sites) {
        const QString caption = FromCp1252(SiteCaption(site, numbered));
        QString text = QString(caption).replace('&', QStringLiteral("&&"));
        if (CBSite->count() < 9) {
            text = QStringLiteral("&%1 ").arg(CBSite->count() + 1) + text;
            letters += QString::number(CBSite->count() + 1);
        }
        QAction* item = Site1->addAction(text);
        item->setCheckable(true);
        item->setChecked(site.number == app.siteNumber);
        item->setActionGroup(siteItems_);
        connect(item, &QAction::triggered, this,
                [this, number = site.number] { SwitchSite(number); });
        CBSite->addItem(caption, site.number);
        if (site.number == app.siteNumber)
            CBSite->setCurrentIndex(CBSite->count() - 1);
    }
    CBSite->blockSignals(false);
    Site1->addSeparator();
    ManageSites1->setText(WithAccelerator(Tr(lang::kManageSitesItem), letters));
    AllSites1->setText(WithAccelerator(Tr(lang::kAllSitesItem), letters));
    Site1->addAction(ManageSites1);
    Site1->addAction(AllSites1);
    siteChooserGap_->setVisible(several);
    siteChooserItem_->setVisible(several);
    ShowTitle(titleState_);
}

bool TFPrincipal::SwitchSite(int number) {
    if (number == App().siteNumber) {
        FillSites();
        return true;
    }
    try {
        ChooseSite(number);
    } catch (const IoError& error) {
        Messages().Inform(this, IoErrorText(error));
    }
    const bool shown = App().siteNumber == number;
    // Work in hand on the previous site (an analysis, an import of watched
    // lines) ends in its own folder; what the windows follow from now on is
    // this one.
    storeWatcher_->Watch(App().siteDir);
    logWatch_->Watch(App().siteDir);
    FillSites();
    RefreshSynthesis();
    return shown;
}

void TFPrincipal::ManageSitesClick() {
    SiteManagerDialog manager(programDir_, this);
    manager.exec();
    // The windows of a deleted site close; when it was the one shown, site 1
    // takes its place.
    std::vector<SiteEntry> sites;
    try {
        sites = ReadSiteList(programDir_);
    } catch (const IoError&) {  // told by FillSites
    }
    for (QMdiSubWindow* child : area_->subWindowList()) {
        const QVariant site = child->property(kSitePropertyName);
        if (site.isValid() && !sites.empty() && !SiteOf(sites, site.toInt()))
            child->close();
    }
    if (!sites.empty() && !SiteOf(sites, App().siteNumber)) {
        SwitchSite(kSiteNumber);
    } else {
        FillSites();
        if (allSitesChild_)
            static_cast<AllSitesWindow*>(allSitesChild_->widget())->Refresh();
    }
}

void TFPrincipal::AllSitesClick() {
    if (allSitesChild_) {
        static_cast<AllSitesWindow*>(allSitesChild_->widget())->Refresh();
        if (allSitesChild_->isMinimized())
            allSitesChild_->showNormal();
        area_->setActiveSubWindow(allSitesChild_);
        return;
    }
    auto* window = new AllSitesWindow(programDir_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Refresh();  // then with each refresh of the synthesis
    connect(window, &AllSitesWindow::SiteChosen, this, [this](int site, const QString& key) {
        if (!SwitchSite(site))
            return;
        General1Click();
        general_->SelectMonth(ToCp1252(key));
    });
    allSitesChild_ = area_->addSubWindow(window);
    allSitesChild_->setAttribute(Qt::WA_DeleteOnClose);
    ShowNewChild(allSitesChild_, AllSitesWindow::kOpeningSize);
    area_->setActiveSubWindow(allSitesChild_);
}

}  // namespace trafikon
