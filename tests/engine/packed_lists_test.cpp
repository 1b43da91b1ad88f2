// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/packed_lists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "engine/hit_stream.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

// Lists long enough to go to the spill file read back as they were appended,
// beside short ones that stay in memory; the folder is left empty.
TEST(PackedListsTest, ListsComeBackWholeThroughTheSpillFile) {
    testing::TempDir dir;
    SpillFile spill(dir.path() + "/");
    PackedLists lines(spill, true), values(spill, false);
    std::mt19937 rng(5);
    std::vector<std::vector<std::uint32_t>> expectLines(50), expectValues(50);
    for (std::uint32_t line = 0; line < 200000; ++line) {
        // Record 0 takes most hits; the others few, some with far gaps.
        const std::uint32_t record = rng() % 4 == 0 ? rng() % 50 : 0;
        lines.Append(record, line * (record == 7 ? 4000u : 1u));
        expectLines[record].push_back(line * (record == 7 ? 4000u : 1u));
        const std::uint32_t v = rng() % 3 == 0 ? 0xFFFFFFFFu : rng() % 300;
        values.Append(record, v);
        expectValues[record].push_back(v);
    }
    EXPECT_GT(spill.size(), 0u);
    for (std::uint32_t r = 0; r < 51; ++r) {
        std::vector<std::uint32_t> gotLines, gotValues;
        lines.ForEach(r, [&](std::uint32_t v) { gotLines.push_back(v); });
        values.ForEach(r, [&](std::uint32_t v) { gotValues.push_back(v); });
        EXPECT_EQ(gotLines, r < 50 ? expectLines[r] : std::vector<std::uint32_t>{}) << r;
        EXPECT_EQ(gotValues, r < 50 ? expectValues[r] : std::vector<std::uint32_t>{}) << r;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // unlinked once made
}

// Past a small budget the buffers go out as sorted runs, beside full blocks:
// each record still reads back whole and in order, in any order of records.
TEST(PackedListsTest, ListsComeBackWholeAcrossRunsInAnyRecordOrder) {
    testing::TempDir dir;
    SpillFile spill(dir.path() + "/");
    PackedLists lines(spill, true, 1), values(spill, false, 1);
    std::mt19937 rng(11);
    constexpr std::uint32_t kRecords = 20000;
    std::vector<std::vector<std::uint32_t>> expectLines(kRecords), expectValues(kRecords);
    for (std::uint32_t line = 0; line < 400000; ++line) {
        // A few records of many hits (full blocks) among many of few hits.
        const std::uint32_t record = rng() % 3 == 0 ? rng() % 4 : rng() % kRecords;
        lines.Append(record, line);
        expectLines[record].push_back(line);
        const std::uint32_t v = rng() % 5 == 0 ? 0xFFFFFFFFu : rng() % 1000;
        values.Append(record, v);
        expectValues[record].push_back(v);
    }
    EXPECT_GT(lines.runCount(), 3u);
    EXPECT_GT(values.runCount(), 3u);
    const auto check = [&](std::uint32_t r) {
        std::vector<std::uint32_t> gotLines, gotValues;
        lines.ForEach(r, [&](std::uint32_t v) { gotLines.push_back(v); });
        values.ForEach(r, [&](std::uint32_t v) { gotValues.push_back(v); });
        const bool known = r < kRecords;
        ASSERT_EQ(gotLines, known ? expectLines[r] : std::vector<std::uint32_t>{}) << r;
        ASSERT_EQ(gotValues, known ? expectValues[r] : std::vector<std::uint32_t>{}) << r;
    };
    for (std::uint32_t r = 0; r <= kRecords; r += 1 + r % 3)
        check(r);
    for (std::uint32_t r : {kRecords - 1, kRecords - 1, 2u, 0u, 1u, 777u, 3u})
        check(r);
}

TEST(PackedListsTest, HitStreamKeepsEveryHitInOrder) {
    testing::TempDir dir;
    SpillFile spill(dir.path() + "/");
    HitStream stream(spill);
    std::vector<StreamedHit> hits;
    for (std::uint32_t i = 0; i < 30000; ++i) {
        StreamedHit h{i * 3,
                      i % 7,
                      i * 2654435761u % 100000,
                      i % 3 == 0,
                      static_cast<std::uint8_t>(1 + i % 31),
                      i % 5 == 0 ? (1ull << 62) + i : i};
        stream.Add(h);
        hits.push_back(h);
    }
    EXPECT_GT(spill.size(), 0u);
    std::size_t n = 0;
    stream.ForEach([&](const StreamedHit& h) {
        ASSERT_LT(n, hits.size());
        const StreamedHit& e = hits[n++];
        EXPECT_TRUE(h.line == e.line && h.agent == e.agent && h.host == e.host &&
                    h.page == e.page && h.day == e.day && h.bytes == e.bytes)
            << n;
    });
    EXPECT_EQ(n, hits.size());
}

}  // namespace
}  // namespace trafikon
