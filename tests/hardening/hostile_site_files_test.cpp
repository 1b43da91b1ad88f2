// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged lists of a site folder, read and written back as the program does:
// what was read must survive the next write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/line_exclusions.h"
#include "import/watched_logs.h"
#include "store/data_store.h"
#include "store/imported_logs.h"
#include "support/temp_dir.h"

namespace trafikon::testing {
namespace {

TEST(HostileSiteFiles, ALogTakenInAtAnImpossibleTimeStaysKnownAfterTheNextWrite) {
    TempDir dir;
    const std::string site = dir.path() + "/";
    WriteRaw(ImportedLogsPath(site),
             "2049\t7\t900\t0\t900\t00000000000000ff\t900\t0000000000000abc\t"
             "18446744073709551615\t/var/log/a.log\r\n");
    const std::vector<ImportedLog> read = ReadImportedLogs(site);
    ASSERT_EQ(read.size(), 1u);
    StageImportedLogs(site, read);
    CommitImportedLogs(site);
    const std::vector<ImportedLog> again = ReadImportedLogs(site);
    ASSERT_EQ(again.size(), 1u);  // was dropped: its log would be taken in twice
    EXPECT_EQ(again[0].offset, 900u);
    EXPECT_EQ(again[0].tailHash, 0xabcu);
    EXPECT_EQ(again[0].importedAt, read[0].importedAt);
}

TEST(HostileSiteFiles, BlankWatchedPatternsAreNeitherReadNorAdded) {
    TempDir dir;
    const std::string site = dir.path() + "/";
    WriteRaw(site + std::string(kWatchedLogsFileName), "/var/log/a.log*\r\n  \r\n\t\r\n");
    EXPECT_EQ(ReadWatchedPatterns(site), std::vector<std::string>{"/var/log/a.log*"});
    AddWatchedPatterns(site, {" ", "/srv/logs/"});
    EXPECT_EQ(ReadWatchedPatterns(site),
              (std::vector<std::string>{"/var/log/a.log*", "/srv/logs/"}));
}

TEST(HostileSiteFiles, ARegularExpressionThatExplodesOnceCompiledIsRefused) {
    TempDir dir;
    const std::string site = dir.path() + "/";
    // Each of these took gigabytes in the C library's regcomp, or (the stars) minutes.
    for (const std::string& rule :
         {"path~~^/a" + std::string(60, '+'), std::string("ua~~((x{99}){99}){99}"),
          "path~~^b" + std::string(60, '*') + "0" + std::string(60, '*'),
          std::string("ua~~^x*+++++"),
          std::string("ref~~(((((((((((((((((((((((((((((((a+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+"
                      ")+)+)+)+)+)+)+)+)+)+)+)+)+)")}) {
        const std::string problem = SaveExclusionLines(site, {"status=404", rule});
        EXPECT_TRUE(problem.starts_with("line 2: position ")) << rule;
        EXPECT_NE(problem.find("too large"), std::string::npos) << problem;
    }
    EXPECT_EQ(
        SaveExclusionLines(site, {"path~~^/(en|fr)/[a-z]{2,8}(/[^/]+)+.*?$ ua~~[[:digit:]]{3}"}),
        "");
}

}  // namespace
}  // namespace trafikon::testing
