// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/synthesis_table.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

std::string MonthFile(int lines) {
    static const char* kKeys[] = {
        "Date=", "Tota=", "Page=",   "Imag=",   "Prog=",   "Host=",   "Orig=",   "Mote=", "ReOK=",
        "ReKO=", "Hits=", "Ret100=", "Ret200=", "Ret300=", "Ret400=", "Ret500=", "Jour=", "ViJo="};
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += std::string(kKeys[i]) +
                (i == 0 ? "07/12/2026 10:00:00" : std::to_string(1000 + i)) + "\r\n";
    return text;
}

TEST(SynthesisTable, RowsAreNewestFirstWithStarForMonthsWithoutStatistics) {
    TempDir dir;
    const std::string site = dir.path() + "/";
    WriteRaw(dir / "mon-2004-06.tfd", MonthFile(18));
    std::vector<SynthesisRow> rows;
    AppendSynthesisRows(site, {"2004-05", "2004-06", "2004-07"}, rows);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key, "2004-07");
    EXPECT_EQ(rows[1].key, "2004-06");
    EXPECT_EQ(rows[2].key, "2004-05");
    EXPECT_EQ(rows[0].cells, std::vector<std::string>{"*"});
    EXPECT_EQ(rows[2].cells, std::vector<std::string>{"*"});
    // Lines 2,3,4,5,6,8,9,10,11,17: values 1001.. by line index; line 7 (Orig) and 12-16 skipped.
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"1001", "1002", "1003", "1004", "1005",
                                                       "1007", "1008", "1009", "1010", "1016"}));
}

TEST(SynthesisTable, ValuesAreShownExactlyAsStoredAndShortFilesGiveEmptyCells) {
    TempDir dir;
    WriteRaw(dir / "mon-2004-05.tfd", "Date=x\r\nTota= 1 234,5\r\nPage=007\r\nImag=");
    const SynthesisRow row = ReadSynthesisRow(dir.path() + "/", "2004-05");
    ASSERT_EQ(row.cells.size(), 10u);
    EXPECT_EQ(row.cells[0], " 1 234,5");
    EXPECT_EQ(row.cells[1], "007");
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(row.cells[i], "") << i;
}

TEST(SynthesisTable, UnreadableStatisticsFileStopsWithRowsSoFarKept) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    TempDir dir;
    WriteRaw(dir / "mon-2004-07.tfd", MonthFile(17));
    WriteRaw(dir / "mon-2004-06.tfd", MonthFile(17));
    ::chmod((dir / "mon-2004-06.tfd").c_str(), 0);
    std::vector<SynthesisRow> rows;
    try {
        AppendSynthesisRows(dir.path() + "/", {"2004-05", "2004-06", "2004-07"}, rows);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(e.path().find("mon-2004-06.tfd"), std::string::npos);
        EXPECT_FALSE(e.reason().empty());
    }
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].key, "2004-07");
}

TEST(SynthesisTable, CaptionAndAnalysisPresence) {
    TempDir dir;
    EXPECT_EQ(AnalysisCaption("Analyse", "2004-05"), "Analyse 2004-05");
    EXPECT_FALSE(MonthHasAnalysis(dir.path() + "/", "2004-05"));
    WriteRaw(dir / "lfp-2004-05.tfd", "");
    EXPECT_TRUE(MonthHasAnalysis(dir.path() + "/", "2004-05"));
}

}  // namespace
}  // namespace trafikon
