// SPDX-License-Identifier: GPL-3.0-or-later
// The countries file of an analysed month: per country and city, people and
// robots apart, each host pointing at its line; a damaged database.
#include <gtest/gtest.h>

#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "store/country_file.h"
#include "store/extra_result_names.h"
#include "support/geo_test_db.h"
#include "views/maintenance/delete_logs.h"

namespace trafikon {
namespace {

using testing::Combined;

const CountryRecord* Find(const CountryFile& f, const std::string& code, const std::string& city) {
    for (const CountryRecord& r : f.records)
        if (r.code == code && r.city == city)
            return &r;
    return nullptr;
}

CountryFile AnalyseWith(testing::TestStore& store, const std::string& database) {
    store.AddMonth(
        "2004-05",
        {Combined("203.0.113.7", "03/May/2004:10:00:00 +0200", "GET /a.html HTTP/1.0", "200",
                  "1000"),
         Combined("203.0.113.7", "03/May/2004:10:00:01 +0200", "GET /i.gif HTTP/1.0", "200", "500"),
         Combined("203.0.113.200:4431", "03/May/2004:11:00:00 +0200", "GET /a.html HTTP/1.0", "200",
                  "1000", "-", "Googlebot/2.1"),
         Combined("2001:db8::5", "04/May/2004:09:00:00 +0200", "GET /b.html HTTP/1.0", "200", "10"),
         Combined("www.example.de", "04/May/2004:09:00:00 +0200", "GET /b.html HTTP/1.0", "200",
                  "10"),
         Combined("10.0.0.1", "05/May/2004:09:00:00 +0200", "GET /b.html HTTP/1.0", "200", "10")});
    testing::ScriptedObserver observer;
    EXPECT_TRUE(AnalyseLog(store.siteDir(), "2004-05", "", observer, database).completed);
    CountryFile f;
    EXPECT_TRUE(ParseCountryFile(store.ReadLines(std::string(kCountriesPrefix), "2004-05"), f));
    return f;
}

TEST(CountriesAnalysisTest, CountriesAndCitiesWithPeopleAndRobotsApart) {
    testing::TestStore store;
    const testing::GeoTestDatabases dbs = testing::BuildGeoTestDatabases(store.root());
    ASSERT_FALSE(dbs.cities.empty()) << "Perl's MaxMind::DB::Writer is missing";
    const CountryFile f = AnalyseWith(store, dbs.cities);
    EXPECT_EQ(f.source, CountrySource::kRead);
    EXPECT_NE(f.sourceText.find("cities.mmdb (test-city"), std::string::npos) << f.sourceText;

    const CountryRecord* fr = Find(f, "FR", "");
    ASSERT_TRUE(fr);
    EXPECT_EQ(fr->people.hits, 2);
    EXPECT_EQ(fr->people.pages, 1);
    EXPECT_EQ(fr->people.bytes, 1500);
    EXPECT_EQ(fr->people.visitors, 1);
    EXPECT_EQ(fr->robots.hits, 1);
    EXPECT_EQ(fr->robots.visitors, 1);
    const CountryRecord* paris = Find(f, "FR", "Paris");
    ASSERT_TRUE(paris);
    EXPECT_EQ(paris->people.hits, 2);
    EXPECT_EQ(paris->robots.hits, 0);
    ASSERT_TRUE(Find(f, "FR", "Saint-\xc9tienne"));
    EXPECT_EQ(Find(f, "FR", "Saint-\xc9tienne")->robots.hits, 1);
    ASSERT_TRUE(Find(f, "JP", "Tokyo"));
    ASSERT_TRUE(Find(f, "DE", ""));  // by its domain
    ASSERT_TRUE(Find(f, "", ""));    // a private address

    // The countries' hits add up to the month's; hosts in the order of the hosts file.
    std::int64_t hits = 0;
    for (const CountryRecord& r : f.records)
        if (r.city.empty())
            hits += r.people.hits + r.robots.hits;
    EXPECT_EQ(hits, 6);
    ASSERT_EQ(f.hostRecord.size(), 5u);
    EXPECT_EQ(f.records[f.hostRecord[0]].city, "Paris");
    EXPECT_EQ(f.records[f.hostRecord[3]].code, "DE");

    DeleteAnalysis(store.siteDir(), "2004-05");
    EXPECT_FALSE(store.Has(std::string(kCountriesPrefix), "2004-05"));
}

TEST(CountriesAnalysisTest, DamagedDatabaseStillAnalysesAndSaysWhy) {
    testing::TestStore store;
    testing::WriteRaw(store.root() + "/damaged.mmdb", "not a database");
    const CountryFile f = AnalyseWith(store, store.root() + "/damaged.mmdb");
    EXPECT_EQ(f.source, CountrySource::kUnreadable);
    EXPECT_NE(f.sourceText.find("damaged.mmdb: "), std::string::npos) << f.sourceText;
    ASSERT_TRUE(Find(f, "", ""));
    EXPECT_EQ(Find(f, "", "")->people.hits + Find(f, "", "")->robots.hits, 5);
    ASSERT_TRUE(Find(f, "DE", ""));
}

}  // namespace
}  // namespace trafikon
