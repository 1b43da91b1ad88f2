// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "month/line_table.h"
#include "month/name_count_table.h"

namespace trafikon {
namespace {

TEST(CompactTables, LinesKeepTheirBytesAndPlacesWhileTheTableGrows) {
    // Short and empty lines, lines that cross block sizes and one far longer
    // than any block: every earlier view stays valid as lines are added.
    std::vector<std::string> want;
    for (int i = 0; i < 3000; ++i)
        want.push_back(i % 7 == 0 ? std::string() : std::string(i % 300, char('a' + i % 26)));
    want.push_back(std::string(10u << 20, 'z'));
    want.push_back("last");
    LineTable t;
    std::vector<std::string_view> views;
    for (const std::string& w : want) {
        t.push_back(w);
        views.push_back(t.back());
    }
    ASSERT_EQ(t.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(t[i], want[i]) << i;
        EXPECT_EQ(views[i].data(), t[i].data()) << i;
    }
    EXPECT_EQ(std::distance(t.begin(), t.end()), static_cast<std::ptrdiff_t>(want.size()));
    EXPECT_THROW((void)t.at(want.size()), std::out_of_range);

    t.Replace(1, "replaced");
    EXPECT_EQ(t[1], "replaced");
    EXPECT_EQ(t[2], want[2]);
    EXPECT_EQ(t.size(), want.size());
    const LineTable copy = t;
    EXPECT_EQ(copy[1], "replaced");
    EXPECT_EQ(copy.back(), "last");
    t.push_back("\\1;key", "\\2;7\\3;");  // two pieces, one line
    EXPECT_EQ(t.back(), "\\1;key\\2;7\\3;");
    t.clear();
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(t.memoryBytes(), 0u);
}

TEST(CompactTables, NameCountRowsSortByMovingRecordsAndShareTheirPlaces) {
    NameCountTable rows;
    rows.Add("b.example", "12", 12, 4, "France, Paris");
    rows.Add("a.example", "", 0, 9);
    rows.Add("c.example", "007", 7, 2, "France, Paris");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "b.example");
    EXPECT_EQ(rows[0].count, "12");
    EXPECT_EQ(rows[1].count, "");
    EXPECT_EQ(rows[1].place, "");
    EXPECT_EQ(rows[2].count, "007");  // as stored
    // One copy of a place however many rows show it.
    EXPECT_EQ(rows[0].place.data(), rows[2].place.data());

    rows.Reorder({2, 0, 1});
    std::vector<std::string> names;
    for (const NameCountView r : rows)
        names.emplace_back(r.name);
    EXPECT_EQ(names, (std::vector<std::string>{"c.example", "b.example", "a.example"}));
    EXPECT_EQ(rows[0].position, 2);
    EXPECT_EQ(rows[0].number, 7);
    EXPECT_EQ(rows.place(2), "");

    const NameCountTable fromRows(std::vector<NameCountRow>{{"x", "1", 1, -1, "here"}});
    EXPECT_EQ(fromRows[0].position, -1);
    EXPECT_EQ(fromRows[0].place, "here");
    // A position no table reaches (a damaged top list) never lands on a real row.
    rows.Add("far", "1", 1, (1LL << 32) + 5);
    rows.Add("negative", "1", 1, -(1LL << 32));
    EXPECT_GT(rows[3].position, 1LL << 30);
    EXPECT_EQ(rows[4].position, -1);

    // Borrowed from a loaded line: no copy; a count far from its name is copied.
    const std::string line = "\\1;d.example\\2;31\\3;" + std::string(300, 'x') + "9";
    const std::string_view view = line;
    rows.AddBorrowed(view.substr(3, 9), view.substr(15, 2), 31, 7, "France, Paris");
    rows.AddBorrowed(view.substr(3, 9), view.substr(view.size() - 1), 9, 8);
    EXPECT_EQ(rows[5].name.data(), line.data() + 3);
    EXPECT_EQ(rows[5].count, "31");
    EXPECT_EQ(rows[5].place, "France, Paris");
    EXPECT_EQ(rows[6].name, "d.example");
    EXPECT_EQ(rows[6].count, "9");
    EXPECT_NE(rows[6].name.data(), line.data() + 3);
}

}  // namespace
}  // namespace trafikon
