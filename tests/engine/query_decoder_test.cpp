// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/query_decoder.h"

#include <gtest/gtest.h>

namespace trafikon {
namespace {

struct DecodeCase {
    const char* name;
    std::string raw;
    std::string referrer;
    std::string expected;
};

TEST(QueryDecoderTest, DecodesParametersEscapesAndBlanks) {
    const std::string plain = "http://s.example.com/find?x";
    const DecodeCase cases[] = {
        {"two parameters", "q=web+log&hl=fr", plain, "\"q=web log\"  \"hl=fr\""},
        {"empty parameters", "a&&b", plain, "\"a\"  \"\"  \"b\""},
        {"empty query", "", plain, "\"\""},
        {"escapes to the end", "x=%41%42", plain, "\"x=AB\""},
        {"escape next to the quote", "x=a%41", plain, "\"x=aA\""},
        // An escape that reaches into the closing quote swallows it.
        {"escape into the quote", "x=%4", plain, std::string("\"x=\0", 4)},
        {"lone percent before the quote", "x=%", plain, "\"x=%\""},
        // The character before the closing quote is never decoded.
        {"plus before the quote", "a+", plain, "\"a+\""},
        {"plus earlier", "a+b", plain, "\"a b\""},
        {"escape before the quote undecoded", "a%", plain, "\"a%\""},
        {"lower-case hex", "%c3%a9", plain, "\"\xc3\xa9\""},
        {"final H dropped", "%4H", plain, "\"\x04\""},
        {"bad hex gives NUL", "%zz1", plain,
         std::string("\"\0"
                     "1\"",
                     4)},
        {"ampersand as escape", "a%26b", plain, "\"a&b\""},
        {"encoded quote", "%22x", plain, "\"\"x\""},
        {"tag inside", "q=\\3;x", plain, "\"q=\\3;x\""},
        {"line breaks become blanks", "a%0Ab%0D%0Ac", plain, "\"a b  c\""},
    };
    QueryDecoder decoder;
    std::string out;
    for (const auto& c : cases) {
        decoder.DecodeQuery(c.raw, c.referrer, out);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(QueryDecoderTest, ConvertsUtf8OnlyWhenTheReferrerSaysSo) {
    const DecodeCase cases[] = {
        {"declared lower case", "q=%C3%A9t%C3%A9", "http://g.com/s?q=x&ie=utf-8",
         "\"q=\xe9t\xe9\""},
        {"declared upper case", "q=%E2%82%AC", "http://g.com/s?oe=UTF-8", "\"q=\x80\""},
        {"not declared", "q=%C3%A9", "http://g.com/s?q", "\"q=\xc3\xa9\""},
        {"other spelling", "q=%C3%A9", "http://g.com/s?ie=Utf-8", "\"q=\xc3\xa9\""},
        // Only a mention after the first character counts.
        {"at the first character", "q=%C3%A9", "utf-8", "\"q=\xc3\xa9\""},
        {"at the second character", "q=%C3%A9", "xutf-8", "\"q=\xe9\""},
        {"invalid byte", "q=%FF", "x utf-8", "\"q=?\""},
        {"truncated sequence", "q=%E2%82x", "x utf-8", "\"q=?x\""},
        {"no Windows-1252 byte", "q=%E4%B8%AD", "x utf-8", "\"q=?\""},
        {"C1 control", "q=%C2%81", "x utf-8", "\"q=?\""},
    };
    QueryDecoder decoder;
    std::string out;
    for (const auto& c : cases) {
        decoder.DecodeQuery(c.raw, c.referrer, out);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(QueryDecoderTest, Utf8ReplacesEachMaximalIllFormedSubpart) {
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "abc"},
        {"\xc3\xa9", "\xe9"},
        {"\xe2\x82\xac", "\x80"},  // euro sign
        {"\xc5\x93", "\x9c"},      // oe ligature
        {"\xc2\xa0", "\xa0"},
        {"\xc2\x80", "?"},  // U+0080
        {"\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d", "????"},
        {"\xff\xfe", "??"},  // two bytes that never start a character
        {"\xe2\x82"
         "A",
         "?A"},                     // truncated three-byte sequence: one "?"
        {"\xf0\x9f\x98", "?"},      // truncated four-byte sequence
        {"\xf0\x9f\x98\x80", "?"},  // valid emoji without a byte
        {"\xed\xa0\x80", "???"},    // surrogate: the lead and each byte
        {"\xc0\xaf", "??"},         // overlong
        {"\x80", "?"},              // lone continuation byte
        {"\xe0\x80\x80", "???"},    // overlong three bytes
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    QueryDecoder decoder;
    std::string out;
    for (const auto& [in, expected] : cases) {
        decoder.Utf8ToCp1252(in, out);
        EXPECT_EQ(out, expected) << in;
    }
}

TEST(QueryDecoderTest, HexPairs) {
    struct Case {
        char a, b;
        int value;
    };
    const Case cases[] = {{'4', '1', 0x41}, {'f', 'f', 255}, {'4', 'H', 4},
                          {'4', 'h', 4},    {'H', 'H', 0},   {'G', '1', 0},
                          {'1', '"', 0},    {'0', '0', 0},   {'a', 'B', 0xAB}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadHexPair(c.a, c.b), c.value) << c.a << c.b;
}

}  // namespace
}  // namespace trafikon
