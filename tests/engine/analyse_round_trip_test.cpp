// SPDX-License-Identifier: GPL-3.0-or-later
// A generated log filed by month and analysed, checked against totals that
// the test counts itself with plain code.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "engine/analyse_log.h"
#include "engine/engine_test_store.h"
#include "store/log_format.h"
#include "store/month_stats.h"
#include "store/result_records.h"
#include "support/generated_log.h"

namespace trafikon {
namespace {

using testing::ScriptedObserver;
using testing::TestStore;

std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    std::istringstream in(line);
    std::string t;
    while (in >> t)
        tokens.push_back(t);
    return tokens;
}

std::string MonthNumberOfNameForTest(const std::string& name) {
    const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 0; m < 12; ++m)
        if (name == names[m])
            return (m < 9 ? "0" : "") + std::to_string(m + 1);
    return "00";
}

// Totals of one month, counted from the raw lines.
struct Expected {
    std::map<int, long long> hitsPerDay, bytesPerDay;
    std::map<int, std::set<std::string>> hostsPerDay;
    long long statusClass[5] = {};
    std::set<std::string> paths, hosts, agents, externalPages;
    long long lines = 0;
};

struct Parsed {
    std::string key, host, path, status, bytes, referrer, agent;
    int day = 0;
};

// The generator's combined lines: host - user [dd/Mon/yyyy:...] "M path P" status bytes "ref" "ua"
Parsed ParseCombined(const std::string& line) {
    Parsed p;
    p.host = line.substr(0, line.find(' '));
    const auto lb = line.find('[');
    p.day = std::stoi(line.substr(lb + 1, 2));
    p.key = line.substr(lb + 8, 4) + "-" + MonthNumberOfNameForTest(line.substr(lb + 4, 3));
    const auto q1 = line.find('"');
    const auto q2 = line.find('"', q1 + 1);
    const auto request = Tokens(line.substr(q1 + 1, q2 - q1 - 1));
    p.path = request.at(1).substr(0, request.at(1).find_first_of("?#"));
    const auto after = Tokens(line.substr(q2 + 1, line.find('"', q2 + 1) - q2 - 1));
    p.status = after.at(0);
    p.bytes = after.at(1);
    const auto r1 = line.find('"', q2 + 1);
    const auto r2 = line.find('"', r1 + 1);
    p.referrer = line.substr(r1 + 1, r2 - r1 - 1);
    const auto u1 = line.find('"', r2 + 1);
    p.agent = line.substr(u1 + 1, line.rfind('"') - u1 - 1);
    return p;
}

// The generator's IIS lines: date time s-ip method stem query port user c-ip ua ref status sub
// win32 bytes
// ...
Parsed ParseIis(const std::string& line) {
    const auto t = Tokens(line);
    Parsed p;
    p.key = t.at(0).substr(0, 7);
    p.day = std::stoi(t.at(0).substr(8, 2));
    p.path = t.at(4);
    p.host = t.at(8);
    p.agent = t.at(9);
    p.referrer = t.at(10);
    p.status = t.at(11);
    p.bytes = t.at(14);
    return p;
}

TEST(AnalyseRoundTripTest, GeneratedLogsMatchIndependentTotals) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string format;
        bool iis;
    };
    const Case cases[] = {
        {"combined",
         {"--lines", "4000", "--format", "combined", "--months", "2", "--seed", "5"},
         "hlutrsbRU",
         false},
        {"iis",
         {"--lines", "3000", "--format", "iis", "--months", "2", "--seed", "9"},
         "dHNMINNuhURsNNbNN",
         true},
    };
    const std::string site = "http://www.example.org";
    for (const auto& c : cases) {
        const std::string log = testing::GeneratedLog(c.options);
        ASSERT_FALSE(log.empty()) << c.name;
        std::map<std::string, std::vector<std::string>> months;
        std::map<std::string, Expected> expected;
        std::vector<std::string> pendingComments;
        std::istringstream in(log);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') {
                pendingComments.push_back(line);
                continue;
            }
            const Parsed p = c.iis ? ParseIis(line) : ParseCombined(line);
            auto& stored = months[p.key];
            stored.insert(stored.end(), pendingComments.begin(), pendingComments.end());
            pendingComments.clear();
            stored.push_back(line);
            Expected& e = expected[p.key];
            ++e.lines;
            ++e.hitsPerDay[p.day];
            if (p.bytes != "-")
                e.bytesPerDay[p.day] += std::stoll(p.bytes);
            e.hostsPerDay[p.day].insert(p.host);
            ++e.statusClass[p.status[0] - '1'];
            e.paths.insert(p.path);
            e.hosts.insert(p.host);
            if (!p.agent.empty())
                e.agents.insert(p.agent);
            if (p.referrer != "-" && p.referrer.rfind(site, 0) != 0)
                e.externalPages.insert(p.referrer.substr(0, p.referrer.find('?')));
        }
        ASSERT_EQ(months.size(), 2u) << c.name;

        TestStore store;
        for (const auto& [key, lines] : months)
            store.AddMonth(key, lines, c.format);
        for (const auto& [key, e] : expected) {
            ScriptedObserver observer;
            const AnalysisResult r = AnalyseLog(store.siteDir(), key, site, observer);
            ASSERT_TRUE(r.completed) << c.name;
            EXPECT_TRUE(observer.asked.empty()) << c.name;
            EXPECT_EQ(r.hits, static_cast<std::uint64_t>(e.lines)) << c.name;

            const MonthStats s = ParseMonthStats(store.ReadLines("mon-", key));
            std::array<long long, kDaysInList> hits{}, kilobytes{}, visitors{};
            long long bytes = 0;
            for (const auto& [day, n] : e.hitsPerDay)
                hits[day - 1] = n;
            for (const auto& [day, n] : e.bytesPerDay) {
                kilobytes[day - 1] = n / 1024;
                bytes += n;
            }
            for (const auto& [day, set] : e.hostsPerDay)
                visitors[day - 1] = static_cast<long long>(set.size());
            EXPECT_EQ(s[kStatHiJo], FormatDayList(hits)) << c.name << " " << key;
            EXPECT_EQ(s[kStatKoJo], FormatDayList(kilobytes)) << c.name << " " << key;
            EXPECT_EQ(s[kStatViJo], FormatDayList(visitors)) << c.name << " " << key;
            EXPECT_EQ(s[kStatKoMo], std::to_string(bytes)) << c.name;
            EXPECT_EQ(s[kStatJour], std::to_string(e.hitsPerDay.size())) << c.name;
            for (int k = 0; k < 5; ++k)
                EXPECT_EQ(s[static_cast<MonthStatsLine>(kStatRet100 + k)],
                          std::to_string(e.statusClass[k]))
                    << c.name << " class " << k + 1;
            EXPECT_EQ(s[kStatHits], std::to_string(e.lines)) << c.name;
            EXPECT_EQ(s[kStatTota], std::to_string(e.paths.size())) << c.name;
            EXPECT_EQ(s[kStatHost], std::to_string(e.hosts.size())) << c.name;
            EXPECT_EQ(s[kStatMote], std::to_string(e.externalPages.size())) << c.name;
            EXPECT_EQ(store.ReadLines("nav-", key).size(), e.agents.size()) << c.name;

            // Every hit is listed once in the files, once in the hosts.
            for (const char* prefix : {"lfp-", "hos-"}) {
                long long listed = 0, sum = 0;
                for (const auto& record : store.ReadLines(prefix, key)) {
                    sum += ParseInteger(ReadField(record, CountedField::kHits));
                    listed +=
                        static_cast<long long>(IdListSize(ReadField(record, FileField::kLogLines)));
                }
                EXPECT_EQ(sum, e.lines) << c.name << " " << prefix;
                EXPECT_EQ(listed, e.lines) << c.name << " " << prefix;
            }
        }
    }
}

}  // namespace
}  // namespace trafikon
