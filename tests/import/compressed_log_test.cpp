// SPDX-License-Identifier: GPL-3.0-or-later
// Compressed logs are told by their content and import exactly as their
// decompressed form; a damaged one is left out whole, by name.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "import/import_logs.h"
#include "import/log_file_look.h"
#include "import/log_source.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

namespace fs = std::filesystem;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

// `bytes` compressed by libarchive's writer with the given filter.
std::string Compress(const std::string& bytes, Compression kind) {
    archive* a = archive_write_new();
    switch (kind) {
        case Compression::kGzip:
            archive_write_add_filter_gzip(a);
            break;
        case Compression::kBzip2:
            archive_write_add_filter_bzip2(a);
            break;
        case Compression::kXz:
            archive_write_add_filter_xz(a);
            break;
        case Compression::kZstd:
            archive_write_add_filter_zstd(a);
            break;
        case Compression::kNone:
            break;
    }
    archive_write_set_format_raw(a);
    archive_write_set_bytes_in_last_block(a, 1);
    std::string out(bytes.size() + 4096, '\0');
    size_t used = 0;
    EXPECT_EQ(archive_write_open_memory(a, out.data(), out.size(), &used), ARCHIVE_OK);
    archive_entry* entry = archive_entry_new();
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_write_header(a, entry);
    archive_write_data(a, bytes.data(), bytes.size());
    archive_entry_free(entry);
    archive_write_close(a);
    archive_write_free(a);
    out.resize(used);
    return out;
}

std::string StoreFiles(const std::string& site) {
    std::string all;
    for (const char* name : {"log-2002-03.log", "log-2002-03.eur", "log-2002-04.log",
                             "log-2002-04.eur", "format-2002-03.tfd", "format-2002-04.tfd"})
        all += std::string(name) + ":" +
               (fs::exists(site + "/" + name) ? ReadRaw(site + "/" + name) : "-") + "\n";
    return all;
}

std::string Line(const std::string& date, int i) {
    return "10.0.0." + std::to_string(i % 250) + " - - [" + date + ":01:37:08 +0100] \"GET /p" +
           std::to_string(i) + " HTTP/1.1\" 200 " + std::to_string(i) + " \"-\" \"Mozilla/5.0\"";
}

TEST(CompressedLogTest, EachKindStoresWhatItsDecompressedFormStores) {
    TempDir dir;
    // Mixed line ends, a header, a long line and two months, across many buffers.
    std::string plain = "#Version: 1.0\n";
    for (int i = 0; i < 16000; ++i)
        plain += Line(i < 12000 ? "24/Mar/2002" : "01/Apr/2002", i) + (i % 3 ? "\n" : "\r\n");
    plain += Line("02/Apr/2002", 1) + std::string(300000, 'x');  // no line end at the end
    WriteRaw(dir / "plain.log", plain);
    SilentImportObserver observer;
    fs::create_directories(dir / "plain");
    ImportLogs(dir / "plain", {dir / "plain.log"}, "hlutrsbRU", observer);
    const std::string expected = StoreFiles(dir / "plain");
    ASSERT_NE(expected.find("log-2002-04.log:10.0"), std::string::npos);
    for (Compression kind :
         {Compression::kGzip, Compression::kBzip2, Compression::kXz, Compression::kZstd}) {
        const std::string name(CompressionName(kind));
        const std::string packed = Compress(plain, kind);
        EXPECT_EQ(CompressionOf(packed), kind) << name;
        WriteRaw(dir / ("access.log." + name), packed);
        fs::create_directories(dir / name);
        const ImportSummary s =
            ImportLogs(dir / name, {dir / ("access.log." + name)}, "hlutrsbRU", observer);
        EXPECT_EQ(StoreFiles(dir / name), expected) << name;
        EXPECT_EQ(s.linesStored, 16001u) << name;
    }
    // Plain text that begins like a magic number is read as it is.
    EXPECT_EQ(CompressionOf("BZh9 - - [24/Mar/2002:01:37:08 +0100]"), Compression::kNone);
}

TEST(CompressedLogTest, DamagedArchiveIsLeftOutByNameAndTheOthersGoOn) {
    TempDir dir;
    std::string plain;
    for (int i = 0; i < 20000; ++i)
        plain += Line(i < 10000 ? "24/Mar/2002" : "01/Apr/2002", i) + "\n";
    const std::string packed = Compress(plain, Compression::kGzip);
    WriteRaw(dir / "cut.log.gz", packed.substr(0, packed.size() * 2 / 3));
    std::string corrupt = packed;
    for (std::size_t i = 100; i < 140; ++i)
        corrupt[i] = static_cast<char>(~corrupt[i]);
    WriteRaw(dir / "corrupt.gz", corrupt);
    WriteRaw(dir / "good.log", Line("25/Mar/2002", 1) + "\n");
    fs::create_directories(dir / "site");
    WriteRaw(dir / "site/log-2002-03.log", Line("20/Mar/2002", 0) + "\r\n");
    WriteRaw(dir / "site/format-2002-03.tfd", "h\r\nl\r\nu\r\nt\r\nr\r\ns\r\nb\r\nR\r\nU\r\n");
    SilentImportObserver observer;
    const ImportSummary s =
        ImportLogs(dir / "site", {dir / "cut.log.gz", dir / "corrupt.gz", dir / "good.log"},
                   "hlutrsbRU", observer);
    ASSERT_EQ(s.damaged.size(), 2u);
    EXPECT_EQ(s.damaged[0].path, dir / "cut.log.gz");
    EXPECT_FALSE(s.damaged[0].reason.empty());
    EXPECT_EQ(s.damaged[1].path, dir / "corrupt.gz");
    EXPECT_EQ(s.files.size(), 1u);
    // Nothing of the damaged files stayed: March holds its old line and the good one.
    EXPECT_EQ(ReadRaw(dir / "site/log-2002-03.log"),
              Line("20/Mar/2002", 0) + "\r\n" + Line("25/Mar/2002", 1) + "\r\n");
    EXPECT_FALSE(fs::exists(dir / "site/log-2002-04.log"));
}

// A log's content never starts a program (libarchive would run lzop, lrzip...
// from PATH), compressed data inside compressed data, archives and content
// beyond the expansion limit are refused by name, with nothing stored.
TEST(CompressedLogTest, OutsideDecodersNestingArchivesAndBombsAreRefused) {
    TempDir dir;
    fs::create_directories(dir / "bin");
    const std::string ran = dir / "ran";
    for (const char* tool : {"lzop", "lrzip", "grzip", "lz4", "lzip", "compress", "gzip"}) {
        const std::string program = dir / "bin/" + tool;
        WriteRaw(program, "#!/bin/sh\ntouch " + ran + "\ncat\n");
        fs::permissions(program, fs::perms::owner_all);
    }
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir / "bin" + ":" + path).c_str(), 1);
    std::string lines;
    for (int i = 0; i < 40000; ++i)
        lines += Line("24/Mar/2002", i % 7) + "\n";
    WriteRaw(dir / "lzop.gz", Compress("\x89LZO\x00\r\n\x1a\n" + lines, Compression::kGzip));
    WriteRaw(dir / "lrzip", "LRZI\x00\x06" + lines);
    WriteRaw(dir / "twice.gz", Compress(Compress(lines, Compression::kGzip), Compression::kGzip));
    WriteRaw(dir / "twice.xz", Compress(Compress(lines, Compression::kBzip2), Compression::kXz));
    std::string tar(512, '\0');
    tar.replace(0, 7, "a.log\0\0");
    tar.replace(257, 6, std::string("ustar\0", 6));
    WriteRaw(dir / "logs.tar.gz", Compress(tar + lines, Compression::kGzip));
    WriteRaw(dir / "logs.zip", "PK\x03\x04" + lines);
    WriteRaw(dir / "bomb.zst", Compress(lines, Compression::kZstd));  // 3 MB from a few KB
    WriteRaw(dir / "good.log", Line("25/Mar/2002", 1) + "\n");
    fs::create_directories(dir / "site");
    SetExpansionLimit(20);
    SilentImportObserver observer;
    const std::vector<std::string> refused{"lzop.gz",     "lrzip",    "twice.gz", "twice.xz",
                                           "logs.tar.gz", "logs.zip", "bomb.zst"};
    std::vector<std::string> files;
    for (const auto& name : refused)
        files.push_back(dir / name);
    files.push_back(dir / "good.log");
    const ImportSummary s = ImportLogs(dir / "site", files, "hlutrsbRU", observer);
    SetExpansionLimit(kDefaultExpansionLimit);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(fs::exists(ran));
    ASSERT_EQ(s.damaged.size(), refused.size());
    for (std::size_t i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(s.damaged[i].path, dir / refused[i]);
        EXPECT_NE(s.damaged[i].reason.find("refused"), std::string::npos) << s.damaged[i].reason;
    }
    EXPECT_NE(s.damaged.back().reason.find("20 times"), std::string::npos);
    EXPECT_EQ(ReadRaw(dir / "site/log-2002-03.log"), Line("25/Mar/2002", 1) + "\r\n");
}

// What the add-log dialog reads of a file stops after LogReader::kHeadBytes of
// content, however far the file expands; a look asked to stop reads nothing.
TEST(CompressedLogTest, LooksAtAFileReadOnlyItsHead) {
    TempDir dir;
    std::string comments;
    while (comments.size() <= LogReader::kHeadBytes)
        comments += "# a comment line that the look passes over\n";
    const std::string text = comments + Line("24/Mar/2002", 1) + "\n";
    WriteRaw(dir / "plain.log", text);
    WriteRaw(dir / "packed.gz", Compress(text, Compression::kGzip));
    WriteRaw(dir / "good.log", Line("25/Mar/2002", 1) + "\n");
    const std::vector<std::string> paths{dir / "plain.log", dir / "packed.gz", dir / "good.log"};
    StopFlag stop;
    const std::vector<LogFileLook> looks = LookAtLogFiles(paths, "hlutrsbRU", stop);
    ASSERT_EQ(looks.size(), 3u);
    EXPECT_EQ(looks[0].index, 2u);  // the one dated first
    EXPECT_EQ(looks[0].check, LogFileCheck::kAccepted);
    EXPECT_EQ(looks[0].head.size(), 1u);
    for (std::size_t i : {1, 2}) {
        EXPECT_FALSE(looks[i].failure);
        EXPECT_EQ(looks[i].check, LogFileCheck::kNoLogLines) << looks[i].index;
    }
    stop.Request();
    EXPECT_TRUE(LookAtLogFiles(paths, "hlutrsbRU", stop).empty());
}

}  // namespace
}  // namespace trafikon
