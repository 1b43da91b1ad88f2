// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/text_file.h"
#include "store/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

struct SplitCase {
    const char* name;
    std::string text;
    Lines expected;
};

TEST(TextFileTest, LineEndsOfEveryKind) {
    const SplitCase cases[] = {
        {"empty", "", {}},
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"no end on last line", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"cr then crlf", "a\r\r\n", {"a", ""}},
        {"high and nul bytes",
         std::string("\xe9t\xe9\0x\r\n", 7),
         {std::string("\xe9t\xe9\0x", 5)}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.expected) << c.name;
        WriteRaw(dir / "f.txt", c.text);
        EXPECT_EQ(ReadTextLines(dir / "f.txt"), c.expected) << c.name;
        LineReader reader(dir / "f.txt");
        Lines streamed;
        std::string_view line;
        while (reader.Next(line))
            streamed.emplace_back(line);
        EXPECT_EQ(streamed, c.expected) << c.name;
        EXPECT_EQ(reader.bytesRead(), c.text.size()) << c.name;
    }
}

TEST(TextFileTest, LineReaderHandlesLinesLongerThanItsBuffer) {
    TempDir dir;
    const std::string longLine(3 * 1024 * 1024 + 7, 'x');
    // A CR at the very end of the first read block must still pair with its LF.
    const std::string first((1 << 20) - 1, 'a');
    WriteRaw(dir / "f.txt", first + "\r\n" + longLine + "\r\nend");
    LineReader reader(dir / "f.txt");
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.size(), first.size());
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, longLine);
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "end");
    EXPECT_FALSE(reader.Next(line));
}

TEST(TextFileTest, WritesCrLfAfterEveryLineThroughATemporaryFile) {
    TempDir dir;
    WriteTextLines(dir / "out.tfd", {"a", "", "\xe9"});
    EXPECT_EQ(ReadRaw(dir / "out.tfd"), "a\r\n\r\n\xe9\r\n");
    WriteTextLines(dir / "out.tfd", {});
    EXPECT_EQ(ReadRaw(dir / "out.tfd"), "");
    // Nothing but the target is left in the folder.
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++count;
    }
    EXPECT_EQ(count, 1);
}

TEST(TextFileTest, AbandonedWriteLeavesTheOldFile) {
    TempDir dir;
    WriteTextLines(dir / "out.tfd", {"old"});
    {
        AtomicFileWriter w(dir / "out.tfd");
        w.WriteLine("new");
    }
    EXPECT_EQ(ReadRaw(dir / "out.tfd"), "old\r\n");
}

// Dropping a file's cached pages before it is replaced never waits on what
// sits at its name (a FIFO would block a plain open) and leaves a file as it is.
TEST(TextFileTest, DroppingCachedPagesLeavesFilesAndPassesOverTheRest) {
    TempDir dir;
    WriteTextLines(dir / "out.tfd", {"kept"});
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    DropCachedPages(dir / "out.tfd");
    DropCachedPages(dir / "fifo");
    DropCachedPages(dir / "missing");
    EXPECT_EQ(ReadRaw(dir / "out.tfd"), "kept\r\n");
}

TEST(TextFileTest, FailuresNameTheFileAndTheReason) {
    TempDir dir;
    try {
        ReadTextLines(dir / "missing.tfd");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), dir / "missing.tfd");
        EXPECT_EQ(e.reason(), "No such file or directory");
    }
    EXPECT_TRUE(ReadTextLinesIfExists(dir / "missing.tfd").empty());
    EXPECT_THROW(WriteTextLines(dir / "no/such/folder/x.tfd", {"a"}), IoError);
}

TEST(TextFileTest, StaleTemporariesOfAKilledWriterAreRemovedAndNothingElse) {
    TempDir dir;
    const std::string target = dir / "lfp-2004-05.tfd";
    const char* leftovers[] = {".lfp-2004-05.tfd.0123456789abcdef.tmp",
                               ".lfp-2004-05.tfd.fedcba9876543210.tmp"};
    const char* kept[] = {".lfp-2004-05.tfd.0123456789ABCDEF.tmp",  // not a name we make
                          ".lfp-2004-05.tfd.0123.tmp",
                          ".hos-2004-05.tfd.0123456789abcdef.tmp",  // another file's
                          ".lfp-2004-055.tfd.0123456789abcdef.tmp", "lfp-2004-05.tfd"};
    for (const char* name : leftovers)
        WriteRaw(dir / name, "half");
    for (const char* name : kept)
        WriteRaw(dir / name, "keep");
    RemoveStaleTemporaries(target);
    for (const char* name : leftovers)
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const char* name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
}

TEST(TextFileTest, AppendFileAddsAtTheEnd) {
    TempDir dir;
    {
        AppendFile f(dir / "log.log");
        f.Write("a\r\n");
    }
    {
        AppendFile f(dir / "log.log");
        f.Write("b\r\n");
        f.Close();
    }
    EXPECT_EQ(ReadRaw(dir / "log.log"), "a\r\nb\r\n");
}

}  // namespace
}  // namespace trafikon
