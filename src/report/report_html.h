// SPDX-License-Identifier: GPL-3.0-or-later
// The month report as one standalone HTML page: UTF-8, inline style and SVG
// graphs, no script and nothing fetched, readable offline and printable.
// Every text of the model is escaped.
#pragma once

#include <string>

#include "report/month_report.h"

namespace trafikon::report {

// `rowsPerList` caps the rows of each list on the page (the CSV files hold them all).
std::string RenderReportHtml(const MonthReport& report, const std::string& languageCode,
                             std::size_t rowsPerList = 50);

}  // namespace trafikon::report
