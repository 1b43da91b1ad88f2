// The analysis splitter must give, line after line, exactly the values that
// the shared SplitLine of the import gives (the analysis keeps views instead
// of copies), and say which lines run out of text before their last field.
#include "store/log_line_splitter.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(LogLineSplitterTest, GivesTheValuesOfTheSharedSplitterLineAfterLine) {
    struct Case {
        const char* name;
        FieldFormat format;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"apache",
         "hlutrsbRU",
         {"1.2.3.4 - - [24/Mar/2002:01:37:08 +0100] \"GET /index.php HTTP/1.1\" 304 1248 "
          "\"http://x.com/?q=a\" \"Mozilla/3\"",
          "h - - [24/mar/2002:01:37:08 +0100] \"GET /q\" x HTTP/1.0\" 200 1 \"\" \"\"",
          "h - - [1/Mar/2] \"GET\" - - \"-\" \"U\" extra fields",
          "h - - [24/Mar/2002:01:37:08 +0100 \"GET / HTTP/1.0\" 200 1 \"-\" \"U\"",
          "h - - \"\" \"GET / HTTP/1.0\" 200 1 \"-\" \"U\"", "h  -  [x] r s b R U",
          "\" \" \" \" \" \" \" \" \" \" \" \"", "[[[ ]]] [ ] ] [ [ ] ] ] ] ] ]",
          std::string("h\0 l u [24/Dec/2002:01:37:08 +0100] \"G\xe9T /\" 2 3 \"\xff\" \"\0\"",
                      55)}},
        {"iis",
         "dHhuNNMINsU",
         {"2003-10-08 00:13:11 10.0.0.1 - x y GET /default.htm z 200 Moz",
          "2003-13-08 00:13:11 h u n n M I n s U", "2003-1 0 h u n n M I n s U",
          "x y h u n n M I n s U", "- - - - - - - - - - -"}},
        {"neither t nor d", "hrsU", {"h \"GET /\" 200 U", "h r s U"}},
        {"t and d both",
         "tdHhrs",
         {"[24/Mar/2002:01:37:08 +0100] 2001-01-01 10:00:00 h r 200",
          " 2001-01-01 10:00:00 h r 200", "\"\" 2001-02-01 x h r 200"}},
        {"unknown codes", "hXr?s", {"h x \"GET / HTTP/1.0\" y 200", "h x r y s"}},
    };
    const char kCodes[] = "hlutrIsbRUvdHMN";
    for (const auto& c : cases) {
        LogLineSplitter splitter(c.format);
        LogFields fields;
        DateParts parts;
        for (const auto& line : c.lines) {
            SplitLine(line, c.format, fields, parts);
            if (!splitter.Split(line))
                continue;  // the shared splitter has no malformed lines
            splitter.Complete();
            if (fields['r'].empty())
                fields['r'] = fields['M'] + " " + fields['I'] + " HTTP/1.1";
            for (const char* code = kCodes; *code; ++code)
                EXPECT_EQ(splitter[*code], fields[*code]) << c.name << " " << *code << " " << line;
        }
    }
}

TEST(LogLineSplitterTest, MalformedWhenTheLineEndsBeforeAField) {
    struct Case {
        FieldFormat format;
        std::string line;
        bool complete;
    };
    const Case cases[] = {
        {"hlutrsbRU", "h - - [t] \"r\" 200 1 \"-\" \"U\"", true},
        {"hlutrsbRU", "h - - [t] \"r\" 200 1 \"-\"", false},
        {"hlutrsbRU", "h - - [t] \"r\" 200 1 \"-\" \"U\" more", true},
        {"hlutrsbRU", "", false},
        {"h", "", true},    // the appended blank gives the one field
        {"hl", "", false},  // an empty line runs out at its second field
        {"hl", "x", false},
        {"hl", "x ", true},
        {"", "anything", true},
        {"hr", "h \"unterminated", true},
        {"hrs", "h \"unterminated", false},  // the request skip eats the rest
        {"hrs", "h \"GET / x\" y\" 200", true},
    };
    for (const auto& c : cases) {
        LogLineSplitter splitter(c.format);
        EXPECT_EQ(splitter.Split(c.line), c.complete) << c.format << " [" << c.line << "]";
    }
}

TEST(StoredLogReadingTest, LineEndsOfEveryKind) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
        {std::string(5 << 20, 'z') + "\r\nend", {std::string(5 << 20, 'z'), "end"}},
        {std::string((4 << 20) - 1, 'c') + "\r\nnext", {std::string((4 << 20) - 1, 'c'), "next"}},
    };
    testing::TempDir dir;
    for (const auto& [text, expected] : cases) {
        testing::WriteRaw(dir / "log", text);
        LineReader reader(dir / "log", 4 << 20);
        std::vector<std::string> lines;
        std::string_view line;
        while (reader.Next(line))
            lines.emplace_back(line);
        EXPECT_EQ(lines, expected) << text.size();
        EXPECT_EQ(reader.bytesRead(), text.size());
    }
}

TEST(StoredLogReadingTest, ReadsWhatTheFileHeldWhenOpened) {
    testing::TempDir dir;
    testing::WriteRaw(dir / "log", "a\r\nb");
    LineReader reader(dir / "log", 4 << 20);
    {
        std::FILE* f = std::fopen((dir / "log").c_str(), "ab");
        ASSERT_NE(f, nullptr);
        std::fputs("c\r\nd\r\n", f);  // an import appending meanwhile
        std::fclose(f);
    }
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_THROW(LineReader(dir / "missing"), IoError);
}

}  // namespace
}  // namespace trafikon
