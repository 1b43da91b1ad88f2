#include "shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/analyse_all_qt.h"
#include "import/add_log_dialog.h"
#include "shell/about_dialog.h"
#include "shell/app_state.h"
#include "shell/error_text_qt.h"
#include "shell/extra_texts.h"
#include "shell/language_dialog.h"
#include "shell/mdi_child_size_qt.h"
#include "shell/message_service_qt.h"
#include "shell/resources/toolbar_icons_qt.h"
#include "shell/settings_dialog.h"
#include "shell/shortcuts_window.h"
#include "shell/text_convert_qt.h"
#include "store/data_store.h"
#include "views/compare/compare_window.h"
#include "views/maintenance/delete_logs_dialog.h"
#include "views/synthesis/general_window.h"

namespace trafikon {

namespace {

const QString kProductName = QStringLiteral("Trafikon");

// Entries of the language table that the analyse-all command and the close use.
constexpr int kEntryAnalyseAllQuestion = 17;  // "Traiter TOUS les fichiers ... ?"
constexpr int kEntryConfirmation = 18;        // "Confirmation"
constexpr int kEntryQuit = 19;                // the close question
constexpr int kEntryQuitWhileAnalysing = 20;  // the close question during an analysis
constexpr int kEntryQuitCaption = 21;
constexpr int kEntryNotTwice = 22;     // "Vous ne pouvez pas lancer 2 analyses en meme temps !"
constexpr int kEntryAnalysing = 23;    // "Analyse en cours..."
constexpr int kEntryNothingToDo = 47;  // "Rien à analyser"
constexpr int kEntryAnalysed = 187;    // "Analyse terminée"
constexpr int kEntryCancelled = 192;   // "Analyse annulée"

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
    setWindowTitle(kProductName);
    setWindowIcon(ProgramIcon());
    resize(1024, 700);
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

void TFPrincipal::BuildMenus() {
    QMenuBar* bar = menuBar();
    Fichier1 = bar->addMenu(QString());
    AjoutdeLog1 = Fichier1->addAction(QString(), this, &TFPrincipal::AjoutdeLog1Click);
    suppressiondesLogs1 =
        Fichier1->addAction(QString(), this, &TFPrincipal::suppressiondesLogs1Click);
    Fichier1->addSeparator();
    toutanalyser1 = Fichier1->addAction(QString(), this, &TFPrincipal::toutanalyser1Click);
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

    Aide1 = bar->addMenu(QString());
    Raccourcis1 = Aide1->addAction(QString(), this, &TFPrincipal::Raccourcis1Click);
    APropos1 = Aide1->addAction(QString(), this, &TFPrincipal::APropos1Click);

    AjoutdeLog1->setObjectName("AjoutdeLog1");
    suppressiondesLogs1->setObjectName("suppressiondesLogs1");
    toutanalyser1->setObjectName("toutanalyser1");
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
        Messages().Inform(this, IoErrorText(error));
    }
    ApplyMainTexts();
    RefreshSynthesis();
    generalChild_->show();
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
    Fichier1->setTitle(Tr(1));
    AjoutdeLog1->setText(Tr(2));
    suppressiondesLogs1->setText(Tr(3));
    toutanalyser1->setText(Tr(4));
    Configuration2->setText(Tr(5));
    Quitter1->setText(Tr(6));
    Afficher1->setTitle(Tr(7));
    Comparaison1->setText(Tr(10));
    General1->setText(Tr(11) + " " + Tr(24));
    Fenetre1->setTitle(Tr(11));
    Mozaiqueverticale1->setText(Tr(12));
    Mozaiquehorizontale1->setText(Tr(13));
    Cascade1->setText(Tr(14));
    Aide1->setTitle(Tr(15));
    Raccourcis1->setText(Tr(29));
    APropos1->setText(Tr(16));
    ToolButton1->setText(QString());
    ToolButton1->setToolTip(QString());
    ToolButton3->setToolTip(Tr(4));
    ToolButton5->setToolTip(Tr(2));
    ToolButton6->setToolTip(Tr(3));
    general_->ApplyTexts();
}

void TFPrincipal::RefreshSynthesis() {
    general_->RefreshSynthesis();
}

// ----- Commands -----

void TFPrincipal::AjoutdeLog1Click() {
    addLog_->exec();
    RefreshSynthesis();
}

void TFPrincipal::suppressiondesLogs1Click() {
    if (App().storedMonths.empty()) {
        Messages().Inform(this, Tr(46));
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
    child->show();
    SizeNewChild(child, TFCompare::kOpeningSize);
    area_->setActiveSubWindow(child);
}

void TFPrincipal::General1Click() {
    const QList<QMdiSubWindow*> children = area_->subWindowList(QMdiArea::CreationOrder);
    if (children.isEmpty())
        return;
    const QString wanted = Tr(24);
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

// ----- Analyse all -----

void TFPrincipal::toutanalyser1Click() {
    AppState& app = App();
    if (app.analysisRunning) {
        Messages().Inform(this, Tr(kEntryNotTwice));
        return;
    }
    if (general_->rowCount() == 0) {
        Messages().Inform(this, Tr(kEntryNothingToDo));
        return;
    }
    const MessageService::Answer answer =
        Messages().AskYesNoCancel(this, Tr(kEntryAnalyseAllQuestion), Tr(kEntryConfirmation));
    if (answer == MessageService::Answer::Cancel)
        return;
    app.analysisRunning = true;
    app.storedMonths = ListStoredMonths(app.siteDir);
    worker_ = new TMyAllThread(app.siteDir, app.storedMonths, answer == MessageService::Answer::Yes,
                               app.settings.siteUrl(), this);
    connect(worker_, &TMyAllThread::MonthInHand, this, &TFPrincipal::AnalysisMonthInHand);
    connect(worker_, &TMyAllThread::Progress, PBGal, &QProgressBar::setValue);
    connect(worker_, &TMyAllThread::MonthEnded, this, &TFPrincipal::RefreshSynthesis);
    // Cancelled months and failures are told once, when the run has ended, so
    // that no message box opens over another while the worker goes on.
    cancelledMonths_.clear();
    failures_.clear();
    connect(worker_, &TMyAllThread::MonthCancelled, this,
            [this](const QString& key) { cancelledMonths_ << key; });
    connect(worker_, &TMyAllThread::Failure, this,
            [this](const QString& text) { failures_ << text; });
    connect(worker_, &TMyAllThread::AskIgnoreLine, this, &TFPrincipal::AskIgnoreLine,
            Qt::BlockingQueuedConnection);
    ignoredLines_.clear();
    connect(worker_, &TMyAllThread::LinesIgnored, this, [this](const QString& key, qint64 count) {
        ignoredLines_ << key + " : " + QString::number(count);
    });
    connect(worker_, &QThread::finished, this, &TFPrincipal::AnalysisEnded);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    worker_->start();
}

void TFPrincipal::ShowTitle(const QString& title) {
    // The program's title is the main window's: no application display name is
    // set, so the window manager shows it exactly and dialogs keep their own.
    setWindowTitle(title);
}

void TFPrincipal::AnalysisMonthInHand(const QString& key) {
    if (worker_ && worker_->stopRequested())
        return;  // the status panel says that the analysis is stopping
    const QString text = kProductName + " : " + Tr(kEntryAnalysing) + "(" + key + ")";
    ShowTitle(text);
    PStateBar->setText(text);
}

void TFPrincipal::AskIgnoreLine(qint64 lineNumber, const QString& line,
                                MalformedLineAnswer* answer) {
    // The question names the line by its index in the stored log, as the
    // log-line panel does; the line itself is shown below it, cut when long.
    QString text = Tr(191);
    if (!line.isEmpty())
        text += QStringLiteral("\n\n") + (line.size() > 300 ? line.left(300) + "..." : line);
    switch (Messages().AskYesAllNo(this, text, Tr(190) + QString::number(lineNumber),
                                   Tr(lang::kYesToAll))) {
        case MessageService::Answer::Yes:
            *answer = MalformedLineAnswer::Ignore;
            break;
        case MessageService::Answer::YesToAll:
            *answer = MalformedLineAnswer::IgnoreAll;
            break;
        default:
            *answer = MalformedLineAnswer::Cancel;
            break;
    }
}

// The end of a run that dropped malformed lines says how many, month by month.
void TFPrincipal::ShowIgnoredLines() {
    if (ignoredLines_.isEmpty())
        return;
    const QString text =
        Tr(187) + "\n\n" + Tr(lang::kIgnoredLinesPerMonth) + "\n" + ignoredLines_.join("\n");
    ignoredLines_.clear();
    Messages().Inform(this, text);
}

void TFPrincipal::AnalysisEnded() {
    PBGal->setValue(0);
    ShowTitle(kProductName);
    QApplication::restoreOverrideCursor();
    if (worker_) {
        worker_->wait();
        worker_->deleteLater();
        worker_ = nullptr;
    }
    RefreshSynthesis();
    App().analysisRunning = false;
    PStateBar->setText(Tr(kEntryAnalysed));
    if (closing_) {
        CloseWhenNoDialog();
        return;
    }
    if (!cancelledMonths_.isEmpty())
        Messages().Inform(
            this, Tr(kEntryCancelled) + QStringLiteral(" : ") + cancelledMonths_.join(", "));
    if (!failures_.isEmpty())
        Messages().Inform(this, failures_.join(QStringLiteral("\n\n")));
    ShowIgnoredLines();
}

void TFPrincipal::CloseWhenNoDialog() {
    // A dialog opened while the analysis was stopping is let close first.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, &TFPrincipal::CloseWhenNoDialog);
        return;
    }
    close();
}

// ----- Close -----

bool TFPrincipal::FormCloseQuery() {
    const QString question = App().analysisRunning ? Tr(kEntryQuitWhileAnalysing) : Tr(kEntryQuit);
    return Messages().Confirm(this, question, Tr(kEntryQuitCaption));
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
