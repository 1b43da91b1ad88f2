// SPDX-License-Identifier: GPL-3.0-or-later
// The visits part of the month report: the month's totals under plain names
// (hits, pages, kilobytes, visits, unique visitors; people, robots and both),
// then the visits per day and the entry and exit pages (each list is also a
// CSV file).
#pragma once

#include "report/month_report.h"

namespace trafikon::report {

// The totals table of `extras` (no rows for a month of an earlier version).
ReportTable MonthTotals(const MonthExtras& extras, const LanguageTable& texts);
// Adds the visits per day, with their graph, and the entry and exit pages.
void AddVisits(MonthReport& report, const MonthExtras& extras, const LanguageTable& texts);

}  // namespace trafikon::report
