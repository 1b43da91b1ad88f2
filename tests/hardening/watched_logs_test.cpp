// SPDX-License-Identifier: GPL-3.0-or-later
// Watched logs through rotations, as real processes: whatever happens to a
// log (lines written in pieces, renamed, compressed, copied and truncated,
// date-named, added again by hand, a kill in the middle of an import), the
// store holds each of its lines exactly once, in order.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "batch_process.h"
#include "support/temp_dir.h"

namespace trafikon::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kFormat = "h l u t r s b R U";

// Combined lines of March 2002, each one its own (numbered path).
std::vector<std::string> SourceLines(int count) {
    std::vector<std::string> lines;
    char line[200];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line,
                      "10.0.0.%d - - [%02d/Mar/2002:10:%02d:00 +0100] \"GET /p%d.html HTTP/1.1\" "
                      "200 100 \"-\" \"Agent/1\"\n",
                      i % 250, 1 + i * 28 / count, i % 60, i);
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, int from, int to) {
    std::string out;
    for (int i = from; i < to; ++i)
        out += lines[static_cast<std::size_t>(i)];
    return out;
}

void Append(const std::string& path, const std::string& bytes) {
    WriteRaw(path, (fs::exists(path) ? ReadRaw(path) : std::string()) + bytes);
}

// The stored log of March 2002 with LF line ends.
std::string Stored(const TempDir& scratch) {
    const std::string path = scratch / "root/data/1/log-2002-03.log";
    std::string bytes = fs::exists(path) ? ReadRaw(path) : std::string();
    std::erase(bytes, '\r');
    return bytes;
}

RunResult WatchOnce(const TempDir& scratch, std::vector<std::string> patterns = {}) {
    std::vector<std::string> args{Batch(),          "watch",    "--once", "--root",
                                  scratch / "root", "--format", kFormat};
    args.insert(args.end(), patterns.begin(), patterns.end());
    return RunProgram(args, scratch);
}

TEST(WatchedLogs, FourRotationsAndAHandImportStoreEachLineOnce) {
    TempDir scratch;
    const std::vector<std::string> lines = SourceLines(300);
    const std::string log = scratch / "logs/access.log";
    const std::string half = lines[50].substr(0, 40);

    // A line being written waits for its end.
    WriteRaw(log, Join(lines, 0, 50) + half);
    RunResult r = WatchOnce(scratch, {scratch / "logs/access.log*"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 50));
    EXPECT_TRUE(fs::exists(scratch / "root/data/1/mon-2002-03.tfd")) << "analysed after import";
    Append(log, lines[50].substr(40) + Join(lines, 51, 80));
    ASSERT_EQ(WatchOnce(scratch).exitCode, 0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 80));

    // Renamed, more lines in it after the rename; compressed later.
    Append(log, Join(lines, 80, 100));
    fs::rename(log, log + ".1");
    Append(log + ".1", Join(lines, 100, 110));
    WriteRaw(log, Join(lines, 110, 150));
    ASSERT_EQ(WatchOnce(scratch).exitCode, 0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 150));
    ASSERT_EQ(RunProgram({"/bin/gzip", log + ".1"}, scratch).exitCode, 0);
    fs::rename(log + ".1.gz", log + ".2.gz");
    ASSERT_EQ(WatchOnce(scratch).exitCode, 0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 150));

    // Copied and truncated, then new lines; the copy holds lines not seen yet.
    Append(log, Join(lines, 150, 180));
    fs::copy_file(log, log + ".1");
    WriteRaw(log, Join(lines, 180, 200));
    ASSERT_EQ(WatchOnce(scratch).exitCode, 0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 200));

    // Date-named rotation.
    WriteRaw(log + "-20020331", Join(lines, 200, 300));
    ASSERT_EQ(WatchOnce(scratch).exitCode, 0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 300));

    // The same file added by hand: nothing new.
    r = RunProgram(
        {Batch(), "import", "--root", scratch / "root", "--format", kFormat, log + "-20020331"},
        scratch);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("imported before, nothing new"), std::string::npos) << r.out;
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 300));
}

// A virtual-host log watched as it grows: each new line lands once, in order,
// in the site of its host, a host first met in a later round included, and
// every site that received lines is analysed.
TEST(WatchedLogs, AVirtualHostLogGrownTwiceFilesEachLineOnceIntoItsSite) {
    TempDir scratch;
    // Site of each host: 1 takes the lines without one; 2 to 4 are made in
    // the order their hosts first come, the blog's in the second round.
    const std::vector<std::pair<std::string, int>> hosts{
        {"www.example.org:80", 2}, {"shop.example.net", 3}, {"-", 1}, {"Example.ORG", 2}};
    const std::vector<std::string> lines = SourceLines(120);
    std::vector<std::string> written;
    std::map<int, std::string> expected;
    for (int i = 0; i < 120; ++i) {
        auto [host, site] = hosts[static_cast<std::size_t>(i % 4)];
        if (i >= 80 && i % 4 == 3)
            std::tie(host, site) = std::pair<std::string, int>("blog.example.com", 4);
        written.push_back(host + " " + lines[static_cast<std::size_t>(i)]);
        expected[site] += written.back();
    }
    const std::string log = scratch / "logs/vhost.log";
    const std::string half = written[60].substr(0, 30);
    WriteRaw(log, Join(written, 0, 60) + half);
    const std::vector<std::string> watch{Batch(),
                                         "watch",
                                         "--once",
                                         "--root",
                                         scratch / "root",
                                         "--format",
                                         std::string("v ") + kFormat};
    std::vector<std::string> first = watch;
    first.push_back(log);
    ASSERT_EQ(RunProgram(first, scratch).exitCode, 0);
    Append(log, written[60].substr(30) + Join(written, 61, 100));
    ASSERT_EQ(RunProgram(watch, scratch).exitCode, 0);
    Append(log, Join(written, 100, 120));
    const RunResult last = RunProgram(watch, scratch);
    ASSERT_EQ(last.exitCode, 0) << last.err;

    for (int site = 1; site <= 4; ++site) {
        const std::string dir = scratch / ("root/data/" + std::to_string(site));
        std::string stored = ReadRaw(dir + "/log-2002-03.log");
        std::erase(stored, '\r');
        EXPECT_EQ(stored, expected[site]) << "site " << site;
        EXPECT_TRUE(fs::exists(dir + "/mon-2002-03.tfd")) << "site " << site << " analysed";
    }
    EXPECT_FALSE(fs::exists(scratch / "root/data/5"));
}

TEST(WatchedLogs, AFileImportedTwiceIsStoredOnceUnlessAskedAgain) {
    TempDir scratch;
    const std::vector<std::string> lines = SourceLines(40);
    WriteRaw(scratch / "a.log", Join(lines, 0, 40));
    for (int run = 0; run < 2; ++run)
        ASSERT_EQ(RunProgram({Batch(), "import", "--root", scratch / "root", "--format", kFormat,
                              scratch / "a.log"},
                             scratch)
                      .exitCode,
                  0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 40));
    ASSERT_EQ(RunProgram({Batch(), "import", "--again", "--root", scratch / "root", "--format",
                          kFormat, scratch / "a.log"},
                         scratch)
                  .exitCode,
              0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 40) + Join(lines, 0, 40));
}

TEST(WatchedLogs, ASecondWatcherIsRefusedAndTheFirstStopsCleanlyOnSigterm) {
    TempDir scratch;
    const std::vector<std::string> lines = SourceLines(20);
    WriteRaw(scratch / "logs/a.log", Join(lines, 0, 20));
    ChildProcess first({Batch(), "watch", "--interval", "1", "--root", scratch / "root", "--format",
                        kFormat, scratch / "logs"},
                       scratch / "first.out", scratch / "first.err");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Stored(scratch).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(Stored(scratch), Join(lines, 0, 20));

    const RunResult second = WatchOnce(scratch);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("another process watches"), std::string::npos) << second.err;

    first.Signal(SIGTERM);
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 20));
}

TEST(WatchedLogs, KillsDuringAWatchedImportLoseNothingAndDoubleNothing) {
    TempDir scratch;
    const std::vector<std::string> lines = SourceLines(200000);
    WriteRaw(scratch / "logs/access.log", Join(lines, 0, 100000));
    WriteRaw(scratch / "logs/access.log.1", Join(lines, 100000, 200000));
    fs::rename(scratch / "logs/access.log.1", scratch / "logs/access.log.0");
    int interrupted = 0;
    for (const int ms : {30, 90, 200, 400}) {
        ChildProcess child({Batch(), "watch", "--once", "--root", scratch / "root", "--format",
                            kFormat, scratch / "logs/access.log*"},
                           scratch / "kill.out", scratch / "kill.err");
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        interrupted += child.Kill();
    }
    ASSERT_EQ(WatchOnce(scratch, {scratch / "logs/access.log*"}).exitCode, 0);
    // access.log.0 holds the later lines, its first line being later.
    EXPECT_EQ(Stored(scratch), Join(lines, 0, 200000));
    EXPECT_GT(interrupted, 0) << "no kill came before the end of the import";
}

}  // namespace
}  // namespace trafikon::testing
