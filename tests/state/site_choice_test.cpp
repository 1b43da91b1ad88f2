// SPDX-License-Identifier: GPL-3.0-or-later
// The site the program shows: chosen, kept across a restart, and with its own
// settings beside the program-wide ones of site 1.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/visit_tally.h"
#include "state/app_state.h"
#include "store/site_list.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

class SiteChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Site 1 in English, with a log folder; site 2 with its own address,
        // visit gap and (stale) language.
        WriteRaw(prog + "data/1/param.tfd",
                 "https://a.example\r\nRetour Off\r\n40\r\nEnglish (en)\r\n\r\n\r\n/logs\r\n\r\n");
        ASSERT_EQ(AddSite(prog, "B", {"b.example"}), 2);
        WriteRaw(prog + "data/2/param.tfd",
                 "https://b.example\r\nRetour On\r\n5\r\nfr\r\n\r\n\r\n/old\r\n\r\n45\r\n");
        WriteRaw(prog + "data/2/log-2026-11.log", "");
        StartUp(prog, {});
    }
    void TearDown() override {
        ShutDown();
        SetVisitGapMinutes(kDefaultVisitGapMinutes);
    }
    TempDir dir;
    std::string prog = dir.path() + "/";
};

TEST_F(SiteChoiceTest, ChosenSiteGivesItsFolderSettingsAndMonthsAndSurvivesARestart) {
    EXPECT_EQ(App().siteNumber, 1);
    ChooseSite(2);
    const AppState& app = App();
    EXPECT_EQ(app.siteNumber, 2);
    EXPECT_EQ(app.siteDir, prog + "data/2/");
    EXPECT_EQ(app.settings.siteUrl(), "https://b.example");
    EXPECT_TRUE(app.settings.showAllStatusCodes());
    EXPECT_EQ(app.settings[4], "English (en)");  // program-wide: site 1's
    EXPECT_EQ(app.settings.lastLogFolder(), "/logs");
    EXPECT_EQ(app.storedMonths, std::vector<std::string>{"2026-11"});
    EXPECT_EQ(VisitGapSeconds(), 45u * 60);

    StartUp(prog, {});
    EXPECT_EQ(App().siteNumber, 2);
    EXPECT_EQ(App().siteDir, prog + "data/2/");
    EXPECT_EQ(App().settings.siteUrl(), "https://b.example");

    // A chosen site that is gone gives site 1 again.
    std::filesystem::remove_all(prog + "data/2");
    StartUp(prog, {});
    EXPECT_EQ(App().siteNumber, 1);
    EXPECT_EQ(App().settings.siteUrl(), "https://a.example");
    EXPECT_THROW(ChooseSite(2), IoError);
    EXPECT_EQ(App().siteNumber, 1);
}

TEST_F(SiteChoiceTest, SavingASitesSettingsKeepsProgramWideOnesInSiteOne) {
    ChooseSite(2);
    Settings settings = App().settings;
    settings[1] = "https://b2.example";
    settings[4] =
        "Fran\xe7"
        "ais (fr)";
    settings[Settings::kLastLogFolder] = "/new";
    SaveSiteSettings(prog, 2, settings);

    Settings first, second;
    LoadSettings(prog + "data/1/", first);
    LoadSettings(prog + "data/2/", second);
    EXPECT_EQ(second.siteUrl(), "https://b2.example");
    EXPECT_EQ(first.siteUrl(), "https://a.example");  // a site's own value stays its own
    EXPECT_EQ(first[4],
              "Fran\xe7"
              "ais (fr)");
    EXPECT_EQ(first.lastLogFolder(), "/new");
    EXPECT_EQ(ReadRaw(prog + "conf.tfd"), ReadRaw(prog + "data/1/param.tfd"));

    ChooseSite(1);
    EXPECT_EQ(App().settings.siteUrl(), "https://a.example");
    EXPECT_EQ(App().settings[4],
              "Fran\xe7"
              "ais (fr)");
    EXPECT_FALSE(App().settings.showAllStatusCodes());
}

}  // namespace
}  // namespace trafikon
