#include "import/add_log_dialog.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "../shell/shell_fixture_qt.h"
#include "import/log_format.h"
#include "shell/main_window.h"
#include "shell/text_convert_qt.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "views/synthesis/general_window.h"

namespace trafikon {
namespace {

using testing::GenerateLog;
using testing::ProgramFolder;
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
    EXPECT_EQ(folder.messages.shown.mid(0, 2), (QStringList{Tr(77), Tr(76)}));
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

}  // namespace
}  // namespace trafikon
