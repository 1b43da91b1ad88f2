#include "import/line_date.h"

namespace trafikon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsWellFormedMonthKey(std::string_view key) {
    return key.size() == 7 && IsDigit(key[0]) && IsDigit(key[1]) && IsDigit(key[2]) &&
           IsDigit(key[3]) && key[4] == '-' && IsDigit(key[5]) && IsDigit(key[6]);
}

LineDater::LineDater(std::string_view codes) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == 't' || codes[i] == 'd' || codes[i] == 'H')
            last = i + 1;
        if (codes[i] == 't')
            hasT_ = true;
    }
    codes_.assign(codes.substr(0, last));
}

void LineDater::Date(std::string_view line) {
    SplitLine(line, codes_, fields_, parts_);
    key_.clear();
    AppendMonthKey(key_, parts_);
    stamp_.clear();
    AppendDayTimeStamp(stamp_, fields_['t']);
}

}  // namespace trafikon
