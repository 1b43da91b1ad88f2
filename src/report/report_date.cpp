// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_date.h"

#include <cstdio>
#include <ctime>
#include <string_view>
#include <vector>

#include "report/report_text.h"
#include "store/tagged_record.h"
#include "text/extra_texts.h"

namespace trafikon::report {

std::string ReportDate(int year, int month, int day, const LanguageTable& texts) {
    std::vector<std::string_view> names;
    std::string_view list = texts.Text(lang::kTextMonthNames);
    while (!list.empty()) {
        const std::size_t blank = list.find(' ');
        if (blank != 0)
            names.push_back(list.substr(0, blank));
        list = blank == std::string_view::npos ? std::string_view() : list.substr(blank + 1);
    }
    char buf[32];
    if (names.size() != 12 || month < 1 || month > 12) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
        return buf;
    }
    return std::to_string(day) + " " + Cp1252ToUtf8(names[month - 1]) + " " + std::to_string(year);
}

std::string ReportDateToday(const LanguageTable& texts) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    if (!localtime_r(&now, &tm))
        return std::string();
    return ReportDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, texts);
}

int DaysInMonth(const std::string& key) {
    const int year = static_cast<int>(ParseInteger(std::string_view(key).substr(0, 4)));
    const int month = static_cast<int>(ParseInteger(std::string_view(key).substr(5, 2)));
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

}  // namespace trafikon::report
