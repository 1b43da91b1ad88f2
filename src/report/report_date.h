// SPDX-License-Identifier: GPL-3.0-or-later
// The date under a report's title, written in the report's language.
#pragma once

#include <string>

#include "text/language_table.h"

namespace trafikon::report {

// "8 décembre 2026" or "8 December 2026" (UTF-8): day, the month's name from
// the language's list of month names, year. A language file whose list does
// not hold twelve names gives "2026-12-08".
std::string ReportDate(int year, int month, int day, const LanguageTable& texts);

// The days of month "YYYY-MM" (31 for a key that names no month).
int DaysInMonth(const std::string& key);

// Today's date, as above.
std::string ReportDateToday(const LanguageTable& texts);

}  // namespace trafikon::report
