// SPDX-License-Identifier: GPL-3.0-or-later
// Kills trafikon-batch with SIGKILL at random moments of an import and of an
// analysis, and checks what a kill may leave in the store: months stored
// before stay whole, the next import puts an interrupted one back, and every
// analysis file is either the old or the new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "batch_process.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon::testing {
namespace {

using namespace std::chrono_literals;

constexpr const char* kFormat = "h l u t r s b R U";

std::mt19937 SeededRandom(unsigned& seed) {
    seed = std::random_device{}();
    return std::mt19937(seed);
}

void SleepSeconds(double s) {
    std::this_thread::sleep_for(std::chrono::duration<double>(s));
}

RunResult Import(const TempDir& scratch, const std::string& root, const std::string& log) {
    return RunProgram({Batch(), "import", "--root", root, "--format", kFormat, log}, scratch);
}

RunResult Analyse(const TempDir& scratch, const std::string& root, bool all = false) {
    std::vector<std::string> args = {Batch(), "analyse",    "--root",
                                     root,    "--site-url", "http://www.example.org"};
    if (all)
        args.push_back("--all");
    return RunProgram(args, scratch);
}

// The names of the store's own files: hidden temporary files left by a
// killed writer are not part of what readers see.
FolderSnapshot VisibleFiles(const std::string& siteDir) {
    FolderSnapshot files = Snapshot(siteDir);
    // The list of logs taken in follows the imports themselves (its own kill test
    // is in watched_logs_test.cpp).
    std::erase_if(files, [](const auto& f) {
        return f.first.starts_with(".") || f.first == kImportedLogsFileName;
    });
    return files;
}

bool IsMonthFile(const std::string& name, const std::string& ext) {
    return name.starts_with("log-") && name.ends_with(ext);
}

TEST(CrashSafety, KilledImportLeavesEarlierMonthsWholeAndIsPutBackByTheNextImport) {
    TempDir scratch;
    const std::string root = scratch / "root";
    const std::string site = root + "/data/1";
    const std::string earlier = scratch / "earlier.log";
    const std::string big = scratch / "big.log";
    const std::string later = scratch / "later.log";
    // Months 2002-01..03 stored first; the long import adds to 02 and 03 and
    // creates 04 and 05; the small later import touches only 2003-06.
    GenerateLog(scratch, earlier, 3000, "combined", 3, "2002-01", 1);
    GenerateLog(scratch, big, 300000, "combined", 4, "2002-02", 2);
    GenerateLog(scratch, later, 50, "combined", 1, "2003-06", 3);
    ASSERT_EQ(Import(scratch, root, earlier).exitCode, 0);
    const FolderSnapshot before = VisibleFiles(site);

    // One whole run gives the length of the import and the complete result.
    const RunResult whole = Import(scratch, root, big);
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    const FolderSnapshot complete = VisibleFiles(site);
    const double runTime = whole.seconds;

    unsigned seed;
    std::mt19937 random = SeededRandom(seed);
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::uniform_real_distribution<double> moment(0.0, runTime * 1.1);
    const int kills = runTime > 4 ? 5 : 8;
    int interrupted = 0;
    for (int k = 0; k < kills; ++k) {
        Restore(site, before);
        const double at = moment(random);
        SCOPED_TRACE("killed after " + std::to_string(at) + " s of " + std::to_string(runTime));
        {
            ChildProcess child({Batch(), "import", "--root", root, "--format", kFormat, big},
                               scratch / "kill.out", scratch / "kill.err");
            SleepSeconds(at);
            interrupted += child.Kill();
        }
        // Right after the kill: every earlier file of a month is there, and
        // each month's log and time file still begin with their earlier bytes.
        const FolderSnapshot after = VisibleFiles(site);
        for (const auto& [name, bytes] : before) {
            ASSERT_TRUE(after.count(name)) << name << " is gone";
            if (IsMonthFile(name, ".log") || IsMonthFile(name, ".eur")) {
                EXPECT_EQ(after.at(name).compare(0, bytes.size(), bytes), 0)
                    << name << " lost its earlier bytes";
            } else if (name.starts_with("format-")) {
                EXPECT_TRUE(after.at(name) == bytes || after.at(name) == complete.at(name)) << name;
            }
        }

        // The next import puts the interrupted one back before its own work:
        // then the store is exactly the earlier one (or the complete one when
        // the kill came after the end) plus the new month.
        const RunResult next = Import(scratch, root, later);
        ASSERT_EQ(next.exitCode, 0) << next.err;
        FolderSnapshot now = VisibleFiles(site);
        for (const char* name : {"log-2003-06.log", "log-2003-06.eur", "format-2003-06.tfd"}) {
            EXPECT_TRUE(now.count(name)) << name;
            now.erase(name);
        }
        const bool putBack = Differences(now, before).empty();
        const bool finished = Differences(now, complete).empty();
        EXPECT_TRUE(putBack || finished) << "differs from the earlier store in: "
                                         << ::testing::PrintToString(Differences(now, before))
                                         << "; from the complete import in: "
                                         << ::testing::PrintToString(Differences(now, complete));
        // Whole lines only, and the time file in step with its log.
        for (const auto& [name, bytes] : now) {
            if (!IsMonthFile(name, ".log"))
                continue;
            EXPECT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << name;
            const std::string eur = name.substr(0, name.size() - 4) + ".eur";
            ASSERT_TRUE(now.count(eur)) << eur;
            EXPECT_EQ(CountLines(bytes), CountLines(now.at(eur))) << name;
        }
    }
    RecordProperty("interrupted", interrupted);
    EXPECT_GT(interrupted, 0) << "no kill came before the end of the import";
}

TEST(CrashSafety, KilledAnalysisLeavesOldOrNewFilesAndTheNextAnalysisRepeatsTheMonth) {
    TempDir scratch;
    const std::string root = scratch / "root";
    const std::string site = root + "/data/1";
    const std::string first = scratch / "first.log";
    const std::string more = scratch / "more.log";
    GenerateLog(scratch, first, 150000, "combined", 1, "2002-03", 4);
    GenerateLog(scratch, more, 2000, "combined", 1, "2002-03", 5);
    ASSERT_EQ(Import(scratch, root, first).exitCode, 0);
    ASSERT_EQ(Analyse(scratch, root).exitCode, 0);
    const std::string key = "2002-03";
    std::vector<std::string> resultNames;
    for (const char* prefix :
         {"lfp", "hos", "nav", "mot", "ori", "mit", "oit", "ret", "fls", "mon"})
        resultNames.push_back(std::string(prefix) + "-" + key + ".tfd");
    FolderSnapshot oldFiles;
    for (const auto& name : resultNames)
        oldFiles[name] = ReadRaw(site + "/" + name);

    // More lines make the month out of date (its date-time text counts
    // seconds); a whole run gives the new files.
    std::this_thread::sleep_for(1100ms);
    ASSERT_EQ(Import(scratch, root, more).exitCode, 0);
    const RunResult whole = Analyse(scratch, root);
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    ASSERT_NE(whole.out.find(key), std::string::npos) << whole.out;
    FolderSnapshot newFiles;
    for (const auto& name : resultNames)
        newFiles[name] = ReadRaw(site + "/" + name);
    ASSERT_NE(oldFiles.at("mon-" + key + ".tfd"), newFiles.at("mon-" + key + ".tfd"));
    const double runTime = whole.seconds;

    unsigned seed;
    std::mt19937 random = SeededRandom(seed);
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::uniform_real_distribution<double> moment(0.0, runTime * 1.1);
    int interrupted = 0;
    for (int k = 0; k < 6; ++k) {
        for (const auto& [name, bytes] : oldFiles)
            WriteRaw(site + "/" + name, bytes);
        const double at = moment(random);
        SCOPED_TRACE("killed after " + std::to_string(at) + " s of " + std::to_string(runTime));
        {
            ChildProcess child(
                {Batch(), "analyse", "--root", root, "--site-url", "http://www.example.org"},
                scratch / "kill.out", scratch / "kill.err");
            SleepSeconds(at);
            interrupted += child.Kill();
        }
        // The earlier monthly file goes just before the new files are renamed
        // into place and the new one comes last: a month caught in between has
        // none and counts as not analysed.
        const std::string monthly = site + "/mon-" + key + ".tfd";
        const bool monthIsNew =
            FileExists(monthly) && ReadRaw(monthly) == newFiles.at("mon-" + key + ".tfd");
        for (const auto& name : resultNames) {
            if (name.starts_with("mon-") && !FileExists(monthly))
                continue;
            ASSERT_TRUE(FileExists(site + "/" + name)) << name << " is gone";
            const std::string bytes = ReadRaw(site + "/" + name);
            const bool isOld = bytes == oldFiles.at(name), isNew = bytes == newFiles.at(name);
            EXPECT_TRUE(isOld || isNew) << name << " is neither the old nor the new file";
            if (monthIsNew) {
                EXPECT_TRUE(isNew) << name;
            }
        }
        // The next analysis without --all repeats the month unless it was done.
        const RunResult next = Analyse(scratch, root);
        ASSERT_EQ(next.exitCode, 0) << next.err;
        EXPECT_EQ(next.out.find(key) != std::string::npos, !monthIsNew) << next.out;
        for (const auto& name : resultNames)
            EXPECT_EQ(ReadRaw(site + "/" + name), newFiles.at(name)) << name;
    }
    EXPECT_GT(interrupted, 0) << "no kill came before the end of the analysis";
}

}  // namespace
}  // namespace trafikon::testing
