// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/maintenance/delete_logs.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <string_view>

#include "store/data_store.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

const char* const kMonthFiles[] = {
    "log-K.log", "log-K.eur", "format-K.tfd", "lfp-K.tfd", "hos-K.tfd", "nav-K.tfd", "mot-K.tfd",
    "ori-K.tfd", "mit-K.tfd", "oit-K.tfd",    "ret-K.tfd", "fls-K.tfd", "mon-K.tfd"};

std::string WithKey(std::string pattern, const std::string& key) {
    pattern.replace(pattern.find('K'), 1, key);
    return pattern;
}

std::set<std::string> Listing(const std::string& dir) {
    std::set<std::string> names;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != ".." && n != kStoreLockFileName)  // the writers' lock stays
            names.insert(n);
    }
    closedir(d);
    return names;
}

TEST(MonthPattern, MatchesTheMonthsFilesAndNothingElse) {
    struct Case {
        const char* name;
        const char* key;
        bool match;
    } cases[] = {
        {"log-2004-05.log", "2004-05", true},
        {"mon-2004-05.tfd", "2004-05", true},
        {"format-2004-05.tfd", "2004-05", true},
        {"2004-05.txt", "2004-05", true},
        {"log-2004-06.log", "2004-05", false},
        {"log-12004-05.log", "2004-05", false},  // a longer key ending alike
        {"log-2004-05", "2004-05", false},       // no extension
        {"log-2004-05.", "2004-05", false},      // empty extension
        {"log-2004-05.log.bak", "2004-05", false},
        {"log-2004-05x.log", "2004-05", false},
        {"format.log", "2004-05", false},
        {"param.tfd", "2004-05", false},
        {"param.tfd", "", false},  // an empty key matches nothing
        {"x.tfd", "", false},
        {"a-../b.tfd", "../b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesMonthPattern(c.name, c.key), c.match) << c.name << " / " << c.key;
}

class DeleteLogsTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string site = dir.path() + "/site/";

    void SetUp() override {
        for (const char* key : {"2004-05", "2004-06", "2004-07"})
            for (const char* f : kMonthFiles)
                WriteRaw(site + WithKey(f, key), "x");
        WriteRaw(site + "format.log", "x");
        WriteRaw(site + "param.tfd", "x");
    }

    std::set<std::string> MonthFiles(const std::string& key) {
        std::set<std::string> names;
        for (const char* f : kMonthFiles)
            names.insert(WithKey(f, key));
        return names;
    }
};

TEST_F(DeleteLogsTest, AnalysisKeepsExactlyTheLogAndItsFormat) {
    const DeleteReport report = DeleteAnalysis(site, "2004-05");
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(report.deleted.size(), 11u);

    std::set<std::string> expected = MonthFiles("2004-06");
    expected.merge(MonthFiles("2004-07"));
    expected.insert({"log-2004-05.log", "format-2004-05.tfd", "format.log", "param.tfd"});
    EXPECT_EQ(Listing(site), expected);
}

// The file name that RemoveAllBut refuses to remove.
std::string gStuckName;
int RemoveAllBut(const char* path) {
    if (std::string_view(path).ends_with("/" + gStuckName)) {
        errno = EACCES;
        return -1;
    }
    return ::unlink(path);
}

// A month partly deleted never looks analysed: its statistics go first, or,
// when they cannot go, the month keeps every file.
TEST_F(DeleteLogsTest, AMonthPartlyDeletedNeverLooksAnalysed) {
    gStuckName = "hos-2004-05.tfd";
    DeleteReport report = DeleteAnalysis(site, "2004-05", &RemoveAllBut);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].path, site + gStuckName);
    EXPECT_FALSE(Listing(site).contains("mon-2004-05.tfd"));
    EXPECT_TRUE(Listing(site).contains(gStuckName));

    gStuckName = "mon-2004-06.tfd";
    report = DeleteAnalysis(site, "2004-06", &RemoveAllBut);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_TRUE(report.deleted.empty());
    for (const std::string& name : MonthFiles("2004-06"))
        EXPECT_TRUE(Listing(site).contains(name)) << name;
}

TEST_F(DeleteLogsTest, AnalysisAndLogOfTopAndBottomMonths) {
    DeleteAnalysisAndLog(site, "2004-07");
    DeleteAnalysisAndLog(site, "2004-05");
    std::set<std::string> expected = MonthFiles("2004-06");
    expected.insert({"format.log", "param.tfd"});
    EXPECT_EQ(Listing(site), expected);
}

TEST_F(DeleteLogsTest, EverythingLeavesOnlyFormatAndSettings) {
    WriteRaw(site + "notes.txt", "x");
    WriteRaw(site + "sub/inner.tfd", "x");  // folders are left alone
    const DeleteReport report = DeleteEverything(site);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(Listing(site), (std::set<std::string>{"format.log", "param.tfd", "sub"}));
    EXPECT_EQ(Listing(site + "sub"), std::set<std::string>{"inner.tfd"});
}

TEST_F(DeleteLogsTest, MonthKeysNeverReachOtherMonthsOrOtherFolders) {
    WriteRaw(dir / "outside-2004-05.tfd", "x");
    const auto before = Listing(site);
    for (const char* key : {"", "2004", "05", "../outside-2004-05", "*", "2004-0?"})
        DeleteAnalysisAndLog(site, key);
    EXPECT_EQ(Listing(site), before);
    EXPECT_EQ(testing::ReadRaw(dir / "outside-2004-05.tfd"), "x");
}

TEST_F(DeleteLogsTest, MissingFolderOrMonthDeletesNothing) {
    EXPECT_TRUE(DeleteAnalysis(site, "1999-01").deleted.empty());
    EXPECT_TRUE(DeleteEverything(site + "missing/").deleted.empty());
}

}  // namespace
}  // namespace trafikon
