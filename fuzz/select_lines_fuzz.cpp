// SPDX-License-Identifier: GPL-3.0-or-later
// Parses fuzzed selection expressions and tries those that parse on a log line.
// Input: the expression on the first line, a combined log line after it.
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_condition.h"
#include "engine/line_filter.h"
#include "fuzz_util.h"

using namespace trafikon;
using trafikon::fuzz::AsText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RobotSignatures signatures;
    static const CountryDatabase countries{std::string()};
    const std::string_view text = AsText(data, size);
    const std::size_t eol = text.find('\n');
    const std::string_view expression = text.substr(0, eol);
    const std::string_view line =
        eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);

    std::vector<LineCondition> conditions;
    ConditionError error;
    if (!ParseConditions(expression, conditions, error)) {
        FUZZ_CHECK(conditions.empty());
        FUZZ_CHECK(error.position >= 1 && error.position <= expression.size() + 1);
        FUZZ_CHECK(error.message.starts_with("position " + std::to_string(error.position)));
        return 0;
    }
    LineFilter filter(std::move(conditions), {0, 99999999999999}, signatures, countries, true);
    LogLineSplitter splitter("hlutrsbRU");
    if (splitter.Split(line)) {
        splitter.Complete();
        filter.Matches(splitter);
    }
    std::uint64_t from = 0;
    ParsePeriodBound(line.substr(0, 16), false, from);
    return 0;
}
