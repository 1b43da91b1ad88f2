// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/top_by_hits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "store/tagged_record.h"

namespace trafikon {
namespace {

// A host-like record line with the given hits text.
std::string Record(const std::string& hits, const std::string& type = "1") {
    std::string line;
    AppendRecord(line, {"/p", hits, "-", type});
    return line;
}

std::vector<std::string> Records(const std::vector<long long>& hits) {
    std::vector<std::string> lines;
    for (long long h : hits)
        lines.push_back(Record(std::to_string(h)));
    return lines;
}

// The same list through the structured form.
std::string Structured(const std::vector<std::string>& lines, int n, std::string_view marker) {
    std::vector<TopCandidate> candidates;
    for (const std::string& line : lines)
        candidates.push_back(
            {ParseInteger(ReadField(line, 2)), line.find(marker) != std::string::npos});
    return TopByHits(candidates, n);
}

TEST(TopByHitsTest, OrderTiesAndExclusions) {
    struct Case {
        const char* name;
        std::vector<long long> hits;
        int n;
        std::string expected;
    };
    const Case cases[] = {
        {"empty list", {}, 20, "-"},
        {"falling order", {5, 120, 95}, 20, "-1 (120)-2 (95)-0 (5)-"},
        {"ties keep list order", {5, 7, 5, 7, 5}, 20, "-1 (7)-3 (7)-0 (5)-2 (5)-4 (5)-"},
        {"zero hits are not listed", {0, 3, 0}, 20, "-1 (3)-"},
        {"negative hits are not listed", {-4, 2}, 20, "-1 (2)-"},
        {"n = 0 keeps one entry", {3, 9, 4}, 0, "-1 (9)-"},
        {"n = 2 keeps three", {1, 2, 3, 4, 5}, 2, "-4 (5)-3 (4)-2 (3)-"},
        // All slots equal: a later equal count does not enter.
        {"equal counts past the slots", std::vector<long long>(25, 10), 2,
         "-0 (10)-1 (10)-2 (10)-"},
        // A larger count replaces the first of the smallest, here slot 1.
        {"first smallest is replaced", {10, 10, 10, 11}, 2, "-3 (11)-1 (10)-2 (10)-"},
        {"replaced minimum is searched again", {4, 1, 3, 2, 5}, 1, "-4 (5)-0 (4)-"},
    };
    for (const Case& c : cases) {
        const auto lines = Records(c.hits);
        EXPECT_EQ(TopByHits(lines, c.n, kAnyRecordMarker), c.expected) << c.name;
        EXPECT_EQ(Structured(lines, c.n, kAnyRecordMarker), c.expected) << c.name;
    }
}

TEST(TopByHitsTest, MoreThanTwentyOneCandidatesKeepTheLargest) {
    std::vector<long long> hits;
    for (int i = 1; i <= 40; ++i)
        hits.push_back(i);
    std::mt19937 rng(3);
    std::shuffle(hits.begin(), hits.end(), rng);
    const auto lines = Records(hits);

    // With distinct counts the list is the 21 largest in falling order.
    std::vector<std::pair<long long, std::size_t>> byHits;
    for (std::size_t i = 0; i < hits.size(); ++i)
        byHits.push_back({hits[i], i});
    std::sort(byHits.rbegin(), byHits.rend());
    std::string expected = "-";
    for (int k = 0; k < 21; ++k)
        expected +=
            std::to_string(byHits[k].second) + " (" + std::to_string(byHits[k].first) + ")-";

    EXPECT_EQ(TopByHits(lines, 20, kAnyRecordMarker), expected);
    EXPECT_EQ(Structured(lines, 20, kAnyRecordMarker), expected);
    EXPECT_EQ(ReadTopList(expected).entries.size(), 21u);
}

TEST(TopByHitsTest, MarkerSelectsLinesButPositionsCountEveryLine) {
    const std::vector<std::string> lines = {
        Record("50", "2"),  // an image: not a page
        Record("7", "1"),  Record("9", "1"), Record("80", "3"), Record("9", "1"),
    };
    EXPECT_EQ(TopByHits(lines, 20, kPageMarker), "-2 (9)-4 (9)-1 (7)-");
    EXPECT_EQ(Structured(lines, 20, kPageMarker), "-2 (9)-4 (9)-1 (7)-");
    EXPECT_EQ(TopByHits(lines, 20, kAnyRecordMarker), "-3 (80)-0 (50)-2 (9)-4 (9)-1 (7)-");
    // The marker is matched against the whole text, so a path holding it counts too.
    std::vector<std::string> tricky = {"\\1;/x\\4;1\\y\\2;5\\3;-\\4;2\\5;"};
    EXPECT_EQ(TopByHits(tricky, 20, kPageMarker), "-0 (5)-");
}

TEST(TopByHitsTest, HitsThatAreNotNumbersCountZero) {
    const std::vector<std::string> lines = {Record("abc"), Record(""), Record("12x"),
                                            "no tags at all", Record("3")};
    EXPECT_EQ(TopByHits(lines, 20, kAnyRecordMarker), "-4 (3)-");
}

TEST(TopByHitsTest, StructuredMatchesTextOnRandomLists) {
    std::mt19937 rng(11);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> lines;
        const int count = static_cast<int>(rng() % 60);
        for (int i = 0; i < count; ++i)
            lines.push_back(Record(std::to_string(static_cast<int>(rng() % 12) - 1),
                                   std::to_string(1 + rng() % 4)));
        for (int n : {0, 5, 20, 29, 40}) {
            for (std::string_view marker : {kAnyRecordMarker, kPageMarker})
                ASSERT_EQ(TopByHits(lines, n, marker), Structured(lines, n, marker))
                    << "round " << round << " n " << n;
        }
    }
}

TEST(TopByHitsTest, ReadTopListStopsAtTheFirstFaultyEntry) {
    TopListRead read = ReadTopList("-3 (120)-0 (95)-");
    EXPECT_EQ(read.entries, (std::vector<TopEntry>{{3, "120"}, {0, "95"}}));
    EXPECT_EQ(read.fault, TopListFault::kNone);
    // Without the leading dash (as cut by the older readers) the same.
    EXPECT_EQ(ReadTopList("3 (120)-0 (95)").entries.size(), 2u);
    EXPECT_TRUE(ReadTopList("-").entries.empty());
    EXPECT_EQ(ReadTopList("").fault, TopListFault::kNone);

    read = ReadTopList("-3 (120)-garbage");
    EXPECT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.fault, TopListFault::kBadPosition);
    EXPECT_EQ(read.faultyPosition, "garbage");
    read = ReadTopList("-x (3)-1 (2)-");
    EXPECT_TRUE(read.entries.empty());
    EXPECT_EQ(read.faultyPosition, "x");
    EXPECT_EQ(ReadTopList("--1 (3)-").fault, TopListFault::kBadPosition);
    EXPECT_EQ(ReadTopList("-0 (3").fault, TopListFault::kCutShort);
    EXPECT_EQ(ReadTopList("-0 3)-").fault, TopListFault::kCutShort);
}

}  // namespace
}  // namespace trafikon
