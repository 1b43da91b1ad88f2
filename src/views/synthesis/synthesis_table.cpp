// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/synthesis_table.h"

#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/text_file.h"
#include "store/visit_file.h"

namespace trafikon {

SynthesisRow ReadSynthesisRow(const std::string& siteDir, const std::string& key) {
    SynthesisRow row;
    row.key = key;
    const std::string path = siteDir + MonthStatsFileName(key);
    const std::optional<MonthStats> stats = ReadMonthStatsFile(path);
    if (!stats) {
        row.cells.push_back("*");
        return row;
    }
    for (MonthStatsLine line : kSynthesisLines)
        row.cells.push_back((*stats)[line]);
    if (VisitSummary visits; ReadVisitSummary(siteDir, key, visits)) {
        row.visits = std::to_string(visits.people.visits);
        row.uniqueVisitors = std::to_string(visits.people.visitors);
    }
    return row;
}

void AppendSynthesisRows(const std::string& siteDir, const std::vector<std::string>& months,
                         std::vector<SynthesisRow>& rows) {
    for (auto it = months.rbegin(); it != months.rend(); ++it)
        rows.push_back(ReadSynthesisRow(siteDir, *it));
}

std::string AnalysisCaption(const std::string& analyseWord, const std::string& key) {
    return analyseWord + " " + key;
}

bool MonthHasAnalysis(const std::string& siteDir, const std::string& key) {
    return FileExists(siteDir + ResultFileName(kFilesResult, key));
}

}  // namespace trafikon
