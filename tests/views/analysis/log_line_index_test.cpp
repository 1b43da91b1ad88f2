// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/log_line_index.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

std::vector<std::string> AllLines(LogLineIndex& index) {
    std::vector<std::string> out;
    std::string line;
    for (std::size_t i = 0; i < index.lineCount(); ++i) {
        EXPECT_TRUE(index.ReadLine(static_cast<long long>(i), line));
        out.push_back(line);
    }
    return out;
}

TEST(LogLineIndexTest, SplitsAtEveryKindOfLineEnd) {
    struct Case {
        const char* bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r\n\r\nc", {"a", "b", "", "c"}},
        {"\r\n", {""}},
        {"# comment\r\nline", {"# comment", "line"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteRaw(dir / "log.log", c.bytes);
        LogLineIndex index(dir / "log.log");
        ASSERT_TRUE(index.Update());
        EXPECT_EQ(AllLines(index), c.lines) << c.bytes;
    }
}

TEST(LogLineIndexTest, LinesAcrossReadBlocks) {
    // The index reads 1 MiB blocks: a CR LF cut between two blocks, and a line
    // longer than a block.
    const std::string a((1 << 20) - 1, 'a');
    const std::string b(3 << 20, 'b');
    TempDir dir;
    WriteRaw(dir / "log.log", a + "\r\n" + b + "\r\nc");
    LogLineIndex index(dir / "log.log");
    ASSERT_TRUE(index.Update());
    ASSERT_EQ(index.lineCount(), 3u);
    std::string line;
    ASSERT_TRUE(index.ReadLine(0, line));
    EXPECT_EQ(line, a);
    ASSERT_TRUE(index.ReadLine(1, line));
    EXPECT_EQ(line, b);
    ASSERT_TRUE(index.ReadLine(2, line));
    EXPECT_EQ(line, "c");
}

TEST(LogLineIndexTest, ReadsAroundTheMarksInAnyOrder) {
    // 130 lines with every kind of end, the last without one: lines 63, 64 and
    // 65 lie either side of the second mark, 128 and 129 after the third.
    std::string bytes;
    std::vector<std::string> want;
    const char* ends[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 130; ++i) {
        want.push_back(i % 7 == 0 ? "" : "line " + std::to_string(i));
        bytes += want.back() + (i == 129 ? "" : ends[i % 3]);
    }
    TempDir dir;
    WriteRaw(dir / "log.log", bytes);
    LogLineIndex index(dir / "log.log");
    ASSERT_TRUE(index.Update());
    ASSERT_EQ(index.lineCount(), 130u);
    std::string line;
    for (long long n : {65, 63, 64, 129, 0, 128, 64, 1, 127, 63}) {
        ASSERT_TRUE(index.ReadLine(n, line)) << n;
        EXPECT_EQ(line, want[static_cast<std::size_t>(n)]) << n;
    }
    EXPECT_EQ(AllLines(index), want);
    EXPECT_FALSE(index.ReadLine(130, line));

    // Rewritten shorter with other ends: rebuilt, and no read goes past the end.
    WriteRaw(dir / "log.log", "a\r\r\nb");
    struct utimbuf t {
        1000000000, 1000000000
    };
    ASSERT_EQ(utime((dir / "log.log").c_str(), &t), 0);
    ASSERT_TRUE(index.Update());
    EXPECT_EQ(AllLines(index), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_FALSE(index.ReadLine(64, line));
}

TEST(LogLineIndexTest, ExtractsWithBothNumberings) {
    TempDir dir;
    WriteRaw(dir / "log.log", "first\r\nsecond\r\nthird\r\n");
    LogLineIndex index(dir / "log.log");
    auto zero = ExtractLogLines(index, "-0-2-", LineNumbering::Index);
    ASSERT_EQ(zero.lines.size(), 2u);
    EXPECT_EQ(zero.lines[0].number, 0);
    EXPECT_EQ(zero.lines[0].text, "first");
    EXPECT_EQ(zero.lines[1].number, 2);
    EXPECT_EQ(zero.lines[1].text, "third");
    auto one = ExtractLogLines(index, "-0-2-", LineNumbering::IndexPlusOne);
    EXPECT_EQ(one.lines[0].number, 1);
    EXPECT_EQ(one.lines[0].text, "first");
    EXPECT_EQ(one.lines[1].number, 3);
    EXPECT_TRUE(ExtractLogLines(index, "-", LineNumbering::Index).lines.empty());
}

TEST(LogLineIndexTest, IndexesBeyondTheEndAndBadPiecesAreCountedNotFatal) {
    TempDir dir;
    WriteRaw(dir / "log.log", "only\r\n");
    LogLineIndex index(dir / "log.log");
    auto got = ExtractLogLines(index, "-0-1-x-99999999999-", LineNumbering::IndexPlusOne);
    ASSERT_EQ(got.lines.size(), 3u);
    EXPECT_FALSE(got.lines[0].missing);
    EXPECT_TRUE(got.lines[1].missing);
    EXPECT_EQ(got.lines[1].number, 2);
    EXPECT_TRUE(got.lines[2].missing);
    EXPECT_EQ(got.beyondEnd, 2u);
    EXPECT_EQ(got.notNumbers, 1u);
    EXPECT_TRUE(got.error.empty());
    std::string line;
    EXPECT_FALSE(index.ReadLine(-1, line));
}

TEST(LogLineIndexTest, BuildsOnceAndAgainWhenTheLogChanges) {
    TempDir dir;
    const std::string path = dir / "log.log";
    WriteRaw(path, "a\r\nb\r\n");
    LogLineIndex index(path);
    ExtractLogLines(index, "-0-", LineNumbering::Index);
    ExtractLogLines(index, "-1-", LineNumbering::Index);
    EXPECT_EQ(index.buildCount(), 1);

    // Same size, other content and time: replaced after the analysis.
    WriteRaw(path, "c\r\nd\r\n");
    struct utimbuf t {
        1000000000, 1000000000
    };
    ASSERT_EQ(utime(path.c_str(), &t), 0);
    auto got = ExtractLogLines(index, "-1-", LineNumbering::Index);
    EXPECT_EQ(index.buildCount(), 2);
    EXPECT_EQ(got.lines[0].text, "d");

    // Grown: the new line becomes reachable.
    WriteRaw(path, "c\r\nd\r\ne\r\n");
    got = ExtractLogLines(index, "-2-", LineNumbering::Index);
    EXPECT_EQ(got.lines[0].text, "e");
    EXPECT_EQ(index.buildCount(), 3);
}

TEST(LogLineIndexTest, AMissingLogIsReportedWithItsPath) {
    TempDir dir;
    LogLineIndex index(dir / "none.log");
    auto got = ExtractLogLines(index, "-0-3-", LineNumbering::Index);
    EXPECT_NE(got.error.find("none.log"), std::string::npos);
    ASSERT_EQ(got.lines.size(), 2u);
    EXPECT_TRUE(got.lines[0].missing);
    EXPECT_EQ(got.lines[1].number, 3);
    EXPECT_EQ(index.lineCount(), 0u);
}

}  // namespace
}  // namespace trafikon
