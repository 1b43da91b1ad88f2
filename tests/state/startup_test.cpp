// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "state/app_state.h"
#include "store/store_lock.h"
#include "store/text_file.h"
#include "support/language_file_bytes.h"
#include "support/temp_dir.h"
#include "text/extra_texts.h"

namespace trafikon {
namespace {

using testing::FileBytes;
using testing::LanguageFile;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

// Runs StartUp with hooks that record what they were asked.
struct StartUpRun {
    std::string chosenLanguage = "English (en)";
    int chooserCalls = 0;
    std::vector<std::string> messages;

    void Run(const std::string& programDir) {
        StartUpHooks hooks;
        hooks.chooseLanguage = [this] {
            ++chooserCalls;
            // The chooser lists the language files, so they exist by now.
            EXPECT_TRUE(FileExists(App().programDir + "fr.tfl"));
            return chosenLanguage;
        };
        hooks.showMessage = [this](const std::string& m) { messages.push_back(m); };
        StartUp(programDir, hooks);
    }
};

// Settings file of a site whose language setting is `language`.
void WriteSettings(const std::string& prog, const std::string& language) {
    WriteRaw(prog + "data/1/param.tfd", "\r\nRetour Off\r\n40\r\n" + language + "\r\n");
}

class StartUpTest : public ::testing::Test {
  protected:
    void TearDown() override { ShutDown(); }
    TempDir dir;
    std::string prog = dir.path() + "/";
};

TEST_F(StartUpTest, FirstRunInEmptyProgramFolder) {
    StartUpRun run;
    run.Run(prog);

    EXPECT_EQ(ReadRaw(prog + "fr.tfl"), FileBytes(BuiltInFrench()));
    EXPECT_EQ(ReadRaw(prog + "en.tfl"), FileBytes(BuiltInEnglish()));
    EXPECT_TRUE(std::filesystem::is_directory(prog + "data/1"));
    EXPECT_EQ(run.chooserCalls, 1);
    EXPECT_TRUE(run.messages.empty());

    const std::string settings =
        "\r\nRetour Off\r\n40\r\nEnglish (en)\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(ReadRaw(prog + "data/1/param.tfd"), settings);
    EXPECT_EQ(ReadRaw(prog + "conf.tfd"), settings);

    const AppState& app = App();
    EXPECT_EQ(app.programDir, prog);
    EXPECT_EQ(app.siteDir, prog + "data/1/");
    EXPECT_EQ(app.settings[4], "English (en)");
    EXPECT_EQ(app.Text(0), "English");
    EXPECT_EQ(app.Text(193), BuiltInEnglish()[193]);
    EXPECT_TRUE(app.storedMonths.empty());

    // The next start reads the settings and asks nothing.
    StartUpRun second;
    second.Run(prog);
    EXPECT_EQ(second.chooserCalls, 0);
    EXPECT_EQ(App().Text(0), "English");
}

TEST_F(StartUpTest, ProgramFolderWithoutTrailingSlash) {
    StartUpRun run;
    run.Run(dir.path());
    EXPECT_EQ(App().programDir, prog);
    EXPECT_TRUE(FileExists(prog + "data/1/param.tfd"));
}

// A store that trafikon-batch made has months but no settings file: the
// first start of the desktop program still asks for the language.
TEST_F(StartUpTest, SiteFolderWithoutSettingsFileAsksForTheLanguage) {
    std::filesystem::create_directories(prog + "data/1");
    WriteRaw(prog + "data/1/format.log", "h l u t r s b R U\r\n");
    StartUpRun run;
    run.Run(prog);
    EXPECT_EQ(run.chooserCalls, 1);
    EXPECT_EQ(App().settings[3], "40");
    EXPECT_EQ(App().settings[4], "English (en)");
    EXPECT_EQ(App().Text(0), "English");
    EXPECT_TRUE(FileExists(prog + "data/1/param.tfd"));
}

TEST_F(StartUpTest, MissingFrenchFileRewritesBothOverAnEditedEnglish) {
    WriteSettings(prog, "English (en)");
    WriteRaw(prog + "en.tfl", LanguageFile("Anglais", 194));
    StartUpRun run;
    run.Run(prog);
    EXPECT_EQ(ReadRaw(prog + "fr.tfl"), FileBytes(BuiltInFrench()));
    EXPECT_EQ(ReadRaw(prog + "en.tfl"), FileBytes(BuiltInEnglish()));
    EXPECT_EQ(App().Text(0), "English");
    EXPECT_TRUE(run.messages.empty());
}

TEST_F(StartUpTest, LanguageFilesByEntryCount) {
    struct Case {
        const char* name;
        std::string language;  // setting 4
        std::string file, bytes;
        std::string firstEntry;
        bool message;
    };
    const Case cases[] = {
        {"english of 193 lines is rewritten silently", "English (en)", "en.tfl",
         LanguageFile("Short", 193), "English", false},
        {"complete further language is used as it is", "Deutsch (de)", "de.tfl",
         LanguageFile("Deutsch", 194), "Deutsch", false},
        {"damaged further language gives the reset message and French", "Deutsch (de)", "de.tfl",
         LanguageFile("Deutsch", 190),
         "Fran\xe7"
         "ais",
         true},
        {"language without a file falls back to French silently", "Italiano (it)", "", "",
         "Fran\xe7"
         "ais",
         false},
        {"bare code", "en", "", "", "English", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir d;
        const std::string p = d.path() + "/";
        BuiltInTexts(p);
        WriteSettings(p, c.language);
        if (!c.file.empty())
            WriteRaw(p + c.file, c.bytes);
        StartUpRun run;
        run.Run(p);
        EXPECT_EQ(App().Text(0), c.firstEntry);
        EXPECT_EQ(App().language.size(), static_cast<std::size_t>(lang::kAllEntryCount));
        EXPECT_EQ(run.chooserCalls, 0);
        if (c.message) {
            EXPECT_EQ(run.messages, std::vector<std::string>{BuiltInFrench()[193]});
        } else {
            EXPECT_TRUE(run.messages.empty());
        }
        EXPECT_EQ(ReadRaw(p + "en.tfl"), FileBytes(BuiltInEnglish()));
        EXPECT_EQ(App().settings[4], c.language);  // never changed by the fallback
    }
}

TEST_F(StartUpTest, FurtherLanguageIsListed) {
    BuiltInTexts(prog);
    WriteRaw(prog + "de.tfl", LanguageFile("Deutsch", 194));
    WriteSettings(prog, "Deutsch (de)");
    StartUpRun run;
    run.Run(prog);
    EXPECT_EQ(ListLanguages(App().programDir),
              (std::vector<std::string>{"Deutsch (de)", "English (en)",
                                        "Fran\xe7"
                                        "ais (fr)"}));
}

TEST_F(StartUpTest, SiteFolderThatCannotBeCreatedIsReported) {
    WriteRaw(prog + "data", "a file where the store's folder belongs");
    StartUpRun run;
    try {
        run.Run(prog);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(e.path().find("data/1"), std::string::npos);
        EXPECT_FALSE(e.reason().empty());
    }
    EXPECT_EQ(run.chooserCalls, 0);  // nothing asked before the folder exists
    // The window still gets its texts.
    EXPECT_FALSE(App().Text(1).empty());
}

TEST_F(StartUpTest, UnreadableSettingsAreReportedAfterTheTextsAreLoaded) {
    std::filesystem::create_directories(prog + "data/1/param.tfd");  // a folder cannot be read
    StartUpRun run;
    EXPECT_THROW(run.Run(prog), IoError);
    EXPECT_FALSE(App().Text(1).empty());
}

TEST_F(StartUpTest, AJournalIsRolledBackOnlyWhenNoOtherWriterHoldsTheStore) {
    WriteSettings(prog, "English (en)");
    const std::string site = prog + "data/1/";
    WriteRaw(site + "log-2002-03.log", "line\r\n");
    WriteRaw(site + "import.journal", "2002-03\t-1\t-1\t-\n");
    StartUpRun run;
    {
        const StoreWriteLock otherImport(site);  // its journal is live
        run.Run(prog);
        EXPECT_TRUE(FileExists(site + "log-2002-03.log"));
        EXPECT_TRUE(FileExists(site + "import.journal"));
    }
    ShutDown();
    run.Run(prog);
    EXPECT_FALSE(FileExists(site + "log-2002-03.log"));
    EXPECT_FALSE(FileExists(site + "import.journal"));
    EXPECT_FALSE(IsStoreBeingWritten(site));  // the program keeps no lock while it only reads
}

TEST_F(StartUpTest, ShutDownReleasesTheSharedLists) {
    StartUpRun run;
    run.Run(prog);
    App().storedMonths = {"2024-01"};
    ShutDown();
    EXPECT_EQ(App().language.size(), 0u);
    EXPECT_TRUE(App().storedMonths.empty());
    EXPECT_EQ(App().Text(0), "");
}

}  // namespace
}  // namespace trafikon
