// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/countries_list.h"

#include <algorithm>
#include <map>

#include "store/result_records.h"
#include "store/tagged_record.h"
#include "text/extra_texts.h"

namespace trafikon::tabs {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Holds(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

std::int64_t Hits(const CountryRecord& r) {
    return r.people.hits + r.robots.hits;
}

NameCountRow Row(std::string name, long long count, long long position) {
    return NameCountRow{std::move(name), std::to_string(count), count, position};
}

}  // namespace

void CountriesList::Load(CountryFile file, const LineTable& hosts, const CountryNames& names,
                         bool french, std::string unknown) {
    file_ = std::move(file);
    hosts_ = &hosts;
    std::map<std::string, std::size_t> countryOf;
    countryLine_.assign(file_.records.size(), 0);
    labels_.clear();
    for (std::size_t i = 0; i < file_.records.size(); ++i) {
        const CountryRecord& r = file_.records[i];
        labels_.push_back(CountryLabel(names, r.code, french, unknown));
        if (r.city.empty())
            countryOf.emplace(r.code, i);
        const auto it = countryOf.find(r.code);
        countryLine_[i] = it == countryOf.end() ? i : it->second;
    }
    // The place of every record once, for the hosts that point at it.
    places_.assign(file_.records.size(), std::string());
    for (std::size_t i = 0; i < file_.records.size(); ++i) {
        const CountryRecord& r = file_.records[i];
        if (r.code.empty())
            continue;
        places_[i] = labels_[countryLine_[i]];
        if (!r.city.empty())
            places_[i] += ", " + r.city;
    }
}

std::size_t CountriesList::CountryLineOf(std::size_t record) const {
    return record < countryLine_.size() ? countryLine_[record] : record;
}

std::vector<NameCountRow> CountriesList::Rows(std::string_view filter) const {
    std::vector<NameCountRow> rows;
    for (std::size_t i = 0; i < file_.records.size(); ++i) {
        const CountryRecord& r = file_.records[i];
        if (r.city.empty() && Holds(labels_[i], filter))
            rows.push_back(Row(labels_[i], Hits(r), static_cast<long long>(i)));
    }
    return rows;
}

CountriesList::Detail CountriesList::DetailOf(long long position, const TextLookup& texts) const {
    Detail d;
    if (position < 0 || static_cast<std::size_t>(position) >= file_.records.size())
        return d;
    const auto p = static_cast<std::size_t>(position);
    const CountryRecord& r = file_.records[p];
    const auto n = [](std::int64_t v) { return std::to_string(v); };
    d.title = texts(lang::kTextCountry) + " : " + labels_[p];
    d.hits = texts(129) + " : " + n(Hits(r)) + ", " + texts(128) + " : " +
             n(r.people.pages + r.robots.pages) + ", " + texts(127) + " : " +
             n((r.people.bytes + r.robots.bytes) / 1024);
    d.people = texts(lang::kTextPeopleHits) + " : " + n(r.people.hits) + ", " +
               texts(lang::kTextPeopleVisitors) + " : " + n(r.people.visitors);
    d.robots = texts(lang::kTextRobotHits) + " : " + n(r.robots.hits) + ", " +
               texts(lang::kTextRobotVisitors) + " : " + n(r.robots.visitors);
    const std::size_t hostCount = hosts_ ? hosts_->size() : 0;
    for (std::size_t h = 0; h < file_.hostRecord.size() && h < hostCount; ++h)
        if (CountryLineOf(file_.hostRecord[h]) == p) {
            const std::string_view line = (*hosts_)[h];
            const std::string_view hits = ReadField(line, PageField::kHits);
            d.hosts.push_back(NameCountRow{std::string(ReadField(line, PageField::kKey)),
                                           std::string(hits), ParseSignedDecimal(hits).value_or(0),
                                           static_cast<long long>(h)});
        }
    for (std::size_t i = 0; i < file_.records.size(); ++i)
        if (i != p && CountryLineOf(i) == p)
            d.cities.push_back(
                Row(file_.records[i].city, Hits(file_.records[i]), static_cast<long long>(i)));
    return d;
}

std::vector<CountriesList::Bar> CountriesList::Top(std::size_t n) const {
    std::vector<Bar> bars;
    for (std::size_t i = 0; i < file_.records.size(); ++i) {
        const CountryRecord& r = file_.records[i];
        if (r.city.empty())
            bars.push_back({labels_[i], Hits(r), r.people.pages + r.robots.pages});
    }
    std::stable_sort(bars.begin(), bars.end(),
                     [](const Bar& a, const Bar& b) { return a.hits > b.hits; });
    if (bars.size() > n)
        bars.resize(n);
    return bars;
}

std::string_view CountriesList::PlaceOfHost(std::size_t position) const {
    if (position >= file_.hostRecord.size())
        return {};
    const std::size_t record = file_.hostRecord[position];
    return record < places_.size() ? std::string_view(places_[record]) : std::string_view();
}

}  // namespace trafikon::tabs
