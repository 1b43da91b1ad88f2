// SPDX-License-Identifier: GPL-3.0-or-later
// Rewrites fuzzed W3C lines from their own field order into a month's, as the
// import does when a file's "#Fields:" differ from the month's: the rewritten
// line, split by the month's format, has every field and the line's date
// fields come back as they were.
// Input: the line's field codes, a newline, the month's field codes, a
// newline, the lines.
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "import/month_format_guard.h"
#include "store/log_format.h"
#include "store/log_line_splitter.h"

using namespace trafikon;
using namespace trafikon::fuzz;

namespace {

// Only the codes a field format can hold.
std::string Codes(std::string_view text) {
    std::string codes;
    for (char c : text.substr(0, 32))
        if (IsFieldCode(c) && (c == 'N' || codes.find(c) == std::string::npos))
            codes.push_back(c);
    return codes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = Cut(AsText(data, size), "\n", 3);
    if (parts.size() < 3)
        return 0;
    const std::string lineCodes = Codes(parts[0]), monthCodes = Codes(parts[1]);
    if (lineCodes.empty() || monthCodes.empty() || !CanRewriteFields(lineCodes, monthCodes))
        return 0;
    LogLineSplitter original{FieldFormat(lineCodes)}, rewritten{FieldFormat(monthCodes)};
    std::string out;
    std::string_view text = parts[2];
    for (int lines = 0; lines < 8 && !text.empty(); ++lines) {
        const std::string_view line = text.substr(0, text.find_first_of("\r\n"));  // as read
        text.remove_prefix(std::min(text.size(), line.size() + 1));
        RewriteFields(line, lineCodes, monthCodes, out);
        FUZZ_CHECK(out.find_first_of("\r\n") == std::string::npos);
        // Every field of the month is there: the split never runs out.
        FUZZ_CHECK(rewritten.Split(out));
        // The dates of the line come back as they were (a value with a blank,
        // a quote or a bracket is written another way; the field after a
        // request may be dropped by the request rule).
        original.Split(line);
        for (std::size_t i = 0; i < monthCodes.size(); ++i) {
            const char code = monthCodes[i];
            const std::string_view value = original[code];
            if ((code == 't' || code == 'd' || code == 'H') && !value.empty() &&
                value.find_first_of(" \"[") == std::string_view::npos &&
                (i == 0 || monthCodes[i - 1] != 'r'))
                FUZZ_CHECK(rewritten[code] == value);
        }
    }
    return 0;
}
