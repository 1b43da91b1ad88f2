// SPDX-License-Identifier: GPL-3.0-or-later
// Months of hostile stored lines analysed and read back as the analysis
// window reads them: the run must complete, and every line number the
// results hold must name a line of the stored log as the window counts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/analyse_log.h"
#include "month/general_lists.h"
#include "month/month_results.h"
#include "store/result_records.h"
#include "store/status_table.h"
#include "store/text_file.h"
#include "support/temp_dir.h"
#include "views/analysis/log_line_index.h"

namespace trafikon::testing {
namespace {

class IgnoreMalformed : public AnalysisObserver {
  public:
    MalformedLineAnswer MalformedLine(std::int64_t, std::string_view) override {
        ++asked;
        return MalformedLineAnswer::Ignore;
    }
    int asked = 0;
};

const std::string kGood =
    "10.0.0.1 - - [03/Mar/2002:10:00:00 +0100] \"GET /a.html HTTP/1.1\" 200 512 "
    "\"http://search.example.com/s?q=web+log\" \"Agent\"";

struct HostileCase {
    const char* name;
    std::string format;
    std::string log;
    std::uint64_t hits;  // lines counted as hits
};

// Test names show the case's name, not its bytes.
void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<HostileCase> Cases() {
    const std::string crlf = "\r\n";
    std::string nul = kGood;
    nul[30] = '\0';
    return {
        {"lone CR line ends", "hlutrsbRU", kGood + "\r" + kGood + "\r\r" + kGood, 3},
        {"NUL byte inside a line", "hlutrsbRU", nul + crlf + kGood + crlf, 2},
        {"last line without its end", "hlutrsbRU", kGood + crlf + kGood, 2},
        {"only a quote and a bracket", "hlutrsbRU", "\"" + crlf + "[" + crlf + kGood + crlf, 1},
        {"unknown code and repeated N", "hNzNlutrsbRU",
         "10.0.0.1 x y z - - [03/Mar/2002:10:00:00 +0100] \"GET / HTTP/1.0\" 200 1 \"-\" \"A\"" +
             crlf,
         1},
        {"day and month that are not numbers", "dHhrs",
         "20x2-1b-3c 1:2 10.0.0.1 \"GET / HTTP/1.0\" 404" + crlf +
             "2002-13-99 25:61:61 h "
             "\"GET /b HTTP/1.0\" 200" +
             crlf,
         2},
        {"huge status and bytes", "hlutrsbRU",
         "h - - [03/Mar/2002:10:00:00 +0100] \"GET / HTTP/1.0\" 99999999999999999999 "
         "99999999999999999999999 \"-\" \"A\"" +
             crlf +
             "h - - [03/Mar/2002:10:00:00 +0100] \"GET / HTTP/1.0\" 200 "
             "9223372036854775807 \"-\" \"A\"" +
             crlf +
             "h - - [03/Mar/2002:10:00:00 +0100] \"GET / HTTP/1.0\" 200 "
             "9223372036854775807 \"-\" \"A\"" +
             crlf,
         3},
        {"comment lines inside the log", "hlutrsbRU",
         "#a" + crlf + kGood + crlf + "#b" + crlf + kGood + crlf, 2},
        {"a 1 MB path", "hlutrsbRU",
         "h - - [03/Mar/2002:10:00:00 +0100] \"GET /" + std::string(1 << 20, 'p') +
             " HTTP/1.0\" 200 1 \"-\" \"A\"" + crlf,
         1},
    };
}

class HostileMonth : public ::testing::TestWithParam<HostileCase> {};

// The id list of a loaded field, read from its result file.
std::string IdsOf(const MonthResults& month, std::string_view field) {
    std::string ids;
    EXPECT_TRUE(month.ReadIdList(field, [&](std::string_view piece) { ids += piece; }));
    return ids;
}

TEST_P(HostileMonth, AnalysesAndReadsBackWithinTheLog) {
    const HostileCase& c = GetParam();
    TempDir store;
    const std::string site = store.path() + "/";
    Lines format;
    for (char code : c.format)
        format.emplace_back(1, code);
    WriteTextLines(site + "format-2002-03.tfd", format);
    WriteRaw(site + "log-2002-03.log", c.log);

    IgnoreMalformed observer;
    const AnalysisResult result = AnalyseLog(site, "2002-03", "http://www.example.org", observer);
    ASSERT_TRUE(result.completed);
    EXPECT_EQ(result.hits, c.hits);

    MonthResults month;
    LoadMonthResults(site, "2002-03", month);
    EXPECT_TRUE(month.problems.empty()) << ::testing::PrintToString(month.problems);
    ASSERT_EQ(month.statuses.size(), static_cast<std::size_t>(kStatusLineCount));
    LogLineIndex index(month.logPath());
    ASSERT_TRUE(index.Update());
    EXPECT_EQ(index.lineCount(), SplitLines(c.log).size());
    // Every hit's line number names a stored line, for files and statuses alike.
    std::uint64_t hits = 0;
    for (std::string_view record : month.files) {
        const LogExtraction lines = ExtractLogLines(
            index, IdsOf(month, ReadField(record, FileField::kLogLines)), LineNumbering::Index);
        EXPECT_EQ(lines.beyondEnd, 0u) << record.substr(0, 200);
        hits += lines.lines.size();
    }
    EXPECT_EQ(hits, c.hits);
    for (std::string_view line : month.statuses) {
        const std::string lineIds = IdsOf(month, ReadStatusPart(line, StatusPart::kLogLines));
        EXPECT_EQ(ExtractLogLines(index, lineIds, LineNumbering::IndexPlusOne).beyondEnd, 0u)
            << line;
    }
    (void)DayRows(month.summary);
    for (TopList which : {TopList::Pages, TopList::Hosts, TopList::Engines}) {
        std::size_t missing = 0;
        TopListRows(month, which, &missing);
        EXPECT_EQ(missing, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, HostileMonth, ::testing::ValuesIn(Cases()), [](const auto& info) {
    std::string name;
    for (char ch : std::string(info.param.name))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

// A path that holds record tags cannot be read back field by field (values
// are stored as logged), but reading such a month must stay within bounds.
TEST(HostileMonthTags, ForgedTagsInAPathAreReadWithoutGoingOutOfBounds) {
    TempDir store;
    const std::string site = store.path() + "/";
    WriteTextLines(site + "format-2002-03.tfd", {"h", "l", "u", "t", "r", "s", "b", "R", "U"});
    WriteRaw(site + "log-2002-03.log",
             "h - - [03/Mar/2002:10:00:00 +0100] \"GET /a\\3;-99999999999-\\4;\\7;-77-\\8; "
             "HTTP/1.0\" 200 1 \"-\" \"A\\2;x\"\r\n" +
                 kGood + "\r\n");
    IgnoreMalformed observer;
    ASSERT_TRUE(AnalyseLog(site, "2002-03", "http://www.example.org", observer).completed);
    MonthResults month;
    LoadMonthResults(site, "2002-03", month);
    LogLineIndex index(month.logPath());
    ASSERT_TRUE(index.Update());
    for (std::string_view record : month.files) {
        const LogExtraction lines = ExtractLogLines(
            index, IdsOf(month, ReadField(record, FileField::kLogLines)), LineNumbering::Index);
        for (const ExtractedLine& line : lines.lines)
            EXPECT_TRUE(line.missing || !line.text.empty());
        for (long long host : ParseIdList(ReadField(record, FileField::kHosts)))
            (void)MonthResults::FieldAt(month.hosts, host, PageField::kKey);
    }
    (void)RecordRows(month.browsers);
    for (TopList which : {TopList::Pages, TopList::Hosts, TopList::Engines})
        (void)TopListRows(month, which);
}

}  // namespace
}  // namespace trafikon::testing
