// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/month_results.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "month/analysed_month_fixture.h"
#include "month/tabs_records.h"
#include "month/whole_line_reader.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::AnalysedMonth;
using testing::TempDir;

TEST(MonthResultsTest, LoadsEveryTableInFileOrder) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_TRUE(m.analysed);
    EXPECT_TRUE(m.problems.empty());
    EXPECT_EQ(m.files.size(), 4u);
    EXPECT_EQ(m.hosts.size(), 2u);
    EXPECT_EQ(m.browsers.size(), 2u);
    EXPECT_EQ(m.externalReferrers.size(), 1u);
    EXPECT_EQ(m.internalReferrers.size(), 1u);
    EXPECT_EQ(m.externalQueries.size(), 1u);
    EXPECT_TRUE(m.internalQueries.empty());
    EXPECT_EQ(m.statuses.size(), 49u);
    EXPECT_EQ(MonthResults::FieldAt(m.files, 2, FileField::kPath), "/missing.html");
    // Keys are case-sensitive: /Index.html and /index.html are two records.
    EXPECT_EQ(m.fileIndex.Find("/index.html"), 0);
    EXPECT_EQ(m.fileIndex.Find("/Index.html"), 3);
    EXPECT_EQ(m.fileIndex.Find("/INDEX.html"), -1);
    EXPECT_EQ(m.hostIndex.Find("host.example"), 1);

    const MonthSummary& s = m.summary;
    EXPECT_TRUE(s.present);
    EXPECT_EQ(s.lineCount, 28u);
    EXPECT_EQ(s.rows[0], "01/03/2004 10:00:00");
    EXPECT_EQ(s.rows[1], "4");
    EXPECT_EQ(s.rows[10], "3");  // Jour, line 17
    for (int series = 0; series < 4; ++series) {
        EXPECT_EQ(s.dayTexts[series].size(), 31u);
        EXPECT_EQ(s.dayValues[series].size(), 31u);
    }
    EXPECT_EQ(s.dayValues[3][0], 2);
    EXPECT_EQ(s.dayTexts[1][0], "2");
    EXPECT_EQ(s.topPages, "0 (3)-2 (1)-3 (1)-");
    EXPECT_EQ(s.topEngines, "0 (1)-");
}

TEST(MonthResultsTest, OutOfRangePositionsGiveNothing) {
    LineTable t{"\\1;a\\2;1\\3;"};
    EXPECT_EQ(MonthResults::LineAt(t, -1), std::nullopt);
    EXPECT_EQ(MonthResults::LineAt(t, 1), std::nullopt);
    EXPECT_EQ(MonthResults::LineAt(t, 1LL << 40), std::nullopt);
    EXPECT_EQ(MonthResults::FieldAt(t, 5, CountedField::kKey), "");
    EXPECT_EQ(MonthResults::FieldAt(t, 0, CountedField::kKey), "a");
}

TEST(MonthResultsTest, WithoutTheFileListTheMonthIsNotAnalysed) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::remove((dir / "lfp-2004-02.tfd").c_str());
    MonthResults m;
    m.files.push_back("stale");
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_FALSE(m.analysed);
    EXPECT_TRUE(m.files.empty());
    EXPECT_TRUE(m.hosts.empty());
    EXPECT_TRUE(m.statuses.empty());
    EXPECT_FALSE(m.summary.present);
}

TEST(MonthResultsTest, MissingAndShortFilesAreReportedNotFatal) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::remove((dir / "hos-2004-02.tfd").c_str());
    testing::WriteRaw(dir / "ret-2004-02.tfd", "200;1;-0-;-0-\r\n");
    auto mon = AnalysedMonth::MonthlyLines();
    mon.resize(19);
    mon[17] = "ViJo=-1-x-3-";
    testing::WriteRaw(dir / "mon-2004-02.tfd", testing::CrLf(mon));

    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_TRUE(m.analysed);
    EXPECT_TRUE(m.hosts.empty());
    EXPECT_EQ(m.files.size(), 4u);
    std::string all;
    for (const auto& p : m.problems)
        all += p + "\n";
    EXPECT_NE(all.find("hos-2004-02.tfd"), std::string::npos) << all;
    EXPECT_NE(all.find("ret-2004-02.tfd"), std::string::npos) << all;
    EXPECT_NE(all.find("19 lines instead of 28"), std::string::npos) << all;
    EXPECT_NE(all.find("not a number"), std::string::npos) << all;
    // What could be read is kept; what could not convert counts 0.
    EXPECT_EQ(m.summary.dayTexts[0], (std::vector<std::string>{"1", "x", "3"}));
    EXPECT_EQ(m.summary.dayValues[0], (std::vector<long long>{1, 0, 3}));
    EXPECT_TRUE(m.summary.dayTexts[2].empty());
    EXPECT_EQ(m.summary.topPages, "");
}

TEST(MonthResultsTest, AReloadReplacesEverything) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    EXPECT_EQ(m.files.size(), 4u);
    EXPECT_EQ(m.summary.dayTexts[0].size(), 31u);
    LoadMonthResults(dir.path() + "/", "2004-03", m);
    EXPECT_FALSE(m.analysed);
    EXPECT_TRUE(m.summary.dayTexts[0].empty());
    EXPECT_EQ(m.fileIndex.Find("/index.html"), -1);
}

TEST(MonthResultsTest, IdListsOfLogLinesAreReadFromTheFileAsItWasLoaded) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    // A list of more than one read block, and a path that holds forged tags.
    std::string big = "-";
    for (int n = 0; n < 300000; ++n)
        big += std::to_string(n) + "-";
    const std::string tail =
        "\\4;1\\5;200\\6;[01/Mar/2004:10:00:00 +0100]\\7;-\\8;-\\9;-\\10;-\\11;-\\12;-\\13;";
    const std::string forged = "\\1;/a\\3;-7-\\2;1\\3;-5-" + tail;
    const std::string path = dir / ResultFileName(kFilesResult, AnalysedMonth::kKey);
    testing::WriteRaw(path, "\\1;/big\\2;300000\\3;" + big + tail + "\r\n" + forged + "\r\n");
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    ASSERT_EQ(m.files.size(), 2u);
    EXPECT_LT(m.files[0].size(), 200u);
    EXPECT_EQ(m.files[1], forged);  // left whole: its fields read as before
    // A new analysis replaces the file: the loaded month still reads its own.
    testing::WriteRaw(path + ".new", "\\1;/other\\2;1\\3;-9-" + tail + "\r\n");
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
    std::string list;
    std::size_t pieces = 0;
    ASSERT_TRUE(
        m.ReadIdList(ReadField(m.files[0], FileField::kLogLines), [&](std::string_view piece) {
            EXPECT_EQ(piece.back(), '-');
            list += piece;
            ++pieces;
        }));
    EXPECT_EQ(list, big);
    EXPECT_GT(pieces, 1u);
}

TEST(MonthResultsTest, LinesReadWithoutTheirListsGiveBackTheFileWhateverTheReadBlocks) {
    // Lists whose closing tag, or whose CR LF, falls across the 1 MiB read
    // block at every offset; a list without its closing tag; an empty list.
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    const std::string head = "\\1;/p\\2;1\\3;-";
    std::string bytes;
    for (int shift = 0; shift < 4; ++shift) {
        const std::size_t fill = (1 << 20) - (bytes.size() % (1 << 20)) - head.size() - 3 + shift;
        bytes += head + std::string(fill, '7') + "-\\4;1\\5;\r\n";
    }
    bytes += "\\1;/open\\2;1\\3;-1-2-\r\n\\1;/empty\\2;0\\3;\\4;\\5;\n\\1;/last\\2;1\\3;-4-\\4;";
    const std::string path = dir / ResultFileName(kFilesResult, AnalysedMonth::kKey);
    testing::WriteRaw(path, bytes);
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    const Lines want = ReadTextLines(path);
    ASSERT_EQ(m.files.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const std::string_view field = ReadField(m.files[i], FileField::kLogLines);
        if (field.empty()) {
            EXPECT_EQ(m.files[i], want[i]) << i;
            continue;
        }
        std::string list;
        ASSERT_TRUE(m.ReadIdList(field, [&](std::string_view piece) { list += piece; }));
        std::string line(m.files[i]);
        line.replace(static_cast<std::size_t>(field.data() - m.files[i].data()), field.size(),
                     list);
        EXPECT_EQ(line, want[i]) << i;
    }
    EXPECT_EQ(m.files[4], want[4]);  // no closing tag: kept whole
    EXPECT_LT(m.files[0].size(), 100u);
}

TEST(MonthResultsTest, ListsOnlyADetailReadsAreReadFromTheFileAsTheyStand) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::string ids = "-";
    for (int n = 0; n < 40; ++n)
        ids += std::to_string(n) + "-";
    const std::string fileTail = "\\4;1\\5;200\\6;[01/Mar/2004:10:00:00 +0100]\\7;" + ids +
                                 "\\8;-1-\\9;" + ids + "\\10;" + ids + "\\11;-\\12;-\\13;";
    const std::string files = "\\1;/a\\2;3\\3;-0-1-2-" + fileTail + "\r\n" + "\\1;/b\\2;0\\3;" +
                              fileTail + "\r\n" +
                              // a list holding a tag, and a tag twice: kept as they are
                              "\\1;/c\\2;1\\3;-3-\\4;1\\5;200\\6;x\\7;" + ids +
                              "\\5;\\8;\\9;\\10;" + "\\11;\\12;\\13;\r\n";
    const std::string hosts = "\\1;h.example\\2;2\\3;-0-1-\\4;" + ids + "\\5;[t]\\6;\r\n" +
                              "\\1;\\4;" + ids + "\\2;1\\3;-1-\\4;" + ids + "\\5;[t]\\6;\r\n";
    testing::WriteRaw(dir / ResultFileName(kFilesResult, AnalysedMonth::kKey), files);
    testing::WriteRaw(dir / ResultFileName(kHostsResult, AnalysedMonth::kKey), hosts);
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m);
    ASSERT_TRUE(m.problems.empty());
    for (const auto& [loaded, file] :
         {std::pair{&m.files, kFilesResult}, {&m.hosts, kHostsResult}}) {
        const Lines whole = ReadTextLines(dir / ResultFileName(file, AnalysedMonth::kKey));
        ASSERT_EQ(loaded->size(), whole.size());
        for (std::size_t i = 0; i < whole.size(); ++i)
            for (int f = 1; f <= 13; ++f)
                EXPECT_EQ(m.IdListText(ReadField((*loaded)[i], f)), ReadField(whole[i], f))
                    << i << " " << f;
    }
    EXPECT_LT(m.files[0].size(), 150u);
    EXPECT_LT(m.hosts[0].size(), 60u);
}

// A big month's host lines are held up to their log-line list; the rest is
// read back whole, in file order (read ahead) or not.
TEST(MonthResultsTest, HostLineEndsLeftInTheFileAreReadBackWhole) {
    TempDir dir;
    AnalysedMonth::Write(dir.path());
    std::string ids = "-";
    for (int n = 0; n < 40; ++n)
        ids += std::to_string(n) + "-";
    std::string hosts;
    for (int h = 0; h < 300; ++h)
        hosts += "\\1;h" + std::to_string(h) + "\\2;" + std::to_string(h) + "\\3;" +
                 (h % 3 ? ids : "-1-") + "\\4;" + (h % 2 ? ids : "-0-") + "\\5;[0" +
                 std::to_string(h % 10) + "/Mar/2004:10:00:00 +0100]\\6;\r\n";
    hosts += "\\1;odd\\4;x\\2;1\\3;" + ids + "\\4;" + ids + "\\5;[t]\\6;\r\n";
    testing::WriteRaw(dir / ResultFileName(kHostsResult, AnalysedMonth::kKey), hosts);
    MonthResults m;
    LoadMonthResults(dir.path() + "/", AnalysedMonth::kKey, m, 0);
    ASSERT_TRUE(m.problems.empty());
    ASSERT_NE(m.TailsOf(m.hosts), nullptr);
    const Lines whole = ReadTextLines(dir / ResultFileName(kHostsResult, AnalysedMonth::kKey));
    ASSERT_EQ(m.hosts.size(), whole.size());
    EXPECT_EQ(ReadField(m.hosts[1], PageField::kKey), "h1");
    EXPECT_EQ(m.IdListText(ReadField(m.hosts[1], PageField::kLogLines)), ids);
    EXPECT_LT(m.hosts[1].size(), 30u);
    WholeLineReader inOrder(m, m.hosts), backwards(m, m.hosts);
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const std::size_t j = whole.size() - 1 - i;
        for (int f = 1; f <= 6; ++f) {
            EXPECT_EQ(m.IdListText(ReadField(inOrder.Line(i), f)), ReadField(whole[i], f)) << i;
            EXPECT_EQ(m.IdListText(ReadField(backwards.Line(j), f)), ReadField(whole[j], f)) << j;
        }
    }
    EXPECT_TRUE(inOrder.error().empty());
    const tabs::PageDetail d = tabs::ReadPageDetail(m.hosts, 5, m.files, &m);
    EXPECT_EQ(d.key, "h5");
    EXPECT_EQ(d.lastAccess, "05/Mar/2004:10:00:00 ");
    EXPECT_EQ(d.pages.size() + d.missing, 40u);
}

}  // namespace
}  // namespace trafikon
