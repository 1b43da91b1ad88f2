// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/data_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/store_records.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(DataStoreTest, FileNamesOfAMonth) {
    EXPECT_EQ(SiteDir("/opt/trafikon/"), "/opt/trafikon/data/1/");
    EXPECT_EQ(SiteDir("/opt/trafikon"), "/opt/trafikon/data/1/");
    EXPECT_EQ(LogFileName("2004-05"), "log-2004-05.log");
    EXPECT_EQ(TimeFileName("2004-05"), "log-2004-05.eur");
    EXPECT_EQ(FormatFileName("2004-05"), "format-2004-05.tfd");
    EXPECT_EQ(MonthStatsFileName("2004-05"), "mon-2004-05.tfd");
    EXPECT_EQ(ResultFileName(kHostsResult, "2004-05"), "hos-2004-05.tfd");
    EXPECT_EQ(ResultFileName(kStatusResult, "2004-05"), "ret-2004-05.tfd");
    EXPECT_EQ(AnalysisFileNames("2004-05"),
              (std::vector<std::string>{"lfp-2004-05.tfd", "hos-2004-05.tfd", "nav-2004-05.tfd",
                                        "mot-2004-05.tfd", "ori-2004-05.tfd", "mit-2004-05.tfd",
                                        "oit-2004-05.tfd", "ret-2004-05.tfd", "fls-2004-05.tfd",
                                        "mon-2004-05.tfd"}));
}

TEST(DataStoreTest, StoredMonthsAscendingAndOnlyRealMonthNames) {
    testing::TempDir dir;
    for (const char* name : {"log-2004-05.log", "log-2003-12.log", "log-2002-00.log", "log-.log",
                             "log-x.log", "log-2004-05-old.log", "LOG-2001-01.log",
                             "log-2001-01.LOG", "log-2001-02.eur", "mon-2004-05.tfd", "format.log"})
        testing::WriteRaw(dir / name, "x\r\n");
    ASSERT_EQ(mkdir((dir / "log-2005-01.log").c_str(), 0755), 0);
    EXPECT_EQ(ListStoredMonths(dir.path()),
              (std::vector<std::string>{"2002-00", "2003-12", "2004-05"}));
    EXPECT_EQ(ListStoredMonths(dir.path() + "/"),
              (std::vector<std::string>{"2002-00", "2003-12", "2004-05"}));
    EXPECT_TRUE(ListStoredMonths(dir / "missing").empty());
}

}  // namespace
}  // namespace trafikon
