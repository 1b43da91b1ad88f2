// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menus, tool bar and bottom bar (status panel and progress
// bar), and their texts in the interface language.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/resources/toolbar_icons_qt.h"
#include "state/app_state.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/accelerator_qt.h"
#include "ui/text_convert_qt.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

void TFPrincipal::BuildMenus() {
    QMenuBar* bar = menuBar();
    Fichier1 = bar->addMenu(QString());
    AjoutdeLog1 = Fichier1->addAction(QString(), this, &TFPrincipal::AjoutdeLog1Click);
    suppressiondesLogs1 =
        Fichier1->addAction(QString(), this, &TFPrincipal::suppressiondesLogs1Click);
    watchedLogs1 = Fichier1->addAction(QString(), this, &TFPrincipal::WatchedLogsClick);
    Fichier1->addSeparator();
    toutanalyser1 = Fichier1->addAction(QString(), this, &TFPrincipal::toutanalyser1Click);
    Selections1 = Fichier1->addAction(QString(), this, &TFPrincipal::Selections1Click);
    Fichier1->addSeparator();
    Configuration2 = Fichier1->addAction(QString(), this, &TFPrincipal::Configuration2Click);
    Fichier1->addSeparator();
    Quitter1 = Fichier1->addAction(QString(), this, &TFPrincipal::Quitter1Click);

    Afficher1 = bar->addMenu(QString());
    Comparaison1 = Afficher1->addAction(QString(), this, &TFPrincipal::Comparaison1Click);
    // F2 brings the general window to the front; its item is not shown in the
    // menu, so the action is added to the window itself for its shortcut.
    General1 = new QAction(this);
    General1->setShortcut(Qt::Key_F2);
    General1->setShortcutContext(Qt::WindowShortcut);
    connect(General1, &QAction::triggered, this, &TFPrincipal::General1Click);
    addAction(General1);

    Fenetre1 = bar->addMenu(QString());
    Mozaiqueverticale1 = new QAction(this);
    connect(Mozaiqueverticale1, &QAction::triggered, this, &TFPrincipal::Mozaiqueverticale1Click);
    Mozaiquehorizontale1 = new QAction(this);
    connect(Mozaiquehorizontale1, &QAction::triggered, this,
            &TFPrincipal::Mozaiquehorizontale1Click);
    Cascade1 = new QAction(this);
    connect(Cascade1, &QAction::triggered, this, &TFPrincipal::Cascade1Click);
    connect(Fenetre1, &QMenu::aboutToShow, this, &TFPrincipal::FillWindowMenu);
    FillWindowMenu();

    BuildSiteChooser();

    Aide1 = bar->addMenu(QString());
    Raccourcis1 = Aide1->addAction(QString(), this, &TFPrincipal::Raccourcis1Click);
    APropos1 = Aide1->addAction(QString(), this, &TFPrincipal::APropos1Click);

    AjoutdeLog1->setObjectName("AjoutdeLog1");
    suppressiondesLogs1->setObjectName("suppressiondesLogs1");
    toutanalyser1->setObjectName("toutanalyser1");
    Selections1->setObjectName("Selections1");
    Configuration2->setObjectName("Configuration2");
    Quitter1->setObjectName("Quitter1");
    Comparaison1->setObjectName("Comparaison1");
    General1->setObjectName("General1");
    Raccourcis1->setObjectName("Raccourcis1");
    APropos1->setObjectName("APropos1");
}

void TFPrincipal::FillWindowMenu() {
    Fenetre1->clear();
    Fenetre1->addAction(Mozaiqueverticale1);
    Fenetre1->addAction(Mozaiquehorizontale1);
    Fenetre1->addAction(Cascade1);
    const QList<QMdiSubWindow*> children = area_->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    Fenetre1->addSeparator();
    int number = 1;
    for (QMdiSubWindow* child : children) {
        QString caption = child->windowTitle();
        caption.replace('&', QStringLiteral("&&"));
        QAction* item = Fenetre1->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
        ++number;
        item->setCheckable(true);
        item->setChecked(child == area_->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(child)] {
            if (!child)
                return;
            if (child->isMinimized())
                child->showNormal();
            area_->setActiveSubWindow(child);
        });
    }
}

void TFPrincipal::BuildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Trafikon"));
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolButton1 =
        toolBar_->addAction(RefreshIcon(), QString(), this, &TFPrincipal::RefreshSynthesis);
    toolBar_->addSeparator();
    ToolButton3 =
        toolBar_->addAction(AnalyseAllIcon(), QString(), this, &TFPrincipal::toutanalyser1Click);
    toolBar_->addSeparator();
    ToolButton5 =
        toolBar_->addAction(AddLogsIcon(), QString(), this, &TFPrincipal::AjoutdeLog1Click);
    ToolButton6 = toolBar_->addAction(DeleteLogsIcon(), QString(), this,
                                      &TFPrincipal::suppressiondesLogs1Click);
    ToolButton1->setObjectName("ToolButton1");
    ToolButton3->setObjectName("ToolButton3");
    ToolButton5->setObjectName("ToolButton5");
    ToolButton6->setObjectName("ToolButton6");
    // Shown only once the store has a second site.
    siteChooserGap_ = toolBar_->addSeparator();
    siteChooserGap_->setVisible(false);
    siteChooserItem_ = toolBar_->addWidget(CBSite);
    siteChooserItem_->setVisible(false);
}

void TFPrincipal::BuildBottomBar() {
    bottomBar_ = new QWidget;
    bottomBar_->setObjectName("BottomBar");
    PStateBar = new QLabel;
    PStateBar->setObjectName("PStateBar");
    PStateBar->setFrameShape(QFrame::StyledPanel);
    PStateBar->setFrameShadow(QFrame::Sunken);
    PStateBar->setMinimumWidth(0);
    PStateBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    PBGal = new QProgressBar;
    PBGal->setObjectName("PBGal");
    PBGal->setRange(0, 100);
    PBGal->setValue(0);
    PBGal->setTextVisible(false);
    PBGal->setMinimumWidth(0);
    PBGal->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(bottomBar_);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->addWidget(PStateBar, 1);
    layout->addWidget(PBGal, 100);
    statusBar()->addWidget(bottomBar_, 1);
    statusBar()->setSizeGripEnabled(true);
}

void TFPrincipal::UseToolkitLanguage() {
    // The toolkit's own texts (the buttons of message boxes, the file dialog)
    // follow the interface language when the system has them.
    QApplication::removeTranslator(toolkitTexts_);
    const QString code = QString::fromStdString(App().settings.languageCode());
    if (toolkitTexts_->load(QStringLiteral("qtbase_") + code,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(toolkitTexts_);
}

void TFPrincipal::ApplyMainTexts() {
    UseToolkitLanguage();
    // Alt+letter opens a menu and picks an item: one letter each among the
    // menu bar's titles and among each menu's items.
    QString bar, file, view, window, help;
    Fichier1->setTitle(WithAccelerator(Tr(lang::mainwindow::kFileMenu), bar));
    AjoutdeLog1->setText(WithAccelerator(Tr(lang::mainwindow::kAddLogsItem), file));
    suppressiondesLogs1->setText(WithAccelerator(Tr(lang::mainwindow::kDeleteLogsItem), file));
    watchedLogs1->setText(WithAccelerator(Tr(lang::kWatchedLogsMenu), file));
    toutanalyser1->setText(WithAccelerator(Tr(lang::mainwindow::kAnalyseAllItem), file));
    Configuration2->setText(WithAccelerator(Tr(lang::mainwindow::kSettingsItem), file));
    Quitter1->setText(WithAccelerator(Tr(lang::mainwindow::kQuitItem), file));
    // Last, so that the items before it keep their letters.
    Selections1->setText(WithAccelerator(Tr(lang::kSelectionsMenu), file));
    Afficher1->setTitle(WithAccelerator(Tr(lang::mainwindow::kShowMenu), bar));
    Comparaison1->setText(WithAccelerator(Tr(lang::mainwindow::kComparisonItem), view));
    General1->setText(Tr(lang::mainwindow::kWindowMenu) + " " + Tr(lang::mainwindow::kGeneralItem));
    Fenetre1->setTitle(WithAccelerator(Tr(lang::mainwindow::kWindowMenu), bar));
    Mozaiqueverticale1->setText(WithAccelerator(Tr(lang::mainwindow::kTileVerticallyItem), window));
    Mozaiquehorizontale1->setText(
        WithAccelerator(Tr(lang::mainwindow::kTileHorizontallyItem), window));
    Cascade1->setText(WithAccelerator(Tr(lang::mainwindow::kCascadeItem), window));
    Aide1->setTitle(WithAccelerator(Tr(lang::mainwindow::kHelpMenu), bar));
    Raccourcis1->setText(WithAccelerator(Tr(lang::mainwindow::kShortcutsItem), help));
    APropos1->setText(WithAccelerator(Tr(lang::mainwindow::kAboutItem), help));
    // Last, so that the menus before it keep their letters.
    Site1->setTitle(WithAccelerator(Tr(lang::kSiteMenu), bar));
    FillSites();
    ToolButton1->setText(QString());
    ToolButton1->setToolTip(QString());
    ToolButton3->setToolTip(Tr(lang::mainwindow::kAnalyseAllItem));
    ToolButton5->setToolTip(Tr(lang::mainwindow::kAddLogsItem));
    ToolButton6->setToolTip(Tr(lang::mainwindow::kDeleteLogsItem));
    general_->ApplyTexts();
}

}  // namespace trafikon
