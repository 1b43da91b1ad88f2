// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/tagged_record.h"

#include <gtest/gtest.h>

#include <optional>
#include "support/store_records.h"

namespace trafikon {
namespace {

TEST(TaggedRecordTest, BuildThenReadGivesEveryValueBack) {
    struct Case {
        const char* name;
        std::vector<std::string> values;
        std::string line;
    };
    const Case cases[] = {
        {"three fields", {"a", "b", "c"}, "\\1;a\\2;b\\3;c\\4;"},
        {"empty middle", {"a", "", "c"}, "\\1;a\\2;\\3;c\\4;"},
        {"no fields", {}, "\\1;"},
        {"all empty", {"", ""}, "\\1;\\2;\\3;"},
        {"high bytes and blanks",
         {"/caf\xe9 x.html", "12", "-1-2-"},
         "\\1;/caf\xe9 x.html\\2;12\\3;-1-2-\\4;"},
        {"fifteen fields",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"},
         "\\1;1\\2;2\\3;3\\4;4\\5;5\\6;6\\7;7\\8;8\\9;9\\10;10\\11;11\\12;12\\13;13\\14;14\\15;"
         "15\\16;"},
    };
    for (const Case& c : cases) {
        const int n = static_cast<int>(c.values.size());
        RecordValues values;
        for (int i = 0; i < n; ++i)
            values[i] = c.values[i];
        EXPECT_EQ(BuildRecord(values, n), c.line) << c.name;

        std::vector<std::string_view> views(c.values.begin(), c.values.end());
        std::string appended = "prefix";
        AppendRecord(appended, views);
        EXPECT_EQ(appended, "prefix" + c.line) << c.name;

        const RecordValues read = ReadFields(c.line, n);
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(read[i], c.values[i]) << c.name << " field " << i + 1;
            EXPECT_EQ(ReadField(c.line, i + 1), c.values[i]) << c.name << " field " << i + 1;
        }
        for (int i = n; i < kMaxRecordFields; ++i)
            EXPECT_EQ(read[i], "") << c.name << " field " << i + 1;
    }
}

TEST(TaggedRecordTest, ReadFieldMissingAndLookAlikeTags) {
    struct Case {
        const char* name;
        std::string line;
        int field;
        std::string expected;
    };
    const Case cases[] = {
        {"no closing tag", "\\1;a\\2;b", 3, ""},
        {"last field without closing tag", "\\1;a\\2;b", 2, ""},
        {"no opening tag", "\\1;a\\2;b\\3;", 5, ""},
        {"field zero", "\\1;a\\2;", 0, ""},
        {"negative field", "\\1;a\\2;", -1, ""},
        {"empty line", "", 1, ""},
        {"\\1; is not found inside \\11;", "\\11;x\\12;\\1;a\\2;", 1, "a"},
        {"\\1; then \\2; not \\21;", "\\1;a\\21;b\\2;", 1, "a\\21;b"},
        {"field 11 among 1..12",
         "\\1;a\\2;b\\3;c\\4;d\\5;e\\6;f\\7;g\\8;h\\9;i\\10;j\\11;k\\12;l\\13;", 11, "k"},
        {"field 1 of a 12-field record",
         "\\1;a\\2;b\\3;c\\4;d\\5;e\\6;f\\7;g\\8;h\\9;i\\10;j\\11;k\\12;l\\13;", 1, "a"},
        {"closing tag searched after the value only", "\\2;x\\1;a\\2;", 1, "a"},
        {"first occurrence of the tag wins", "\\1;a\\2;\\1;b\\2;", 1, "a"},
        {"backslash inside a value", "\\1;C:\\dir\\2;5\\3;", 1, "C:\\dir"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadField(c.line, c.field), c.expected) << c.name;
}

TEST(TaggedRecordTest, ReadFieldsReusesAndClearsItsBuffers) {
    RecordValues values;
    ReadFields("\\1;a\\2;b\\3;c\\4;", 3, values);
    ReadFields("\\1;x\\2;", 15, values);
    EXPECT_EQ(values[0], "x");
    EXPECT_EQ(values[1], "");  // no closing tag 3
    EXPECT_EQ(values[2], "");
    ReadFields("\\1;x\\2;", 99, values);  // clamped to 15, no overrun
    EXPECT_EQ(values[0], "x");
}

TEST(TaggedRecordTest, IntegerReading) {
    // ParseInteger reads 0 for what it refuses; ParseSignedDecimal differs
    // only by taking a leading "+".
    struct Case {
        std::string_view text;
        long long expected;
        std::optional<long long> signedDecimal;
    };
    const Case cases[] = {
        {"0", 0, 0},
        {"42", 42, 42},
        {"-7", -7, -7},
        {"", 0, std::nullopt},
        {" 42", 0, std::nullopt},
        {"42 ", 0, std::nullopt},
        {"4x", 0, std::nullopt},
        {"+5", 0, 5},
        {"+-5", 0, std::nullopt},
        {"-", 0, std::nullopt},
        {"+", 0, std::nullopt},
        {"abc", 0, std::nullopt},
        {"99999999999999999999", 0, std::nullopt},
        {"9223372036854775807", 9223372036854775807LL, 9223372036854775807LL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << c.text;
        EXPECT_EQ(ParseSignedDecimal(c.text), c.signedDecimal) << c.text;
    }
}

TEST(TaggedRecordTest, IdLists) {
    std::string list(kEmptyIdList);
    EXPECT_FALSE(IdListContains(list, 0));
    EXPECT_EQ(IdListSize(list), 0u);
    IdListAppend(list, 12);
    IdListAppend(list, 40);
    IdListAppend(list, 0);
    EXPECT_EQ(list, "-12-40-0-");
    EXPECT_TRUE(IdListContains(list, 12));
    EXPECT_TRUE(IdListContains(list, 40));
    EXPECT_TRUE(IdListContains(list, 0));
    EXPECT_FALSE(IdListContains(list, 1));  // not a prefix of 12
    EXPECT_FALSE(IdListContains(list, 2));  // not a suffix of 12
    EXPECT_FALSE(IdListContains(list, 4));
    EXPECT_EQ(ParseIdList(list), (std::vector<long long>{12, 40, 0}));
    EXPECT_EQ(IdListSize(list), 3u);

    struct Case {
        std::string_view text;
        std::vector<long long> expected;
        std::size_t bad;
    };
    const Case cases[] = {
        {"-", {}, 0},
        {"", {}, 0},
        {"--", {}, 0},
        {"-5", {5}, 0},       // last entry without its dash
        {"7-8-", {7, 8}, 0},  // no leading dash
        {"-1--2-", {1, 2}, 0},
        {"-x-3-", {3}, 1},
        {"-12-x4-+5-40", {12, 40}, 2},
        {"-99999999999999999999-3-", {3}, 1},  // too large for 64 bits
    };
    for (const Case& c : cases) {
        std::size_t bad = 99;
        EXPECT_EQ(ParseIdList(c.text, &bad), c.expected) << c.text;
        EXPECT_EQ(bad, c.bad) << c.text;
        EXPECT_EQ(IdListSize(c.text), c.expected.size()) << c.text;
    }
}

}  // namespace
}  // namespace trafikon
