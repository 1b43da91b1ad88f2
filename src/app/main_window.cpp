// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QTranslator>
#include <QUrl>

#include "app/about_dialog.h"
#include "app/analyse_all_qt.h"
#include "app/desktop_notification_qt.h"
#include "app/language_dialog.h"
#include "app/log_watch_qt.h"
#include "app/resources/toolbar_icons_qt.h"
#include "app/settings_dialog.h"
#include "app/shortcuts_window.h"
#include "state/app_state.h"
#include "store/data_store.h"
#include "text/extra_texts.h"
#include "text/window_entries.h"
#include "ui/error_text_qt.h"
#include "ui/mdi_child_size_qt.h"
#include "ui/message_service_qt.h"
#include "ui/store_watcher_qt.h"
#include "ui/text_convert_qt.h"
#include "views/compare/compare_window.h"
#include "views/import/add_log_dialog.h"
#include "views/maintenance/delete_logs_dialog.h"
#include "views/synthesis/all_sites_window.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

namespace {

const QString kProductName = QStringLiteral("Trafikon");

// Entries of the language table that the close uses.

// The local files among dropped data.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            files << url.toLocalFile();
    return files;
}

}  // namespace

TFPrincipal::TFPrincipal(std::string programDir, QWidget* parent)
    : QMainWindow(parent), programDir_(std::move(programDir)) {
    setObjectName("TFPrincipal");
    ShowTitle();
    setWindowIcon(ProgramIcon());
    // The usual first size, or the screen's free space less room for the
    // frame the window manager adds (a large scale factor needs it).
    QSize first(1024, 700);
    if (const QScreen* shown = screen())
        first = first.boundedTo(shown->availableGeometry().size() - QSize(16, 48));
    resize(first);
    setAcceptDrops(true);

    toolkitTexts_ = new QTranslator(this);
    area_ = new QMdiArea(this);
    area_->setObjectName("MDIArea");
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);

    BuildMenus();
    BuildToolBar();
    BuildBottomBar();

    // The windows of the program, in their order of creation: the general
    // window (a child for the whole run), then the dialogs, hidden until used.
    general_ = new TFGeneral(area_);
    generalChild_ = area_->addSubWindow(general_);
    generalChild_->setWindowIcon(ProgramIcon());
    generalChild_->hide();  // shown once the start-up has set its texts and rows
    deleteDialog_ = new TFSupprLog(this);
    storeWatcher_ = new StoreWatcher(this);
    connect(storeWatcher_, &StoreWatcher::StoreWritten, this, &TFPrincipal::RefreshSynthesis);
    logWatch_ = new LogWatch(this);
    connect(logWatch_, &LogWatch::LinesImported, this, &TFPrincipal::WatchedLinesImported);
    connect(logWatch_, &LogWatch::Failed, this, [this](const QString& text) {
        PStateBar->setText(text.section('\n', 0, 0));
        NotifyDesktop(Tr(lang::kWatchedLogsMenu).remove("..."), text);
    });
    about_ = new TFAprop(this);
    addLog_ = new TFAjoutLog(this);
    settings_ = new TFConfiguration(this);
    help_ = new TFHelp(this);
    languageChooser_ = new TFLangue(this);
}

TFPrincipal::~TFPrincipal() {
    if (worker_) {
        worker_->disconnect(this);
        worker_->RequestStop();
        worker_->wait();
    }
}

void TFPrincipal::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!startedUp_)
        QMetaObject::invokeMethod(this, &TFPrincipal::FormShow, Qt::QueuedConnection);
}

void TFPrincipal::FormShow() {
    if (startedUp_)
        return;
    startedUp_ = true;
    StartUpHooks hooks;
    hooks.chooseLanguage = [this] {
        languageChooser_->exec();
        return languageChooser_->chosen();
    };
    hooks.showMessage = [this](const std::string& text) {
        Messages().Inform(this, FromCp1252(text));
    };
    try {
        StartUp(programDir_, hooks);
    } catch (const IoError& error) {
        // Without its files the program has no texts, settings nor store to
        // show: it says why and ends, never leaving an empty window.
        Messages().Inform(this, IoErrorText(error));
        closing_ = true;  // no question: without texts it could only be empty
        close();
        QCoreApplication::exit(1);
        return;
    }
    ApplyMainTexts();
    RefreshSynthesis();
    storeWatcher_->Watch(App().siteDir);
    logWatch_->Watch(App().siteDir);
    generalChild_->show();
}

void TFPrincipal::RefreshSynthesis() {
    general_->RefreshSynthesis();
    if (allSitesChild_)
        static_cast<AllSitesWindow*>(allSitesChild_->widget())->Refresh();
}

// ----- Commands -----

void TFPrincipal::AjoutdeLog1Click() {
    addLog_->exec();
    FillSites();  // a virtual-host log may have made sites
    RefreshSynthesis();
    AnalyseSites(addLog_->otherSitesFiled());
}

void TFPrincipal::suppressiondesLogs1Click() {
    if (App().storedMonths.empty()) {
        Messages().Inform(this, Tr(lang::mainwindow::kNothingToDelete));
        return;
    }
    deleteDialog_->exec();
    RefreshSynthesis();
}

void TFPrincipal::Configuration2Click() {
    settings_->exec();
    const std::string path = App().programDir + App().settings.languageCode() + ".tfl";
    if (FileExists(path)) {
        try {
            LoadLanguageFile(path, App().language);
        } catch (const IoError& error) {
            Messages().Inform(this, IoErrorText(error));
        }
    }
    ApplyMainTexts();
}

void TFPrincipal::Quitter1Click() {
    close();
}

void TFPrincipal::Comparaison1Click() {
    auto* compare = new TFCompare;
    compare->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* child = area_->addSubWindow(compare);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setProperty(kSitePropertyName, App().siteNumber);
    ShowNewChild(child, TFCompare::kOpeningSize);
    area_->setActiveSubWindow(child);
}

void TFPrincipal::General1Click() {
    const QList<QMdiSubWindow*> children = area_->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    const QString wanted = Tr(lang::mainwindow::kGeneralItem);
    QMdiSubWindow* taken = children.last();
    for (int i = 0; i + 1 < children.size(); ++i) {
        if (children[i]->windowTitle() == wanted) {
            taken = children[i];
            break;
        }
    }
    if (taken->windowTitle() != wanted)
        return;
    if (taken->isMinimized())
        taken->showNormal();
    area_->setActiveSubWindow(taken);
    taken->raise();
}

void TFPrincipal::TileChildren(bool sideBySide) {
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* child : area_->subWindowList(QMdiArea::CreationOrder))
        if (child->isVisible() && !child->isMinimized())
            shown << child;
    if (shown.isEmpty())
        return;
    for (QMdiSubWindow* child : shown)
        if (child->isMaximized())
            child->showNormal();
    const QRect space = area_->viewport()->rect();
    const int count = static_cast<int>(shown.size());
    for (int i = 0; i < count; ++i) {
        QRect place;
        if (sideBySide) {
            const int left = space.width() * i / count;
            const int right = space.width() * (i + 1) / count;
            place = QRect(left, 0, right - left, space.height());
        } else {
            const int top = space.height() * i / count;
            const int bottom = space.height() * (i + 1) / count;
            place = QRect(0, top, space.width(), bottom - top);
        }
        // A child never gets smaller than its content needs; the frame scrolls.
        place.setSize(place.size().expandedTo(shown[i]->minimumSizeHint()));
        shown[i]->setGeometry(place);
    }
}

void TFPrincipal::Mozaiqueverticale1Click() {
    TileChildren(true);
}

void TFPrincipal::Mozaiquehorizontale1Click() {
    TileChildren(false);
}

void TFPrincipal::Cascade1Click() {
    area_->cascadeSubWindows();
}

void TFPrincipal::Raccourcis1Click() {
    help_->exec();
}

void TFPrincipal::APropos1Click() {
    about_->exec();
}

// ----- Close -----

bool TFPrincipal::FormCloseQuery() {
    const QString question = App().analysisRunning ? Tr(lang::mainwindow::kQuitDuringAnalysis)
                                                   : Tr(lang::mainwindow::kQuitQuestion);
    return Messages().Confirm(this, question, Tr(lang::mainwindow::kQuitTitle));
}

void TFPrincipal::FormClose() {
    ShutDown();
}

void TFPrincipal::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        if (!FormCloseQuery()) {
            event->ignore();
            return;
        }
        closing_ = true;
    }
    // A running analysis is stopped at its next batch of lines (the month in
    // hand keeps its previous files); the window closes when the worker ends.
    if (worker_) {
        worker_->RequestStop();
        PStateBar->setText(Tr(lang::kStatusStopping));
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

QString TFPrincipal::TitleText(const QString& state) {
    return state.isEmpty() ? kProductName : kProductName + " : " + state;
}

QString TFPrincipal::ShowTitle(const QString& state) {
    // The program's title is the main window's: no application display name is
    // set, so the window manager shows it exactly and dialogs keep their own.
    // With several sites it names the one shown.
    titleState_ = state;
    QString title = TitleText(state);
    if (!App().siteCaption.empty())
        title.insert(kProductName.size(), " - " + FromCp1252(App().siteCaption));
    setWindowTitle(title);
    return title;
}

void TFPrincipal::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TFPrincipal::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty() || addLog_->isVisible())
        return;
    event->acceptProposedAction();
    addLog_->ListOnNextShow(files);
    // The drop ends before the modal dialog opens.
    QMetaObject::invokeMethod(this, &TFPrincipal::AjoutdeLog1Click, Qt::QueuedConnection);
}

void TFPrincipal::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFPrincipal::FormResize() {
    // The progress bar takes the window's width less 222 pixels; it is a cap,
    // not a fixed width, so that the window can still be made narrower.
    PBGal->setMaximumWidth(std::max(0, width() - 222));
}

}  // namespace trafikon
