// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/status_table.h"

#include <gtest/gtest.h>

#include <set>

namespace trafikon {
namespace {

TEST(StatusTableTest, TheFortyNineLinesInFileOrder) {
    const std::vector<int> expected = {
        100, 101, 102, 200, 201, 202, 203, 204, 205, 206, 207, 300, 301, 302, 303, 304, 305,
        307, 400, 401, 402, 403, 404, 405, 406, 407, 408, 409, 410, 411, 412, 413, 414, 415,
        416, 417, 422, 423, 424, 426, 500, 501, 502, 503, 504, 505, 506, 507, 510};
    const auto& codes = StatusFileCodes();
    EXPECT_EQ(std::vector<int>(codes.begin(), codes.end()), expected);
}

TEST(StatusTableTest, SlotsByClassThenOffset) {
    struct Case {
        int code;
        int slot;
    };
    const Case cases[] = {
        {100, 0},  {102, 2},  {103, -1}, {199, -1}, {200, 3},  {207, 10}, {208, -1}, {300, 11},
        {306, 17}, {307, 18}, {308, -1}, {400, 19}, {426, 45}, {427, -1}, {499, -1}, {500, 46},
        {510, 56}, {511, -1}, {600, -1}, {99, -1},  {0, -1},   {-5, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusSlot(c.code), c.slot) << c.code;

    // Every slot belongs to exactly one code, and codes map back.
    std::set<int> slots;
    for (int code = 0; code < 1000; ++code) {
        const int slot = StatusSlot(code);
        if (slot < 0)
            continue;
        EXPECT_TRUE(slots.insert(slot).second) << code;
        EXPECT_EQ(StatusCodeOfSlot(slot), code);
    }
    EXPECT_EQ(slots.size(), static_cast<std::size_t>(kStatusSlotCount));
    // Every written code has a slot; the eight others are counted but not written.
    std::set<int> unwritten = slots;
    for (int code : StatusFileCodes())
        unwritten.erase(StatusSlot(code));
    std::set<int> unwrittenCodes;
    for (int slot : unwritten)
        unwrittenCodes.insert(StatusCodeOfSlot(slot));
    EXPECT_EQ(unwrittenCodes, (std::set<int>{306, 418, 419, 420, 421, 425, 508, 509}));
    EXPECT_EQ(StatusCodeOfSlot(-1), 0);
    EXPECT_EQ(StatusCodeOfSlot(57), 0);
}

TEST(StatusTableTest, SlotOfLoggedText) {
    struct Case {
        std::string_view text;
        int slot;
    };
    const Case cases[] = {
        {"304", 15}, {"0304", 15}, {"", -1},    {"-", -1},           {"30 4", -1},
        {"3a4", -1}, {"+304", -1}, {"999", -1}, {"99999999999", -1}, {"\xff", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusSlot(c.text), c.slot) << c.text;
}

TEST(StatusTableTest, LinePartsReadBetweenSemicolons) {
    struct Case {
        std::string_view text;
        std::string_view code, hits, lines, files;
    };
    const Case cases[] = {
        {"404;2;-17-90-;-5-", "404", "2", "-17-90-", "-5-"},
        {"101;0;-;-", "101", "0", "-", "-"},
        {"200;7", "200", "7", "", ""},
        {"500;3;;", "500", "3", "", ""},
        {"junk", "junk", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadStatusPart(c.text, StatusPart::kCode), c.code) << c.text;
        EXPECT_EQ(ReadStatusPart(c.text, StatusPart::kHits), c.hits) << c.text;
        EXPECT_EQ(ReadStatusPart(c.text, StatusPart::kLogLines), c.lines) << c.text;
        EXPECT_EQ(ReadStatusPart(c.text, StatusPart::kFiles), c.files) << c.text;
    }
}

}  // namespace
}  // namespace trafikon
