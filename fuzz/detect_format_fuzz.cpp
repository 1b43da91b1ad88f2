// SPDX-License-Identifier: GPL-3.0-or-later
// Format detection, the misfit check and the rewriting of W3C lines on fuzzed
// lines. Input: a field format on the first line, then the lines of a file.
// Checks that a rewritten line always holds every field of the month's format,
// so that it never meets the malformed-line question.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_util.h"
#include "import/format_detection.h"
#include "import/month_format_guard.h"
#include "store/log_line_splitter.h"

using namespace trafikon;
using trafikon::fuzz::AsText;

namespace {

// Whether `line` split by `codes` runs out of text before its last field.
bool RunsShort(std::string_view line, std::string_view codes) {
    LogLineSplitter splitter{FieldFormat(codes)};
    return !splitter.Split(line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    const std::size_t eol = text.find('\n');
    const std::string format(text.substr(0, std::min<std::size_t>(eol, 40)));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    std::vector<std::string> head;
    while (!text.empty() && head.size() < 16) {
        const std::size_t end = text.find('\n');
        head.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    const FieldFormat detected = DetectFormat(head);
    (void)FirstMisfitField(format, head);
    (void)FirstMisfitField(detected, head);
    std::string out;
    for (const std::string& line : head) {
        (void)W3cFieldsCodes(line);
        if (format.empty())
            continue;
        for (const FieldFormat& lineCodes : {detected, FieldFormat("dHhMIsbU")}) {
            RewriteFields(line, lineCodes, format, out);
            FUZZ_CHECK(!RunsShort(out, format));
        }
    }
    return 0;
}
