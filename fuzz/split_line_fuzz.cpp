// Splits fuzzed lines by a fuzzed field format the three ways the program
// does: field by field as the analysis does (stopping when the line runs out),
// with SplitLine as the import does, and with the analysis's line splitter.
// Input: the format on the first line, then the log lines.
#include <string>
#include <string_view>

#include "store/log_line_splitter.h"
#include "fuzz_util.h"
#include "store/log_format.h"

using namespace trafikon;
using trafikon::fuzz::AsText;

namespace {

// Takes the fields one by one and checks that each step stays inside the
// line and makes progress, so that no format and line can loop forever.
void ExtractEach(std::string_view line, std::string_view format, LogFields& fields,
                 DateParts& parts) {
    std::string work(line);
    work += ' ';
    std::string_view rest = work;
    std::string_view value;
    fields['t'].clear();
    fields['r'].clear();
    for (char code : format) {
        if (rest.empty())
            break;
        const char* begin = rest.data();
        const std::size_t before = rest.size();
        ExtractField(rest, value, code);
        FUZZ_CHECK(rest.size() < before);
        FUZZ_CHECK(rest.data() + rest.size() == begin + before);
        FUZZ_CHECK(value.empty() || (value.data() >= work.data() &&
                                     value.data() + value.size() <= work.data() + work.size()));
        fields[code].assign(value);
    }
    NormaliseDates(fields, parts);
    (void)DayTimeStamp(fields['t']);
    (void)MonthKey(parts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    const std::size_t eol = text.find('\n');
    const std::string_view format = text.substr(0, std::min<std::size_t>(eol, 40));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);

    static LogFields fields;  // reused across lines and inputs, as a run reuses it
    DateParts parts;
    LogLineSplitter splitter{FieldFormat(format)};
    // Both carry values from line to line: what a line does not set (a date
    // completed from the previous line's parts) must agree too. A malformed
    // line is dropped by the analysis, so it leaves the reference alone.
    static LogFields reference;
    reference.Clear();
    // A few lines are enough to carry values from line to line; more only
    // slow the search down.
    for (int lines = 0; lines < 8; ++lines) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        ExtractEach(line, format, fields, parts);
        for (const auto& code : kFieldCodes)
            ExtractEach(line, std::string(3, code.code), fields, parts);
        SplitLine(line, format, fields, parts);
        // The analysis's own splitter gives what SplitLine and the request
        // completion give, line after line.
        if (splitter.Split(line)) {
            splitter.Complete();
            SplitLine(line, format, reference, parts);
            for (char code : std::string_view("tdHhlusbRUvIMN")) {
                if (code == 't' || code == 'd' || code == 'H' ||
                    format.find(code) != std::string_view::npos) {
                    if (splitter[code] != reference[code])
                        std::fprintf(stderr, "line \"%.*s\" code %c: \"%.*s\" against \"%s\"\n",
                                     static_cast<int>(line.size()), line.data(), code,
                                     static_cast<int>(splitter[code].size()), splitter[code].data(),
                                     reference[code].c_str());
                    FUZZ_CHECK(splitter[code] == reference[code]);
                }
            }
            if (reference['r'].empty())
                reference['r'] = reference['M'] + " " + reference['I'] + " HTTP/1.1";
            FUZZ_CHECK(splitter['r'] == reference['r']);
        }
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return 0;
}
