// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/log_format.h"

#include <gtest/gtest.h>

#include <set>

#include "import/add_log_form.h"
#include "store/text_file.h"
#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(LogFormatTest, FieldCodesAndTheirTexts) {
    const std::string codes = "hlutrIsbRUvdHMN";
    for (std::size_t k = 0; k < codes.size(); ++k) {
        EXPECT_TRUE(IsFieldCode(codes[k]));
        EXPECT_EQ(FieldCodeOffset(codes[k]), 12 + static_cast<int>(k)) << codes[k];
        EXPECT_EQ(FieldTextEntry(codes[k]), 60 + static_cast<int>(k)) << codes[k];
    }
    for (char c : {'x', 'L', 'T', '%', '\0', '\xe9'}) {
        EXPECT_FALSE(IsFieldCode(c));
        EXPECT_EQ(FieldCodeOffset(c), 0);
        EXPECT_EQ(FieldTextEntry(c), 48);
    }
    EXPECT_EQ(CodeOfFieldText("%h-Remote Host"), 'h');
    EXPECT_EQ(CodeOfFieldText("%R-R\xe9"
                              "f\xe9rent (\\\"%{Referrer}i\\\")"),
              'R');
    EXPECT_EQ(CodeOfFieldText("%"), '\0');
    EXPECT_EQ(CodeOfFieldText(""), '\0');
}

TEST(LogFormatTest, DefaultsCoverEveryCodeAndAreComplete) {
    const std::set<char> all = {'h', 'l', 'u', 't', 'r', 'I', 's', 'b',
                                'R', 'U', 'v', 'd', 'H', 'M', 'N'};
    for (const DefaultFormat& d : {kApacheDefault, kIisDefault, kEasyPhpDefault}) {
        std::set<char> seen;
        for (char c : d.format) {
            EXPECT_TRUE(c == 'N' || seen.insert(c).second) << "twice: " << c;
            seen.insert(c);
        }
        for (char c : d.remaining) {
            EXPECT_TRUE(c == 'N' || seen.insert(c).second) << "twice: " << c;
            seen.insert(c);
        }
        EXPECT_EQ(seen, all) << d.format;
        EXPECT_EQ(CheckRequiredFields(d.format), "") << d.format;
    }
}

TEST(LogFormatTest, RequiredFields) {
    struct Case {
        std::string_view format;
        std::string missing;
    };
    const Case cases[] = {
        {"", "Ressource, Retour HTTP, Host"},
        {"hlutrsbRU", ""},
        {"Msh", ""},
        {"hr", "Retour HTTP"},
        {"rs", "Host"},
        {"sh", "Ressource"},
        {"h", "Ressource, Retour HTTP"},
        {"IdH", "Ressource, Retour HTTP, Host"},
        {"RSHm", "Ressource, Retour HTTP, Host"},  // codes are case-sensitive
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckRequiredFields(c.format), c.missing) << c.format;
}

TEST(LogFormatTest, FormatFiles) {
    testing::TempDir dir;
    WriteFormatFile(dir / "format.log", kIisDefault.format);
    EXPECT_EQ(testing::ReadRaw(dir / "format.log"),
              "d\r\nH\r\nh\r\nu\r\nN\r\nN\r\nM\r\nI\r\nN\r\ns\r\nU\r\n");
    EXPECT_EQ(ReadFormatFile(dir / "format.log"), kIisDefault.format);

    testing::WriteRaw(dir / "format-2004-05.tfd", "h\r\n\r\nlong\nx\r\n");
    EXPECT_EQ(ReadFormatFile(dir / "format-2004-05.tfd"), "hlx");
    EXPECT_EQ(ReadFormatFileIfExists(dir / "none.tfd"), "");
    EXPECT_THROW(ReadFormatFile(dir / "none.tfd"), IoError);
    WriteFormatFile(dir / "empty.tfd", "");
    EXPECT_EQ(testing::ReadRaw(dir / "empty.tfd"), "");
}

TEST(LogFormatTest, DayTimeStamps) {
    EXPECT_EQ(DayTimeStamp("[24/Mar/2002:01:37:08 +0100]"), "24:01:37:08");
    EXPECT_EQ(DayTimeStamp("[24/Mar/2002:01:3"), "24:01:3");
    EXPECT_EQ(DayTimeStamp("[24/Mar"), "24");
    EXPECT_EQ(DayTimeStamp("[2"), "2");
    EXPECT_EQ(DayTimeStamp(""), "");
    std::string out = "x";
    AppendDayTimeStamp(out, "[08/Oct/2003:00:13:11 +0200]");
    EXPECT_EQ(out, "x08:00:13:11");
}

}  // namespace
}  // namespace trafikon
