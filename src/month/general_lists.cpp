// SPDX-License-Identifier: GPL-3.0-or-later
#include "month/general_lists.h"

#include "store/top_by_hits.h"

namespace trafikon {

std::vector<std::array<std::string, 5>> DayRows(const MonthSummary& summary) {
    std::vector<std::array<std::string, 5>> rows;
    const auto& visitors = summary.dayTexts[0];
    rows.reserve(visitors.size());
    for (std::size_t d = 0; d < visitors.size(); ++d) {
        std::array<std::string, 5> row;
        row[0] = std::to_string(d + 1);
        for (std::size_t s = 0; s < 4; ++s)
            if (d < summary.dayTexts[s].size())
                row[s + 1] = summary.dayTexts[s][d];
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<NameCountRow> TopListRows(const MonthResults& month, TopList which,
                                      std::size_t* missing) {
    const MonthSummary& s = month.summary;
    const std::string& text = which == TopList::Pages   ? s.topPages
                              : which == TopList::Hosts ? s.topHosts
                                                        : s.topEngines;
    const LineTable& table = which == TopList::Pages   ? month.files
                             : which == TopList::Hosts ? month.hosts
                                                       : month.externalReferrers;
    std::vector<NameCountRow> rows;
    std::size_t lost = 0;
    for (const TopEntry& e : ReadTopList(text).entries) {
        NameCountRow r;
        const std::optional<std::string_view> line = MonthResults::LineAt(table, e.position);
        if (line)
            r.name = std::string(ReadField(*line, CountedField::kKey));
        else
            ++lost;
        r.number = ParseSignedDecimal(e.hits).value_or(0);
        r.count = std::string(e.hits);
        r.position = e.position;
        rows.push_back(std::move(r));
    }
    if (missing)
        *missing = lost;
    return rows;
}

std::vector<NameCountRow> VisitPageRows(const std::vector<VisitPage>& pages) {
    std::vector<NameCountRow> rows;
    rows.reserve(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        rows.push_back({pages[i].page, std::to_string(pages[i].visits), pages[i].visits,
                        static_cast<long long>(i)});
    return rows;
}

std::vector<NameCountRow> RecordRows(const LineTable& table) {
    std::vector<NameCountRow> rows;
    rows.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        NameCountRow r;
        r.name = std::string(ReadField(table[i], CountedField::kKey));
        r.count = std::string(ReadField(table[i], CountedField::kHits));
        r.number = ParseSignedDecimal(r.count).value_or(0);
        r.position = static_cast<long long>(i);
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace trafikon
