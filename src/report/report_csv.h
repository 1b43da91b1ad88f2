// SPDX-License-Identifier: GPL-3.0-or-later
// The month report as CSV files, one for each list of the model: UTF-8, a
// header row, fields quoted as RFC 4180 says, CR LF line ends.
#pragma once

#include <string>

#include "report/month_report.h"

namespace trafikon::report {

std::string TableCsv(const ReportTable& table);

// Writes DIR/<key>-<list>.csv for the summary and every list (each through a
// temporary file); creates DIR when missing. Returns the number of files.
// Throws IoError.
int WriteReportCsv(const MonthReport& report, const std::string& dir);

}  // namespace trafikon::report
