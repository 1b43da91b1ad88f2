// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/import/add_log_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "app/main_window.h"
#include "app/shell_fixture_qt.h"
#include "import/format_detection.h"
#include "store/data_store.h"
#include "store/log_format.h"
#include "store/text_file.h"
#include "text/extra_texts.h"
#include "ui/message_service_qt.h"
#include "ui/text_convert_qt.h"
#include "views/synthesis/general_window.h"

namespace trafikon {
namespace {

using testing::GenerateLog;
using testing::ProgramFolder;
using testing::ReadRaw;
using testing::WaitUntil;
using testing::WhenModalShows;
using testing::WriteRaw;

QString CodeText(char code) {
    return Tr(FieldTextEntry(code));
}

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList CodeTexts(std::string_view codes) {
    QStringList texts;
    for (char code : codes)
        texts << CodeText(code);
    return texts;
}

void DoubleClickRow(QListWidget* list, int row) {
    list->setCurrentRow(row);
    emit list->itemDoubleClicked(list->item(row));
}

// A started program folder with its language loaded.
class AddLogDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Prepare();
        StartUp(folder.dir(), {});
    }
    // Opens the dialog as the main window would (FormShow runs on show).
    void Open() {
        dialog.hide();
        dialog.show();
        folder.messages.shown.clear();
    }

    ProgramFolder folder;
    TFAjoutLog dialog;
};

TEST_F(AddLogDialogTest, WithoutSavedFormatItAsksForOneAndOpensExpanded) {
    dialog.show();
    EXPECT_EQ(folder.messages.shown, QStringList{Tr(82)});
    EXPECT_TRUE(dialog.expanded());
    EXPECT_EQ(dialog.height(), TFAjoutLog::kExpandedHeight);
    EXPECT_EQ(Texts(dialog.allFields()), CodeTexts("hlutrIsbRUvdHMN"));
    EXPECT_EQ(dialog.formatFields()->count(), 0);
    EXPECT_EQ(dialog.progressBar()->value(), 0);
    dialog.BDetailsClick();
    EXPECT_FALSE(dialog.expanded());
    EXPECT_EQ(dialog.height(), TFAjoutLog::kCompactHeight);
}

TEST_F(AddLogDialogTest, ReturnInAFieldListMovesTheSelectedFieldAndLeavesTheDialogOpen) {
    Open();
    dialog.allFields()->setCurrentRow(0);
    QTest::keyClick(dialog.allFields(), Qt::Key_Return);
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("h"));
    dialog.formatFields()->setCurrentRow(0);
    QTest::keyClick(dialog.formatFields(), Qt::Key_Enter);
    EXPECT_EQ(dialog.formatFields()->count(), 0);
    // OK was not pressed: it would have said that no file was chosen.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(folder.messages.shown.isEmpty());
}

TEST_F(AddLogDialogTest, SavedIisFormatPresetsBothListsAndKeepsNOnTheLeft) {
    WriteFormatFile(folder.site() + "format.log", kIisDefault.format);
    Open();
    EXPECT_TRUE(folder.messages.shown.isEmpty());
    EXPECT_FALSE(dialog.expanded());
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("dHhuNNMINsU"));
    EXPECT_EQ(Texts(dialog.allFields()), CodeTexts("ltrbRvN"));
}

TEST_F(AddLogDialogTest, NCanBeAddedAnyNumberOfTimesAndOtherFieldsOnlyOnce) {
    Open();
    const int nRow = static_cast<int>(Texts(dialog.allFields()).indexOf(CodeText('N')));
    for (int i = 0; i < 3; ++i)
        DoubleClickRow(dialog.allFields(), nRow);
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("NNN"));
    EXPECT_TRUE(Texts(dialog.allFields()).contains(CodeText('N')));
    DoubleClickRow(dialog.allFields(), 0);  // h leaves the left list
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("NNNh"));
    EXPECT_FALSE(Texts(dialog.allFields()).contains(CodeText('h')));
    DoubleClickRow(dialog.formatFields(), 0);  // an N goes back: two on the left now
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("NNh"));
    EXPECT_EQ(Texts(dialog.allFields()).count(CodeText('N')), 2);
    EXPECT_TRUE(dialog.allFields()->selectedItems().isEmpty());
}

TEST_F(AddLogDialogTest, UpAndDownMoveTheSelectedFieldWithinBounds) {
    struct Case {
        int selected;  // -1: no selection
        bool up;
        const char* after;
        int selectedAfter;
    };
    const Case cases[] = {
        {1, false, "hsl", 2}, {2, false, "hls", 2},  {0, true, "hls", 0},
        {2, true, "hsl", 1},  {-1, true, "hls", -1},
    };
    for (const Case& c : cases) {
        Open();
        for (char code : {'h', 'l', 's'})
            DoubleClickRow(dialog.allFields(),
                           static_cast<int>(Texts(dialog.allFields()).indexOf(CodeText(code))));
        QListWidget* format = dialog.formatFields();
        format->setCurrentRow(c.selected);
        if (c.selected < 0)
            format->clearSelection();
        c.up ? dialog.BUpClick() : dialog.BDownClick();
        EXPECT_EQ(Texts(format), CodeTexts(c.after)) << c.selected << c.up;
        if (c.selectedAfter >= 0) {
            EXPECT_EQ(format->currentRow(), c.selectedAfter);
        }
    }
}

TEST_F(AddLogDialogTest, DefaultsFillBothListsInTheirOrders) {
    Open();
    dialog.BDefaultEasyPHPClick();
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("hlutrsb"));
    EXPECT_EQ(Texts(dialog.allFields()), CodeTexts("IRUvdHMN"));
    dialog.BDefaultIISClick();
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("dHhuNNMINsU"));
    dialog.BDefaultClick();
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("hlutrsbRU"));
    EXPECT_EQ(Texts(dialog.allFields()), CodeTexts("IvdHMN"));
}

TEST_F(AddLogDialogTest, FileChecksRefuseEmptyAndCommentOnlyFilesAndPreviewTheOthers) {
    Open();
    WriteRaw(folder.temp / "empty.log", "");
    WriteRaw(folder.temp / "comments.log", "#Software: x\r\n#Fields: y\r\n");
    WriteRaw(folder.temp / "a.log", "#header\r\nfirst a line\r\nsecond\r\n");
    WriteRaw(folder.temp / "b.log", "first b line\r\n");
    EXPECT_FALSE(dialog.AddFile(QString::fromStdString(folder.temp / "empty.log")));
    EXPECT_FALSE(dialog.AddFile(QString::fromStdString(folder.temp / "comments.log")));
    EXPECT_FALSE(dialog.AddFile(QString::fromStdString(folder.temp / "missing.log")));
    EXPECT_EQ(folder.messages.shown.mid(0, 2),
              (QStringList{"empty.log\n\n" + Tr(77), "comments.log\n\n" + Tr(76)}));
    ASSERT_EQ(folder.messages.shown.size(), 3);
    EXPECT_TRUE(folder.messages.shown[2].contains("missing.log"));
    EXPECT_EQ(dialog.fileList()->count(), 0);

    dialog.BDefaultEasyPHPClick();
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(folder.temp / "a.log")));
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(folder.temp / "b.log")));
    QTreeWidget* preview = dialog.preview();
    ASSERT_EQ(preview->topLevelItemCount(), 5);
    EXPECT_EQ(preview->topLevelItem(0)->text(0), "first a line");
    EXPECT_EQ(preview->topLevelItem(1)->text(0), "first b line");
    EXPECT_EQ(preview->topLevelItem(2)->text(0), "");
    EXPECT_EQ(preview->topLevelItem(3)->text(0),
              "client.example.com - - [24/Mar/2002:01:37:08 +0100] \"GET /index.php HTTP/1.1\" "
              "304 1248 ");
    EXPECT_EQ(preview->toolTip(), Tr(75));
    // Removing a file leaves the examples as they are.
    dialog.fileList()->setCurrentRow(0);
    dialog.BSupprFileClick();
    EXPECT_EQ(dialog.fileList()->count(), 1);
    EXPECT_EQ(preview->topLevelItemCount(), 5);
}

// The files picked are read on a worker with the dialog saying so; Cancel
// then stops the reading, lists nothing and leaves the dialog open.
TEST_F(AddLogDialogTest, CancelWhileTheFilesAreReadListsNothingAndKeepsTheDialog) {
    Open();
    std::string comments;
    while (comments.size() < (8 << 20))
        comments += "# a comment line that the check reads over, long enough to count\r\n";
    WriteRaw(folder.temp / "a.log", comments + "first a line\r\n");
    WriteRaw(folder.temp / "b.log", "first b line\r\n");
    bool sawReading = false;
    QTimer::singleShot(0, &dialog, [&] {
        sawReading = dialog.reading() && !dialog.okButton()->isEnabled();
        dialog.BCancelClick();
    });
    EXPECT_FALSE(dialog.AddFiles({QString::fromStdString(folder.temp / "a.log"),
                                  QString::fromStdString(folder.temp / "b.log")}));
    EXPECT_TRUE(sawReading);
    EXPECT_FALSE(dialog.reading());
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.fileList()->count(), 0);
    EXPECT_TRUE(folder.messages.shown.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AddLogDialogTest, ConfirmingRefusesNoFilesAndMissingRequiredFields) {
    Open();
    dialog.BOKClick();
    EXPECT_EQ(folder.messages.shown, QStringList{Tr(80)});
    WriteRaw(folder.temp / "a.log", "line one\r\n");
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(folder.temp / "a.log")));
    // A format without s and h.
    for (char code : {'l', 'u', 't', 'r'})
        DoubleClickRow(dialog.allFields(),
                       static_cast<int>(Texts(dialog.allFields()).indexOf(CodeText(code))));
    dialog.BOKClick();
    EXPECT_EQ(folder.messages.shown.last(), Tr(81) + "Retour HTTP, Host");
    EXPECT_FALSE(FileExists(folder.site() + "format.log"));
    EXPECT_FALSE(dialog.importing());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AddLogDialogTest, ImportRunsOnItsWorkerThenTheDialogCloses) {
    Open();
    const std::string log = folder.temp / "access.log";
    GenerateLog(log, 400, 2, "2004-05");
    dialog.BDefaultClick();
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(log)));
    dialog.BOKClick();
    ASSERT_TRUE(dialog.importing());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.cancelButton()->isEnabled());
    dialog.reject();  // Escape or the close box: ignored while the import runs
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.progressBar()->value(), 100);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(ReadFormatFile(folder.site() + "format.log"), "hlutrsbRU");
    EXPECT_EQ(ListStoredMonths(folder.site()), (std::vector<std::string>{"2004-05", "2004-06"}));
    EXPECT_TRUE(folder.messages.shown.isEmpty());
}

TEST_F(AddLogDialogTest, AFileImportedBeforeIsAskedAboutAndStoredOnceUnlessWantedWhole) {
    const std::string log = folder.temp / "access.log";
    GenerateLog(log, 200, 1, "2004-05");
    const auto importWith = [&](MessageService::Answer answer) {
        Open();
        dialog.BDefaultClick();
        ASSERT_TRUE(dialog.AddFile(QString::fromStdString(log)));
        folder.messages.answers = {answer};
        dialog.BOKClick();
        ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    };
    const auto storedLines = [&] {
        const std::string bytes = ReadRaw(folder.site() + "log-2004-05.log");
        return std::count(bytes.begin(), bytes.end(), '\n');
    };
    importWith(MessageService::Answer::No);
    EXPECT_TRUE(folder.messages.shown.isEmpty());  // nothing to ask the first time
    EXPECT_EQ(storedLines(), 200);
    importWith(MessageService::Answer::No);  // its new lines only: none
    ASSERT_EQ(folder.messages.shown.size(), 1);
    EXPECT_TRUE(folder.messages.shown[0].startsWith(Tr(lang::kImportedBeforeText)));
    EXPECT_EQ(storedLines(), 200);
    importWith(MessageService::Answer::Yes);  // whole again
    EXPECT_EQ(storedLines(), 400);
}

TEST_F(AddLogDialogTest, ImportFailureIsShownWithTheFileAndTheReason) {
    Open();
    WriteRaw(folder.temp / "a.log",
             "h - - [24/Mar/2002:01:37:08 +0100] \"GET / HTTP/1.1\" 200 5\r\n");
    dialog.BDefaultClick();
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(folder.temp / "a.log")));
    ::unlink((folder.temp / "a.log").c_str());  // gone before the import reads it
    dialog.BOKClick();
    ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    ASSERT_EQ(folder.messages.shown.size(), 1);
    EXPECT_TRUE(folder.messages.shown[0].contains("a.log"));
}

TEST_F(AddLogDialogTest, LinesWithoutReadableDateAreToldToTheUser) {
    Open();
    WriteRaw(folder.temp / "a.log",
             "h - - [24/Mar/2002:01:37:08 +0100] \"GET / HTTP/1.1\" 200 5\r\n"
             "h - - [broken date] \"GET / HTTP/1.1\" 200 5\r\n");
    dialog.BDefaultEasyPHPClick();
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(folder.temp / "a.log")));
    dialog.BOKClick();
    ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    ASSERT_EQ(folder.messages.shown.size(), 1);
    EXPECT_TRUE(folder.messages.shown[0].contains(": 1 "))
        << folder.messages.shown[0].toStdString();
    EXPECT_TRUE(folder.messages.shown[0].endsWith(
        "\n" + QString::fromStdString(folder.temp / "a.log") + " : 1"));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AddLogThroughMainWindow, ImportedMonthShowsInTheSynthesisWithAStar) {
    ProgramFolder folder;
    folder.Prepare();
    const std::string log = folder.temp / "access.log";
    GenerateLog(log, 200, 1, "2004-05");
    TFPrincipal window(folder.dir());
    window.FormShow();
    WhenModalShows<TFAjoutLog>([&](TFAjoutLog* dialog) {
        dialog->BDefaultClick();
        ASSERT_TRUE(dialog->AddFile(QString::fromStdString(log)));
        dialog->BOKClick();
    });
    window.AjoutdeLog1Click();
    ASSERT_EQ(window.general()->rowCount(), 1);
    EXPECT_EQ(window.general()->model()->Row(0).key, "2004-05");
    EXPECT_EQ(window.general()->model()->Row(0).cells, std::vector<std::string>{"*"});
    EXPECT_EQ(App().storedMonths, std::vector<std::string>{"2004-05"});
}

const std::string kIisLog =
    "#Fields: date time s-ip cs-method cs-uri-stem cs-uri-query s-port cs-username c-ip "
    "cs(User-Agent) cs(Referer) sc-status\n"
    "2015-10-17 16:27:13 10.0.0.9 GET /a - 80 - 10.0.0.1 Mozilla/5.0 - 200\n";

std::string ApacheLine(const std::string& date, bool combined) {
    return "10.0.0.1 - - [" + date + ":10:00:00 +0100] \"GET / HTTP/1.0\" 200 5" +
           (combined ? " \"-\" \"Mozilla\"" : "") + "\n";
}

TEST_F(AddLogDialogTest, DetectedFormatIsOfferedWhenTheShownOneDoesNotFit) {
    WriteFormatFile(folder.site() + "format.log", kIisDefault.format);
    Open();
    const std::string iis = folder.temp / "u_ex151017.log";
    WriteRaw(iis, kIisLog);
    ASSERT_TRUE(dialog.AddFile(QString::fromStdString(iis)));
    EXPECT_EQ(dialog.detectedFormats(), std::vector<FieldFormat>{"dHNMINNuhURs"});
    // The default IIS order gives the user agent to the status: said in red, with a way
    // out; the compact dialog keeps its size and lists the file in red.
    EXPECT_FALSE(dialog.expanded());
    EXPECT_EQ(dialog.fileList()->item(0)->foreground().color(), QColor(0xc0, 0, 0));
    dialog.BDetailsClick();
    EXPECT_FALSE(dialog.misfitLabel()->isHidden());
    EXPECT_TRUE(dialog.misfitLabel()->text().contains("u_ex151017.log"));
    EXPECT_TRUE(dialog.misfitLabel()->text().contains(CodeText('s')));
    EXPECT_TRUE(dialog.misfitLabel()->text().contains(CodeTexts("dHNMINNuhURs").join(", ")));
    ASSERT_FALSE(dialog.useDetectedButton()->isHidden());
    // Imported with its own format, the file needs no warning; the lists stay
    // where they were.
    const auto listPlace = [this] {
        dialog.layout()->activate();
        const QWidget* list = dialog.findChild<QListWidget*>("LBChamps");
        return QRect(list->mapTo(&dialog, QPoint()), list->size());
    };
    const QRect withWarning = listPlace();
    dialog.ownFormatBox()->setChecked(true);
    EXPECT_TRUE(dialog.misfitLabel()->isHidden());
    EXPECT_EQ(listPlace(), withWarning);
    dialog.ownFormatBox()->setChecked(false);
    dialog.useDetectedButton()->click();
    EXPECT_EQ(Texts(dialog.formatFields()), CodeTexts("dHNMINNuhURs"));
    EXPECT_TRUE(dialog.misfitLabel()->isHidden());
    EXPECT_TRUE(dialog.useDetectedButton()->isHidden());
}

TEST_F(AddLogDialogTest, FilesPickedGoOldestFirstEachWithItsOwnFormat) {
    Open();
    dialog.BDefaultClick();
    const std::string newer = folder.temp / "access.log", older = folder.temp / "access.log.1";
    WriteRaw(newer, ApacheLine("01/May/2004", true));
    WriteRaw(older, ApacheLine("30/Apr/2004", false));
    ASSERT_TRUE(dialog.AddFiles({QString::fromStdString(newer)}));
    ASSERT_TRUE(dialog.AddFiles({QString::fromStdString(older)}));  // a second pick
    EXPECT_EQ(Texts(dialog.fileList()),
              (QStringList{QString::fromStdString(older), QString::fromStdString(newer)}));
    dialog.ownFormatBox()->setChecked(true);
    dialog.BOKClick();
    ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    EXPECT_EQ(ReadFormatFile(folder.site() + "format-2004-04.tfd"), "hlutrsb");
    EXPECT_EQ(ReadFormatFile(folder.site() + "format-2004-05.tfd"), "hlutrsbRU");
}

TEST_F(AddLogDialogTest, VirtualHostLinesGoToTheirSitesFoldedAsTheBoxesSay) {
    Open();
    dialog.BDefaultClick();
    const std::string log = folder.temp / "vhost.log";
    const std::string www = "www.example.org " + ApacheLine("01/May/2004", true);
    const std::string bare = "example.org " + ApacheLine("02/May/2004", true);
    WriteRaw(log, www + bare);
    ASSERT_TRUE(dialog.AddFiles({QString::fromStdString(log)}));
    EXPECT_FALSE(dialog.vhostFold()->isVisibleTo(&dialog));  // the format shown has no v
    dialog.ownFormatBox()->setChecked(true);
    ASSERT_TRUE(dialog.vhostFold()->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.vhostFold()->portBox()->isChecked());
    dialog.vhostFold()->wwwBox()->setChecked(false);
    dialog.BOKClick();
    ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    // Without the www box, two sites.
    EXPECT_EQ(ReadRaw(folder.dir() + "data/2/log-2004-05.log"),
              www.substr(0, www.size() - 1) + "\r\n");
    EXPECT_EQ(ReadRaw(folder.dir() + "data/3/log-2004-05.log"),
              bare.substr(0, bare.size() - 1) + "\r\n");
    EXPECT_FALSE(FileExists(folder.site() + "log-2004-05.log"));
    // The end names the sites made; the main window analyses them.
    EXPECT_EQ(dialog.otherSitesFiled(), (std::vector<int>{2, 3}));
    ASSERT_FALSE(folder.messages.shown.isEmpty());
    const QString end = folder.messages.shown.last();
    EXPECT_TRUE(end.startsWith(Tr(lang::kVhostSitesMade))) << end.toStdString();
    EXPECT_TRUE(end.contains(Tr(lang::kSiteNumbered).arg(3) + " : example.org"));
}

TEST_F(AddLogDialogTest, AFileOfUnknownFormatIsNamedBeforeItsImportWithTheFormatShown) {
    Open();
    dialog.BDefaultClick();
    const std::string odd = folder.temp / "odd.log";
    WriteRaw(odd, "10.0.0.1 01/May/2004:10:00:00 GET /a 200\n");
    ASSERT_TRUE(dialog.AddFiles({QString::fromStdString(odd)}));
    ASSERT_TRUE(dialog.detectedFormats()[0].empty());
    dialog.ownFormatBox()->setChecked(true);
    folder.messages.answers = {MessageService::Answer::Cancel};
    dialog.BOKClick();
    ASSERT_EQ(folder.messages.shown.size(), 1);
    EXPECT_TRUE(folder.messages.shown[0].contains(QString::fromStdString(odd)));
    EXPECT_FALSE(dialog.importing());
}

TEST_F(AddLogDialogTest, FileRefusedForItsMonthFormatIsNamedAtTheEnd) {
    Open();
    dialog.BDefaultClick();
    const std::string first = folder.temp / "a.log", second = folder.temp / "b.log";
    WriteRaw(first, ApacheLine("01/May/2004", true));
    WriteRaw(second, ApacheLine("02/May/2004", false));
    ASSERT_TRUE(dialog.AddFiles({QString::fromStdString(first), QString::fromStdString(second)}));
    dialog.ownFormatBox()->setChecked(true);
    dialog.BOKClick();
    ASSERT_TRUE(WaitUntil([&] { return !dialog.importing(); }));
    ASSERT_EQ(folder.messages.shown.size(), 1);
    EXPECT_EQ(folder.messages.shown[0],
              Tr(lang::kMonthFormatRefused)
                  .arg(QString::fromStdString(second), "2004-05", CodeTexts("hlutrsbRU").join(", "),
                       CodeTexts("hlutrsb").join(", ")));
    std::string kept = ApacheLine("01/May/2004", true);
    kept.insert(kept.size() - 1, "\r");
    EXPECT_EQ(ReadRaw(folder.site() + "log-2004-05.log"), kept);
}

TEST(AddLogThroughMainWindow, FilesDroppedOnTheWindowOpenTheDialogWithThem) {
    ProgramFolder folder;
    folder.Prepare();
    const QString newer = QString::fromStdString(folder.temp / "access.log");
    const QString older = QString::fromStdString(folder.temp / "access.log.1");
    WriteRaw(newer.toStdString(), ApacheLine("01/May/2004", true));
    WriteRaw(older.toStdString(), ApacheLine("30/Apr/2004", true));
    TFPrincipal window(folder.dir());
    window.FormShow();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(newer), QUrl::fromLocalFile(older)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QStringList listed;
    WhenModalShows<TFAjoutLog>([&](TFAjoutLog* dialog) {
        // The dropped files are read once the dialog shows, on their worker.
        auto* poll = new QTimer(dialog);
        QObject::connect(poll, &QTimer::timeout, [&listed, dialog, poll] {
            if (dialog->reading() || dialog->fileList()->count() < 2)
                return;
            poll->stop();
            listed = Texts(dialog->fileList());
            dialog->reject();
        });
        poll->start(10);
    });
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    ASSERT_TRUE(WaitUntil([&] { return !listed.isEmpty(); }));
    EXPECT_EQ(listed, (QStringList{older, newer}));
}

}  // namespace
}  // namespace trafikon
