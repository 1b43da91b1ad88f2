// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

TEST(SettingsTest, LanguageCodeIsTheTwoCharactersBeforeTheLast) {
    const std::pair<std::string, std::string> cases[] = {
        {"Fran\xe7"
         "ais (fr)",
         "fr"},
        {"English (en)", "en"},
        {"Deutsch (de)", "de"},
        {"fr", "fr"},  // a bare code
        {"en", "en"},
        {"f", "f"},
        {"", ""},
        {"(x)", "(x"},
        {"Deutsch (de) ", "e)"},  // the rule counts from the very end
    };
    for (const auto& [text, code] : cases) {
        Settings s;
        s[4] = text;
        EXPECT_EQ(s.languageCode(), code) << text;
        EXPECT_EQ(LanguageCodeOf(text), code) << text;
    }
}

TEST(SettingsTest, OnlyRetourOnShowsAllStatusCodes) {
    const std::pair<std::string, bool> cases[] = {
        {"Retour On", true},   {"Retour Off", false}, {"retour on", false},
        {"Retour On ", false}, {"", false},
    };
    for (const auto& [text, on] : cases) {
        Settings s;
        s[2] = text;
        EXPECT_EQ(s.showAllStatusCodes(), on) << text;
    }
}

TEST(SettingsTest, LoadFromFileOfAnyLength) {
    struct Case {
        const char* name;
        std::string bytes;  // empty optional: no file
        bool present;
        std::array<std::string, 13> expected;
    };
    const Case cases[] = {
        {"missing file gives defaults",
         "",
         false,
         {"", "", "40", "fr", "", "", "", "", "", "", "", "", ""}},
        {"empty file reads all empty", "", true, {}},
        {"four lines",
         "http://www.example.org\r\nRetour On\r\n12\r\nEnglish (en)\r\n",
         true,
         {"http://www.example.org", "Retour On", "12", "English (en)", "", "", "", "", "", "", "",
          "", ""}},
        {"more than thirteen lines keep the first thirteen",
         "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n",
         true,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}},
        {"unix line ends and high bytes",
         "a\n\nx\nFran\xe7"
         "ais (fr)",
         true,
         {"a", "", "x",
          "Fran\xe7"
          "ais (fr)",
          "", "", "", "", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string site = dir.path() + "/";
        if (c.present)
            WriteRaw(site + "param.tfd", c.bytes);
        Settings s;
        s.values.fill("stale");
        LoadSettings(site, s);
        EXPECT_EQ(s.values, c.expected);
        EXPECT_EQ(std::filesystem::exists(site + "param.tfd"), c.present);  // never written
    }
}

TEST(SettingsTest, FourLineFileSavesBackThirteenLines) {
    TempDir dir;
    const std::string prog = dir.path() + "/";
    const std::string site = prog + "data/1/";
    WriteRaw(site + "param.tfd", "url\r\nRetour Off\r\n40\r\nfr\r\n");
    Settings s;
    LoadSettings(site, s);
    SaveSettings(site, prog, s);
    const std::string expected = "url\r\nRetour Off\r\n40\r\nfr\r\n" + std::string(
                                                                           "\r\n\r\n\r\n\r\n\r\n"
                                                                           "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(ReadRaw(site + "param.tfd"), expected);
    EXPECT_EQ(ReadRaw(prog + "conf.tfd"), expected);
}

TEST(SettingsTest, UnreadableFileIsReportedNotReplacedByDefaults) {
    TempDir dir;
    const std::string site = dir.path() + "/";
    std::filesystem::create_directory(site + "param.tfd");  // cannot be read as a file
    Settings s;
    EXPECT_THROW(LoadSettings(site, s), IoError);
}

TEST(SettingsTest, SaveFailureNamesTheFile) {
    TempDir dir;
    const std::string prog = dir.path() + "/";
    Settings s;
    try {
        SaveSettings(prog + "data/1/", prog, s);  // site folder missing
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), prog + "data/1/param.tfd");
    }
    EXPECT_FALSE(std::filesystem::exists(prog + "conf.tfd"));  // param.tfd comes first
}

}  // namespace
}  // namespace trafikon
