// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/all_sites_table.h"

#include <charconv>
#include <cstdint>

#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/visit_file.h"

namespace trafikon {

namespace {

// The month's bytes as whole kilobytes, or empty when the line is no number.
std::string Kilobytes(const std::string& bytes) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (ec != std::errc() || end != bytes.data() + bytes.size() || value < 0)
        return {};
    return std::to_string(value / 1024);
}

}  // namespace

std::string SiteCaption(const SiteEntry& site, const std::string& numberedText) {
    if (!site.name.empty())
        return site.name;
    std::string text = numberedText;
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, std::to_string(site.number));
    return text;
}

void AppendAllSitesRows(const std::string& programDir, const std::vector<SiteEntry>& sites,
                        std::vector<AllSitesRow>& rows) {
    for (const SiteEntry& site : sites) {
        const std::string siteDir = SiteDir(programDir, site.number);
        const std::vector<std::string> months = ListStoredMonths(siteDir);
        for (auto key = months.rbegin(); key != months.rend(); ++key) {
            AllSitesRow row;
            row.site = site.number;
            row.key = *key;
            if (const auto stats = ReadMonthStatsFile(siteDir + MonthStatsFileName(*key))) {
                row.hits = (*stats)[kStatHits];
                row.pages = (*stats)[kStatPage];
                row.kilobytes = Kilobytes((*stats)[kStatKoMo]);
                if (VisitSummary visits; ReadVisitSummary(siteDir, *key, visits))
                    row.visits = std::to_string(visits.people.visits);
            }
            rows.push_back(std::move(row));
        }
    }
}

}  // namespace trafikon
