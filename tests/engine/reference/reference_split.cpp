// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference/reference_split.h"

#include <algorithm>

#include "store/log_format.h"

namespace trafikon::testing {
namespace {

struct DateParts {
    std::string year, monthName, monthNumber, day, hour, minute, second;
};

// Characters pos..pos+len-1 of `text`, counted from 1, cut to what is there.
std::string_view Part(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos == 0 || pos > text.size())
        return {};
    return text.substr(pos - 1, len);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void ExtractField(std::string_view& line, std::string_view& value, char code) {
    value = {};
    if (line.empty())
        return;
    if (line.front() == '"') {
        const std::size_t p = line.find("\" ");
        if (p == std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            // The search starts at the opening quote itself: '" ' at once gives
            // an empty value.
            value = p >= 1 ? line.substr(1, p - 1) : std::string_view();
            line.remove_prefix(p + 2);
        }
    } else if (line.front() == '[') {
        const std::size_t p = line.find("] ");
        if (p == std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            value = line.substr(0, p + 1);
            line.remove_prefix(p + 2);
        }
    } else {
        const std::size_t p = line.find(' ');
        if (p == std::string_view::npos) {
            line.remove_prefix(1);
        } else {
            value = line.substr(0, p);
            line.remove_prefix(p + 1);
        }
    }
    if (code == 'r') {
        // Skip the rest of a request that held a quote followed by a blank, up
        // to the next field that starts with '-' or a digit (the status).
        while (!line.empty() && line.front() != '-' && !IsDigit(line.front())) {
            const std::size_t q = line.find('"');
            if (q == std::string_view::npos)
                line.remove_prefix(1);
            else
                line.remove_prefix(std::min(q + 2, line.size()));
        }
    }
}

void NormaliseDates(LogFields& fields) {
    DateParts parts;
    std::string& t = fields['t'];
    std::string& d = fields['d'];
    std::string& h = fields['H'];
    if (!t.empty()) {
        const std::string_view tv = t;
        parts.day.assign(Part(tv, 2, 2));
        parts.monthName.assign(Part(tv, 5, 3));
        parts.year.assign(Part(tv, 9, 4));
        parts.hour.assign(Part(tv, 14, 2));
        parts.minute.assign(Part(tv, 17, 2));
        parts.second.assign(Part(tv, 20, 2));
        int number = 0;
        for (int m = 0; m < 12; ++m) {
            if (parts.monthName == MonthNames()[m]) {
                number = m + 1;
                break;
            }
        }
        parts.monthNumber.clear();
        parts.monthNumber += static_cast<char>('0' + number / 10);
        parts.monthNumber += static_cast<char>('0' + number % 10);

        d.clear();
        d += parts.year;
        d += '-';
        d += parts.monthNumber;
        d += '-';
        d += parts.day;
        h.clear();
        h += parts.hour;
        h += ':';
        h += parts.minute;
        h += ':';
        h += parts.second;
    } else {
        const std::string_view dv = d;
        const std::string_view hv = h;
        parts.year.assign(Part(dv, 1, 4));
        parts.monthNumber.assign(Part(dv, 6, 2));
        parts.day.assign(Part(dv, 9, 2));
        parts.hour.assign(Part(hv, 1, 2));
        parts.minute.assign(Part(hv, 4, 2));
        parts.second.assign(Part(hv, 7, 2));
        int number = 0;
        bool numeric = !parts.monthNumber.empty();
        for (char c : parts.monthNumber) {
            if (!IsDigit(c)) {
                numeric = false;
                break;
            }
            number = number * 10 + (c - '0');
        }
        if (numeric && number >= 1 && number <= 12)
            parts.monthName.assign(MonthNames()[number - 1]);
        else
            parts.monthName.clear();

        t.clear();
        t += '[';
        t += parts.day;
        t += '/';
        t += parts.monthName;
        t += '/';
        t += parts.year;
        t += ':';
        t += parts.hour;
        t += ':';
        t += parts.minute;
        t += ':';
        t += parts.second;
        t += " +0200]";
    }
}

}  // namespace trafikon::testing
