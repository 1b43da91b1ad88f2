// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/analyse_months.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "engine/engine_test_store.h"
#include "import/import_logs.h"
#include "import/import_observer.h"
#include "store/data_store.h"
#include "store/store_lock.h"
#include "support/generated_log.h"

namespace trafikon {
namespace {

// Writes down everything the run reports, in the order it comes.
class RecordingObserver : public MonthsObserver {
  public:
    void MonthInHand(const std::string& key) override { reports.push_back("in hand " + key); }
    MalformedLineAnswer MalformedLine(std::int64_t lineNumber, std::string_view) override {
        reports.push_back("asked " + std::to_string(lineNumber));
        // The third month is cancelled at its first question.
        return reports.size() > 1 && inHand() == "2024-03" ? MalformedLineAnswer::Cancel
                                                           : MalformedLineAnswer::Ignore;
    }
    void MonthEnded(const std::string& key, const AnalysisResult& r) override {
        reports.push_back("ended " + key + (r.completed ? " completed " : " cancelled ") +
                          std::to_string(r.hits) + " " + std::to_string(r.ignoredLines));
    }
    bool MonthFailed(const std::string& key, std::exception_ptr) override {
        reports.push_back("failed " + key);
        return true;
    }
    std::string inHand() const {
        for (auto it = reports.rbegin(); it != reports.rend(); ++it)
            if (it->starts_with("in hand "))
                return it->substr(8);
        return {};
    }
    std::vector<std::string> reports;
};

// Months analysed one, two or four at a time give the same files and the same
// reports in the same order, questions included.
TEST(AnalyseMonthsTest, SameFilesAndReportsWhateverTheMonthsAtOnce) {
    testing::TestStore store;
    const std::string log = store.root() + "/generated.log";
    testing::WriteGeneratedLog(
        log, {"--lines", "6000", "--months", "5", "--seed", "3", "--junk", "0.01"});
    SilentImportObserver importing;
    ImportLogs(store.siteDir(), {log}, "hlutrsbRU", importing);
    std::vector<std::string> months = ListStoredMonths(store.siteDir());
    ASSERT_GE(months.size(), 5u);
    months.push_back("2099-12");  // no log: left out
    const auto wanted = [&](const std::string& key) {
        return FileExists(store.siteDir() + LogFileName(key));
    };

    std::map<std::string, std::string> firstFiles;
    std::vector<std::string> firstReports;
    for (int atOnce : {1, 2, 4}) {
        PrepareAnalysisRun(store.siteDir());
        RecordingObserver observer;
        AnalyseMonths(store.siteDir(), months, "http://www.example.org", wanted, observer, atOnce);
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(store.siteDir())) {
            const std::string name = entry.path().filename().string();
            files[name] = testing::ReadRaw(entry.path().string());
            if (name.ends_with(".tfd") && !name.starts_with("format-") &&
                name != kImportedLogsFileName)
                std::filesystem::remove(entry.path());  // a fresh analysis each time
        }
        if (atOnce == 1) {
            firstFiles = files;
            firstReports = observer.reports;
            EXPECT_EQ(observer.reports.back(), "in hand 2099-12");
            ASSERT_GT(files.count("rob-2024-05.tfd"), 0u);
            EXPECT_EQ(files.count("mon-2024-03.tfd"), 0u);  // cancelled
        } else {
            EXPECT_EQ(files, firstFiles) << atOnce;
            EXPECT_EQ(observer.reports, firstReports) << atOnce;
        }
    }
}

// The months of a run share one hold of the store's write lock: a month that
// writes its results never waits for the other one under way (with a wait of
// its own it gave up now and then on thousands of months).
TEST(AnalyseMonthsTest, TheRunHoldsTheStoreLockOnceForAllItsMonths) {
    testing::TestStore store;
    const std::string log = store.root() + "/generated.log";
    testing::WriteGeneratedLog(log, {"--lines", "2000", "--months", "4", "--seed", "5"});
    SilentImportObserver importing;
    ImportLogs(store.siteDir(), {log}, "hlutrsbRU", importing);
    struct LockWatcher : RecordingObserver {
        std::string site;
        int unlocked = 0;
        void Progress(int) override { unlocked += IsStoreBeingWritten(site) ? 0 : 1; }
    } observer;
    observer.site = store.siteDir();
    AnalyseMonths(
        store.siteDir(), ListStoredMonths(store.siteDir()), "",
        [](const std::string&) { return true; }, observer, 2);
    EXPECT_EQ(observer.unlocked, 0);
    EXPECT_EQ(std::count_if(observer.reports.begin(), observer.reports.end(),
                            [](const std::string& r) { return r.find(" completed ") != r.npos; }),
              4);
    EXPECT_FALSE(IsStoreBeingWritten(store.siteDir()));
}

// Two months at once for each three cores, as many as a quarter of the
// memory holds at a quarter of a gigabyte each, and always one at least.
TEST(AnalyseMonthsTest, MonthsAtOnceByCoresAndMemory) {
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    EXPECT_EQ(MonthsAtOnceFor(2, 24 * kGiB), 2);
    EXPECT_EQ(MonthsAtOnceFor(8, 24 * kGiB), 6);
    EXPECT_EQ(MonthsAtOnceFor(8, 2 * kGiB), 2);
    EXPECT_EQ(MonthsAtOnceFor(4, kGiB / 2), 1);
    EXPECT_EQ(MonthsAtOnceFor(0, 0), 1);
    EXPECT_EQ(MonthsAtOnceFor(1, 0), 1);
    EXPECT_GE(MonthsAtOnce(), 1);
}

}  // namespace
}  // namespace trafikon
