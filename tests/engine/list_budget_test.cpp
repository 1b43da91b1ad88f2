// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "engine/month_analysis.h"
#include "support/generated_log.h"

namespace trafikon {
namespace {

std::map<std::string, std::string> ResultFiles(const std::string& siteDir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(siteDir))
        if (entry.path().extension() == ".tfd")
            files[entry.path().filename().string()] = testing::ReadRaw(entry.path().string());
    return files;
}

// Lists that go to the spill file many times over, as on a month of millions
// of distinct keys, write the same files byte for byte as lists kept whole.
TEST(ListBudgetTest, ResultFilesDoNotDependOnTheListBudget) {
    testing::TestStore store;
    std::vector<std::string> lines;
    std::istringstream log(testing::GeneratedLog(
        {"--lines", "40000", "--months", "1", "--start", "2026-03", "--seed", "3"},
        testing::LogVariety::kVaried));
    for (std::string line; std::getline(log, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line.substr(0, line.find('\r')));
    store.AddMonth("2026-03", lines);
    const auto analyse = [&] {
        testing::ScriptedObserver observer;
        const AnalysisResult r =
            AnalyseLog(store.siteDir(), "2026-03", "http://www.example.org", observer);
        EXPECT_TRUE(r.completed);
        return ResultFiles(store.siteDir());
    };
    const auto whole = analyse();
    SetListBudget(1);  // a page for each list of line numbers
    const auto spilled = analyse();
    SetListBudget(0);
    ASSERT_GE(whole.size(), 15u);
    ASSERT_EQ(spilled.size(), whole.size());
    for (const auto& [name, bytes] : whole)
        EXPECT_TRUE(spilled.at(name) == bytes) << name;
}

}  // namespace
}  // namespace trafikon
