// SPDX-License-Identifier: GPL-3.0-or-later
// Several sites in one store, driven through trafikon-batch: each site's
// folder holds what a store of its own would, the commands find a site by
// number, name or host, and deleting one touches nothing else.
#include <gtest/gtest.h>

#include <filesystem>

#include "hardening/batch_process.h"
#include "store/data_store.h"
#include "store/store_lock.h"

namespace trafikon {
namespace {

using testing::Batch;
using testing::FolderSnapshot;
using testing::ReadRaw;
using testing::RunProgram;
using testing::RunResult;
using testing::Snapshot;
using testing::TempDir;

constexpr const char* kFormat = "h l u t r s b R U";

RunResult RunBatch(const TempDir& scratch, const std::string& root, std::vector<std::string> args) {
    args.insert(args.begin() + 1, {"--root", root});
    args.insert(args.begin(), Batch());
    return RunProgram(args, scratch);
}

// A site folder's files, but for what follows the copy rather than the lines:
// the stored logs' times that the analysis notes (ver-, the Date line of
// mon-), and the content marks of the logs taken in.
FolderSnapshot Comparable(const std::string& siteDir) {
    FolderSnapshot files = Snapshot(siteDir);
    std::erase_if(files, [](const auto& f) {
        return f.first == kImportedLogsFileName || f.first == kSettingsFileName ||
               f.first.starts_with("ver-");
    });
    for (auto& [name, bytes] : files)
        if (name.starts_with(kMonthStatsPrefix) && bytes.starts_with("Date="))
            bytes.erase(0, bytes.find('\n'));
    return files;
}

TEST(SitesCommandTest, TwoSitesGiveWhatStoresOfTheirOwnGiveAndGoAlone) {
    TempDir scratch;
    const std::string a = scratch / "a.log", b = scratch / "b.log";
    testing::GenerateLog(scratch, a, 3000, "combined", 2, "2026-01", 1);
    testing::GenerateLog(scratch, b, 2000, "combined", 2, "2026-02", 2);
    const std::string shared = scratch / "shared", aloneA = scratch / "a", aloneB = scratch / "b";

    const RunResult added =
        RunBatch(scratch, shared, {"sites", "--add", "Boutique été", "--host", "shop.example.org"});
    ASSERT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(added.out, "2\n");
    for (const auto& [root, site, log] : {std::tuple{shared, "1", a},
                                          {shared, "BOUTIQUE ÉTÉ", b},
                                          {aloneA, "1", a},
                                          {aloneB, "1", b}}) {
        const RunResult in =
            RunBatch(scratch, root, {"import", "--site", site, "--format", kFormat, log});
        ASSERT_EQ(in.exitCode, 0) << site << in.err;
        const RunResult an = RunBatch(scratch, root, {"analyse", "--site", site});
        ASSERT_EQ(an.exitCode, 0) << site << an.err;
    }
    const std::string first = shared + "/data/1", second = shared + "/data/2";
    const FolderSnapshot own = Comparable(second);
    EXPECT_EQ(testing::Differences(Comparable(first), Comparable(aloneA + "/data/1")),
              std::vector<std::string>{});
    EXPECT_EQ(testing::Differences(own, Comparable(aloneB + "/data/1")),
              std::vector<std::string>{});
    EXPECT_GT(own.size(), 20u);
    const RunResult report = RunBatch(scratch, shared,
                                      {"report", "--site", "shop.example.org", "--month", "2026-03",
                                       "--json", scratch / "b.json"});
    EXPECT_EQ(report.exitCode, 0) << report.err;

    // The new site takes the program's settings from site 1, its address from its host.
    EXPECT_EQ(ReadRaw(second + "/param.tfd"),
              "http://shop.example.org\r\n\r\n40\r\nfr\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(shared + "/conf.tfd"));
    EXPECT_EQ(RunBatch(scratch, shared, {"sites"}).out,
              "1\t\t\t2\n2\tBoutique été\tshop.example.org\t2\n");

    // Without --yes only what would go is told.
    const RunResult asked = RunBatch(scratch, shared, {"sites", "--delete", "2"});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_NE(asked.out.find("data/2/ with 2 stored months"), std::string::npos) << asked.out;
    EXPECT_TRUE(std::filesystem::exists(second + "/log-2026-03.log"));

    const FolderSnapshot before = Snapshot(first);
    const RunResult gone =
        RunBatch(scratch, shared, {"sites", "--delete", "boutique été", "--yes"});
    EXPECT_EQ(gone.exitCode, 0) << gone.err;
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_EQ(Snapshot(first), before);
    EXPECT_EQ(RunBatch(scratch, shared, {"sites"}).out, "1\t\t\t2\n");
}

TEST(SitesCommandTest, UnknownSitesAndBadNamesAreUsageErrors) {
    TempDir scratch;
    const std::string root = scratch / "root", log = scratch / "a.log";
    testing::GenerateLog(scratch, log, 100, "combined", 1, "2026-01", 1);
    ASSERT_EQ(
        RunBatch(scratch, root, {"sites", "--add", "Blog", "--host", "blog.example.org"}).exitCode,
        0);
    const std::vector<std::vector<std::string>> refused = {
        {"import", "--site", "3", "--format", kFormat, log},
        {"import", "--site", "shop", "--format", kFormat, log},
        {"analyse", "--site", "shop"},
        {"analyse", "--site", "shop", "--from", "2026-01-01", "--to", "2026-01-02", "--out",
         scratch / "sel"},
        {"report", "--site", "shop", "--month", "2026-01", "--json", "-"},
        {"export", "--site", "3", "--all", "--tsv", "-"},
        {"watch", "--site", "shop", "--once", log},
        {"sites", "--add", "blog"},                    // a name taken
        {"sites", "--add", "News", "--host", "Blog"},  // a host that finds a site
        {"sites", "--add", "42"},                      // would read as a number
        {"sites", "--delete", "1", "--yes"},
        {"sites", "--rename", "shop", "Shop"},
    };
    for (const auto& args : refused) {
        const RunResult r = RunBatch(scratch, root, args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args[2] << r.err;
    }
    EXPECT_NE(RunBatch(scratch, root, refused[1]).err.find("--site shop: no such site"),
              std::string::npos);
    // Nothing made a folder for a site asked for by mistake.
    EXPECT_EQ(RunBatch(scratch, root, {"sites"}).out, "1\t\t\t0\n2\tBlog\tblog.example.org\t0\n");
    EXPECT_FALSE(std::filesystem::exists(root + "/data/3"));
    EXPECT_EQ(
        RunBatch(scratch, root, {"sites", "--rename", "blog.example.org", "Journal"}).exitCode, 0);
    EXPECT_EQ(
        RunBatch(scratch, root, {"import", "--site", "journal", "--format", kFormat, log}).exitCode,
        0);
    EXPECT_TRUE(std::filesystem::exists(root + "/data/2/log-2026-01.log"));
}

// Each site has its own write lock: one site's long import never holds up another's.
TEST(SitesCommandTest, ASiteIsImportedWhileAnotherSiteIsLocked) {
    TempDir scratch;
    const std::string root = scratch / "root", log = scratch / "a.log";
    testing::GenerateLog(scratch, log, 100, "combined", 1, "2026-01", 1);
    ASSERT_EQ(RunBatch(scratch, root, {"sites", "--add", "Second"}).exitCode, 0);
    std::filesystem::create_directories(root + "/data/1");
    const StoreWriteLock held(SiteDir(root + "/"));
    const RunResult second =
        RunBatch(scratch, root, {"import", "--site", "2", "--format", kFormat, log});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    const RunResult first = RunBatch(scratch, root, {"import", "--format", kFormat, log});
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_NE(first.err.find("in use"), std::string::npos) << first.err;
}

}  // namespace
}  // namespace trafikon
