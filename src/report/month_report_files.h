// Loading an analysed month into a report and writing it as a page or as CSV
// files: what the batch command and the analysis window share.
#pragma once

#include <string>
#include <vector>

#include "report/month_report.h"

namespace trafikon::report {

struct ReportSource {
    std::string siteDir;  // ends in '/'
    std::string key;      // "YYYY-MM"
    std::string madeOn;   // date text under the title
};

// Loads the month's result files. Throws IoError when the month has no
// analysis; damaged files are reported in `problems` and shown as far as they go.
MonthReport LoadMonthReport(const ReportSource& source, const LanguageTable& texts,
                            std::vector<std::string>& problems);

// Writes the page through a temporary file. Throws IoError.
void WriteReportHtml(const MonthReport& report, const std::string& languageCode,
                     const std::string& path);

}  // namespace trafikon::report
