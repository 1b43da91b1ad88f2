// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/log_line_rows.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temp_dir.h"

namespace trafikon {
namespace {

using testing::TempDir;
using testing::WriteRaw;

TEST(CompactIdListTest, KeepsAnyNumbersInOrderInAboutAByteEach) {
    CompactIdList ids;
    std::vector<long long> want;
    for (long long n = 0; n < 100000; n += 1 + n % 3)
        want.push_back(n);
    // Falling, equal and huge steps as a damaged list may hold.
    for (long long n : {5LL, 5LL, 0LL, 922337203685477580LL, 7LL})
        want.push_back(n);
    for (long long n : want)
        ids.Append(n);
    ASSERT_EQ(ids.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(ids.At(i), want[i]) << i;
    EXPECT_EQ(ids.max(), 922337203685477580LL);
    EXPECT_EQ(ids.CountFrom(99990),
              std::size_t(
                  std::count_if(want.begin(), want.end(), [](long long n) { return n >= 99990; })));
    ids.ShrinkToFit();
    EXPECT_LT(ids.memoryBytes(), want.size() * 2);

    CompactIdList parsed;
    EXPECT_EQ(parsed.AppendIdList("-3-x-4--"), 1u);
    EXPECT_EQ(parsed.AppendIdList("12-"), 0u);
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(parsed.At(2), 12);
}

TEST(LogLineRowsTest, ReadsTheRowsAskedForAndMarksTheMissingOnes) {
    TempDir dir;
    std::string log;
    for (int i = 0; i < 1000; ++i)
        log += "line " + std::to_string(i) + "\r\n";
    WriteRaw(dir / "log.log", log);
    LogLineIndex index(dir / "log.log");
    ASSERT_TRUE(index.Update());

    CompactIdList ids;
    for (long long n = 0; n < 1000; n += 3)
        ids.Append(n);
    ids.Append(1000);  // beyond the end
    LogLineRows rows;
    rows.Assign(std::move(ids), LineNumbering::IndexPlusOne, &index);
    ASSERT_EQ(rows.size(), 335u);
    EXPECT_EQ(rows.BeyondEnd(), 1u);
    // From the end back to the start, the way a user jumps.
    for (std::size_t r : {334u, 333u, 0u, 200u, 129u, 128u}) {
        const ExtractedLine line = rows.Line(r);
        EXPECT_EQ(line.number, r == 334u ? 1001 : static_cast<long long>(r * 3 + 1));
        EXPECT_EQ(line.missing, r == 334u);
        EXPECT_EQ(line.text, r == 334u ? "" : "line " + std::to_string(r * 3));
    }

    CompactIdList again;
    again.Append(2);
    rows.Assign(std::move(again), LineNumbering::Index, nullptr);  // the log cannot be read
    EXPECT_TRUE(rows.Line(0).missing);
    EXPECT_EQ(rows.Number(0), 2);
    EXPECT_EQ(rows.BeyondEnd(), 0u);
}

}  // namespace
}  // namespace trafikon
