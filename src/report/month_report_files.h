// SPDX-License-Identifier: GPL-3.0-or-later
// Loading an analysed month into a report and writing it as a page or as CSV
// files: what the batch command and the analysis window share.
#pragma once

#include <string>
#include <vector>

#include "report/month_report.h"

namespace trafikon::report {

struct ReportSource {
    std::string siteDir;        // ends in '/'
    std::string key;            // "YYYY-MM"
    std::string madeOn;         // date text under the title
    bool maskAddresses = true;  // visitors' addresses cut to their networks
};

// Loads the month's result files. Throws IoError when the month has no
// analysis; damaged files are reported in `problems` and shown as far as they go.
MonthReport LoadMonthReport(const ReportSource& source, const LanguageTable& texts,
                            std::vector<std::string>& problems);

// Cuts the visitors' addresses of the report to their networks (the hosts
// list is the one that names them).
void MaskAddresses(MonthReport& report);

// Writes the page as WriteReportFile writes ("-": standard output). Throws
// IoError.
void WriteReportHtml(const MonthReport& report, const std::string& languageCode,
                     const std::string& path);

}  // namespace trafikon::report
