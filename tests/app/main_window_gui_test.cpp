// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/analyse_all_qt.h"
#include "app/language_dialog.h"
#include "app/settings_dialog.h"
#include "engine/analyse_log.h"
#include "engine/analysed_check.h"
#include "import/import_logs.h"
#include "shell_fixture_qt.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "text/language_table.h"
#include "ui/text_convert_qt.h"
#include "views/compare/compare_window.h"
#include "views/synthesis/general_window.h"

namespace trafikon {
namespace {

using testing::GenerateLog;
using testing::kFrenchEntry;
using testing::ProgramFolder;
using testing::ReadRaw;
using testing::WaitUntil;
using testing::WhenModalShows;
using testing::WriteRaw;
using Answer = MessageService::Answer;

class IgnoringObserver : public AnalysisObserver {
  public:
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::Ignore;
    }
};

// Imports a generated log of `months` months from 2004-05 into the store.
void StoreMonths(const ProgramFolder& folder, int months, int lines = 300) {
    const std::string log = folder.temp / "access.log";
    GenerateLog(log, lines, months, "2004-05");
    SilentImportObserver observer;
    ImportLogs(folder.site(), {log}, "hlutrsbRU", observer);
}

void AnalyseMonth(const ProgramFolder& folder, const std::string& key) {
    IgnoringObserver observer;
    ASSERT_TRUE(AnalyseLog(folder.site(), key, "", observer).completed);
}

// Stores `lines` lines of May `year` (day 1 to 28), a malformed line among them
// when asked, written here rather than generated.
void StoreInlineMonth(const ProgramFolder& folder, int year, int lines, bool malformed = false) {
    const std::string log = folder.temp / ("inline-" + std::to_string(year) + ".log");
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 100);
    char line[160];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line,
                      "10.0.%d.%d - - [%02d/May/%d:10:00:00 +0100] \"GET /p%d.html HTTP/1.1\" 200 "
                      "%d \"-\" \"Mozilla/5.0\"\n",
                      i / 250 % 250, i % 250, 1 + i * 28 / lines, year, i % 500, 100 + i % 900);
        text += line;
        if (malformed && i == lines / 2)
            text += "10.0.0.1 - - [02/May/" + std::to_string(year) + ":10:00:00 +0100]\n";
    }
    testing::WriteRaw(log, text);
    SilentImportObserver observer;
    ImportLogs(folder.site(), {log}, "hlutrsbRU", observer);
}

// Runs the worker to its end and returns the failures it told.
QStringList FailuresOfRun(TMyAllThread& worker) {
    QStringList failures;
    QObject context;
    QObject::connect(&worker, &TMyAllThread::Failure, &context,
                     [&](const QString& text) { failures << text; });
    worker.start();
    EXPECT_TRUE(WaitUntil([&] { return worker.isFinished(); }));
    QApplication::processEvents();
    return failures;
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

TEST(MainWindow, FirstRunInEmptyFolderAsksTheLanguageAndSavesTheSettings) {
    ProgramFolder folder;
    QStringList offered;
    WhenModalShows<TFLangue>([&](TFLangue* chooser) {
        for (int i = 0; i < chooser->languageList()->count(); ++i)
            offered << chooser->languageList()->itemText(i);
        chooser->languageList()->setCurrentText(FromCp1252(kFrenchEntry));
        chooser->BOKClick();
    });
    TFPrincipal window(folder.dir());
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return !window.general()->windowTitle().isEmpty(); }));

    EXPECT_EQ(offered, (QStringList{"English (en)", FromCp1252(kFrenchEntry)}));
    EXPECT_TRUE(FileExists(folder.dir() + "fr.tfl"));
    EXPECT_TRUE(FileExists(folder.dir() + "en.tfl"));
    EXPECT_TRUE(DirectoryExists(folder.site()));
    const std::string expected =
        "\r\nRetour Off\r\n40\r\n" + kFrenchEntry + "\r\n" + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(ReadRaw(folder.site() + "param.tfd"), expected);
    EXPECT_EQ(ReadRaw(folder.dir() + "conf.tfd"), expected);
    // French texts with their accents, an empty synthesis.
    EXPECT_EQ(window.menuBar()->actions().at(0)->text(), "&Fichier");
    EXPECT_EQ(window.menuBar()->actions().at(2)->text(), QString::fromUtf8("F&en\xc3\xaatre"));
    EXPECT_EQ(window.general()->windowTitle(), QString::fromUtf8("G\xc3\xa9n\xc3\xa9ral"));
    EXPECT_EQ(window.general()->rowCount(), 0);
    EXPECT_EQ(window.windowTitle(), "Trafikon");
    EXPECT_TRUE(folder.messages.shown.isEmpty());
}

TEST(MainWindow, SettingsDialogSwitchesTheMenusToEnglishAtOnce) {
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    window.FormShow();
    // Every menu and item has its own Alt+letter among its neighbours.
    const auto expectAccelerators = [&window] {
        const auto letters = [](const QList<QAction*>& actions) {
            QString taken;
            for (const QAction* a : actions) {
                const qsizetype at = a->text().indexOf('&');
                if (a->isSeparator() || !a->isVisible() || a->text().startsWith("&1"))
                    continue;
                EXPECT_GE(at, 0) << a->text().toStdString();
                EXPECT_FALSE(taken.contains(a->text()[at + 1].toLower()))
                    << a->text().toStdString();
                taken += a->text()[at + 1].toLower();
            }
        };
        letters(window.menuBar()->actions());
        for (QAction* menu : window.menuBar()->actions())
            letters(menu->menu()->actions());
    };
    expectAccelerators();
    EXPECT_EQ(window.menuBar()->actions().at(0)->text(), "&Fichier");
    WhenModalShows<TFConfiguration>([](TFConfiguration* dialog) {
        QListWidget* list = dialog->languageList();
        const auto found = list->findItems("English (en)", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.first());
        dialog->BEnregParamClick();
    });
    window.Configuration2Click();
    EXPECT_EQ(window.menuBar()->actions().at(0)->text(), "&File");
    expectAccelerators();
    EXPECT_EQ(window.general()->windowTitle(), "General");
}

TEST(MainWindow, CloseAsksTheRightQuestionAndClosesOnlyOnOk) {
    struct Case {
        bool running;
        Answer answer;
        int question;
        bool closes;
    };
    for (const Case& c :
         {Case{false, Answer::Cancel, 19, false}, Case{true, Answer::Cancel, 20, false},
          Case{false, Answer::Ok, 19, true}, Case{true, Answer::Ok, 20, true}}) {
        ProgramFolder folder;
        folder.Prepare();
        TFPrincipal window(folder.dir());
        window.FormShow();
        window.show();
        App().analysisRunning = c.running;
        folder.messages.answers = {c.answer};
        const QString question = Tr(c.question);
        const QString caption = Tr(21);
        window.close();
        ASSERT_EQ(folder.messages.shown.size(), 1);
        EXPECT_EQ(folder.messages.shown.last(), question);
        EXPECT_EQ(folder.messages.titles.last(), caption);
        EXPECT_EQ(window.isVisible(), !c.closes) << c.question;
    }
}

TEST(MainWindow, F2BringsTheGeneralWindowToTheFrontThoughItsItemIsHidden) {
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    window.show();
    window.FormShow();
    window.Comparaison1Click();
    window.Comparaison1Click();
    ASSERT_EQ(window.mdiArea()->subWindowList().size(), 3);
    ASSERT_NE(window.mdiArea()->activeSubWindow(), window.generalChild());
    window.generalChild()->showMinimized();
    // No menu shows the item, yet its shortcut works from a child window.
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            EXPECT_NE(item->shortcut(), QKeySequence(Qt::Key_F2));
    QApplication::setActiveWindow(&window);
    QWidget* target = window.mdiArea()->activeSubWindow()->widget();
    QTest::keyClick(target, Qt::Key_F2);
    EXPECT_EQ(window.mdiArea()->activeSubWindow(), window.generalChild());
    EXPECT_FALSE(window.generalChild()->isMinimized());
}

TEST(MainWindow, WindowMenuListsTheChildrenAndTilingSetsThemSideBySideOrStacked) {
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    window.resize(1024, 700);  // room for both children side by side
    window.show();
    window.FormShow();
    window.Comparaison1Click();
    QMenu* windowMenu = window.menuBar()->actions().at(2)->menu();
    emit windowMenu->aboutToShow();
    QStringList items;
    for (QAction* item : windowMenu->actions())
        if (!item->isSeparator())
            items << item->text();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(QString(items[0]).remove('&'), Tr(12));
    EXPECT_TRUE(items[3].endsWith(Tr(24)));
    EXPECT_TRUE(items[4].endsWith(Tr(157)));

    const QList<QMdiSubWindow*> children = window.mdiArea()->subWindowList();
    window.Mozaiqueverticale1Click();
    EXPECT_EQ(children[0]->geometry().top(), children[1]->geometry().top());
    EXPECT_LE(children[0]->geometry().right(), children[1]->geometry().left());
    window.Mozaiquehorizontale1Click();
    EXPECT_EQ(children[0]->geometry().left(), children[1]->geometry().left());
    EXPECT_LE(children[0]->geometry().bottom(), children[1]->geometry().top());

    // The progress bar takes the window's width less 222 pixels.
    window.resize(900, 600);
    EXPECT_EQ(window.progressBar()->width(), 900 - 222);
    // The rule never keeps the window from being made narrower again.
    window.resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(window.width(), 500);
    EXPECT_EQ(window.progressBar()->width(), 500 - 222);
}

TEST(MainWindow, FitsTheScreenAndAChildOpenedBesideAMaximisedOneIsMaximisedToo) {
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    // Its first size leaves room for a frame on the screen.
    EXPECT_LE(window.height() + 48, window.screen()->availableGeometry().height());
    window.show();
    window.FormShow();
    window.generalChild()->showMaximized();
    window.Comparaison1Click();
    QMdiSubWindow* compare = window.mdiArea()->activeSubWindow();
    ASSERT_NE(compare, window.generalChild());
    EXPECT_TRUE(compare->isMaximized());
    EXPECT_EQ(compare->size(), window.mdiArea()->viewport()->size());
    compare->showNormal();
    QApplication::processEvents();
    EXPECT_GE(compare->widget()->width(), std::min(TFCompare::kOpeningSize.width(),
                                                   window.mdiArea()->viewport()->width() - 20));
    EXPECT_GE(compare->widget()->height(), compare->widget()->minimumSizeHint().height());
}

TEST(MainWindow, CommandsOnAnEmptyStoreSayThereIsNothingToDo) {
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    window.FormShow();
    window.toutanalyser1Click();
    window.suppressiondesLogs1Click();
    EXPECT_EQ(folder.messages.shown, (QStringList{Tr(47), Tr(46)}));
    EXPECT_FALSE(App().analysisRunning);
}

TEST(MainWindow, AnalyseAllAnsweredNoAnalysesOnlyMissingAndOutdatedMonths) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 3);
    for (const char* key : {"2004-05", "2004-06", "2004-07"})
        AnalyseMonth(folder, key);
    const std::string site = folder.site();
    // 2004-05: no monthly file; 2004-06: its date line no longer matches; 2004-07: up to date.
    ::unlink((site + "mon-2004-05.tfd").c_str());
    Lines june = ReadTextLines(site + "mon-2004-06.tfd");
    june[0] = "Date=01/01/2000 00:00:00";
    WriteTextLines(site + "mon-2004-06.tfd", june);
    const ino_t julyInode = Inode(site + "mon-2004-07.tfd");

    TFPrincipal window(folder.dir());
    window.FormShow();
    folder.messages.answers = {Answer::No};
    window.toutanalyser1Click();
    EXPECT_TRUE(App().analysisRunning);
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));

    EXPECT_EQ(folder.messages.shown, QStringList{Tr(17)});
    EXPECT_TRUE(IsMonthAnalysed(site, "2004-05"));
    EXPECT_TRUE(IsMonthAnalysed(site, "2004-06"));
    EXPECT_EQ(Inode(site + "mon-2004-07.tfd"), julyInode);
    EXPECT_EQ(window.statePanel()->text(), Tr(187));
    EXPECT_EQ(window.windowTitle(), "Trafikon");
    EXPECT_EQ(window.progressBar()->value(), 0);
    EXPECT_EQ(window.analysisWorker(), nullptr);
    ASSERT_EQ(window.general()->rowCount(), 3);
    EXPECT_NE(window.general()->model()->Row(2).cells.at(0), "*");
}

TEST(MainWindow, AnalysisRefusedByAnotherWriterSaysSoInTheStatusPanel) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 1);
    TFPrincipal window(folder.dir());
    window.FormShow();
    folder.messages.answers = {Answer::Yes};
    const StoreWriteLock otherImport(folder.site());
    window.toutanalyser1Click();
    EXPECT_EQ(window.statePanel()->text(), Tr(lang::kOpeningStoreText));
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));
    EXPECT_EQ(window.statePanel()->text(), Tr(lang::kStoreBusyText).section('\n', 0, 0));
}

TEST(MainWindow, AnalyseAllWhileRunningIsRefusedAndCancelStartsNothing) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 1);
    TFPrincipal window(folder.dir());
    window.FormShow();

    folder.messages.answers = {Answer::Cancel};
    window.toutanalyser1Click();
    EXPECT_FALSE(App().analysisRunning);
    EXPECT_EQ(window.analysisWorker(), nullptr);

    folder.messages.answers = {Answer::Yes};
    window.toutanalyser1Click();
    TMyAllThread* worker = window.analysisWorker();
    ASSERT_NE(worker, nullptr);
    window.toutanalyser1Click();  // the worker's end cannot have been handled yet
    EXPECT_EQ(folder.messages.shown.last(), Tr(22));
    EXPECT_EQ(window.analysisWorker(), worker);
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));
    EXPECT_TRUE(FileExists(folder.site() + "mon-2004-05.tfd"));
}

TEST(MainWindow, TheTitleNamesTheMonthInHandExactlyAndComesBackToTheProductName) {
    ProgramFolder folder;
    folder.Prepare();
    StoreInlineMonth(folder, 2004, 50);
    StoreInlineMonth(folder, 2005, 50);
    TFPrincipal window(folder.dir());
    window.FormShow();
    const QString displayName = QGuiApplication::applicationDisplayName();
    folder.messages.answers = {Answer::Yes};
    // Watched from before the start: the worker may reach its first month
    // before the click returns.
    QStringList titles;
    QObject::connect(&window, &QWidget::windowTitleChanged, &window, [&](const QString& title) {
        if (title != "Trafikon")
            titles << title + "|" + window.statePanel()->text();
    });
    window.toutanalyser1Click();
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));
    const QString may04 = "Trafikon : " + Tr(23) + "(2004-05)";
    const QString may05 = "Trafikon : " + Tr(23) + "(2005-05)";
    EXPECT_EQ(titles, (QStringList{may04 + "|" + may04, may05 + "|" + may05}));
    EXPECT_EQ(window.windowTitle(), "Trafikon");
    // Dialogs keep their own captions: the program's display name is left alone.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), displayName);
}

TEST(MainWindow, QuittingStopsTheAnalysisWithinABatchAndSaysSoMeanwhile) {
    ProgramFolder folder;
    folder.Prepare();
    StoreInlineMonth(folder, 2004, 400000);
    TFPrincipal window(folder.dir());
    window.show();
    window.FormShow();
    folder.messages.answers = {Answer::Yes, Answer::Ok};
    window.toutanalyser1Click();
    ASSERT_TRUE(WaitUntil([&] { return window.progressBar()->value() > 0; }));
    QElapsedTimer stopping;
    stopping.start();
    window.Quitter1Click();
    EXPECT_EQ(folder.messages.shown.last(), Tr(20));  // the question of a running analysis
    EXPECT_EQ(window.statePanel()->text(), Tr(lang::kStatusStopping));
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }));
    EXPECT_LT(stopping.elapsed(), 1500);
    EXPECT_EQ(window.analysisWorker(), nullptr);
    // The month keeps what it had before: no analysis at all.
    EXPECT_FALSE(FileExists(folder.site() + "mon-2004-05.tfd"));
    EXPECT_FALSE(FileExists(folder.site() + "lfp-2004-05.tfd"));
}

TEST(MainWindow, CancelledMonthsAreToldOnceWhenTheRunEndsNamingEachMonth) {
    ProgramFolder folder;
    folder.Prepare();
    StoreInlineMonth(folder, 2004, 20, true);
    StoreInlineMonth(folder, 2005, 20, true);
    StoreInlineMonth(folder, 2006, 20);
    TFPrincipal window(folder.dir());
    window.FormShow();
    folder.messages.answers = {Answer::Yes, Answer::No, Answer::No};
    window.toutanalyser1Click();
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));
    ASSERT_EQ(folder.messages.shown.size(), 4);
    EXPECT_EQ(folder.messages.shown[3], Tr(192) + " : 2004-05, 2005-05");
    EXPECT_TRUE(FileExists(folder.site() + "mon-2006-05.tfd"));
}

TEST(MainWindow, StandardButtonsFollowTheInterfaceLanguage) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm"))
        GTEST_SKIP() << "the toolkit's translations are not installed";
    ProgramFolder folder;
    folder.Prepare();
    TFPrincipal window(folder.dir());
    window.FormShow();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuler");
    App().settings[4] = "English (en)";
    window.ApplyMainTexts();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST(MessageBoxes, ARemovalConfirmationDefaultsToCancel) {
    SetMessageService(nullptr);
    bool cancelIsDefault = false;
    WhenModalShows<QMessageBox>([&](QMessageBox* box) {
        cancelIsDefault =
            static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::Cancel);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(Messages().ConfirmDestructive(nullptr, "Remove everything?"));
    EXPECT_TRUE(cancelIsDefault);
}

TEST(AnalyseAllWorker, NamesEveryMonthInOrderAndSkipsThoseUpToDate) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 3);
    AnalyseMonth(folder, "2004-06");
    struct Case {
        bool allMonths;
        std::vector<std::string> analysed;
    };
    for (const Case& c :
         {Case{false, {"2004-05", "2004-07"}}, Case{true, {"2004-05", "2004-06", "2004-07"}}}) {
        TMyAllThread worker(folder.site(), {"2004-05", "2004-06", "2004-07"}, c.allMonths, "");
        QStringList named;
        QObject context;
        QObject::connect(&worker, &TMyAllThread::MonthInHand, &context,
                         [&](const QString& key) { named << key; });
        worker.start();
        ASSERT_TRUE(WaitUntil([&] { return worker.isFinished(); }));
        QApplication::processEvents();
        EXPECT_EQ(named, (QStringList{"2004-05", "2004-06", "2004-07"}));
        EXPECT_EQ(worker.analysedMonths(), c.analysed);
    }
}

TEST(MainWindow, YesToAllAsksOnceAndTheEndSaysHowManyLinesEachMonthIgnored) {
    ProgramFolder folder;
    folder.Prepare();
    const std::string good =
        "10.0.0.1 - - [01/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 5 \"-\" \"M\"\n";
    const std::string cut = "10.0.0.2 - - [02/May/2004:10:00:00 +0100]\n";
    const std::string log = folder.temp / "access.log";
    WriteRaw(log, good + cut + good + cut + cut);
    SilentImportObserver observer;
    ImportLogs(folder.site(), {log}, "hlutrsbRU", observer);
    TFPrincipal window(folder.dir());
    window.FormShow();
    folder.messages.answers = {Answer::Yes, Answer::YesToAll};
    window.toutanalyser1Click();
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));
    // One question, its caption numbering the line from 0 as the log-line panel does.
    ASSERT_EQ(folder.messages.titles.size(), 3);
    EXPECT_EQ(folder.messages.titles[1], Tr(190) + "1");
    EXPECT_EQ(folder.messages.shown[2],
              Tr(187) + "\n\n" + Tr(lang::kIgnoredLinesPerMonth) + "\n2004-05 : 3");
    EXPECT_TRUE(IsMonthAnalysed(folder.site(), "2004-05"));
}

// Answers the malformed-line question after adding a line to the month's log.
class GrowingLogMessages : public testing::ScriptedMessages {
  public:
    explicit GrowingLogMessages(std::string log) : log_(std::move(log)) {}
    Answer AskYesAllNo(QWidget* parent, const QString& text, const QString& title,
                       const QString& all) override {
        AppendFile append(log_);
        append.Write("10.0.0.9 - - [30/May/2004:10:00:00 +0100] \"GET / HTTP/1.0\" 200 5\r\n");
        append.Close();
        return ScriptedMessages::AskYesAllNo(parent, text, title, all);
    }

  private:
    std::string log_;
};

// A month whose log grew while it was read is named at the end, stays
// unanalysed, and the status panel does not say the analysis ended well.
TEST(MainWindow, AMonthWhoseLogGrewDuringTheRunIsNamedAndNotCalledAnalysed) {
    ProgramFolder folder;
    folder.Prepare();
    StoreInlineMonth(folder, 2004, 50, true);
    GrowingLogMessages messages(folder.site() + "log-2004-05.log");
    TFPrincipal window(folder.dir());
    window.FormShow();
    window.toutanalyser1Click();
    ASSERT_TRUE(WaitUntil([] { return !App().analysisRunning; }));
    EXPECT_FALSE(IsMonthAnalysed(folder.site(), "2004-05"));
    EXPECT_NE(window.statePanel()->text(), Tr(187));
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last(), "2004-05 : " + Tr(lang::kLogChangedNotAnalysed));
}

TEST(AnalyseAllWorker, MalformedLineQuestionWaitsForTheAnswerOnTheInterfaceThread) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 1, 50);
    // Two lines that run out of fields before their last code.
    AppendFile append(folder.site() + "log-2004-05.log");
    append.Write("10.0.0.1 - - [30/May/2004:10:00:00 +0100]\r\n");
    append.Write("10.0.0.2 - - [30/May/2004:10:00:01 +0100]\r\n");
    append.Close();
    struct Case {
        MalformedLineAnswer answer;
        int asked;    // Yes asks again at the second line, "yes to all" does not
        int ignored;  // reported at the end of the month
    };
    for (const Case& c :
         {Case{MalformedLineAnswer::Cancel, 1, 0}, Case{MalformedLineAnswer::Ignore, 2, 2},
          Case{MalformedLineAnswer::IgnoreAll, 1, 2}}) {
        TMyAllThread worker(folder.site(), {"2004-05"}, true, "");
        QObject context;
        int asked = 0;
        bool onInterfaceThread = false;
        QObject::connect(
            &worker, &TMyAllThread::AskIgnoreLine, &context,
            [&](qint64 lineNumber, const QString& line, MalformedLineAnswer* answer) {
                onInterfaceThread = QThread::currentThread() == qApp->thread();
                if (asked++ == 0) {
                    EXPECT_EQ(lineNumber, 50);  // the index of the line in the stored log
                    EXPECT_TRUE(line.startsWith("10.0.0.1"));
                }
                *answer = c.answer;
            },
            Qt::BlockingQueuedConnection);
        int cancelled = 0;
        qint64 ignored = 0;
        QObject::connect(&worker, &TMyAllThread::MonthCancelled, &context,
                         [&](const QString&) { ++cancelled; });
        QObject::connect(&worker, &TMyAllThread::LinesIgnored, &context,
                         [&](const QString&, qint64 count) { ignored = count; });
        worker.start();
        ASSERT_TRUE(WaitUntil([&] { return worker.isFinished(); }));
        QApplication::processEvents();
        EXPECT_EQ(asked, c.asked);
        EXPECT_TRUE(onInterfaceThread);
        EXPECT_EQ(ignored, c.ignored);
        const bool cancel = c.answer == MalformedLineAnswer::Cancel;
        EXPECT_EQ(cancelled, cancel ? 1 : 0);
        EXPECT_EQ(worker.analysedMonths().size(), cancel ? 0u : 1u);
    }
}

TEST(AnalyseAllWorker, AFileThatCannotBeReadIsReportedWithItsNameAndTheRunGoesOn) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 2);
    // The format file of the first month cannot be read: it is a folder.
    const std::string format = folder.site() + "format-2004-05.tfd";
    ::unlink(format.c_str());
    ::mkdir(format.c_str(), 0755);
    TMyAllThread worker(folder.site(), {"2004-05", "2004-06"}, true, "");
    const QStringList failures = FailuresOfRun(worker);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("format-2004-05.tfd"));
    EXPECT_EQ(worker.analysedMonths(), std::vector<std::string>{"2004-06"});
}

TEST(AnalyseAllWorker, AnExclusionLineThatIsNoneIsToldOnceARunNamingFileAndLine) {
    ProgramFolder folder;
    folder.Prepare();
    StoreMonths(folder, 2);
    WriteTextLines(folder.site() + "exclusions.tfd", {"host=10.0.0.0/8", "stat=1"});
    App().language.Assign(BuiltInEnglish());
    TMyAllThread worker(folder.site(), {"2004-05", "2004-06"}, true, "");
    const QStringList failures = FailuresOfRun(worker);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("exclusions.tfd: \"stat=1\"")) << failures[0].toStdString();
    EXPECT_EQ(worker.analysedMonths(), (std::vector<std::string>{"2004-05", "2004-06"}));
}

// A start that cannot read its own files says why, then ends: no window
// without texts or menus stays behind.
TEST(MainWindow, AStartWithoutItsFilesSaysWhyAndCloses) {
    ProgramFolder folder;
    folder.Prepare();
    std::filesystem::remove(folder.dir() + "fr.tfl");
    std::filesystem::create_directory(folder.dir() + "fr.tfl");
    TFPrincipal window(folder.dir());
    window.show();
    window.FormShow();
    // The message alone: no closing question, whose texts would be empty.
    EXPECT_EQ(folder.messages.shown.size(), 1);
    EXPECT_FALSE(window.isVisible());
    // A program folder that cannot be made is the one named.
    WriteRaw(folder.dir() + "plain", "x");
    try {
        StartUp(folder.dir() + "plain/inner/", {});
        ADD_FAILURE() << "a folder under a file was made";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("plain/inner"), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).find("fr.tfl"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace trafikon
