// SPDX-License-Identifier: GPL-3.0-or-later
// Where hosts are: every form of host field against a database built by the
// test, host names by their domain, a damaged database, and the names of the
// system's country list; addresses masked for reports.
#include <gtest/gtest.h>

#include "geo/address_mask.h"
#include "geo/country_database.h"
#include "geo/country_names.h"
#include "store/text_file.h"
#include "support/geo_test_db.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

std::string CountryOf(const CountryDatabase& db, const std::string& host) {
    const GeoPlace p = db.Locate(host);
    return p.known() ? std::string(p.country.data(), 2) : std::string("--");
}

TEST(CountryLookupTest, EveryFormOfHostField) {
    testing::TempDir dir;
    const testing::GeoTestDatabases dbs = testing::BuildGeoTestDatabases(dir.path());
    ASSERT_FALSE(dbs.countries.empty()) << "Perl's MaxMind::DB::Writer is missing "
                                           "(scripts/install-deps.sh installs it)";
    for (const std::string& path : {dbs.countries, dbs.cities}) {
        const CountryDatabase db(path);
        ASSERT_TRUE(db.open()) << db.error();
        const struct {
            const char* host;
            const char* country;
        } cases[] = {
            {"203.0.113.7", "FR"},
            {"203.0.113.7:5678", "FR"},
            {"::ffff:203.0.113.7", "FR"},
            {"2001:db8::1", "JP"},
            {"[2001:db8::1]:443", "JP"},
            {"[2001:DB8::1]", "JP"},
            {"203.0.113.7, 10.0.0.1", "FR"},
            {"10.0.0.1, 198.51.100.4", "DE"},  // the first public address
            {"10.0.0.1", "--"},
            {"192.168.1.20", "--"},
            {"fe80::1", "--"},
            {"8.8.8.8", "--"},  // not in the database
            {"www.example.fr", "FR"},
            {"host.example.co.uk.", "GB"},
            {"crawl.example.de:8080", "DE"},
            {"example.com", "--"},
            {"example.eu", "--"},
            {"localhost", "--"},
            {"", "--"},
            {"1.2.3", "--"},
            {"[2001:db8::1", "--"},
        };
        for (const auto& c : cases)
            EXPECT_EQ(CountryOf(db, c.host), c.country) << c.host << " in " << path;
    }
    const CountryDatabase cities(dbs.cities);
    EXPECT_EQ(cities.Locate("203.0.113.7").city, "Paris");
    EXPECT_EQ(cities.Locate("203.0.113.200").city, "Saint-\xc9tienne");  // Windows-1252
    EXPECT_EQ(cities.Locate("198.51.100.4").city, "");
    EXPECT_EQ(CountryDatabase(dbs.countries).Locate("203.0.113.7").city, "");
}

TEST(CountryLookupTest, DamagedOrMissingDatabaseLeavesAddressesUnknown) {
    testing::TempDir dir;
    testing::WriteRaw(dir / "damaged.mmdb", std::string(4096, 'x'));
    for (const std::string& path : {dir / "damaged.mmdb", dir / "missing.mmdb"}) {
        const CountryDatabase db(path);
        EXPECT_FALSE(db.open());
        EXPECT_FALSE(db.error().empty()) << path;
        EXPECT_EQ(CountryOf(db, "203.0.113.7"), "--");
        EXPECT_EQ(CountryOf(db, "www.example.fr"), "FR");
    }
    EXPECT_TRUE(CountryDatabase("").error().empty());  // none asked for: nothing to say
}

TEST(CountryLookupTest, ShippedDatabaseKnowsLongStableAllocations) {
    const std::string path = TRAFIKON_SOURCE_DIR "/geodata/geo-whois-asn-country.mmdb";
    if (!FileExists(path))
        GTEST_SKIP() << path << " is missing: scripts/install-deps.sh fetches it";
    const CountryDatabase db(path);
    ASSERT_TRUE(db.open()) << db.error();
    EXPECT_EQ(CountryOf(db, "8.8.8.8"), "US");                          // ARIN, since 1992
    EXPECT_EQ(CountryOf(db, "193.0.6.139"), "NL");                      // the RIPE NCC's own
    EXPECT_EQ(CountryOf(db, "2001:4860:4860::8888"), "US");             // ARIN
    EXPECT_EQ(CountryOf(db, "[2001:67c:2e8:22::c100:68b]:443"), "NL");  // the RIPE NCC's own
}

TEST(AddressMaskTest, AddressesCutToTheirNetworksNamesKept) {
    EXPECT_EQ(MaskedHost("203.0.113.7"), "203.0.113.0/24");
    EXPECT_EQ(MaskedHost("203.0.113.7:5678"), "203.0.113.0/24");
    EXPECT_EQ(MaskedHost("::ffff:203.0.113.7"), "203.0.113.0/24");
    EXPECT_EQ(MaskedHost("[2001:db8:39:b1::a7]:443"), "2001:db8:39::/48");
    EXPECT_EQ(MaskedHost("10.0.0.1, 198.51.100.4"), "198.51.100.0/24");
    EXPECT_EQ(MaskedHost("www.example.fr"), "www.example.fr");
}

TEST(CountryNamesTest, FrenchAndEnglishFromTheSystemList) {
    const CountryNames& names = CountryNames::Installed();
    if (names.empty())
        GTEST_SKIP() << "iso-codes is not installed";
    EXPECT_EQ(names.Name("DE", false), "Germany");
    EXPECT_EQ(names.Name("DE", true), "Allemagne");
    EXPECT_EQ(names.Name("CI", true), "C\xf4te d'Ivoire");  // Windows-1252
    EXPECT_EQ(names.Name("KR", false), "South Korea");      // the usual name
    EXPECT_EQ(CountryLabel(names, "ZZ", true, "?"), "ZZ");
    EXPECT_EQ(CountryLabel(names, "", true, "Inconnu"), "Inconnu");
}

}  // namespace
}  // namespace trafikon
