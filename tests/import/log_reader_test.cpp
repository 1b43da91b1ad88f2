// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/log_source.h"

#include <gtest/gtest.h>

#include <random>

#include "import/line_count.h"
#include "import/log_file_check.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

Lines ReadAll(const std::string& path) {
    LogReader reader(path);
    Lines lines;
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    return lines;
}

TEST(LogReaderTest, AgreesWithTheStoreLineRules) {
    TempDir dir;
    std::vector<std::string> texts = {
        "",           "a",
        "\n",         "\r",
        "\r\n",       "a\r\nb\nc\rd",
        "a\r\r\n",    "\n\n\r\r",
        "x\r\n\r\ny", std::string("\xe9\0z\r\n", 4),
    };
    // Random texts rich in line ends, some longer than the read buffer so that
    // a CR LF pair or a lone CR falls on a buffer boundary.
    std::mt19937 rng(7);
    const char alphabet[] = {'a', 'b', '\r', '\n', '#', ' ', '\0'};
    for (int i = 0; i < 40; ++i) {
        const std::size_t size = i < 30 ? rng() % 64 : (1 << 20) - 2 + rng() % 5 + (i % 3) * 7;
        std::string text;
        for (std::size_t k = 0; k < size; ++k)
            text.push_back(i < 30 ? alphabet[rng() % sizeof alphabet] : (k % 97 ? 'x' : '\r'));
        if (i >= 30)
            text[(1 << 20) - 1] = '\r', text[1 << 20] = '\n';
        texts.push_back(text);
    }
    for (const auto& text : texts) {
        WriteRaw(dir / "f", text);
        const Lines expected = SplitLines(text);
        EXPECT_EQ(ReadAll(dir / "f"), expected) << ::testing::PrintToString(text.substr(0, 40));
        EXPECT_EQ(CountLines(dir / "f"), expected.size());
    }
}

TEST(LogReaderTest, LineLongerThanTheBuffer) {
    TempDir dir;
    const std::string longLine(3 * (1 << 20) + 5, 'y');
    WriteRaw(dir / "f", "a\r\n" + longLine + "\rz");
    EXPECT_EQ(ReadAll(dir / "f"), (Lines{"a", longLine, "z"}));
}

TEST(LogReaderTest, VeryLongLinesComeInPieces) {
    TempDir dir;
    const std::string text = "0123456789\r\nab\r\n\nabcdefghijklmnopqrstuvwxyz\rend";
    WriteRaw(dir / "f", text);
    for (std::size_t maxPiece : {1, 2, 3, 7, 10, 64}) {
        LogReader reader(dir / "f", maxPiece);
        Lines lines;
        std::string_view piece;
        bool continuing = false;
        while (reader.Next(piece)) {
            EXPECT_LE(piece.size(), 2 * maxPiece + 2) << maxPiece;
            if (continuing)
                lines.back().append(piece);
            else
                lines.emplace_back(piece);
            continuing = reader.partial();
        }
        EXPECT_EQ(lines, SplitLines(text)) << maxPiece;
    }
}

TEST(LogReaderTest, MissingFileNamesItself) {
    TempDir dir;
    try {
        LogReader reader(dir / "none.log");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), dir / "none.log");
        EXPECT_EQ(e.reason(), "No such file or directory");
    }
    EXPECT_THROW(CountLines(dir / "none.log"), IoError);
}

TEST(LogFileCheckTest, RefusedAndAcceptedFiles) {
    struct Case {
        std::string text;
        LogFileCheck check;
        std::string first;
    };
    const Case cases[] = {
        {"", LogFileCheck::kEmpty, ""},
        {"#a\r\n#b\r\n", LogFileCheck::kNoLogLines, ""},
        {"#a\n\nx\n#c", LogFileCheck::kNoLogLines, ""},
        {"\n", LogFileCheck::kNoLogLines, ""},
        {"#a\n\n x\nlog line\n", LogFileCheck::kAccepted, " x"},
        {"only line", LogFileCheck::kAccepted, "only line"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteRaw(dir / "f", c.text);
        std::string first;
        EXPECT_EQ(CheckLogFile(dir / "f", &first), c.check) << c.text;
        EXPECT_EQ(first, c.first) << c.text;
    }
}

}  // namespace
}  // namespace trafikon
