// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/month_json.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "geo/address_mask.h"
#include "geo/country_names.h"
#include "month/month_extras.h"
#include "month/month_results.h"
#include "month/status_list.h"
#include "month/whole_line_reader.h"
#include "report/json_text.h"
#include "report/report_date.h"
#include "report/visits_json.h"
#include "store/data_store.h"
#include "store/month_stats.h"
#include "store/result_records.h"
#include "store/tagged_record.h"
#include "store/text_file.h"

namespace trafikon::report {

namespace {

// Positions of `table`'s records sorted by their hits (read by `hits`), most
// first; ties keep the file's order.
template <class HitsOf>
std::vector<std::size_t> ByHits(const LineTable& table, HitsOf hits) {
    std::vector<std::pair<std::int64_t, std::size_t>> order;
    order.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        order.emplace_back(hits(table[i]), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::size_t> positions;
    positions.reserve(order.size());
    for (const auto& entry : order)
        positions.push_back(entry.second);
    return positions;
}

template <class F>
std::int64_t NumberField(std::string_view line, F field) {
    return ParseInteger(ReadField(line, field));
}

const char* RobotKindKey(RobotKind kind) {
    switch (kind) {
        case RobotKind::kSignature:
            return "signature";
        case RobotKind::kGeneric:
            return "generic";
        case RobotKind::kEmptyAgent:
            return "empty_agent";
        case RobotKind::kRobotsTxt:
            return "robots_txt";
        case RobotKind::kPerson:
            break;
    }
    return "person";
}

void Totals(JsonOut& j, const MonthResults& m, const MonthExtras& extras,
            const std::optional<MonthStats>& stats) {
    auto stat = [&](MonthStatsLine line) -> std::int64_t {
        return stats ? ParseInteger((*stats)[line]) : 0;
    };
    j.Key("totals");
    j.Open('{');
    j.Key("hits");
    j.Number(stat(kStatHiMo));
    j.Key("pages");
    j.Number(stat(kStatPaMo));
    j.Key("kilobytes");
    j.Number(stat(kStatKoMo) / 1024);  // the monthly file holds bytes here
    j.Key("distinct_files");
    j.Number(static_cast<std::int64_t>(m.files.size()));
    j.Key("distinct_hosts");
    j.Number(static_cast<std::int64_t>(m.hosts.size()));
    j.Key("people_hits");
    extras.present ? j.Number(extras.audience.people.hits) : j.Null();
    j.Key("robot_hits");
    extras.present ? j.Number(extras.audience.robots.hits) : j.Null();
    const VisitSummary& v = extras.visits;
    j.Key("visits");
    extras.visitsPresent ? j.Number(v.people.visits + v.robots.visits) : j.Null();
    j.Key("unique_visitors");
    extras.visitsPresent ? j.Number(v.people.visitors + v.robots.visitors) : j.Null();
    j.Close('}');
}

void Days(JsonOut& j, const MonthResults& m) {
    j.Key("days");
    j.Open('[');
    const auto& v = m.summary.dayValues;  // visitors, kilobytes, pages, hits
    const std::size_t days = std::min<std::size_t>(DaysInMonth(m.key), v[3].size());
    for (std::size_t d = 0; d < days; ++d) {
        auto at = [&](int list) -> std::int64_t { return d < v[list].size() ? v[list][d] : 0; };
        j.Open('{');
        j.Key("day");
        j.Number(static_cast<std::int64_t>(d + 1));
        j.Key("hits");
        j.Number(at(3));
        j.Key("pages");
        j.Number(at(2));
        j.Key("kilobytes");
        j.Number(at(1));
        j.Key("visitors");
        j.Number(at(0));
        j.Close('}');
    }
    j.Close(']');
}

void Hours(JsonOut& j, const MonthExtras& extras) {
    j.Key("hours");
    j.Open('[');
    for (int h = 0; extras.present && h < 24; ++h) {
        j.Open('{');
        j.Key("hour");
        j.Number(h);
        j.Key("hits");
        j.Number(extras.hours.hits[h]);
        j.Key("pages");
        j.Number(extras.hours.pages[h]);
        j.Key("kilobytes");
        j.Number(extras.hours.bytes[h] / 1024);
        j.Close('}');
    }
    j.Close(']');
}

void Files(JsonOut& j, const MonthResults& m) {
    j.Key("files");
    j.Open('[');
    for (std::size_t i :
         ByHits(m.files, [](std::string_view l) { return NumberField(l, FileField::kHits); })) {
        std::string_view line = m.files[i];
        j.Open('{');
        j.Key("name");
        j.String(ReadField(line, FileField::kPath));
        j.Key("hits");
        j.Number(NumberField(line, FileField::kHits));
        j.Key("last_status");
        j.Number(NumberField(line, FileField::kLastStatus));
        j.Key("last_time");
        j.String(ReadField(line, FileField::kLastTime));
        j.Close('}');
    }
    j.Close(']');
}

// Hosts and referring pages; `internal` adds that flag (-1: none); `mask`
// cuts the names, addresses all, to their networks.
void PageRecords(JsonOut& j, const MonthResults& m, const LineTable& table, int internal,
                 bool mask = false) {
    // The last accesses read once in file order: the ends of the host lines
    // are in their file.
    LineTable lastTimes;
    WholeLineReader whole(m, table);
    for (std::size_t i = 0; i < table.size(); ++i)
        lastTimes.push_back(ReadField(whole.Line(i), PageField::kLastTime));
    for (std::size_t i :
         ByHits(table, [](std::string_view l) { return NumberField(l, PageField::kHits); })) {
        std::string_view line = table[i];
        j.Open('{');
        j.Key("name");
        if (mask)
            j.String(MaskedHost(ReadField(line, PageField::kKey)));
        else
            j.String(ReadField(line, PageField::kKey));
        j.Key("hits");
        j.Number(NumberField(line, PageField::kHits));
        j.Key("last_time");
        j.String(lastTimes[i]);
        if (internal >= 0) {
            j.Key("internal");
            j.Bool(internal == 1);
        }
        j.Close('}');
    }
}

void Queries(JsonOut& j, const LineTable& table, bool internal) {
    auto hits = [](std::string_view l) {
        return static_cast<std::int64_t>(IdListSize(ReadField(l, QueryField::kSiteLengths)));
    };
    for (std::size_t i : ByHits(table, hits)) {
        std::string_view line = table[i];
        j.Open('{');
        j.Key("name");
        j.String(ReadField(line, QueryField::kText));
        j.Key("hits");
        j.Number(hits(line));
        j.Key("site");
        j.String(ReadField(line, QueryField::kReferrerSite));
        j.Key("last_time");
        j.String(ReadField(line, QueryField::kLastTime));
        j.Key("internal");
        j.Bool(internal);
        j.Close('}');
    }
}

void Status(JsonOut& j, const MonthResults& m) {
    j.Key("status");
    j.Open('[');
    const std::vector<std::string> counts = tabs::StatusCounts(m.statuses, true);
    const std::vector<int> rows = tabs::StatusRows(true);
    for (std::size_t i = 0; i < rows.size() && i < counts.size(); ++i) {
        const std::int64_t hits = ParseInteger(counts[i]);
        if (hits <= 0)
            continue;
        j.Open('{');
        j.Key("name");
        j.String(tabs::StatusCodes()[rows[i]].code);
        j.Key("description");
        j.String(tabs::StatusCodes()[rows[i]].description);
        j.Key("hits");
        j.Number(hits);
        j.Close('}');
    }
    j.Close(']');
}

void Robots(JsonOut& j, const MonthExtras& extras) {
    j.Key("robots");
    j.Open('[');
    std::vector<const RobotRecord*> robots;
    for (const RobotRecord& r : extras.robots)
        robots.push_back(&r);
    std::stable_sort(robots.begin(), robots.end(),
                     [](const RobotRecord* a, const RobotRecord* b) { return a->hits > b->hits; });
    for (const RobotRecord* r : robots) {
        j.Open('{');
        j.Key("name");
        j.String(r->name);
        j.Key("kind");
        j.String(RobotKindKey(r->kind));
        j.Key("hits");
        j.Number(r->hits);
        j.Key("pages");
        j.Number(r->pages);
        j.Key("kilobytes");
        j.Number(r->bytes / 1024);
        j.Key("last_time");
        j.String(r->lastTime);
        j.Close('}');
    }
    j.Close(']');
}

void Countries(JsonOut& j, const MonthExtras& extras) {
    j.Key("countries");
    j.Open('[');
    std::vector<const CountryRecord*> records;
    for (const CountryRecord& r : extras.countries.records)
        records.push_back(&r);
    const auto hits = [](const CountryRecord* r) { return r->people.hits + r->robots.hits; };
    std::stable_sort(
        records.begin(), records.end(),
        [&hits](const CountryRecord* a, const CountryRecord* b) { return hits(a) > hits(b); });
    for (const CountryRecord* r : records) {
        j.Open('{');
        j.Key("code");
        r->code.empty() ? j.Null() : j.String(r->code);
        j.Key("name");
        const std::string name = CountryNames::Installed().Name(r->code, false);
        name.empty() ? j.Null() : j.String(name);
        j.Key("city");
        r->city.empty() ? j.Null() : j.String(r->city);
        j.Key("hits");
        j.Number(hits(r));
        j.Key("pages");
        j.Number(r->people.pages + r->robots.pages);
        j.Key("kilobytes");
        j.Number((r->people.bytes + r->robots.bytes) / 1024);
        j.Key("visitors");
        j.Number(r->people.visitors + r->robots.visitors);
        j.Key("people_hits");
        j.Number(r->people.hits);
        j.Key("robot_hits");
        j.Number(r->robots.hits);
        j.Close('}');
    }
    j.Close(']');
}

void Browsers(JsonOut& j, const MonthResults& m) {
    j.Key("browsers");
    j.Open('[');
    for (std::size_t i : ByHits(
             m.browsers, [](std::string_view l) { return NumberField(l, BrowserField::kHits); })) {
        j.Open('{');
        j.Key("name");
        j.String(ReadField(m.browsers[i], BrowserField::kName));
        j.Key("hits");
        j.Number(NumberField(m.browsers[i], BrowserField::kHits));
        j.Close('}');
    }
    j.Close(']');
}

}  // namespace

void WriteMonthJson(const std::string& siteDir, const std::string& key, const std::string& site,
                    bool maskAddresses, const JsonSink& sink, std::vector<std::string>& problems) {
    MonthResults m;
    LoadMonthResults(siteDir, key, m);
    if (!m.analysed)
        throw IoError(siteDir + ResultFileName(kFilesResult, key), "the month has no analysis");
    const MonthExtras extras = LoadMonthExtras(siteDir, key);
    std::optional<MonthStats> stats;
    try {
        stats = ReadMonthStatsFile(m.monthStatsPath());
    } catch (const IoError& e) {
        problems.push_back(e.path() + ": " + e.reason());
    }
    problems.insert(problems.end(), m.problems.begin(), m.problems.end());
    problems.insert(problems.end(), extras.problems.begin(), extras.problems.end());

    JsonOut j(sink);
    j.Open('{');
    j.Key("month");
    j.String(key);
    j.Key("site");
    site.empty() ? j.Null() : j.String(site);
    Totals(j, m, extras, stats);
    Days(j, m);
    WriteVisitsJson(j, key, extras);
    Hours(j, extras);
    Files(j, m);
    j.Key("hosts");
    j.Open('[');
    PageRecords(j, m, m.hosts, -1, maskAddresses);
    j.Close(']');
    Status(j, m);
    j.Key("referrers");
    j.Open('[');
    PageRecords(j, m, m.externalReferrers, 0);
    PageRecords(j, m, m.internalReferrers, 1);
    j.Close(']');
    j.Key("queries");
    j.Open('[');
    Queries(j, m.externalQueries, false);
    Queries(j, m.internalQueries, true);
    j.Close(']');
    Robots(j, extras);
    Browsers(j, m);
    Countries(j, extras);
    j.Close('}');
    j.Raw("\n");
    j.Flush();
}

}  // namespace trafikon::report
