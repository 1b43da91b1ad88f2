#include "engine/key_map.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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
    const std::string keys[] = {"/Index.html",           "/index.html",          "",
                                std::string("a\0b", 3),  std::string("a\0c", 3), "\xe9",
                                std::string(100000, 'x')};
    for (std::size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(map.FindOrAdd(keys[i], added), i);
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        EXPECT_EQ(map.Find(keys[i]), static_cast<std::int64_t>(i));
        EXPECT_EQ(map.Key(static_cast<std::uint32_t>(i)), keys[i]);
    }
    EXPECT_EQ(map.Find("/INDEX.html"), -1);
}

// The distinct lists must give exactly what the text IdList gives when every
// append is an append-if-absent ("-n-" searched in the text).
TEST(DistinctListsTest, MatchesTheTextAppendIfAbsent) {
    std::mt19937 rng(7);
    DistinctLists lists;
    const int records = 50;
    std::vector<std::string> text(records, "-");
    for (int step = 0; step < 40000; ++step) {
        const auto record = static_cast<std::uint32_t>(rng() % records);
        // Record 0 gets many distinct values (long lists), the others few.
        const auto value = static_cast<std::uint32_t>(record == 0 ? rng() % 3000 : rng() % 40);
        lists.Add(record, value);
        const std::string needle = "-" + std::to_string(value) + "-";
        if (text[record].find(needle) == std::string::npos)
            text[record] += std::to_string(value) + "-";
    }
    for (std::uint32_t r = 0; r < records; ++r) {
        std::string built = "-";
        for (std::uint32_t v : lists.List(r))
            built += std::to_string(v) + "-";
        EXPECT_EQ(built, text[r]) << "record " << r;
    }
    EXPECT_TRUE(lists.List(records + 10).empty());
}

}  // namespace
}  // namespace trafikon
