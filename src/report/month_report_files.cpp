// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/month_report_files.h"

#include "geo/address_mask.h"
#include "month/month_extras.h"
#include "month/month_results.h"
#include "report/report_html.h"
#include "report/report_output.h"
#include "store/data_store.h"
#include "store/text_file.h"

namespace trafikon::report {

void MaskAddresses(MonthReport& report) {
    for (ReportTable& t : report.tables)
        if (t.name == "hosts")
            for (auto& row : t.rows)
                row[0] = MaskedHost(row[0]);
}

MonthReport LoadMonthReport(const ReportSource& source, const LanguageTable& texts,
                            std::vector<std::string>& problems) {
    MonthResults results;
    LoadMonthResults(source.siteDir, source.key, results);
    if (!results.analysed)
        throw IoError(source.siteDir + ResultFileName(kFilesResult, source.key),
                      "the month has no analysis");
    const MonthExtras extras = LoadMonthExtras(source.siteDir, source.key);
    problems = results.problems;
    problems.insert(problems.end(), extras.problems.begin(), extras.problems.end());
    MonthReport report = BuildMonthReport(results, extras, texts, source.madeOn);
    if (source.maskAddresses)
        MaskAddresses(report);
    return report;
}

void WriteReportHtml(const MonthReport& report, const std::string& languageCode,
                     const std::string& path) {
    WriteReportFile(path, RenderReportHtml(report, languageCode));
}

}  // namespace trafikon::report
