#include "report/month_report_files.h"

#include "report/report_html.h"
#include "store/data_store.h"
#include "store/text_file.h"
#include "views/analysis/month_extras.h"
#include "views/analysis/month_results.h"

namespace trafikon::report {

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
    return BuildMonthReport(results, extras, texts, source.madeOn);
}

void WriteReportHtml(const MonthReport& report, const std::string& languageCode,
                     const std::string& path) {
    WriteWholeFile(path, RenderReportHtml(report, languageCode));
}

}  // namespace trafikon::report
