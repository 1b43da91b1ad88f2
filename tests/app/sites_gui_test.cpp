// SPDX-License-Identifier: GPL-3.0-or-later
// Several sites in the windows: the site manager and the main window's chooser.
#include <gtest/gtest.h>

#include <filesystem>

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/main_window.h"
#include "app/site_manager_dialog.h"
#include "shell_fixture_qt.h"
#include "store/site_list.h"
#include "text/extra_texts.h"
#include "ui/site_title_qt.h"
#include "ui/text_convert_qt.h"
#include "views/analysis/analysis_window.h"
#include "views/synthesis/general_window.h"

namespace trafikon {
namespace {

using testing::ProgramFolder;
using testing::WriteRaw;
using Answer = MessageService::Answer;

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

TEST(SiteManager, DeleteRefusesSiteOneAndNamesWhatGoesBeforeDeletingAnother) {
    ProgramFolder folder;
    folder.Prepare();
    ASSERT_EQ(AddSite(folder.dir(), "Blog"), 2);
    WriteRaw(folder.dir() + "data/2/log-2026-11.log", "a line\r\n");
    StartUp(folder.dir(), {});
    SiteManagerDialog manager(folder.dir());
    ASSERT_EQ(manager.model()->rowCount(), 2);

    manager.SelectSite(1);
    manager.BDeleteClick();
    EXPECT_EQ(folder.messages.shown.last(), Tr(lang::kSiteOneKept));
    EXPECT_TRUE(Exists(folder.site() + "param.tfd"));

    manager.SelectSite(2);
    folder.messages.answers = {Answer::Cancel};
    manager.BDeleteClick();
    const QString question = folder.messages.shown.last();
    EXPECT_TRUE(question.contains("Blog")) << question.toStdString();
    EXPECT_TRUE(question.contains(QString::fromStdString(folder.dir() + "data/2/")));
    EXPECT_TRUE(Exists(folder.dir() + "data/2/log-2026-11.log"));

    manager.BDeleteClick();  // answered OK
    EXPECT_FALSE(Exists(folder.dir() + "data/2"));
    EXPECT_TRUE(Exists(folder.site() + "param.tfd"));
    EXPECT_EQ(manager.model()->rowCount(), 1);
}

TEST(SiteChooser, ShownOnlyWithSeveralSitesAndSwitchesTheSiteAndTitles) {
    ProgramFolder folder;
    folder.Prepare();
    {
        TFPrincipal window(folder.dir());
        window.show();
        window.FormShow();
        QApplication::processEvents();  // the tool bar lays out its items
        EXPECT_FALSE(window.siteChooser()->isVisibleTo(&window));
        EXPECT_EQ(window.windowTitle(), "Trafikon");
    }
    ASSERT_EQ(AddSite(folder.dir(), "Blog"), 2);
    WriteRaw(folder.dir() + "data/2/log-2026-11.log", "");
    TFPrincipal window(folder.dir());
    window.show();
    window.FormShow();
    QApplication::processEvents();
    EXPECT_TRUE(window.siteChooser()->isVisibleTo(&window));
    EXPECT_EQ(window.siteChooser()->count(), 2);
    EXPECT_EQ(window.windowTitle(), "Trafikon - " + Tr(lang::kSiteNumbered).arg(1));

    ASSERT_TRUE(window.SwitchSite(2));
    EXPECT_EQ(App().siteDir, folder.dir() + "data/2/");
    EXPECT_EQ(window.siteChooser()->currentText(), "Blog");
    EXPECT_EQ(window.windowTitle(), "Trafikon - Blog");
    EXPECT_EQ(WithSiteName("Setup"), "Setup - Blog");  // the dialogs acting on the site
    EXPECT_EQ(window.general()->rowCount(), 1);
    EXPECT_EQ(ReadChosenSite(folder.dir()), 2);
    int checked = 0;
    for (QAction* item : window.siteMenu()->actions())
        if (item->isChecked()) {
            ++checked;
            EXPECT_TRUE(item->text().endsWith("Blog"));
        }
    EXPECT_EQ(checked, 1);
}

TEST(SiteChooser, AnAnalysisWindowKeepsItsSitesSettingsOnceAnotherIsShown) {
    ProgramFolder folder;
    folder.Prepare();
    WriteRaw(folder.site() + "param.tfd", "https://a.example\r\n");
    ASSERT_EQ(AddSite(folder.dir(), "B"), 2);
    WriteRaw(folder.dir() + "data/2/param.tfd", "https://b.example\r\n");
    StartUp(folder.dir(), {});
    TFAnalyse analysis("2026-11");
    EXPECT_EQ(analysis.siteUrl(), "https://a.example");
    ChooseSite(2);
    EXPECT_EQ(analysis.siteUrl(), "https://a.example");
    ChooseSite(1);
    App().settings[1] = "https://a2.example";  // as the settings dialog saves it
    EXPECT_EQ(analysis.siteUrl(), "https://a2.example");
}

}  // namespace
}  // namespace trafikon
