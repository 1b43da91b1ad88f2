// SPDX-License-Identifier: GPL-3.0-or-later
// The small country databases the tests build with Perl's writer
// (tests/geo/make_geo_test_db.pl): see that script for what they hold.
#pragma once

#include <string>

namespace trafikon::testing {

struct GeoTestDatabases {
    std::string countries;  // ip-location-db layout
    std::string cities;     // MaxMind layout with cities
};

// Writes both into `dir`; the paths are empty when the writer failed.
GeoTestDatabases BuildGeoTestDatabases(const std::string& dir);

}  // namespace trafikon::testing
