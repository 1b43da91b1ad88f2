// SPDX-License-Identifier: GPL-3.0-or-later
// Streamed reading of stored files: every kind of line end, whole lines
// however long, and only what the file held when it was opened.
#include "store/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

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
        LineReader reader(dir / "log");
        std::vector<std::string> lines;
        std::string_view line;
        while (reader.Next(line))
            lines.emplace_back(line);
        EXPECT_EQ(lines, expected) << text.size();
        EXPECT_EQ(reader.bytesRead(), text.size());
    }
}

// A caller that keeps the lines takes the buffer each time the reader would
// read: every line stays readable where it was returned, with the same lines
// as Next gives, whatever ends fall on the buffer's edges.
TEST(StoredLogReadingTest, BuffersTradedKeepTheirLines) {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += std::string(i % 37, static_cast<char>('a' + i % 26));
        text += i % 5 == 0 ? "\r" : i % 5 == 1 ? "\r\n" : "\n";
    }
    text += std::string(20000, 'L') + "\r\nlast";
    testing::TempDir dir;
    testing::WriteRaw(dir / "log", text);
    std::vector<std::string> expected;
    {
        LineReader reader(dir / "log");
        std::string_view line;
        while (reader.Next(line))
            expected.emplace_back(line);
    }
    for (std::size_t size = 4096; size < 4160; ++size) {
        LineReader reader(std::make_unique<FileBytes>(dir / "log"), LineReader::kWholeLines, size);
        std::vector<std::vector<char>> kept;
        std::vector<std::string_view> lines;
        std::vector<char> spare;
        std::string_view line;
        for (;;) {
            const LineReader::Buffered got = reader.NextBuffered(line);
            if (got == LineReader::Buffered::kEnd)
                break;
            if (got == LineReader::Buffered::kNeedsRead) {
                reader.TradeBuffer(spare);
                kept.push_back(std::move(spare));
                spare = {};
                if (!reader.Next(line))  // reads into the buffer traded for
                    break;
            }
            lines.push_back(line);
        }
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), expected) << size;
        EXPECT_EQ(reader.bytesRead(), text.size());
    }
}

TEST(StoredLogReadingTest, ReadsWhatTheFileHeldWhenOpened) {
    testing::TempDir dir;
    testing::WriteRaw(dir / "log", "a\r\nb");
    LineReader reader(dir / "log");
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
