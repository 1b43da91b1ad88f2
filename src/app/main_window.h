// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the multiple-document frame with the menus, the tool bar,
// the status panel and the progress bar, which turns each command into a
// dialog or a child window and runs the analyse-all command.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/analyse_all_qt.h"
#include "ui/wait_cursor_qt.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QToolBar;
class QToolButton;
class QTranslator;

namespace trafikon {

struct Settings;
class TFGeneral;
class TFAjoutLog;
class TFConfiguration;
class TFLangue;
class StoreWatcher;
class LogWatch;

class TFPrincipal : public QMainWindow {
    Q_OBJECT
  public:
    // `programDir` is the program folder (ending in '/'): ProgramFolder() for
    // the program, a temporary folder for tests.
    explicit TFPrincipal(std::string programDir, QWidget* parent = nullptr);
    ~TFPrincipal() override;

    // Start-up, texts and first refresh; runs once, when the window first shows.
    void FormShow();
    void ApplyMainTexts();
    void RefreshSynthesis();

    // Commands.
    void AjoutdeLog1Click();
    void suppressiondesLogs1Click();
    void toutanalyser1Click();
    void Selections1Click();  // app/selections_command_qt.cpp
    void WatchedLogsClick();
    void Configuration2Click();
    void Quitter1Click();
    void Comparaison1Click();
    void General1Click();
    void Mozaiqueverticale1Click();
    void Mozaiquehorizontale1Click();
    void Cascade1Click();
    void Raccourcis1Click();
    void APropos1Click();
    void ManageSitesClick();  // app/site_chooser_qt.cpp
    void AllSitesClick();
    // Shows site `number` in the synthesis and every new window and remembers
    // the choice; false (and a message) when the site cannot be opened.
    bool SwitchSite(int number);

    QMdiArea* mdiArea() const { return area_; }
    TFGeneral* general() const { return general_; }
    QMdiSubWindow* generalChild() const { return generalChild_; }
    QLabel* statePanel() const { return PStateBar; }
    QProgressBar* progressBar() const { return PBGal; }
    // The analyse-all worker while it runs, else null.
    TMyAllThread* analysisWorker() const { return worker_; }
    QComboBox* siteChooser() const { return CBSite; }
    QMenu* siteMenu() const { return Site1; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Log files dropped on the window open the add-log dialog with them listed.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildBottomBar();
    void FillWindowMenu();
    void BuildSiteChooser();
    // Reads the site list again into the chooser, the Site menu and the titles.
    void FillSites();
    bool FormCloseQuery();
    void FormClose();
    void FormResize();
    void TileChildren(bool sideBySide);
    void AnalysisMonthInHand(const QString& key);
    void AnalysisEnded();
    // Analyses the stored months: all of them, or those not analysed since their log changed.
    void StartAnalysis(bool all);
    void StartAnalysisOf(int site, const std::string& siteDir, std::vector<std::string> months,
                         bool all, const Settings& settings);
    // Analyses the months out of date of `sites` (other sites that an import
    // filed lines into), one site after another on the worker.
    void AnalyseSites(const std::vector<int>& sites);
    void AnalyseNextSite();
    void WatchedLinesImported();
    void AnalyseWatchedMonths();
    void CloseWhenNoDialog();
    void AskIgnoreLine(qint64 lineNumber, const QString& line, MalformedLineAnswer* answer);
    void ShowIgnoredLines();
    // Shows the program's name, followed by " : " and `state` when given, as
    // the window title; returns that title.
    static QString TitleText(const QString& state);
    QString ShowTitle(const QString& state = QString());
    void UseToolkitLanguage();

    std::string programDir_;
    bool startedUp_ = false;
    bool closing_ = false;
    bool watchAnalysisDue_ = false;     // an analysis of watched lines waits for its time
    std::vector<int> watchedSitesDue_;  // other sites of those lines
    std::deque<int> sitesToAnalyse_;    // after the run in hand
    int analysedSite_ = 0;              // of the run in hand
    QString titleState_;                // the state the title shows after the program's name

    QMdiArea* area_;
    TFGeneral* general_;
    QMdiSubWindow* generalChild_;
    QDialog* deleteDialog_;
    StoreWatcher* storeWatcher_;  // refreshes the synthesis after other writers
    LogWatch* logWatch_;          // takes in the new lines of the watched logs
    QDialog* about_;
    TFAjoutLog* addLog_;
    TFConfiguration* settings_;
    QDialog* help_;
    TFLangue* languageChooser_;

    QMenu* Fichier1;
    QMenu* Afficher1;
    QMenu* Site1;
    QMenu* Fenetre1;
    QMenu* Aide1;
    QAction* AjoutdeLog1;
    QAction* suppressiondesLogs1;
    QAction* watchedLogs1;
    QAction* toutanalyser1;
    QAction* Selections1;
    QAction* Configuration2;
    QAction* Quitter1;
    QAction* Comparaison1;
    QAction* General1;
    QAction* Mozaiqueverticale1;
    QAction* Mozaiquehorizontale1;
    QAction* Cascade1;
    QAction* Raccourcis1;
    QAction* APropos1;
    QActionGroup* siteItems_;
    QAction* ManageSites1;
    QAction* AllSites1;
    QComboBox* CBSite;
    QAction* siteChooserGap_;   // the tool bar's separator before CBSite
    QAction* siteChooserItem_;  // CBSite in the tool bar, shown with several sites
    QPointer<QMdiSubWindow> allSitesChild_;
    QToolBar* toolBar_;
    QAction* ToolButton1;
    QAction* ToolButton3;
    QAction* ToolButton5;
    QAction* ToolButton6;

    QWidget* bottomBar_;
    QLabel* PStateBar;
    QProgressBar* PBGal;

    QPointer<TMyAllThread> worker_;
    std::optional<WaitCursor> busy_;  // while the worker runs
    QStringList cancelledMonths_;     // of the run in hand, told when it ends
    QStringList failures_;
    QStringList ignoredLines_;  // "month : count" of the run in hand
    QTranslator* toolkitTexts_;
};

}  // namespace trafikon
