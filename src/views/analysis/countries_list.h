// SPDX-License-Identifier: GPL-3.0-or-later
// Countries tab logic: the month's countries with a name filter, the detail
// of one country (its totals, its hosts, its cities), the top countries of
// the chart, and the country of each host for the hosts tab.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "geo/country_names.h"
#include "month/name_count_row.h"
#include "month/tabs_records.h"
#include "store/country_file.h"
#include "store/text_file.h"

namespace trafikon::tabs {

class CountriesList {
  public:
    // `file` as LoadMonthExtras read it; `hosts` the month's host records,
    // in the order of the countries file's host lines; it must outlive the list. Names in French
    // when `french`; `unknown` names the unknown country.
    void Load(CountryFile file, const LineTable& hosts, const CountryNames& names, bool french,
              std::string unknown);

    // The countries (name, hits, position of their line) whose names hold
    // `filter`, without regard to ASCII case, in file order.
    std::vector<NameCountRow> Rows(std::string_view filter) const;

    struct Detail {
        std::string title;                 // "Pays : <name>"
        std::string hits;                  // hits, pages, kilobytes
        std::string people;                // people's hits and visitors
        std::string robots;                // robots' hits and visitors
        std::vector<NameCountRow> hosts;   // the country's hosts and their hits
        std::vector<NameCountRow> cities;  // its cities and their hits
    };
    Detail DetailOf(long long position, const TextLookup& texts) const;

    // The `n` countries of most hits: name and hits, then pages.
    struct Bar {
        std::string name;
        long long hits = 0, pages = 0;
    };
    std::vector<Bar> Top(std::size_t n) const;

    // "France" or "France, Paris" for the host at `position` of the hosts
    // file; empty when unknown. Valid until the next Load.
    std::string_view PlaceOfHost(std::size_t position) const;

    const CountryFile& file() const { return file_; }

  private:
    // The country's own line of a record (itself for a country line).
    std::size_t CountryLineOf(std::size_t record) const;

    CountryFile file_;
    const LineTable* hosts_ = nullptr;
    std::vector<std::size_t> countryLine_;  // by record
    std::vector<std::string> labels_;       // by record: the country's name
    std::vector<std::string> places_;       // by record: what PlaceOfHost shows
};

}  // namespace trafikon::tabs
