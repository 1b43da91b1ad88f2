// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/key_map.h"

#include <gtest/gtest.h>

#include "engine/id_lists.h"
#include "support/temp_dir.h"

#include <random>
#include <string>
#include <vector>

namespace trafikon {
namespace {

TEST(KeyMapTest, PositionsInOrderOfFirstAppearanceAcrossGrowth) {
    KeyMap map;
    bool added = false;
    const int count = 5000;  // several table growths
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(map.FindOrAdd("/page" + std::to_string(i), added), static_cast<std::uint32_t>(i));
        EXPECT_TRUE(added);
    }
    for (int i = count - 1; i >= 0; --i) {
        EXPECT_EQ(map.FindOrAdd("/page" + std::to_string(i), added), static_cast<std::uint32_t>(i));
        EXPECT_FALSE(added);
        EXPECT_EQ(map.Key(static_cast<std::uint32_t>(i)), "/page" + std::to_string(i));
    }
    EXPECT_EQ(map.size(), static_cast<std::size_t>(count));
}

TEST(KeyMapTest, KeysCompareAsBytes) {
    KeyMap map;
    bool added;
    // Lengths about 255 change how a key's length is kept; a key longer than
    // a page of keys has one of its own, and the keys after it a new one.
    const std::string keys[] = {"/Index.html",
                                "/index.html",
                                "",
                                std::string("a\0b", 3),
                                std::string("a\0c", 3),
                                "\xe9",
                                std::string(100000, 'x'),
                                std::string(3 << 20, 'z'),
                                std::string(254, 'y'),
                                std::string(255, 'y'),
                                std::string(256, 'y')};
    for (std::size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(map.FindOrAdd(keys[i], added), i);
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        EXPECT_EQ(map.Find(keys[i]), static_cast<std::int64_t>(i));
        EXPECT_EQ(map.Key(static_cast<std::uint32_t>(i)), keys[i]);
    }
    EXPECT_EQ(map.Find("/INDEX.html"), -1);
}

// Host keys that are IPv4 addresses are kept packed: every key, packed or
// not, is found again and written back byte for byte, across table growths.
TEST(KeyMapTest, PackedAddressesComeBackAsWritten) {
    KeyMap map;
    map.PackAddresses();
    std::vector<std::string> keys = {
        "0.0.0.0",  "255.255.255.255",    "01.2.3.4", "1.2.3.04", "256.1.1.1", "1.2.3",
        "1.2.3.4.", "1.2.3.4 ",           "1..2.3",   "::1",      "1.2.3.4x",  "1.2.3.4444",
        "",         std::string(254, '7')};
    for (int i = 0; i < 3000; ++i)
        keys.push_back("10." + std::to_string(i % 7 * 40) + "." + std::to_string(i / 256) + "." +
                       std::to_string(i % 256));
    bool added;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(map.FindOrAdd(keys[i], added), i) << keys[i];
        EXPECT_TRUE(added) << keys[i];
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(map.Find(keys[i]), static_cast<std::int64_t>(i)) << keys[i];
        EXPECT_EQ(map.Key(static_cast<std::uint32_t>(i)), keys[i]);
    }
    EXPECT_EQ(map.Find("10.0.0.00"), -1);
}

// Linked pairs must give, on both sides, exactly what the text IdLists give
// when every append is an append-if-absent ("-n-" searched in the text).
// `spill`: the lists go out past a tiny budget, so most pairs come again
// after their first listing has gone to a run.
void CheckLinkedPairs(SpillFile* spill) {
    std::mt19937 rng(7);
    PairSet pairs;
    IdLists hostsFiles, filesHosts;
    if (spill) {
        hostsFiles.SpillTo(*spill, 4096);
        filesHosts.SpillTo(*spill, 4096);
    }
    const int hosts = 40, files = 3000;
    std::vector<std::string> hostText(hosts, "-"), fileText(files, "-");
    auto appendIfAbsent = [](std::string& text, std::uint32_t n) {
        if (text.find("-" + std::to_string(n) + "-") == std::string::npos)
            text += std::to_string(n) + "-";
    };
    for (int step = 0; step < 60000; ++step) {
        // Host 0 requests many files (a long list); runs repeat the same pair.
        const auto host = static_cast<std::uint32_t>(rng() % hosts);
        const auto file = static_cast<std::uint32_t>(host == 0 ? rng() % files : rng() % 30);
        for (int repeat = 0; repeat < 1 + static_cast<int>(rng() % 3); ++repeat) {
            LinkPair(pairs, hostsFiles, host, filesHosts, file);
            appendIfAbsent(hostText[host], file);
            appendIfAbsent(fileText[file], host);
        }
    }
    hostsFiles.Seal();
    filesHosts.Seal();
    auto text = [](const std::vector<std::uint32_t>& list) {
        std::string built = "-";
        for (std::uint32_t v : list)
            built += std::to_string(v) + "-";
        return built;
    };
    for (std::uint32_t h = 0; h < hosts; ++h)
        EXPECT_EQ(text(hostsFiles.List(h)), hostText[h]) << "host " << h;
    // The files' lists through one buffer, as the result files read them:
    // each reading replaces what the one before left there.
    std::vector<std::uint32_t> reused;
    for (std::uint32_t f = 0; f < files; ++f) {
        filesHosts.List(f, reused);
        EXPECT_EQ(text(reused), fileText[f]) << "file " << f;
    }
    EXPECT_TRUE(hostsFiles.List(hosts + 10).empty());
    if (spill) {
        EXPECT_GT(hostsFiles.runCount(), 1u);
        EXPECT_GT(filesHosts.runCount(), 1u);
        // Read again, out of order.
        EXPECT_EQ(text(filesHosts.List(7)), fileText[7]);
        EXPECT_EQ(text(hostsFiles.List(0)), hostText[0]);
    }
}

TEST(LinkPairTest, MatchesTheTextAppendIfAbsentOnBothSides) {
    CheckLinkedPairs(nullptr);
}

TEST(LinkPairTest, MatchesItStillWhenTheListsGoToRuns) {
    testing::TempDir dir;
    SpillFile spill(dir.path() + "/");
    CheckLinkedPairs(&spill);
}

}  // namespace
}  // namespace trafikon
