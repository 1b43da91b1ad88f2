// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/daily_table.h"

#include "store/data_store.h"
#include "store/visit_file.h"

namespace trafikon {

DailyTableContent BuildDailyTable(const std::string& siteDir,
                                  const std::vector<std::string>& monthsNewestFirst, int selected,
                                  DailyMeasure measure) {
    DailyTableContent content;
    if (selected < 0 || static_cast<std::size_t>(selected) >= monthsNewestFirst.size())
        return content;
    std::size_t j = static_cast<std::size_t>(selected);
    for (int c = 0; c < kDailyColumns && j < monthsNewestFirst.size(); ++c, ++j) {
        const std::string& key = monthsNewestFirst[j];
        content.captions[c] = key;
        const std::optional<MonthStats> stats =
            ReadMonthStatsFile(siteDir + MonthStatsFileName(key));
        if (!stats)
            continue;
        if (measure == DailyMeasure::Visits) {
            // As many days as the month's other measures.
            const std::size_t days = SplitDayList((*stats)[kStatViJo]).size();
            VisitSummary visits;
            if (ReadVisitSummary(siteDir, key, visits))
                for (std::size_t d = 0; d < days && d < visits.peopleVisits.size(); ++d)
                    content.cells[d][c] = std::to_string(visits.peopleVisits[d]);
            continue;
        }
        const std::vector<std::string_view> values =
            SplitDayList((*stats)[static_cast<MonthStatsLine>(measure)]);
        for (std::size_t d = 0; d < values.size(); ++d)
            content.cells[d][c] = values[d];
    }
    return content;
}

}  // namespace trafikon
