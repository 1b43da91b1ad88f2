// SPDX-License-Identifier: GPL-3.0-or-later
// A virtual-host log filed line by line into the sites of its hosts.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "../engine/engine_test_store.h"
#include "engine/analyse_log.h"
#include "import/import_logs.h"
#include "import/vhost_sites.h"
#include "state/settings.h"
#include "state/site_settings.h"
#include "store/data_store.h"
#include "store/site_list.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteRaw;

constexpr const char* kVhostCombined = "vhlutrsbRU";

TEST(VhostFoldTest, CaseAlwaysPortAndWwwAsChosen) {
    std::string out;
    const VhostFold both, none{false, false};
    EXPECT_TRUE(FoldVirtualHost("WWW.Example.ORG:443", both, out));
    EXPECT_EQ(out, "example.org");
    EXPECT_TRUE(FoldVirtualHost("WWW.Example.ORG:443", none, out));
    EXPECT_EQ(out, "www.example.org:443");
    EXPECT_TRUE(FoldVirtualHost("[::1]:8080", both, out));
    EXPECT_EQ(out, "[::1]");
    EXPECT_TRUE(FoldVirtualHost("fe80::1", both, out));  // a bare address keeps its end
    EXPECT_EQ(out, "fe80::1");
    EXPECT_TRUE(FoldVirtualHost("www.", both, out));  // nothing would be left
    EXPECT_EQ(out, "www.");
    // No host: the aimed site takes the line.
    for (const char* value : {"", "-", "a;b", "../x", "host\xE9", "a/b"})
        EXPECT_FALSE(FoldVirtualHost(value, both, out)) << value;
    EXPECT_FALSE(FoldVirtualHost(std::string(300, 'a'), both, out));

    EXPECT_TRUE(ParseVhostFold("www, port")->dropPort);
    EXPECT_FALSE(ParseVhostFold("www")->dropPort);
    EXPECT_FALSE(ParseVhostFold("none")->dropWww);
    for (const char* bad : {"", "port,", "none,www", "port,port", "ports"})
        EXPECT_FALSE(ParseVhostFold(bad)) << bad;
}

// A vhost_combined line of host `vhost`, day `day` of month `month` 2024.
std::string Line(const std::string& vhost, int day, const char* month, int n) {
    return vhost + " 10.0.0." + std::to_string(n % 250) + " - - [" + (day < 10 ? "0" : "") +
           std::to_string(day) + "/" + month + "/2024:10:00:00 +0000] \"GET /p" +
           std::to_string(n) + " HTTP/1.1\" 200 12 \"-\" \"UA\"";
}

class VhostImportTest : public ::testing::Test {
  protected:
    VhostImportTest() { fs::create_directories(SiteDir(root())); }
    std::string root() const { return dir_.path() + "/"; }
    std::string log() const { return dir_ / "vhost.log"; }

    ImportSummary Import() {
        SilentImportObserver observer;
        VhostRouting routing{root(), kSiteNumber, VhostFold{}, {}};
        routing.siteMade = [this](const std::string& made, const std::string& host) {
            SaveNewSiteSettings(root(), made, host);
        };
        return ImportLogs(SiteDir(root()), {LogToImport{log(), kVhostCombined}}, observer,
                          &routing);
    }
    // Lines stored in each site, by site number, and by the site of their first field.
    std::map<int, std::size_t> StoredBySite() const {
        std::map<int, std::size_t> counts;
        for (const SiteEntry& site : ReadSiteList(root()))
            for (const auto& e : fs::directory_iterator(SiteDir(root(), site.number)))
                if (e.path().extension() == ".log" && e.path().filename() != "format.log")
                    counts[site.number] += ReadTextLines(e.path().string()).size();
        return counts;
    }
    std::map<int, std::size_t> ExpectedBySite(const std::string& text) const {
        const std::vector<SiteEntry> sites = ReadSiteList(root());
        std::map<int, std::size_t> counts;
        std::string folded;
        for (const std::string& line : SplitLines(text)) {
            const std::string first = line.substr(0, line.find(' '));
            const std::optional<int> site = FoldVirtualHost(first, VhostFold{}, folded)
                                                ? FindSite(sites, folded)
                                                : std::optional<int>(kSiteNumber);
            ++counts[site.value_or(-1)];
        }
        return counts;
    }

    TempDir dir_;
};

TEST_F(VhostImportTest, LinesLandInTheSitesOfTheirHostsAndNeverTwice) {
    const char* hosts[] = {"www.example.org:80", "example.org", "Shop.example.net", "-",
                           "EXAMPLE.org:8080"};
    // Damaged lines, first (waiting for a month) and last, go to their own sites.
    std::string text = "www.example.org a b c [1] \"GET\" 200\n";
    for (int n = 0; n < 300; ++n)
        text += Line(hosts[n * 7 % 5], 1 + n % 28, n < 150 ? "Mar" : "Apr", n) + "\n";
    text += "shop.example.net a b c [1] \"GET\" 200\n";
    WriteRaw(log(), text);
    Settings first;
    first[1] = "http://main.example";
    first[4] = "English (en)";
    SaveSiteSettings(SiteDir(root()), first);
    ImportSummary summary = Import();
    ASSERT_EQ(summary.newSites.size(), 2u);
    EXPECT_EQ(summary.newSites[0].host, "example.org");
    EXPECT_EQ(summary.newSites[1].host, "shop.example.net");
    EXPECT_EQ(summary.linesStored, 302u);
    EXPECT_EQ(summary.damagedLines, 2u);
    const std::map<int, std::size_t> expected = ExpectedBySite(text);
    EXPECT_EQ(expected.size(), 3u);
    EXPECT_EQ(StoredBySite(), expected);
    EXPECT_EQ(summary.otherSiteMonths.at(2), (std::vector<std::string>{"2024-03", "2024-04"}));
    Settings settings;
    LoadSettings(SiteDir(root(), 3), settings);
    EXPECT_EQ(settings.siteUrl(), "http://shop.example.net");
    EXPECT_EQ(settings[4], "English (en)");  // the program's language, not the site's address

    // Read again: nothing new. Grown: only the new lines, in their sites.
    EXPECT_EQ(Import().linesStored, 0u);
    const std::string site1Before = dir_ / "site1-before";
    fs::copy(SiteDir(root()), site1Before, fs::copy_options::recursive);
    std::string grown;
    for (int n = 300; n < 400; ++n)
        grown += Line(hosts[n % 5], 1 + n % 28, "Apr", n) + "\n";
    WriteRaw(log(), text + grown);
    EXPECT_EQ(Import().linesStored, 100u);
    EXPECT_EQ(StoredBySite(), ExpectedBySite(text + grown));

    // Killed after the other sites were finished, before the aimed one: the
    // aimed site is as it was and reads the growth again; the other sites
    // pass over what they hold.
    fs::remove_all(SiteDir(root()));
    fs::rename(site1Before, SiteDir(root()));
    EXPECT_EQ(Import().linesStored, 20u);
    EXPECT_EQ(StoredBySite(), ExpectedBySite(text + grown));
    EXPECT_EQ(ReadSiteList(root()).size(), 3u);
}

TEST(VhostAnalysisTest, TheVirtualHostFieldChangesNoResult) {
    testing::TestStore plain, vhost;
    std::vector<std::string> lines, hosted;
    for (int n = 0; n < 50; ++n) {
        const std::string line = Line("x", 1 + n % 28, "Mar", n);
        lines.push_back(line.substr(2));
        hosted.push_back("www.example.org:80" + line.substr(1));
    }
    plain.AddMonth("2024-03", lines);
    vhost.AddMonth("2024-03", hosted, kVhostCombined);
    testing::ScriptedObserver observer;
    AnalyseLog(plain.siteDir(), "2024-03", "", observer);
    AnalyseLog(vhost.siteDir(), "2024-03", "", observer);
    EXPECT_TRUE(observer.asked.empty());
    for (std::string_view prefix : kResultPrefixes)
        EXPECT_EQ(vhost.Read(std::string(prefix), "2024-03"),
                  plain.Read(std::string(prefix), "2024-03"))
            << prefix;
}

}  // namespace
}  // namespace trafikon
