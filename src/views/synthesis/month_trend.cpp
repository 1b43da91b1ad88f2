// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/synthesis/month_trend.h"

#include <optional>

#include "month/month_extras.h"
#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/text_file.h"
#include "store/visit_file.h"

namespace trafikon {

bool IsCalendarMonth(std::string_view key) {
    if (key.size() != 7 || key[4] != '-')
        return false;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6})
        if (key[i] < '0' || key[i] > '9')
            return false;
    const int month = (key[5] - '0') * 10 + (key[6] - '0');
    return month >= 1 && month <= 12;
}

std::string YearBefore(std::string_view key) {
    if (!IsCalendarMonth(key) || key.substr(0, 4) == "0000")
        return {};
    const int year = std::stoi(std::string(key.substr(0, 4))) - 1;
    std::string out = std::to_string(year);
    out.insert(0, 4 - out.size(), '0');
    out += key.substr(4);
    return out;
}

std::vector<MonthTrendPoint> BuildMonthTrend(const std::string& siteDir,
                                             const std::vector<std::string>& months, int count) {
    std::vector<const std::string*> keys;
    for (const std::string& key : months)
        if (IsCalendarMonth(key))
            keys.push_back(&key);
    if (count > 0 && keys.size() > static_cast<std::size_t>(count))
        keys.erase(keys.begin(), keys.end() - count);
    std::vector<MonthTrendPoint> points;
    points.reserve(keys.size());
    for (const std::string* key : keys) {
        MonthTrendPoint& point = points.emplace_back();
        point.key = *key;
        Audience audience;
        if (LoadMonthAudience(siteDir, *key, audience)) {
            point.apart = true;
            point.people = {audience.people.hits, audience.people.pages,
                            audience.people.bytes / 1024};
            point.robots = {audience.robots.hits, audience.robots.pages,
                            audience.robots.bytes / 1024};
            VisitSummary visits;
            if (ReadVisitSummary(siteDir, *key, visits)) {
                point.people.visits = visits.people.visits;
                point.people.uniqueVisitors = visits.people.visitors;
                point.robots.visits = visits.robots.visits;
                point.robots.uniqueVisitors = visits.robots.visitors;
            }
            continue;
        }
        // A month analysed before people and robots were told apart: its
        // totals from the day lists of its statistics file, all as people's.
        std::optional<MonthStats> stats;
        try {
            stats = ReadMonthStatsFile(siteDir + MonthStatsFileName(*key));
        } catch (const IoError&) {
        }
        if (!stats)
            continue;
        const auto sum = [&](MonthStatsLine line) {
            std::int64_t total = 0;
            for (const long long v : ParseDayList((*stats)[line]))
                total += v;
            return total;
        };
        point.people = {sum(kStatHiJo), sum(kStatPaJo), sum(kStatKoJo)};
    }
    return points;
}

std::int64_t TrendValue(const MonthTrendPoint& point, TrendMeasure measure,
                        TrendAudience audience) {
    const TrendFigures& f = audience == TrendAudience::kPeople ? point.people : point.robots;
    switch (measure) {
        case TrendMeasure::kHits:
            return f.hits;
        case TrendMeasure::kPages:
            return f.pages;
        case TrendMeasure::kKilobytes:
            return f.kilobytes;
        case TrendMeasure::kVisits:
            return f.visits;
        case TrendMeasure::kUniqueVisitors:
            return f.uniqueVisitors;
    }
    return -1;
}

}  // namespace trafikon
