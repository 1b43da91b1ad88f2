// SPDX-License-Identifier: GPL-3.0-or-later
// The selections dialog of the main window: a malformed condition is told
// with its position, a run opens the analysis titled with the selection's
// name, an empty one says so, and deleting removes the selection's folder.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "app/exclusions_dialog.h"
#include "app/main_window.h"
#include "app/selections_dialog.h"
#include "engine/line_exclusions.h"
#include "shell_fixture_qt.h"
#include "state/named_selections.h"
#include "store/data_store.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"

namespace trafikon {
namespace {

using testing::ProgramFolder;

void Type(SelectionsDialog& d, const char* name, const char* where) {
    d.nameEdit()->setText(QString::fromLatin1(name));
    d.fromEdit()->setText(QStringLiteral("2004-05-02"));
    d.toEdit()->setText(QStringLiteral("2004-05-31"));
    d.whereEdit()->setText(QString::fromLatin1(where));
}

// A run goes on its worker; the dialog takes its end in the event loop.
void RunAndWait(SelectionsDialog& d) {
    d.Run();
    ASSERT_TRUE(testing::WaitUntil([&] { return !d.running(); }, 30000));
}

TEST(SelectionsDialog, RunsOpensTellsAndDeletes) {
    ProgramFolder folder;
    folder.Prepare();
    testing::WriteRaw(folder.site() + LogFileName("2004-05"),
                      "1.1.1.1 - - [01/May/2004:10:00:00 +0200] \"GET /a HTTP/1.0\" 404 1\r\n"
                      "1.1.1.2 - - [02/May/2004:10:00:00 +0200] \"GET /b HTTP/1.0\" 404 1\r\n"
                      "1.1.1.3 - - [03/May/2004:10:00:00 +0200] \"GET /c HTTP/1.0\" 200 1\r\n");
    testing::WriteRaw(folder.site() + FormatFileName("2004-05"),
                      "h\r\nl\r\nu\r\nt\r\nr\r\ns\r\nb\r\n");
    TFPrincipal window(folder.dir());
    window.show();
    window.FormShow();
    window.Selections1Click();
    auto* dialog = window.findChild<SelectionsDialog*>();
    ASSERT_NE(dialog, nullptr);

    Type(*dialog, "Erreurs de mai", "status=4044");
    RunAndWait(*dialog);
    ASSERT_FALSE(folder.messages.shown.isEmpty());
    EXPECT_TRUE(folder.messages.shown.last().contains(QStringLiteral("position 8")));
    EXPECT_EQ(dialog->list()->count(), 0);

    Type(*dialog, "Erreurs de mai", "status=404");
    const int before = static_cast<int>(window.mdiArea()->subWindowList().size());
    RunAndWait(*dialog);
    ASSERT_EQ(window.mdiArea()->subWindowList().size(), before + 1);
    EXPECT_TRUE(window.mdiArea()->activeSubWindow()->widget()->windowTitle().endsWith(
        QStringLiteral("Erreurs de mai")));
    const std::string saved = NamedSelectionFolder(folder.site(), "Erreurs de mai");
    EXPECT_EQ(testing::ReadRaw(saved + LogFileName("2004-05")),
              "1.1.1.2 - - [02/May/2004:10:00:00 +0200] \"GET /b HTTP/1.0\" 404 1\r\n");
    EXPECT_EQ(dialog->list()->count(), 1);

    Type(*dialog, "Vide", "status=418");
    RunAndWait(*dialog);
    EXPECT_EQ(folder.messages.shown.last(), Tr(lang::kSelectionNoLine));

    dialog->list()->setCurrentRow(0);
    EXPECT_EQ(dialog->whereEdit()->text(), QStringLiteral("status=404"));
    dialog->Delete();
    EXPECT_FALSE(DirectoryExists(saved));
    ASSERT_EQ(LoadNamedSelections(folder.site()).size(), 1u);
    EXPECT_EQ(LoadNamedSelections(folder.site()).front().name, "Vide");

    // Exclusions are checked line by line; once saved, the excluded host is
    // left out of the selection too; emptied, the file goes.
    ExclusionsDialog exclusions(dialog);
    exclusions.editor()->setPlainText(QStringLiteral("host=10.0.0.0/8\nstat=1\n"));
    EXPECT_FALSE(exclusions.Save());
    EXPECT_TRUE(folder.messages.shown.last().contains(QStringLiteral("line 2: position 1")));
    exclusions.editor()->setPlainText(QStringLiteral("# ours\nhost=1.1.1.2\n"));
    ASSERT_TRUE(exclusions.Save());
    Type(*dialog, "Erreurs de mai", "status=404");
    RunAndWait(*dialog);
    EXPECT_EQ(folder.messages.shown.last(), Tr(lang::kSelectionNoLine));
    exclusions.editor()->setPlainText(QStringLiteral("# none\n"));
    ASSERT_TRUE(exclusions.Save());
    EXPECT_FALSE(FileExists(folder.site() + std::string(kExclusionsFileName)));
}

}  // namespace
}  // namespace trafikon
