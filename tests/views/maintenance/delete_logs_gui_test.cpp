// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <set>

#include "state/app_state.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "support/scripted_messages_qt.h"
#include "support/store_records.h"
#include "support/temp_dir.h"
#include "text/extra_texts.h"
#include "ui/text_convert_qt.h"
#include "views/maintenance/delete_logs_dialog.h"

namespace trafikon {
namespace {

std::set<std::string> Listing(const std::string& dir) {
    std::set<std::string> names;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..")
            names.insert(n);
    }
    closedir(d);
    return names;
}

class DeleteDialogTest : public ::testing::Test {
  protected:
    testing::TempDir dir;
    testing::ScriptedMessages messages;
    std::string site = dir.path() + "/";

    void SetUp() override {
        App().language.Assign(BuiltInFrench());
        App().siteDir = site;
        for (const char* key : {"2004-05", "2004-06", "2004-07"}) {
            testing::WriteRaw(site + LogFileName(key), "x");
            testing::WriteRaw(site + FormatFileName(key), "x");
            testing::WriteRaw(site + TimeFileName(key), "x");
            for (const std::string& name : AnalysisFileNames(key))
                testing::WriteRaw(site + name, "x");
        }
        testing::WriteRaw(site + "format.log", "x");
        testing::WriteRaw(site + "param.tfd", "x");
    }

    QListWidget* Months(TFSupprLog& d) { return d.findChild<QListWidget*>("LBListDate"); }
    QStringList Keys(TFSupprLog& d) {
        QStringList keys;
        for (int i = 0; i < Months(d)->count(); ++i)
            keys << Months(d)->item(i)->text();
        return keys;
    }
};

TEST_F(DeleteDialogTest, ShowsMonthsNewestFirst) {
    TFSupprLog dialog;
    dialog.show();
    EXPECT_EQ(Keys(dialog), (QStringList{"2004-07", "2004-06", "2004-05"}));
    EXPECT_EQ(dialog.windowTitle(), "Suppression de Logs");
    EXPECT_EQ(App().storedMonths.size(), 3u);
}

TEST_F(DeleteDialogTest, DeletingTheAnalysisKeepsTheMonthUnanalysed) {
    TFSupprLog dialog;
    dialog.show();
    Months(dialog)->item(2)->setSelected(true);
    dialog.findChild<QPushButton*>("BSupprAnalyse")->click();
    EXPECT_EQ(Keys(dialog).size(), 3);
    const auto names = Listing(dir.path());
    EXPECT_TRUE(names.count("log-2004-05.log"));
    EXPECT_TRUE(names.count("format-2004-05.tfd"));
    EXPECT_FALSE(names.count("mon-2004-05.tfd"));  // the synthesis shows "*"
    EXPECT_FALSE(names.count("log-2004-05.eur"));
    EXPECT_TRUE(names.count("mon-2004-06.tfd"));
    EXPECT_EQ(ListStoredMonths(site).size(), 3u);
}

TEST_F(DeleteDialogTest, DeletingAnalysisAndLogOfTopAndBottomMonths) {
    TFSupprLog dialog;
    dialog.show();
    Months(dialog)->item(0)->setSelected(true);
    Months(dialog)->item(2)->setSelected(true);
    dialog.findChild<QPushButton*>("BSupprAnalyseLog")->click();
    EXPECT_EQ(Keys(dialog), QStringList{"2004-06"});
    EXPECT_EQ(ListStoredMonths(site), std::vector<std::string>{"2004-06"});
    for (const std::string& name : Listing(dir.path()))
        EXPECT_TRUE(name.find("2004-05") == std::string::npos &&
                    name.find("2004-07") == std::string::npos)
            << name;
    EXPECT_TRUE(Listing(dir.path()).count("param.tfd"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(DeleteDialogTest, DeletingEverythingAsksFirst) {
    TFSupprLog dialog;
    dialog.show();
    const auto before = Listing(dir.path());
    messages.answers = {MessageService::Answer::Cancel};
    dialog.findChild<QPushButton*>("BSupprAll")->click();
    EXPECT_EQ(messages.shown, QStringList{Tr(174)});
    EXPECT_EQ(Listing(dir.path()), before);
    EXPECT_EQ(Keys(dialog).size(), 3);

    dialog.findChild<QPushButton*>("BSupprAll")->click();  // OK
    EXPECT_EQ(Listing(dir.path()),
              (std::set<std::string>{"format.log", "param.tfd", "store.lock"}));
    EXPECT_EQ(Keys(dialog).size(), 0);
}

TEST_F(DeleteDialogTest, TheMonthInHandOfTheAnalysisIsNotDeleted) {
    App().analysisRunning = true;
    App().monthInAnalysis = "2004-06";
    TFSupprLog dialog;
    dialog.show();
    Months(dialog)->item(1)->setSelected(true);
    Months(dialog)->item(2)->setSelected(true);
    dialog.findChild<QPushButton*>("BSupprAnalyseLog")->click();
    EXPECT_EQ(Keys(dialog), (QStringList{"2004-07", "2004-06"}));
    EXPECT_EQ(messages.shown, QStringList{"2004-06 : " + Tr(lang::kMonthBeingAnalysedText)});
    EXPECT_TRUE(Listing(dir.path()).count("lfp-2004-06.tfd"));
    dialog.findChild<QPushButton*>("BSupprAll")->click();
    EXPECT_EQ(messages.shown.back(), Tr(lang::kDeleteAllDuringAnalysisText));
    EXPECT_EQ(ListStoredMonths(site).size(), 2u);
    App().analysisRunning = false;
    App().monthInAnalysis.clear();
}

TEST_F(DeleteDialogTest, AStoreHeldByAnotherWriterIsNotTouched) {
    TFSupprLog dialog;
    dialog.show();
    const auto before = Listing(dir.path());
    Months(dialog)->item(0)->setSelected(true);
    {
        const StoreWriteLock otherImport(site);
        dialog.findChild<QPushButton*>("BSupprAnalyseLog")->click();
    }
    EXPECT_EQ(messages.shown, QStringList{Tr(lang::kStoreBusyText)});
    auto after = Listing(dir.path());
    after.erase("store.lock");
    EXPECT_EQ(after, before);
}

TEST_F(DeleteDialogTest, NoStoredMonthSaysSoAndDoesNotOpen) {
    testing::TempDir empty;
    App().siteDir = empty.path() + "/";
    TFSupprLog dialog;
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(messages.shown, QStringList{QString::fromUtf8("Rien à supprimer")});
}

}  // namespace
}  // namespace trafikon
