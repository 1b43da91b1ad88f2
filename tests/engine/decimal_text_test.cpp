// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/decimal_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace trafikon {
namespace {

// Every length of number, at both ends of it, reads as the standard text, and
// nothing is written past the 20 bytes a caller gives.
TEST(DecimalTextTest, EveryLengthWritesItsDigitsOnly) {
    std::uint64_t power = 1;
    for (int digits = 1; digits <= 20; ++digits) {
        const std::uint64_t last =
            digits == 20 ? std::numeric_limits<std::uint64_t>::max() : power * 10 - 1;
        for (const std::uint64_t v : {digits == 1 ? 0 : power, power + 7, last}) {
            char text[32];
            std::fill(text, text + sizeof text, '#');
            char* end = WriteDecimal(text + 1, v);
            EXPECT_EQ(std::string(text + 1, end), std::to_string(v));
            EXPECT_EQ(text[0], '#');
            EXPECT_EQ(text[21], '#') << v;
        }
        if (digits < 20)
            power *= 10;
    }
}

}  // namespace
}  // namespace trafikon
