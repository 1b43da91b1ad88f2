// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built trafikon-batch import and checks its exit codes, messages,
// summary line and the files it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

namespace fs = std::filesystem;
using testing::ReadRaw;
using testing::TempDir;
using testing::WriteRaw;

struct Result {
    int exitCode = -1;
    std::string out, err;
};

Result RunImport(const TempDir& dir, const std::string& args) {
    const std::string outPath = dir / "stdout.txt", errPath = dir / "stderr.txt";
    const std::string command =
        std::string(TRAFIKON_BATCH_EXE) + " import " + args + " >" + outPath + " 2>" + errPath;
    const int status = std::system(command.c_str());
    Result r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadRaw(outPath);
    r.err = ReadRaw(errPath);
    return r;
}

std::string LastLine(const std::string& text) {
    const Lines lines = SplitLines(text);
    return lines.empty() ? "" : lines.back();
}

const std::string kLine1 =
    "host - - [24/Mar/2002:01:37:08 +0100] \"GET / HTTP/1.1\" 200 1248 \"-\" \"Mozilla/3\"";
const std::string kLine2 =
    "host - - [01/Apr/2002:01:37:08 +0100] \"GET / HTTP/1.1\" 200 1248 \"-\" \"Mozilla/3\"";

TEST(ImportCommandTest, ImportsAndSumsUp) {
    TempDir dir;
    WriteRaw(dir / "a.log", kLine1 + "\n" + kLine2 + "\n");
    WriteRaw(dir / "b.log", "#header\n" + kLine1 + "\n");
    const Result r =
        RunImport(dir, "--root " + dir.path() + "/root --format \"h l u t r s b R U\" " +
                           dir / "a.log" + " " + dir / "b.log");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::regex_match(LastLine(r.out),
                                 std::regex("2 files, 3 lines stored, 2 months touched, "
                                            "[0-9.]+ seconds, [0-9.]+ MB/s, 0 damaged lines")))
        << r.out;
    const std::string site = dir / "root/data/1/";
    EXPECT_EQ(ReadRaw(site + "format.log"), "h\r\nl\r\nu\r\nt\r\nr\r\ns\r\nb\r\nR\r\nU\r\n");
    EXPECT_EQ(ReadRaw(site + "log-2002-03.log"), kLine1 + "\r\n" + kLine1 + "\r\n");
    EXPECT_EQ(ReadRaw(site + "log-2002-04.log"), kLine2 + "\r\n");
}

TEST(ImportCommandTest, MissingRequiredFieldsWriteNothing) {
    const struct {
        const char* format;
        const char* missing;
    } cases[] = {
        {"h l u t r b", "Retour HTTP"},
        {"l u t r b", "Retour HTTP, Host"},
        {"d H u I", "Ressource, Retour HTTP, Host"},
        {"d H M s", "Host"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteRaw(dir / "a.log", kLine1 + "\n");
        const Result r = RunImport(
            dir, "--root " + dir.path() + "/root --format \"" + c.format + "\" " + dir / "a.log");
        EXPECT_EQ(r.exitCode, 2) << c.format;
        EXPECT_EQ(r.err,
                  std::string("the format lacks these required fields: ") + c.missing + "\n");
        EXPECT_FALSE(fs::exists(dir / "root")) << c.format;
    }
}

TEST(ImportCommandTest, EmptyAndHeaderOnlyFilesAreRefusedByName) {
    TempDir dir;
    WriteRaw(dir / "empty.log", "");
    WriteRaw(dir / "header.log", "#Software: x\r\n#Fields: y\r\n");
    WriteRaw(dir / "a.log", kLine1 + "\n");
    const Result r =
        RunImport(dir, "--root " + dir.path() + "/root --format \"h l u t r s b R U\" " +
                           dir / "empty.log" + " " + dir / "a.log " + dir / "header.log");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.err.find(dir / "empty.log: the file is empty"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir / "header.log: the file holds no log lines"), std::string::npos)
        << r.err;
    EXPECT_EQ(LastLine(r.out).rfind("1 files, 1 lines stored, 1 months touched", 0), 0u);

    const Result none = RunImport(
        dir, "--root " + dir.path() + "/other --format \"h l u t r s\" " + dir / "empty.log");
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_FALSE(fs::exists(dir / "other"));
}

TEST(ImportCommandTest, InputOutputErrorsExitWithOne) {
    TempDir dir;
    WriteRaw(dir / "a.log", kLine1 + "\n");
    WriteRaw(dir / "plain", "x");
    const Result missing =
        RunImport(dir, "--root " + dir.path() + "/root --format \"h l u t r s b R U\" " +
                           dir / "a.log " + dir / "missing.log");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find(dir / "missing.log: No such file or directory"), std::string::npos)
        << missing.err;
    // The file before the failing one stays imported.
    EXPECT_TRUE(fs::exists(dir / "root/data/1/log-2002-03.log"));

    const Result store =
        RunImport(dir, "--root " + dir / "plain" + " --format \"h t r s\" " + dir / "a.log");
    EXPECT_EQ(store.exitCode, 1);
    EXPECT_NE(store.err.find(dir / "plain"), std::string::npos) << store.err;
    EXPECT_NE(store.err.find("Not a directory"), std::string::npos) << store.err;
}

TEST(ImportCommandTest, UsageErrors) {
    TempDir dir;
    WriteRaw(dir / "a.log", kLine1 + "\n");
    for (const std::string& args :
         {"--root '' --format \"h t r s\" " + dir / "a.log",
          "--root " + dir / "r" + " " + dir / "a.log",
          "--root " + dir / "r" + " --format \"h t r s\"",
          "--root " + dir / "r" + " --format \"h t x s r\" " + dir / "a.log",
          "--root " + dir / "r" + " --format \"h h t r s\" " + dir / "a.log",
          "--root " + dir / "r" + " --format auto --vhost-fold www,none " + dir / "a.log"}) {
        EXPECT_EQ(RunImport(dir, args).exitCode, 2) << args;
        EXPECT_FALSE(fs::exists(dir / "r")) << args;
    }
}

TEST(ImportCommandTest, DashesEndOptionsAndAFailingFileIsNamedWithThoseStored) {
    TempDir dir;
    WriteRaw(dir / "--root", kLine1 + "\n");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    // A FIFO without writer would block open() for ever: `timeout` turns a hang into 124.
    const std::string command = "cd '" + dir.path() + "' && timeout 20 " + TRAFIKON_BATCH_EXE +
                                " import --root root --format 'h l u t r s b R U' -- --root fifo" +
                                " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = ReadRaw(dir / "err.txt");
    EXPECT_NE(err.find("fifo: not a regular file"), std::string::npos) << err;
    EXPECT_NE(err.find("files stored: --root\nfile not stored: fifo\n"), std::string::npos) << err;
    EXPECT_EQ(ReadRaw(dir / "root/data/1/log-2002-03.log"), kLine1 + "\r\n");
}

}  // namespace
}  // namespace trafikon

namespace trafikon {
namespace {

TEST(ImportCommandTest, AutoFormatDetectsEachFileAndRefusesWhatItDoesNotKnow) {
    TempDir dir;
    const std::string common = "host - - [25/Mar/2002:01:37:08 +0100] \"GET / HTTP/1.1\" 200 1248";
    WriteRaw(dir / "combined.log", kLine1 + "\n");
    WriteRaw(dir / "iis.log",
             "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
             "2002-05-01 10:00:00 10.0.0.1 GET /a 200\n");
    WriteRaw(dir / "common.log", common + "\n");  // March is stored as combined by then
    WriteRaw(dir / "other.log", "2002-05-01 anything else\n");
    const Result r = RunImport(dir, "--root " + dir.path() + "/root --format auto " +
                                        dir / "iis.log" + " " + dir / "other.log" + " " +
                                        dir / "combined.log" + " " + dir / "common.log");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir / "other.log" + ": format not recognised"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(dir / "common.log" +
                         ": not imported: month 2002-03 is stored as \"h l u t r s b R U\", "
                         "the file is \"h l u t r s b\""),
              std::string::npos)
        << r.err;
    const std::string site = dir / "root/data/1/";
    EXPECT_EQ(ReadRaw(site + "log-2002-03.log"), kLine1 + "\r\n");
    EXPECT_EQ(ReadRaw(site + "format-2002-05.tfd"), "d\r\nH\r\nh\r\nM\r\nI\r\ns\r\n");
}

// A file of which nothing could be stored never ends in success; a detected
// format is held to the rules of a given one.
TEST(ImportCommandTest, FilesThatStoreNothingAreNamedAndFailTheRun) {
    TempDir dir;
    WriteRaw(dir / "w3c-apache.log",
             "#Fields: date time c-ip cs-method cs-uri-stem sc-status\n" + kLine1 + "\n");
    WriteRaw(dir / "logs.zip", "PK\x03\x04" + kLine1 + "\n");
    WriteRaw(dir / "twice.log",
             "#Fields: date time c-ip c-ip cs-uri-stem sc-status\n"
             "2002-03-24 10:00:00 10.0.0.1 10.0.0.2 /a 200\n");
    WriteRaw(dir / "tabs.log",
             "#Fields: date time c-ip cs-uri-stem sc-status\n"
             "2002-03-24\t10:00:00\t10.0.0.1\t/a\t200\n");
    WriteRaw(dir / "good.log", kLine1 + "\n");
    const Result r =
        RunImport(dir, "--root " + dir.path() + "/root --format auto " + dir / "w3c-apache.log" +
                           " " + dir / "logs.zip" + " " + dir / "twice.log" + " " +
                           dir / "tabs.log" + " " + dir / "good.log");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir / "w3c-apache.log: format not recognised"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(dir / "tabs.log: format not recognised"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir / "logs.zip"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("holds field code \"h\" twice"), std::string::npos) << r.err;
    EXPECT_EQ(ReadRaw(dir / "root/data/1/log-2002-03.log"), kLine1 + "\r\n");
    const Result undated = RunImport(
        dir, "--root " + dir.path() + "/root --again --format 'd H h M I s' " + dir / "good.log");
    EXPECT_EQ(undated.exitCode, 1);
    EXPECT_NE(undated.err.find(dir / "good.log: no line with a readable date"), std::string::npos)
        << undated.err;
}

// The limit of a compressed file's expansion comes from the store's settings
// (as the desktop uses it) unless --max-expansion gives one.
TEST(ImportCommandTest, ExpansionLimitComesFromTheSettingsUnlessGiven) {
    TempDir dir;
    std::string lines;
    while (lines.size() < 400000)
        lines += kLine1 + "\n";
    WriteRaw(dir / "a.log", lines);
    ASSERT_EQ(std::system(("gzip " + dir / "a.log").c_str()), 0);
    std::filesystem::create_directories(dir / "root/data/1");
    WriteRaw(dir / "root/data/1/param.tfd", "\r\nRetour Off\r\n40\r\nfr\r\n\r\n\r\n\r\n2\r\n");
    const std::string args = "--root " + dir.path() + "/root --format \"h l u t r s b R U\" ";
    Result r = RunImport(dir, args + dir / "a.log.gz");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("2 times"), std::string::npos) << r.err;
    r = RunImport(dir, args + "--max-expansion 1000 " + dir / "a.log.gz");
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST(ImportCommandTest, VirtualHostLinesAreFiledIntoTheSitesOfTheirHosts) {
    TempDir dir;
    WriteRaw(dir / "vhost.log", "www.example.org:443 " + kLine1 + "\nexample.org:80 " + kLine2 +
                                    "\n- " + kLine1 + "\n");
    const Result r = RunImport(
        dir, "--root " + dir / "root" + " --format auto --vhost-fold www " + dir / "vhost.log");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The ports differ: two sites, the "-" line in the first one.
    EXPECT_NE(r.out.find("site 2 made for virtual host example.org:443\n"
                         "site 3 made for virtual host example.org:80\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(ReadRaw(dir / "root/data/1/log-2002-03.log"), "- " + kLine1 + "\r\n");
    EXPECT_EQ(ReadRaw(dir / "root/data/2/log-2002-03.log"),
              "www.example.org:443 " + kLine1 + "\r\n");
    EXPECT_EQ(ReadRaw(dir / "root/data/3/log-2002-04.log"), "example.org:80 " + kLine2 + "\r\n");
}

}  // namespace
}  // namespace trafikon
