// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/country_report.h"

#include <algorithm>
#include <numeric>

#include "geo/country_names.h"
#include "report/report_text.h"
#include "state/country_database_file.h"
#include "text/extra_texts.h"

namespace trafikon::report {

namespace {

std::string Num(std::int64_t v) {
    return std::to_string(v);
}

// What the summary says of the data: the shipped data with its credit, or the
// user's database by its file name (the report names no folder of the machine).
std::string SourceText(const CountryFile& f, const LanguageTable& texts) {
    if (f.source == CountrySource::kNone)
        return Cp1252ToUtf8(texts.Text(lang::kTextNoCountryDatabase));
    if (f.source == CountrySource::kUnreadable)
        return Cp1252ToUtf8(texts.Text(lang::kTextCountryDatabaseUnreadable)) +
               Cp1252ToUtf8(f.sourceText.substr(f.sourceText.rfind('/') + 1));
    const std::string name = f.sourceText.substr(f.sourceText.rfind('/') + 1);
    if (name.starts_with(kShippedCountryDatabase))
        return Cp1252ToUtf8(texts.Text(lang::kTextCountryDataCredit));
    return Cp1252ToUtf8(name);
}

}  // namespace

void AddCountries(MonthReport& report, const MonthExtras& extras, const LanguageTable& texts) {
    if (!extras.present || !extras.countriesPresent)  // a month of an earlier version
        return;
    const CountryFile& f = extras.countries;
    report.summary.rows.push_back(
        {LabelText(texts, lang::kTextCountriesFrom), SourceText(f, texts)});

    const bool french = texts.Text(lang::kTextCountryNamesLanguage) == "fr";
    const std::string unknown = texts.Text(lang::kTextUnknownCountry);
    const CountryNames& names = CountryNames::Installed();
    // Lines in order of hits, most first; ties keep the file's order.
    std::vector<std::size_t> order(f.records.size());
    std::iota(order.begin(), order.end(), 0);
    const auto hits = [&f](std::size_t i) {
        return f.records[i].people.hits + f.records[i].robots.hits;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return hits(a) > hits(b); });

    const std::vector<std::string> columns = {LabelText(texts, lang::kTextCountry),
                                              LabelText(texts, 129),
                                              LabelText(texts, 128),
                                              LabelText(texts, 127),
                                              LabelText(texts, lang::kTextPeopleHits),
                                              LabelText(texts, lang::kTextPeopleVisitors),
                                              LabelText(texts, lang::kTextRobotHits),
                                              LabelText(texts, lang::kTextRobotVisitors)};
    ReportTable countries{"countries",
                          LabelText(texts, lang::kTextCountries),
                          columns,
                          {false, true, true, true, true, true, true, true},
                          {}};
    ReportTable cities = countries;
    cities.name = "cities";
    cities.title = LabelText(texts, lang::kTextCity);
    cities.columns.insert(cities.columns.begin() + 1, LabelText(texts, lang::kTextCity));
    cities.numeric.insert(cities.numeric.begin() + 1, false);
    ReportBars bars{LabelText(texts, lang::kTextCountries),
                    {},
                    {},
                    {},
                    LabelText(texts, 129),
                    LabelText(texts, 128)};
    for (const std::size_t i : order) {
        const CountryRecord& r = f.records[i];
        std::vector<std::string> row = {Cp1252ToUtf8(CountryLabel(names, r.code, french, unknown)),
                                        Num(hits(i)),
                                        Num(r.people.pages + r.robots.pages),
                                        Num((r.people.bytes + r.robots.bytes) / 1024),
                                        Num(r.people.hits),
                                        Num(r.people.visitors),
                                        Num(r.robots.hits),
                                        Num(r.robots.visitors)};
        if (r.city.empty()) {
            if (bars.labels.size() < 10) {
                bars.labels.push_back(row[0]);
                bars.values.push_back(hits(i));
                bars.inner.push_back(r.people.pages + r.robots.pages);
            }
            countries.rows.push_back(std::move(row));
        } else {
            row.insert(row.begin() + 1, Cp1252ToUtf8(r.city));
            cities.rows.push_back(std::move(row));
        }
    }
    report.graphs.push_back(std::move(bars));
    report.tables.push_back(std::move(countries));
    if (!cities.rows.empty())
        report.tables.push_back(std::move(cities));
}

}  // namespace trafikon::report
