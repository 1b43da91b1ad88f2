#include "import/line_date.h"

#include <array>

namespace trafikon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Takes the next field off the front of `rest` (which ends with the blank
// appended to the line) and returns its value.
std::string_view TakeField(std::string_view& rest, char code) {
    std::string_view value;
    if (rest.empty())
        return value;
    std::size_t end = std::string_view::npos;
    if (rest[0] == '"') {
        end = rest.find("\" ");
        if (end != std::string_view::npos) {
            value = end == 0 ? std::string_view() : rest.substr(1, end - 1);
            rest.remove_prefix(end + 2);
        }
    } else if (rest[0] == '[') {
        end = rest.find("] ");
        if (end != std::string_view::npos) {
            value = rest.substr(0, end + 1);
            rest.remove_prefix(end + 2);
        }
    } else {
        end = rest.find(' ');
        if (end != std::string_view::npos) {
            value = rest.substr(0, end);
            rest.remove_prefix(end + 1);
        } else {  // cannot happen: the line ends with a blank
            value = rest;
            rest = {};
            end = 0;
        }
    }
    if (end == std::string_view::npos)
        rest.remove_prefix(1);
    if (code == 'r') {
        // Skip the rest of a request line that held a quote and a blank.
        while (!rest.empty() && rest[0] != '-' && !IsDigit(rest[0])) {
            const std::size_t q = rest.find('"');
            if (q == std::string_view::npos)
                rest.remove_prefix(1);
            else
                rest.remove_prefix(q + 2 < rest.size() ? q + 2 : rest.size());
        }
    }
    return value;
}

// Pascal-like Copy: characters from 1-based position `from`, at most `count`.
std::string_view Copy(std::string_view s, std::size_t from, std::size_t count) {
    if (from - 1 >= s.size())
        return {};
    return s.substr(from - 1, count);
}

constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

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
    t_.clear();
    line_.assign(line).push_back(' ');
    std::string_view rest = line_;
    for (const char code : codes_) {
        std::string_view value;
        value = TakeField(rest, code);
        if (code == 't')
            t_.assign(value);
        else if (code == 'd')
            d_.assign(value);
        else if (code == 'H')
            h_.assign(value);
    }
    key_.clear();
    if (!t_.empty()) {
        const std::string_view t = t_;
        const std::string_view day = Copy(t, 2, 2), name = Copy(t, 5, 3), year = Copy(t, 9, 4);
        const std::string_view hour = Copy(t, 14, 2), minute = Copy(t, 17, 2),
                               second = Copy(t, 20, 2);
        char number[3] = "00";
        for (std::size_t m = 0; m < kMonths.size(); ++m) {
            if (name == kMonths[m]) {
                number[0] = static_cast<char>('0' + (m + 1) / 10);
                number[1] = static_cast<char>('0' + (m + 1) % 10);
                break;
            }
        }
        d_.assign(year).append("-").append(number, 2).append("-").append(day);
        h_.assign(hour).append(":").append(minute).append(":").append(second);
        key_.assign(year).append("-").append(number, 2);
    } else {
        const std::string_view d = d_, h = h_;
        const std::string_view year = Copy(d, 1, 4), number = Copy(d, 6, 2), day = Copy(d, 9, 2);
        const std::string_view hour = Copy(h, 1, 2), minute = Copy(h, 4, 2), second = Copy(h, 7, 2);
        std::string_view name;
        if (number.size() == 2 && IsDigit(number[0]) && IsDigit(number[1])) {
            const int m = (number[0] - '0') * 10 + (number[1] - '0');
            if (m >= 1 && m <= 12)
                name = kMonths[static_cast<std::size_t>(m - 1)];
        }
        t_.assign("[").append(day).append("/").append(name).append("/").append(year);
        t_.append(":").append(hour).append(":").append(minute).append(":").append(second);
        t_.append(" +0200]");
        key_.assign(year).append("-").append(number);
    }
    const std::string_view t = t_;
    stamp_.assign(Copy(t, 2, 2)).append(Copy(t, 13, 9));
}

}  // namespace trafikon
