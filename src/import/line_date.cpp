// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/line_date.h"

namespace trafikon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The format cut after its last date field, or its virtual host if later.
FieldFormat DatingCodes(std::string_view codes) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == 't' || codes[i] == 'd' || codes[i] == 'H' || codes[i] == 'v')
            last = i + 1;
    return FieldFormat(codes.substr(0, last));
}

}  // namespace

bool IsWellFormedMonthKey(std::string_view key) {
    return key.size() == 7 && IsDigit(key[0]) && IsDigit(key[1]) && IsDigit(key[2]) &&
           IsDigit(key[3]) && key[4] == '-' && IsDigit(key[5]) && IsDigit(key[6]);
}

LineDater::LineDater(std::string_view codes)
    : hasT_(codes.find('t') != std::string_view::npos), splitter_(DatingCodes(codes)) {}

void LineDater::Date(std::string_view line) {
    splitter_.SplitInPlace(line);  // a short line leaves its missing fields empty
    const bool datedByT = !splitter_['t'].empty();
    splitter_.CompleteDate();
    key_.clear();
    AppendMonthKey(key_, datedByT, splitter_['t'], splitter_['d']);
    stamp_.clear();
    AppendDayTimeStamp(stamp_, splitter_['t']);
}

}  // namespace trafikon
