// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/geo_test_db.h"

#include <cstdlib>

namespace trafikon::testing {

GeoTestDatabases BuildGeoTestDatabases(const std::string& dir) {
    GeoTestDatabases dbs{dir + "/countries.mmdb", dir + "/cities.mmdb"};
    const std::string command = "perl '" TRAFIKON_SOURCE_DIR "/tests/geo/make_geo_test_db.pl' '" +
                                dbs.countries + "' '" + dbs.cities + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return dbs;
}

}  // namespace trafikon::testing
