// SPDX-License-Identifier: GPL-3.0-or-later
// Splits fuzzed lines by a fuzzed field format: field by field as the format
// detection does, checking that each step stays inside the line and makes
// progress, and whole lines with their dates completed as the import and the
// analysis do. Input: the format on the first line, then the log lines.
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "store/log_format.h"
#include "store/log_line_splitter.h"
#include "support/store_records.h"

using namespace trafikon;
using trafikon::fuzz::AsText;

namespace {

// Takes the fields one by one, so that no format and line can loop forever.
void TakeEach(std::string_view line, std::string_view format) {
    std::string work(line);
    work += ' ';
    std::size_t pos = 0;
    for (char code : format) {
        if (pos >= work.size())
            break;
        const std::size_t before = pos;
        const std::string_view value = LogLineSplitter::TakeField(work, pos, code);
        FUZZ_CHECK(pos > before && pos <= work.size());
        FUZZ_CHECK(value.empty() || (value.data() >= work.data() &&
                                     value.data() + value.size() <= work.data() + work.size()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    const std::size_t eol = text.find('\n');
    const std::string_view format = text.substr(0, std::min<std::size_t>(eol, 40));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);

    LogLineSplitter splitter{FieldFormat(format)};
    std::string key;
    // A few lines are enough to carry values from line to line; more only
    // slow the search down.
    for (int lines = 0; lines < 8; ++lines) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        TakeEach(line, format);
        for (const auto& code : kFieldCodes)
            TakeEach(line, std::string(3, code.code));
        splitter.Split(line);
        const bool datedByT = !splitter['t'].empty();
        splitter.Complete();
        key.clear();
        AppendMonthKey(key, datedByT, splitter['t'], splitter['d']);
        FUZZ_CHECK(key.size() <= 8);
        (void)DayTimeStamp(splitter['t']);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return 0;
}
