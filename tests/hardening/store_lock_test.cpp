// SPDX-License-Identifier: GPL-3.0-or-later
// Two writers on one store, as real processes: the store's write lock keeps
// a second import or analysis out (exit 1, a message naming the other use)
// and nobody rolls back a journal that a live import still writes; the
// analysis writes nothing for a log changed under it; the "analysed" check
// sees a log changed within one second; the number of stored months does not
// make the analysis of each one slower.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "batch_process.h"
#include "engine/analyse_log.h"
#include "engine/analysed_check.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "support/temp_dir.h"

namespace trafikon::testing {
namespace {

constexpr const char* kFormat = "h l u t r s b R U";
constexpr const char* kBusy = "the store is in use by another import or analysis";

// `count` combined lines of March 2002, request paths numbered from `first`.
std::string LogLines(int count, int first = 0) {
    std::string out;
    char line[200];
    for (int i = first; i < first + count; ++i) {
        std::snprintf(line, sizeof line,
                      "10.0.0.%d - - [%02d/Mar/2002:10:00:00 +0100] \"GET /p%d.html HTTP/1.1\" "
                      "200 100 \"-\" \"Agent/1\"\n",
                      i % 250, 1 + i % 28, i);
        out += line;
    }
    return out;
}

RunResult Import(const TempDir& scratch, const std::string& log) {
    return RunProgram({Batch(), "import", "--root", scratch / "root", "--format", kFormat, log},
                      scratch);
}

RunResult Analyse(const TempDir& scratch, bool all = false) {
    std::vector<std::string> args{Batch(), "analyse", "--root", scratch / "root"};
    if (all)
        args.push_back("--all");
    return RunProgram(args, scratch);
}

TEST(StoreLock, ASecondWriterWaitsThenRefusesAndLeavesALiveJournalAlone) {
    TempDir scratch;
    const std::string site = scratch / "root/data/1/";
    WriteRaw(scratch / "a.log", LogLines(100));
    ASSERT_EQ(Import(scratch, scratch / "a.log").exitCode, 0);
    // An import of this process is at work: its journal is live.
    WriteRaw(site + "import.journal", "2002-03\t-1\t-1\t-\n");
    const FolderSnapshot before = Snapshot(site);
    {
        const StoreWriteLock held(site);
        for (const RunResult& r : {Import(scratch, scratch / "a.log"), Analyse(scratch)}) {
            EXPECT_EQ(r.exitCode, 1) << r.err;
            EXPECT_NE(r.err.find(kBusy), std::string::npos) << r.err;
            EXPECT_GE(r.seconds, 1.5);  // it waited a moment first
        }
        EXPECT_EQ(Differences(Snapshot(site), before), std::vector<std::string>());
        EXPECT_TRUE(IsStoreBeingWritten(site));
    }
    // Once the writer is gone, its journal is rolled back by the next one.
    EXPECT_FALSE(IsStoreBeingWritten(site));
    ASSERT_EQ(Analyse(scratch).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(site + "import.journal"));
    EXPECT_FALSE(std::filesystem::exists(site + "log-2002-03.log"));
}

TEST(StoreLock, TwoImportsAtOnceLoseNoLine) {
    TempDir scratch;
    WriteRaw(scratch / "big.log", LogLines(300000));
    WriteRaw(scratch / "small.log", LogLines(10, 300000));
    ChildProcess first(
        {Batch(), "import", "--root", scratch / "root", "--format", kFormat, scratch / "big.log"},
        scratch / "first.out", scratch / "first.err");
    const std::string journal = scratch / "root/data/1/import.journal";
    for (int i = 0; i < 2000 && !std::filesystem::exists(journal); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const RunResult second = Import(scratch, scratch / "small.log");
    ASSERT_EQ(first.Wait(), 0) << ReadRaw(scratch / "first.err");
    const std::size_t stored = CountLines(ReadRaw(scratch / "root/data/1/log-2002-03.log"));
    // The second waited for the first or gave up; either way nothing is lost.
    if (second.exitCode == 0)
        EXPECT_EQ(stored, 300010u);
    else
        EXPECT_EQ(stored, 300000u) << second.err;
}

void AppendTo(const std::string& path, const char* text) {
    std::FILE* f = std::fopen(path.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
}

// Deletes or extends the stored log while the analysis reads it.
class ChangeDuringRead : public AnalysisObserver {
  public:
    ChangeDuringRead(std::string log, bool remove) : log_(std::move(log)), remove_(remove) {}
    void Progress(int) override {
        if (done_)
            return;
        done_ = true;
        if (remove_)
            std::filesystem::remove(log_);
        else
            AppendTo(log_, "x\r\n");
    }
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        return MalformedLineAnswer::Ignore;
    }
    void Cancelled(const std::string&) override {}

  private:
    std::string log_;
    bool remove_;
    bool done_ = false;
};

TEST(StoreLock, NoResultsForALogRemovedOrChangedWhileAnalysed) {
    for (const bool remove : {true, false}) {
        TempDir scratch;
        WriteRaw(scratch / "a.log", LogLines(50));
        ASSERT_EQ(Import(scratch, scratch / "a.log").exitCode, 0);
        const std::string site = scratch / "root/data/1/";
        ChangeDuringRead observer(site + LogFileName("2002-03"), remove);
        const AnalysisResult r = AnalyseLog(site, "2002-03", "", observer);
        EXPECT_TRUE(r.logChanged);
        EXPECT_FALSE(r.completed);
        EXPECT_FALSE(std::filesystem::exists(site + MonthStatsFileName("2002-03")));
        EXPECT_FALSE(std::filesystem::exists(site + "lfp-2002-03.tfd"));
    }
}

TEST(StoreLock, ALogChangedWithinTheSameSecondIsAnalysedAgain) {
    TempDir scratch;
    const std::string site = scratch / "root/data/1/";
    const std::string log = site + LogFileName("2002-03");
    WriteRaw(scratch / "a.log", LogLines(200));
    WriteRaw(scratch / "b.log", LogLines(200, 200));
    ASSERT_EQ(Import(scratch, scratch / "a.log").exitCode, 0);
    ASSERT_EQ(Analyse(scratch).exitCode, 0);
    struct stat analysed {};
    ASSERT_EQ(::stat(log.c_str(), &analysed), 0);
    ASSERT_EQ(Import(scratch, scratch / "b.log").exitCode, 0);
    // The second import lands in the same second as the analysed log.
    timespec times[2] = {{0, UTIME_OMIT}, analysed.st_mtim};
    times[1].tv_nsec = (times[1].tv_nsec + 1) % 1000000000;
    ASSERT_EQ(::utimensat(AT_FDCWD, log.c_str(), times, 0), 0);
    EXPECT_FALSE(IsMonthAnalysed(site, "2002-03"));
    const RunResult again = Analyse(scratch);
    EXPECT_NE(again.out.find("2002-03: 400 lines"), std::string::npos) << again.out;
    EXPECT_TRUE(IsMonthAnalysed(site, "2002-03"));
}

// A folder in memory when the system has one: the test times the analysis's
// own work, not the disk's syncs.
class MemoryFolder {
  public:
    MemoryFolder() {
        std::string pattern = "/dev/shm/trafikon-test-XXXXXX";
        if (std::filesystem::is_directory("/dev/shm") && ::mkdtemp(pattern.data()))
            path_ = pattern;
        else
            path_ = fallback_.path();
    }
    ~MemoryFolder() {
        std::error_code ec;
        if (path_ != fallback_.path())
            std::filesystem::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    TempDir fallback_;
    std::string path_;
};

// Analyses `count` stored months of one line each in a fresh store; the run's seconds.
double AnalyseMonths(const TempDir& scratch, const MemoryFolder& memory, const std::string& root,
                     int count) {
    const std::string site = memory / (root + "/data/1/");
    const std::string line =
        "h - - [01/Jan/2000:00:00:00 +0100] \"GET / HTTP/1.1\" 200 1 \"-\" \"A\"\r\n";
    std::string format;
    for (char c : std::string("hlutrsbRU"))
        format += std::string(1, c) + "\r\n";
    for (int m = 0; m < count; ++m) {
        char key[8];
        std::snprintf(key, sizeof key, "%04d-%02d", 1800 + m / 12, 1 + m % 12);
        WriteRaw(site + LogFileName(key), line);
        WriteRaw(site + FormatFileName(key), format);
    }
    // A temporary of a killed analysis of a month that this run will not analyse.
    const std::string leftover = site + ".lfp-1700-01.tfd.0123456789abcdef.tmp";
    WriteRaw(leftover, "half");
    const RunResult r = RunProgram({Batch(), "analyse", "--root", memory / root, "--all"}, scratch);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("months analysed: " + std::to_string(count) + ","), std::string::npos)
        << r.out;
    EXPECT_FALSE(std::filesystem::exists(leftover));
    return r.seconds;
}

TEST(StoreLock, ManyMonthsAnalyseInLinearTimeAndLeftoversGoAtTheStart) {
    TempDir scratch;
    MemoryFolder memory;
    const double seconds = AnalyseMonths(scratch, memory, "root", 2000);
    // A scan of the folder per result file took 36 s for 1,000 months, four
    // times that for 2,000; now about 6 s (60 s under the sanitizers).
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(seconds, 160.0);
#else
    EXPECT_LT(seconds, 40.0);
#endif
}

}  // namespace
}  // namespace trafikon::testing
