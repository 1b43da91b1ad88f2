// The analysis splits lines with its own fast splitter; the import and the
// windows use SplitLine. Both must give the same values, dates completed from
// short or odd texts included (parts beyond a short text are empty and have
// no storage: the sanitizer build checks that nothing copies from them).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/log_line_splitter.h"
#include "store/log_format.h"

namespace trafikon {
namespace {

struct SplitCase {
    const char* format;
    std::vector<std::string> lines;  // split in order by one splitter
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << c.format << " x" << c.lines.size();
}

class SplitterAgreement : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitterAgreement, FastSplitterGivesWhatSplitLineGives) {
    const SplitCase& c = GetParam();
    LogLineSplitter splitter{FieldFormat(c.format)};
    LogFields reference;
    DateParts parts;
    for (const std::string& line : c.lines) {
        SCOPED_TRACE(line);
        if (!splitter.Split(line))
            continue;  // malformed: dropped by the analysis
        splitter.Complete();
        SplitLine(line, c.format, reference, parts);
        for (char code : std::string_view("tdHhsbIM"))
            EXPECT_EQ(splitter[code], reference[code]) << "code " << code;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, SplitterAgreement,
    ::testing::Values(
        SplitCase{"hts", {"h [1] 200", "h [] 200", "h [24/Mar/2002:01:37:08 +0100] 200"}},
        SplitCase{"hts", {"h [24/Mar/2002:01:37:08 +0100] 200", "h [0con.ico 200", "h x 200"}},
        SplitCase{"dHhs", {"2002-03-24 01:37:08 h 200", "2 1 h 200", "2002-13-1 x h 404"}},
        SplitCase{"dHhs", {"- - h 200", "2002-03 : h 200"}}, SplitCase{"hs", {"h 200", "h 404"}}));

}  // namespace
}  // namespace trafikon
