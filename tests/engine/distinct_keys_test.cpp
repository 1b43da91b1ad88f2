// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/distinct_keys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "support/temp_dir.h"

namespace trafikon {
namespace {

// Keys shaped as the visits make them (a class bit, a day, small positions:
// most bytes alike in every key) and keys of random bits, each added several
// times, in buffers large enough to be sorted by bytes and small enough to
// spill: each distinct key comes out once, in increasing order.
TEST(DistinctKeysTest, EachKeyOnceInOrderThroughTheSpillFile) {
    testing::TempDir dir;
    SpillFile spill(dir.path() + "/");
    std::mt19937_64 rng(3);
    std::vector<std::uint64_t> pool(20000);
    for (std::uint64_t& key : pool)
        key = rng();
    for (const bool shaped : {true, false}) {
        DistinctKeys keys(spill, 10000);
        std::set<std::uint64_t> expected;
        for (int i = 0; i < 50000; ++i) {
            const std::uint64_t r = rng();
            const std::uint64_t key = shaped ? (r & 1) << 63 | (r >> 1 & 31) << 58 |
                                                   (r >> 8 & 0xFF) << 29 | (r >> 20 & 0xF)
                                             : pool[r % pool.size()];
            keys.Add(key);
            expected.insert(key);
        }
        EXPECT_GT(keys.spilledRuns(), 0u);
        std::vector<std::uint64_t> got;
        keys.ForEachDistinct([&](std::uint64_t key) { got.push_back(key); });
        EXPECT_EQ(got, std::vector<std::uint64_t>(expected.begin(), expected.end())) << shaped;
    }
}

}  // namespace
}  // namespace trafikon
