// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/country_tally.h"

#include <limits>
#include <unordered_map>

namespace trafikon {

namespace {

void Add(AudienceTotals& t, const StreamedHit& hit) {
    ++t.hits;
    if (hit.page)
        ++t.pages;
    if (__builtin_add_overflow(t.bytes, static_cast<std::int64_t>(hit.bytes), &t.bytes))
        t.bytes = std::numeric_limits<std::int64_t>::max();
}

}  // namespace

std::uint32_t CountryTally::RecordOf(std::array<char, 2> country, const std::string& city) {
    const std::string code = country[0] ? std::string(country.data(), 2) : std::string();
    records_.push_back(CountryRecord{code, city, {}, {}});
    return static_cast<std::uint32_t>(records_.size() - 1);
}

void CountryTally::LocateHosts() {
    const std::size_t hosts = analysis_.hosts.size();
    hostRecord_.resize(hosts);
    hostCountry_.resize(hosts);
    hostSeen_.assign(hosts, 0);
    // Lines by country and city.
    std::unordered_map<std::string, std::uint32_t> lineOf;
    std::string key;
    const auto line = [&](std::array<char, 2> country, const std::string& city) {
        key.assign(country.data(), 2);
        key += city;
        const auto [it, added] = lineOf.try_emplace(key, 0);
        if (added)
            it->second = RecordOf(country, city);
        return it->second;
    };
    for (std::uint32_t h = 0; h < hosts; ++h) {
        const GeoPlace place = database_.Locate(analysis_.hosts.keys.Key(h));
        hostCountry_[h] = line(place.country, std::string());
        hostRecord_[h] = place.city.empty() ? hostCountry_[h] : line(place.country, place.city);
    }
}

void CountryTally::Hit(const StreamedHit& hit, bool robot) {
    const std::uint32_t country = hostCountry_[hit.host], record = hostRecord_[hit.host];
    Add(robot ? records_[country].robots : records_[country].people, hit);
    if (record != country)
        Add(robot ? records_[record].robots : records_[record].people, hit);
    hostSeen_[hit.host] |= robot ? 2 : 1;
}

void CountryTally::Write(AtomicFileWriter& out) const {
    std::vector<CountryRecord> records = records_;
    for (std::size_t h = 0; h < hostSeen_.size(); ++h) {
        for (const std::uint32_t r : {hostCountry_[h], hostRecord_[h]}) {
            if (hostSeen_[h] & 1)
                ++records[r].people.visitors;
            if (hostSeen_[h] & 2)
                ++records[r].robots.visitors;
            if (hostCountry_[h] == hostRecord_[h])
                break;
        }
    }
    if (database_.open())
        out.WriteLine(FormatCountrySource(CountrySource::kRead,
                                          databasePath_ + " (" + database_.Description() + ")"));
    else if (!databasePath_.empty())
        out.WriteLine(FormatCountrySource(CountrySource::kUnreadable,
                                          databasePath_ + ": " + database_.error()));
    else
        out.WriteLine(FormatCountrySource(CountrySource::kNone, {}));
    for (const CountryRecord& r : records)
        out.WriteLine(FormatCountryRecord(r));
    for (const std::uint32_t r : hostRecord_)
        out.WriteLine(FormatHostCountry(r));
}

}  // namespace trafikon
