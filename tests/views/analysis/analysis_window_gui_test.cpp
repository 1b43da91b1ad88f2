// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/analysis_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include "month/analysed_month_fixture.h"
#include "state/app_state.h"
#include "support/scripted_messages_qt.h"
#include "support/temp_dir.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/countries_chart_widget.h"
#include "views/analysis/files_tab_widget.h"
#include "views/analysis/general_tab_widget.h"
#include "views/analysis/hosts_tab_widget.h"
#include "views/analysis/hours_graph_widget.h"
#include "views/analysis/log_lines_widget.h"
#include "views/analysis/name_count_list_widget.h"
#include "views/analysis/tabs_detail_header_widget.h"

namespace trafikon {
namespace {

using testing::AnalysedMonth;

class AnalysisWindowTest : public ::testing::Test {
  protected:
    AnalysisWindowTest() {
        AnalysedMonth::Write(dir.path());
        App().siteDir = dir.path() + "/";
        App().language.Assign(BuiltInFrench());
        App().settings.values.fill(std::string());
        App().settings[1] = "http://www.mysite.example";
        App().settings[2] = "Retour On";
        App().settings[3] = "0";
        App().browserCommand = "/usr/bin/xdg-open";
        QApplication::clipboard()->clear();
    }
    ~AnalysisWindowTest() override {
        App().siteDir.clear();
        App().browserCommand.clear();
    }

    std::unique_ptr<TFAnalyse> Open(const std::string& key = AnalysedMonth::kKey) {
        auto w = std::make_unique<TFAnalyse>(key);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->openPage = [this](const std::string& command, const std::string& address) {
            opened.push_back(command + " " + address);
        };
        w->show();
        return w;
    }

    static QString Clipboard() { return QApplication::clipboard()->text(); }

    static void Press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods) {
        QTest::keyClick(w, key, mods);
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    std::vector<std::string> opened;
};

TEST_F(AnalysisWindowTest, OpensWithItsCaptionTabsAndTheFilesTabInFront) {
    auto w = Open();
    EXPECT_EQ(w->windowTitle(), "Analyse 2004-02");
    ASSERT_EQ(w->tabs()->count(), 9);
    const QStringList captions = {
        "Général",           "Fichiers",    "Hote ou IP", "Retour", "Referents Externe",
        "Referents Interne", "Navigateurs", "Robots",     "Pays"};
    for (int t = 0; t < 9; ++t)
        EXPECT_EQ(w->tabs()->tabText(t), captions[t]);
    EXPECT_EQ(w->tabs()->currentIndex(), TFAnalyse::kFiles);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("|").toStdString();
    EXPECT_EQ(w->logLines()->rowCount(), 0);
}

TEST_F(AnalysisWindowTest, GeneralTabShowsSummaryDaysGraphAndTopLists) {
    auto w = Open();
    GeneralTabWidget* g = w->generalTab();
    ASSERT_EQ(g->summaryList()->topLevelItemCount(), 11);
    EXPECT_EQ(g->summaryList()->topLevelItem(0)->text(0), "Date de l'analyse");
    EXPECT_EQ(g->summaryList()->topLevelItem(0)->text(1), "01/03/2004 10:00:00");
    EXPECT_EQ(g->summaryList()->topLevelItem(10)->text(0), "Nombre de Jours analysés");
    EXPECT_EQ(g->summaryList()->topLevelItem(10)->text(1), "3");
    ASSERT_EQ(g->dayList()->topLevelItemCount(), 31);  // February: still 31 rows
    EXPECT_EQ(g->dayList()->topLevelItem(2)->text(4), "2");
    EXPECT_EQ(g->dayList()->topLevelItem(30)->text(0), "31");

    // Graph: day 1 has the month's top visitors (blue bar of full height) and
    // kilobytes (green bar 3 pixels to the right); day 4 has nothing.
    const QImage& img = g->graph();
    ASSERT_EQ(img.size(), QSize(433, 490));
    EXPECT_EQ(img.pixelColor(31, 100), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(37, 100), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(45, 100), QColor(0, 0, 255));  // day 2: visitors only
    EXPECT_EQ(img.pixelColor(74, 100), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(100, 351), QColor(0, 0, 0));  // x axis

    g->ShowPanel(GeneralTabWidget::kTopLists);
    EXPECT_FALSE(g->topListLabel(TopList::Pages)->isHidden());
    EXPECT_EQ(g->topList()->model().rowCount(), 0);
    g->ShowTopList(TopList::Pages);
    ASSERT_EQ(g->topList()->model().rowCount(), 3);
    EXPECT_EQ(g->topList()->model().RowAt(0)->name, "/index.html");
    g->ShowPanel(GeneralTabWidget::kSummary);
    EXPECT_TRUE(g->topListLabel(TopList::Pages)->isHidden());
}

TEST_F(AnalysisWindowTest, LinkLabelsHoverRedAndStayBlueOnceClicked) {
    auto w = Open();
    w->tabs()->setCurrentIndex(TFAnalyse::kGeneral);
    GeneralTabWidget* g = w->generalTab();
    LinkLabel* summary = g->panelLabel(GeneralTabWidget::kSummary);
    LinkLabel* stats = g->panelLabel(GeneralTabWidget::kStatistics);
    EXPECT_EQ(summary->color(), QColor(Qt::blue));
    EXPECT_TRUE(summary->font().bold());

    const QColor before = stats->color();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(stats, &enter);
    EXPECT_EQ(stats->color(), QColor(Qt::red));
    EXPECT_EQ(stats->cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(stats, &leave);
    EXPECT_EQ(stats->color(), before);

    QApplication::sendEvent(stats, &enter);
    QTest::mouseClick(stats, Qt::LeftButton, {}, QPoint(2, 2));
    QApplication::sendEvent(stats, &leave);
    EXPECT_EQ(g->panel(), GeneralTabWidget::kStatistics);
    EXPECT_EQ(stats->color(), QColor(Qt::blue));
    EXPECT_NE(summary->color(), QColor(Qt::blue));
    EXPECT_TRUE(g->topListLabel(TopList::Hosts)->isHidden());
}

TEST_F(AnalysisWindowTest, AReloadReplacesRowsInsteadOfAddingThem) {
    auto w = Open();
    GeneralTabWidget* g = w->generalTab();
    g->ShowPanel(GeneralTabWidget::kTopLists);
    g->ShowTopList(TopList::Hosts);
    w->LoadMonth();
    EXPECT_EQ(g->summaryList()->topLevelItemCount(), 11);
    EXPECT_EQ(g->dayList()->topLevelItemCount(), 31);
    EXPECT_EQ(g->topList()->model().rowCount(), 2);
    EXPECT_EQ(w->browserList()->model().rowCount(), 2);
}

TEST_F(AnalysisWindowTest, TopListShortcutsCopyAndOpenByKind) {
    auto w = Open();
    w->tabs()->setCurrentIndex(TFAnalyse::kGeneral);
    GeneralTabWidget* g = w->generalTab();
    g->ShowPanel(GeneralTabWidget::kTopLists);
    NameCountListWidget* top = g->topList();

    g->ShowTopList(TopList::Pages);
    top->SelectRow(0);
    Press(top, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "/index.html");
    Press(top, Qt::Key_V, Qt::ControlModifier);
    g->ShowTopList(TopList::Engines);
    top->SelectRow(0);
    Press(top, Qt::Key_V, Qt::ControlModifier);
    g->ShowTopList(TopList::Hosts);
    top->SelectRow(0);
    Press(top, Qt::Key_V, Qt::ControlModifier);  // a host is no address
    EXPECT_EQ(opened,
              (std::vector<std::string>{"/usr/bin/xdg-open http://www.mysite.example/index.html",
                                        "/usr/bin/xdg-open http://search.example/find"}));
}

TEST_F(AnalysisWindowTest, FileDetailFillsTheLogPanelWithZeroBasedNumbersOnce) {
    auto w = Open();
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    NameCountListWidget* list = files->fileList();
    ASSERT_EQ(list->model().rowCount(), 4);
    list->SelectRow(0);  // /index.html: lines 0, 2, 4
    ASSERT_EQ(w->logLines()->rowCount(), 3);
    EXPECT_EQ(w->logLines()->line(0).number, 0);
    EXPECT_EQ(w->logLines()->line(0).text, AnalysedMonth::LogLines()[0]);
    EXPECT_EQ(w->logLines()->line(2).number, 4);
    EXPECT_EQ(w->logIndex().buildCount(), 1);

    // The same row clicked again and another row: the log is indexed once.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model().index(0, 0)).center());
    list->SelectRow(1);
    EXPECT_EQ(w->logLines()->rowCount(), 1);
    EXPECT_EQ(w->logIndex().buildCount(), 1);

    // Ctrl+C on the panel copies the row's number; Ctrl+V there opens nothing.
    w->logLinesView()->setCurrentIndex(w->logLines()->index(0, 0));
    Press(w->logLinesView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "1");
    Press(w->logLinesView(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(opened.empty());

    // Ctrl+Shift+C copies every file name, each followed by a line feed.
    Press(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Clipboard(), "/index.html\n/logo.png\n/missing.html\n/Index.html\n");
}

TEST_F(AnalysisWindowTest, HostDetailNumbersLinesFromOne) {
    auto w = Open();
    ASSERT_TRUE(w->JumpToHost("host.example"));
    EXPECT_EQ(w->tabs()->currentIndex(), TFAnalyse::kHosts);
    ASSERT_EQ(w->logLines()->rowCount(), 2);
    EXPECT_EQ(w->logLines()->line(0).number, 3);
    EXPECT_EQ(w->logLines()->line(0).text, AnalysedMonth::LogLines()[2]);
}

TEST_F(AnalysisWindowTest, JumpsMatchLetterCaseExactlyAndSayWhenTheyMiss) {
    auto w = Open();
    w->tabs()->setCurrentIndex(TFAnalyse::kStatus);
    EXPECT_FALSE(w->JumpToFile("/INDEX.html"));
    EXPECT_EQ(w->tabs()->currentIndex(), TFAnalyse::kStatus);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(
        messages.shown[0],
        "Impossible de trouver ce fichier dans la liste des Fichiers (Vérifier les filtres).");
    EXPECT_FALSE(w->JumpToHost("HOST.example"));
    EXPECT_TRUE(messages.shown.last().startsWith("Impossible de trouver ce Host"));

    EXPECT_TRUE(w->JumpToFile("/Index.html"));
    EXPECT_EQ(w->tabs()->currentIndex(), TFAnalyse::kFiles);
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    EXPECT_EQ(files->fileList()->SelectedRow(), 3);
    EXPECT_EQ(w->logLines()->line(0).number, 5);
    // A typed letter jumps on the text after the paths' common "/".
    files->fileList()->setCurrentIndex(QModelIndex());
    files->fileList()->keyboardSearch(QStringLiteral("i"));
    const int jumped = files->fileList()->SelectedRow();
    ASSERT_GE(jumped, 0);
    EXPECT_TRUE(files->fileList()->model().RowAt(jumped)->name.starts_with("/i") ||
                files->fileList()->model().RowAt(jumped)->name.starts_with("/I"));
}

TEST_F(AnalysisWindowTest, OnlyWebAddressesReachThePageOpener) {
    auto w = Open();
    w->OpenAddress("file:///etc/passwd");
    w->OpenAddress("-x");
    w->OpenAddress("http://search.example/find?q=a;rm -rf /");
    w->OpenSitePage("/a b.html");
    App().browserCommand.clear();
    w->OpenAddress("http://search.example/");
    EXPECT_EQ(opened, (std::vector<std::string>{
                          "/usr/bin/xdg-open http://search.example/find?q=a;rm%20-rf%20/",
                          "/usr/bin/xdg-open http://www.mysite.example/a%20b.html"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AnalysisWindowTest, APageThatLeadsToAnotherHostIsRefusedAndAddressesGoOutAsUtf8) {
    auto w = Open();
    w->OpenSitePage("@evil.example/");
    w->OpenSitePage(".evil.example/");
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(messages.shown.size(), 2);
    w->OpenSitePage("/caf\xe9 \x80.html");
    EXPECT_EQ(opened,
              (std::vector<std::string>{
                  "/usr/bin/xdg-open http://www.mysite.example/caf%C3%A9%20%E2%82%AC.html"}));
}

// Replaces a name of the files table, as a hostile log would have made it.
void RenameFile(const std::string& site, const std::string& from, const std::string& to) {
    const std::string path = site + "/lfp-" + std::string(AnalysedMonth::kKey) + ".tfd";
    std::string bytes = testing::ReadRaw(path);
    bytes.replace(bytes.find("\\1;" + from + "\\2;") + 3, from.size(), to);
    testing::WriteRaw(path, bytes);
}

TEST_F(AnalysisWindowTest, MarkupFromTheLogIsShownAsPlainText) {
    const std::string markup = "<h1 style=\"color:red\">ALERT</h1><img src='/etc/x.png'>";
    RenameFile(dir.path(), "/index.html", markup);
    auto w = Open();
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    NameCountListWidget* list = files->fileList();
    const QModelIndex first = list->model().index(0, 0);
    EXPECT_EQ(first.data(Qt::DisplayRole).toString(), QString::fromStdString(markup));
    QTextDocument tip;
    // The model gives no raw tooltip; a cut cell's tooltip goes through PlainToolTip.
    EXPECT_FALSE(first.data(Qt::ToolTipRole).isValid());
    tip.setHtml(PlainToolTip(first.data(Qt::DisplayRole).toString()));
    EXPECT_EQ(tip.toPlainText(), QString::fromStdString(markup));
    list->SelectRow(0);
    EXPECT_TRUE(files->detailHeader()->title().endsWith(QString::fromStdString(markup)));
    for (const QLabel* label : files->detailHeader()->findChildren<QLabel*>()) {
        if (label->text().contains('<')) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
        }
    }
}

TEST_F(AnalysisWindowTest, AHugePathIsCutForDisplayAndOpensQuickly) {
    const std::string huge = "/" + std::string(200u << 20, 'a');
    RenameFile(dir.path(), "/missing.html", huge);
    QElapsedTimer clock;
    clock.start();
    auto w = Open();
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    NameCountListWidget* list = files->fileList();
    list->SelectRow(2);
    QApplication::processEvents();
    w->grab();  // paints every visible row, as a screen would
    // About 1 s on an idle machine; before, it crashed (30 MB froze the window 53 s).
    EXPECT_LT(clock.elapsed(), 10000);
    const QString shown = list->model().index(2, 0).data().toString();
    EXPECT_EQ(shown.size(), kDisplayTextLimit + 1);
    EXPECT_EQ(files->detailHeader()->title().size(), kDisplayTextLimit + 1);
    // Copying gives the whole name.
    list->setCurrentIndex(list->model().index(2, 0));
    Press(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().size(), static_cast<qsizetype>(huge.size()));
}

TEST_F(AnalysisWindowTest, BrowsersListSortsOnHeaderClicks) {
    auto w = Open();
    NameCountListWidget* b = w->browserList();
    ASSERT_EQ(b->model().rowCount(), 2);
    EXPECT_EQ(b->model().headerData(0, Qt::Horizontal, Qt::DisplayRole), "Navigateur");
    EXPECT_EQ(b->model().RowAt(0)->name, "Agent/1.0");
    b->model().ClickColumn(1);  // largest first
    EXPECT_EQ(b->model().RowAt(0)->name, "Agent/1.0");
    b->model().ClickColumn(1);  // smallest first
    EXPECT_EQ(b->model().RowAt(0)->name, "Other/2.0");
    b->model().ClickColumn(0);  // another column: A to Z
    EXPECT_EQ(b->model().RowAt(0)->name, "Agent/1.0");
    b->model().ClickColumn(0);  // Z to A
    EXPECT_EQ(b->model().RowAt(0)->name, "Other/2.0");
}

TEST_F(AnalysisWindowTest, TheSelectionFollowsItsRowThroughASort) {
    auto w = Open();
    NameCountListWidget* b = w->browserList();
    b->SelectRow(0);            // Agent/1.0
    b->model().ClickColumn(0);  // Z to A: Agent/1.0 moves to row 1
    EXPECT_EQ(b->SelectedRow(), 1);
    EXPECT_EQ(b->model().RowAt(b->SelectedRow())->name, "Agent/1.0");
    EXPECT_EQ(b->currentIndex().row(), 1);
}

TEST_F(AnalysisWindowTest, PagesOpenNothingWithoutASiteAddress) {
    App().settings[1].clear();
    auto w = Open();
    w->OpenSitePage("/index.html");
    EXPECT_TRUE(opened.empty());
}

TEST_F(AnalysisWindowTest, AMonthWithoutAnalysisSaysSoAndShowsEmptyLists) {
    std::remove((dir / "lfp-2004-02.tfd").c_str());
    auto w = Open();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], "Il n'y a pas d'analyse pour ce mois");
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    EXPECT_EQ(files->fileList()->model().rowCount(), 0);
    EXPECT_EQ(w->browserList()->model().rowCount(), 0);
}

TEST_F(AnalysisWindowTest, AMonthWithoutStoredLogIsNotLoadedAndNothingIsSaid) {
    auto w = Open("2004-03");
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(w->windowTitle(), "Analyse 2004-03");
    EXPECT_EQ(w->browserList()->model().rowCount(), 0);
}

TEST_F(AnalysisWindowTest, DamagedResultFilesAreReportedAndTheRestIsShown) {
    std::remove((dir / "hos-2004-02.tfd").c_str());
    testing::WriteRaw(dir / "mon-2004-02.tfd", "Date=x\r\nTota=4\r\n");
    auto w = Open();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("hos-2004-02.tfd"));
    EXPECT_TRUE(messages.shown[0].contains("2 lines instead of 28"));
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    EXPECT_EQ(files->fileList()->model().rowCount(), 4);
    EXPECT_EQ(w->generalTab()->dayList()->topLevelItemCount(), 0);
    // The file's hosts point into a table that is now empty: the detail still shows.
    files->fileList()->SelectRow(0);
    EXPECT_EQ(w->logLines()->rowCount(), 3);
}

TEST_F(AnalysisWindowTest, LineNumbersThatDoNotConvertAreSkippedAndReported) {
    auto w = Open();
    EXPECT_EQ(w->ShowLogLines("-1-x1-2-", LineNumbering::IndexPlusOne), 2u);
    EXPECT_EQ(w->logLines()->line(1).number, 3);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("1 numéro(s)"));
}

TEST_F(AnalysisWindowTest, ALogShortenedAfterTheAnalysisShowsWhatItCan) {
    auto w = Open();
    auto lines = AnalysedMonth::LogLines();
    lines.resize(3);
    testing::WriteRaw(dir / "log-2004-02.log", testing::CrLf(lines));
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    files->fileList()->SelectRow(0);  // lines 0, 2, 4; line 4 is gone
    ASSERT_EQ(w->logLines()->rowCount(), 3);
    EXPECT_FALSE(w->logLines()->line(1).missing);
    EXPECT_TRUE(w->logLines()->line(2).missing);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("1 ligne(s)"));
    // The log is gone altogether.
    std::remove((dir / "log-2004-02.log").c_str());
    files->fileList()->SelectRow(1);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[1].contains("log-2004-02.log"));
    EXPECT_EQ(w->logLines()->data(w->logLines()->index(0, 1), Qt::DisplayRole).toString(),
              Tr(lang::kStoredLogMissing));
}

// Every visible widget of `parent` against its visible siblings: none covers another.
void ExpectNoOverlap(QWidget* parent, const QString& where) {
    QList<QWidget*> shown;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible() && !w->isWindow())
            shown << w;
    for (int i = 0; i < shown.size(); ++i) {
        for (int j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << where.toStdString() << ": " << shown[i]->metaObject()->className() << " "
                << shown[j]->metaObject()->className();
        ExpectNoOverlap(shown[i], where);
    }
}

// Columns that fit their contents are at least as wide as their widest value.
void ExpectColumnsFit(QWidget* page, const QString& where) {
    auto check = [&](QAbstractItemView* view, QHeaderView* header) {
        if (!view->isVisible() || !view->model() || view->model()->rowCount() == 0)
            return;
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            if (header->isSectionHidden(c) ||
                header->sectionResizeMode(c) != QHeaderView::ResizeToContents)
                continue;
            EXPECT_GE(header->sectionSize(c), view->sizeHintForColumn(c))
                << where.toStdString() << " column " << c;
        }
    };
    for (QTreeView* view : page->findChildren<QTreeView*>())
        check(view, view->header());
    for (QTableView* view : page->findChildren<QTableView*>()) {
        check(view, view->horizontalHeader());
        if (view->isVisible() && view->model() && view->model()->rowCount() > 0) {
            EXPECT_EQ(view->rowHeight(0), static_cast<QAbstractItemView*>(view)->sizeHintForRow(0))
                << where.toStdString();
        }
    }
}

TEST_F(AnalysisWindowTest, InEnglishAtItsOpeningSizeNothingOverlapsAndNumbersShowWhole) {
    App().language.Assign(BuiltInEnglish());
    auto w = Open();
    w->resize(TFAnalyse::kOpeningSize.expandedTo(w->minimumSizeHint()));
    QApplication::processEvents();
    EXPECT_GE(w->width(), TFAnalyse::kOpeningSize.width());
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    files->fileList()->SelectRow(0);  // a detail with its switches and lines
    for (int t = 0; t < w->tabs()->count(); ++t) {
        w->tabs()->setCurrentIndex(t);
        QApplication::processEvents();
        ExpectNoOverlap(w->tabs()->widget(t), w->tabs()->tabText(t));
        ExpectColumnsFit(w->tabs()->widget(t), w->tabs()->tabText(t));
    }
    ExpectNoOverlap(w.get(), "window");
    // The hours of the day fit beside the day list, hour 23 included.
    w->tabs()->setCurrentIndex(TFAnalyse::kGeneral);
    w->generalTab()->ShowPanel(GeneralTabWidget::kStatistics);
    QApplication::processEvents();
    const QWidget* hours = w->generalTab()->hoursGraph();
    const QWidget* viewport = hours->parentWidget()->parentWidget();
    EXPECT_LE(hours->mapTo(viewport, QPoint(hours->width(), 0)).x(), viewport->width());
    // The splitter's handle hides neither the tabs nor the log lines.
    auto* splitter = w->findChild<QSplitter*>();
    for (int pos : {0, 5000}) {
        splitter->setSizes({pos, 5000 - pos});
        QApplication::processEvents();
        EXPECT_GT(splitter->sizes()[0], 0);
        EXPECT_GT(splitter->sizes()[1], 0);
    }
    // Squeezed below its minimum, the window keeps its widgets apart.
    w->resize(300, 200);
    QApplication::processEvents();
    EXPECT_GE(w->width(), w->minimumSizeHint().width());
    ExpectNoOverlap(w.get(), "squeezed");
}

TEST_F(AnalysisWindowTest, AJumpAlwaysShowsItsRowsDetailAndANewDetailShowsItsFirstLines) {
    auto w = Open();
    auto* files = static_cast<FilesTab*>(w->tabPage(TFAnalyse::kFiles));
    ASSERT_TRUE(w->JumpToFile("/index.html"));
    ASSERT_EQ(w->logLines()->rowCount(), 3);
    // Another list fills the panel; a jump back to the same file shows its lines again.
    ASSERT_TRUE(w->JumpToHost("host.example"));
    ASSERT_EQ(w->logLines()->rowCount(), 2);
    ASSERT_TRUE(w->JumpToFile("/index.html"));
    EXPECT_EQ(w->logLines()->rowCount(), 3);
    EXPECT_EQ(files->fileList()->SelectedRow(), 0);

    LogLinesView* panel = w->logLinesView();
    panel->resize(120, 60);
    QApplication::processEvents();
    panel->horizontalScrollBar()->setValue(panel->horizontalScrollBar()->maximum());
    panel->verticalScrollBar()->setValue(panel->verticalScrollBar()->maximum());
    files->fileList()->SelectRow(3);
    EXPECT_EQ(panel->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(panel->verticalScrollBar()->value(), 0);
}

TEST_F(AnalysisWindowTest, TheStatusListHasNoShortcutsAndNoDetailBeforeASelection) {
    auto w = Open();
    w->tabs()->setCurrentIndex(TFAnalyse::kStatus);
    auto* list = w->tabPage(TFAnalyse::kStatus)->findChild<QTreeWidget*>();
    ASSERT_NE(list, nullptr);
    list->setFocus();
    // What the focus alone does: a current row, no selection.
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    QApplication::processEvents();
    auto* header = w->tabPage(TFAnalyse::kStatus)->findChild<TabsDetailHeader*>();
    EXPECT_EQ(header->title(), "");
    QApplication::clipboard()->setText("before");
    Press(list, Qt::Key_C, Qt::ControlModifier);
    Press(list, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "before");
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_NE(header->title(), "");
}

TEST_F(AnalysisWindowTest, AtItsMinimumSizeEveryTabHasTheHeightItsContentNeeds) {
    auto w = Open();
    w->resize(w->minimumSize());
    QApplication::processEvents();
    auto* tabs = w->findChild<QTabWidget*>();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);  // a tab fills its lists when first shown
        QApplication::processEvents();
        EXPECT_GE(tabs->widget(i)->height(), tabs->widget(i)->minimumSizeHint().height()) << i;
    }
}

// Every bar is drawn, at the font's height in two columns when the chart is
// given half its height, smaller below that.
TEST(CountriesChart, DrawsEveryBarInAHeightLowerThanItsOwn) {
    CountriesChartWidget chart;
    std::vector<tabs::CountriesList::Bar> bars;
    for (int i = 0; i < 10; ++i)
        bars.push_back({"Country " + std::to_string(i), 100 - 5 * i, 10});
    chart.Show(bars);
    for (const int height : {chart.minimumSizeHint().height(), chart.sizeHint().height() / 3}) {
        chart.resize(400, height);
        const QImage image = chart.grab().toImage();
        // Bars seen: runs of pixel rows holding the pages' colour, in each half.
        int barsSeen = 0;
        for (int half = 0; half < 2; ++half) {
            bool inBar = false;
            for (int y = 0; y < image.height(); ++y) {
                bool barRow = false;
                for (int x = half * 200; x < half * 200 + 200; ++x)
                    barRow = barRow || image.pixelColor(x, y) == QColor(35, 70, 127);
                barsSeen += barRow && !inBar;
                inBar = barRow;
            }
        }
        EXPECT_EQ(barsSeen, 10) << height;
    }
}

}  // namespace
}  // namespace trafikon
