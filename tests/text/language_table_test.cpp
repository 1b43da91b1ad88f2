// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/language_table.h"
#include "text/extra_texts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/text_file.h"
#include "support/language_file_bytes.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::FileBytes;
using testing::LanguageFile;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

TEST(BuiltInTextsTest, EachLanguageHoldsEveryEntry) {
    EXPECT_EQ(BuiltInFrench().size(), static_cast<std::size_t>(lang::kAllEntryCount));
    EXPECT_EQ(BuiltInEnglish().size(), static_cast<std::size_t>(lang::kAllEntryCount));
}

TEST(BuiltInTextsTest, SpotEntriesAreExact) {
    struct Case {
        int entry;
        std::string fr, en;
    };
    const Case cases[] = {
        {0,
         "Fran\xe7"
         "ais",
         "English"},
        {11, "Fen\xeatre", "Window"},
        {17, "Traiter TOUS les fichiers (OUI = Tous ; NON = seulement ceux non trait\xe9s) ?",
         "Analyze ALL files (YES = All; NO = Only the not analyzed log) ?"},
        {46, "Rien \xe0 supprimer", "Nothing to delete"},
        {68,
         "%R-R\xe9"
         "f\xe9rent (\\\"%{Referrer}i\\\")",
         "%R-Referrer"},
        {81,
         "Les informations suivantes sont n\xe9"
         "cessaire : ",
         "Following information must be included : "},
        {107, "Nombre Total : ", "Total Number : "},
        {114, "Top \"Ten\"", "Top \"Ten\""},
        {177, "&URL du site", "Site &URL "},
        {181, "&Enregistrer les param\xe8tres", "Sav&e the settings"},
        {187,
         "Analyse termin\xe9"
         "e",
         "Analyze ended"},
        {188, "Les changements seront effectifs au prochain lancement de l'application",
         "Change will be effective after the next restart of the application"},
        {189, "Fermer", "Close"},
        {190, "Attention, erreur \xe0 la lecture de la ligne : ", "Warning, error on line : "},
        {191, "Souhaitez-vous ignorer la ligne ?", "Do you want to ignore this line ?"},
        {192,
         "Analyse annul\xe9"
         "e",
         "Analyse canceled"},
        {193,
         "Les Fichiers de langues ont \xe9t\xe9 modifi\xe9s suite \xe0 une nouvelle version "
         "(Reinitialisation)",
         "Language files has been modified due to new version (Reset)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuiltInFrench()[c.entry], c.fr) << "entry " << c.entry;
        EXPECT_EQ(BuiltInEnglish()[c.entry], c.en) << "entry " << c.entry;
    }
}

TEST(BuiltInTextsTest, FieldTextsStartWithPercentAndTheirCode) {
    const std::string codes = "hlutrIsbRUvdHMN";  // entries 60 to 74
    for (int i = 0; i < 15; ++i) {
        for (const auto* texts : {&BuiltInFrench(), &BuiltInEnglish()}) {
            const std::string& t = (*texts)[60 + i];
            ASSERT_GE(t.size(), 3u) << 60 + i;
            EXPECT_EQ(t.substr(0, 3), std::string("%") + codes[i] + "-") << 60 + i;
        }
    }
}

TEST(BuiltInTextsTest, AboutLinesAreWrittenInBothLanguages) {
    for (int entry : {184, 186}) {
        EXPECT_FALSE(BuiltInFrench()[entry].empty());
        EXPECT_FALSE(BuiltInEnglish()[entry].empty());
        EXPECT_NE(BuiltInFrench()[entry], BuiltInEnglish()[entry]);
    }
}

// Every entry must stay one line of Windows-1252 text: no line breaks, no
// bytes left over from UTF-8 (Ã followed by a continuation byte).
TEST(BuiltInTextsTest, TextsAreSingleWindows1252Lines) {
    for (const auto* texts : {&BuiltInFrench(), &BuiltInEnglish()}) {
        for (std::size_t i = 0; i < texts->size(); ++i) {
            const std::string& t = (*texts)[i];
            EXPECT_EQ(t.find_first_of("\r\n"), std::string::npos) << i;
            for (std::size_t k = 0; k + 1 < t.size(); ++k) {
                const auto a = static_cast<unsigned char>(t[k]);
                const auto b = static_cast<unsigned char>(t[k + 1]);
                EXPECT_FALSE(a == 0xC3 && b >= 0x80 && b <= 0xBF) << "UTF-8 in entry " << i;
            }
        }
    }
}

TEST(BuiltInTextsTest, WritesBothFilesWithCrLf) {
    TempDir dir;
    const std::string prog = dir.path() + "/";
    WriteRaw(prog + "en.tfl", "old\r\n");
    BuiltInTexts(prog);
    EXPECT_EQ(ReadRaw(prog + "fr.tfl"), FileBytes(BuiltInFrench()));
    EXPECT_EQ(ReadRaw(prog + "en.tfl"), FileBytes(BuiltInEnglish()));
}

TEST(BuiltInTextsTest, WriteFailureNamesTheFile) {
    TempDir dir;
    try {
        BuiltInTexts(dir.path() + "/missing/");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(e.path().find("fr.tfl"), std::string::npos);
        EXPECT_FALSE(e.reason().empty());
    }
}

// Loading at start: which file ends up in the table, whether the reset message
// shows and which files are rewritten.
TEST(LoadLanguageCheckedTest, CountCheckAndReset) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;  // name, bytes
        std::string code;
        std::string loadedCode;
        std::string firstEntry;
        bool message;
        bool builtInsWritten;
    };
    const std::string fr = FileBytes(BuiltInFrench());
    const std::string en = FileBytes(BuiltInEnglish());
    const Case cases[] = {
        {"english", {{"fr.tfl", fr}, {"en.tfl", en}}, "en", "en", "English", false, false},
        {"english short",
         {{"fr.tfl", fr}, {"en.tfl", LanguageFile("Short", 193)}},
         "en",
         "en",
         "English",
         false,
         true},
        {"french long",
         {{"fr.tfl", LanguageFile("Long", lang::kAllEntryCount + 1)}, {"en.tfl", en}},
         "fr",
         "fr",
         "Fran\xe7"
         "ais",
         false,
         true},
        {"edited but complete",
         {{"fr.tfl", LanguageFile("Edited", 194)}},
         "fr",
         "fr",
         "Edited",
         false,
         false},
        {"further language",
         {{"fr.tfl", fr}, {"de.tfl", LanguageFile("Deutsch", 194)}},
         "de",
         "de",
         "Deutsch",
         false,
         false},
        {"further language damaged",
         {{"fr.tfl", fr}, {"en.tfl", en}, {"de.tfl", LanguageFile("Deutsch", 190)}},
         "de",
         "fr",
         "Fran\xe7"
         "ais",
         true,
         true},
        {"empty further language",
         {{"fr.tfl", fr}, {"de.tfl", ""}},
         "de",
         "fr",
         "Fran\xe7"
         "ais",
         true,
         true},
        {"no such file",
         {{"fr.tfl", fr}},
         "xx",
         "fr",
         "Fran\xe7"
         "ais",
         false,
         false},
        {"no files at all",
         {},
         "en",
         "fr",
         "Fran\xe7"
         "ais",
         false,
         true},
        {"empty code",
         {{"fr.tfl", fr}, {".tfl", LanguageFile("Hidden", 194)}},
         "",
         "fr",
         "Fran\xe7"
         "ais",
         false,
         false},
        {"code leaving the folder",
         {{"fr.tfl", fr}, {"a/.tfl", LanguageFile("Sub", 194)}},
         "a/",
         "fr",
         "Fran\xe7"
         "ais",
         false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string prog = dir.path() + "/";
        for (const auto& [name, bytes] : c.files)
            WriteRaw(prog + name, bytes);
        LanguageTable table;
        std::vector<std::string> messages;
        const std::string loaded = LoadLanguageChecked(
            prog, c.code, table, [&](const std::string& m) { messages.push_back(m); });
        EXPECT_EQ(loaded, c.loadedCode);
        EXPECT_EQ(table.Text(0), c.firstEntry);
        EXPECT_EQ(table.size(), static_cast<std::size_t>(lang::kAllEntryCount));
        if (c.message) {
            EXPECT_EQ(messages, std::vector<std::string>{BuiltInFrench()[193]});
        } else {
            EXPECT_TRUE(messages.empty());
        }
        if (c.builtInsWritten) {
            EXPECT_EQ(ReadRaw(prog + "fr.tfl"), fr);
            EXPECT_EQ(ReadRaw(prog + "en.tfl"), en);
        }
        // A further language file is never rewritten; only fr and en are.
        for (const auto& [name, bytes] : c.files) {
            if (name != "fr.tfl" && name != "en.tfl") {
                EXPECT_EQ(ReadRaw(prog + name), bytes) << name;
            }
        }
    }
}

// A file written before the added texts existed loads; the texts it lacks take
// the built-in wording of its language, English for a further language.
TEST(LoadLanguageCheckedTest, EarlierVersionFileIsCompleted) {
    for (const std::string code : {"fr", "de"}) {
        TempDir dir;
        const std::string prog = dir.path() + "/";
        WriteRaw(prog + "fr.tfl", FileBytes(BuiltInFrench()));
        const std::string old = LanguageFile("Old", lang::kEntryCount);
        WriteRaw(prog + code + ".tfl", old);
        LanguageTable table;
        EXPECT_EQ(LoadLanguageChecked(prog, code, table, nullptr), code);
        ASSERT_EQ(table.size(), static_cast<std::size_t>(lang::kAllEntryCount));
        EXPECT_EQ(table.Text(lang::kEntryCount - 1), "text 193");
        const auto& defaults = code == "fr" ? BuiltInFrench() : BuiltInEnglish();
        for (int i = lang::kEntryCount; i < lang::kAllEntryCount; ++i)
            EXPECT_EQ(table.Text(i), defaults[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(ReadRaw(prog + code + ".tfl"), old);
    }
}

TEST(LoadLanguageFileTest, LoadsWithoutCountCheck) {
    TempDir dir;
    WriteRaw(dir / "de.tfl", LanguageFile("Deutsch", 190));
    LanguageTable table;
    LoadLanguageFile(dir / "de.tfl", table);
    EXPECT_EQ(table.size(), 190u);
    EXPECT_EQ(table.Text(0), "Deutsch");
    EXPECT_EQ(table.Text(190), "");
    EXPECT_EQ(table.Text(-1), "");
    EXPECT_THROW(LoadLanguageFile(dir / "xx.tfl", table), IoError);
}

TEST(ListLanguagesTest, OneEntryPerLanguageFileByFileName) {
    TempDir dir;
    const std::string prog = dir.path() + "/";
    BuiltInTexts(prog);
    WriteRaw(prog + "de.tfl", LanguageFile("Deutsch", 194));
    WriteRaw(prog + "it.tfl", "");                    // no first line
    WriteRaw(prog + "es_ES.tfl", "Espa\xf1ol\r\nx");  // longer name: first two characters
    WriteRaw(prog + ".hidden.tfl", "Hidden\r\n");
    WriteRaw(prog + "notes.txt", "Notes\r\n");
    WriteRaw(prog + "conf.tfd", "\r\n");
    std::filesystem::create_directory(prog + "zz.tfl");
    const std::vector<std::string> expected = {"Deutsch (de)", "English (en)", "Espa\xf1ol (es)",
                                               "Fran\xe7"
                                               "ais (fr)",
                                               " (it)"};
    EXPECT_EQ(ListLanguages(prog), expected);
    EXPECT_TRUE(ListLanguages(prog + "missing/").empty());
}

}  // namespace
}  // namespace trafikon
