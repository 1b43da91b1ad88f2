// SPDX-License-Identifier: GPL-3.0-or-later
// The report of one analysed month, as a model that the HTML page and the CSV
// files both render: a summary, bar graphs and the month's lists. Every text
// in it is UTF-8 and as it stands (not yet escaped); texts from the log keep
// whatever they hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "month/month_extras.h"
#include "month/month_results.h"
#include "text/language_table.h"

namespace trafikon::report {

struct ReportTable {
    std::string name;  // CSV file stem ("files", "robots", ...)
    std::string title;
    std::vector<std::string> columns;
    std::vector<bool> numeric;  // per column: right-aligned
    std::vector<std::vector<std::string>> rows;
};

struct ReportBars {
    std::string title;
    std::vector<std::string> labels;
    std::vector<std::int64_t> values;  // the full bars (hits)
    std::vector<std::int64_t> inner;   // drawn inside them (pages); may be empty
    std::string valueName, innerName;  // legend
};

struct MonthReport {
    std::string key;  // "YYYY-MM"
    std::string title;
    std::string made;           // "made by ... on <date>"
    std::string extrasMissing;  // set when the month lacks the newer result files
    ReportTable totals;         // hits to visitors, people and robots; no rows when missing
    ReportTable summary;
    std::vector<ReportBars> graphs;
    std::vector<ReportTable> tables;  // in page order
};

// Builds the report of a loaded month in the language of `texts`; `madeOn` is
// the date written under the title. Lists are sorted by hits, most first.
MonthReport BuildMonthReport(const MonthResults& month, const MonthExtras& extras,
                             const LanguageTable& texts, const std::string& madeOn);

}  // namespace trafikon::report
