// SPDX-License-Identifier: GPL-3.0-or-later
// A country database on disk (the MaxMind DB format), read through
// libmaxminddb: the ip-location-db layout ("country_code" at the top of each
// record) and MaxMind's ("country" > "iso_code", "city" > "names"). Lookups
// never touch the network. A database that cannot be opened leaves every
// address unknown and says why.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "geo/host_address.h"

namespace trafikon {

// Where a host is: a country code ("FR"; "\0\0" unknown) and, from a city
// database, the city's name (Windows-1252; empty when unknown).
struct GeoPlace {
    std::array<char, 2> country{'\0', '\0'};
    std::string city;
    bool known() const { return country[0] != '\0'; }
};

class CountryDatabase {
  public:
    // Opens `path`; when that fails, error() says why and addresses stay
    // unknown. No path, no database: only host names find their country (by
    // their domain).
    explicit CountryDatabase(const std::string& path);
    ~CountryDatabase();
    CountryDatabase(const CountryDatabase&) = delete;
    CountryDatabase& operator=(const CountryDatabase&) = delete;

    bool open() const { return mmdb_ != nullptr; }
    const std::string& error() const { return error_; }  // empty when open or none asked for
    // "<type>, <build date>" of the open database.
    std::string Description() const;

    // The place of a host field (see ReadHostAddress): an address is looked
    // up, a host name gets the country of its domain.
    GeoPlace Locate(std::string_view host) const;

  private:
    struct Handle;
    std::unique_ptr<Handle> mmdb_;
    std::string error_;
};

}  // namespace trafikon
