// SPDX-License-Identifier: GPL-3.0-or-later
// The countries part of the month report: where the country data comes from
// (a summary line), a graph of the top countries, and the lists of countries
// and of cities (each list is also a CSV file).
#pragma once

#include "report/month_report.h"

namespace trafikon::report {

// Adds the countries of `extras` to `report` in the language of `texts`.
void AddCountries(MonthReport& report, const MonthExtras& extras, const LanguageTable& texts);

}  // namespace trafikon::report
