// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/referrer_list.h"

#include <gtest/gtest.h>

#include "tabs_test_support.h"

namespace trafikon::tabs {
namespace {

using trafikon::testing::Record;

std::string RefRec(std::string_view address, std::string_view hits, std::string_view lines = "-",
                   std::string_view pages = "-") {
    return Record({address, hits, lines, pages, "[30/Nov/2003:08:00:00 +0100]"});
}

std::string QueryRec(std::string_view text, std::string_view referrer, std::string_view full) {
    return Record({text, referrer, "-22-", "-0-", "[x]", full, "http://s.example/"});
}

TEST(ReferrerList, FilterIsACaseSensitiveSubstring) {
    LineTable refs = {RefRec("http://s.example/search", "3"), RefRec("http://S.example/a", "1"),
                      RefRec("http://other.example/", "2")};
    ReferrerList list(true);
    list.Load(refs, {});
    EXPECT_EQ(list.Rows("").size(), 3u);
    EXPECT_EQ(list.Rows("s.example"), (std::vector<int>{0}));
    EXPECT_EQ(list.Rows("example/"), (std::vector<int>{0, 1, 2}));
    auto texts = trafikon::testing::FrenchTabTexts();
    EXPECT_EQ(ReferrerCountLabel(3, true, texts), "3 Referents Externes");
    EXPECT_EQ(ReferrerCountLabel(0, false, texts), "0 Referents Internes");
}

TEST(ReferrerList, QueriesGoUnderThePageTheirFieldTwoNamesExactly) {
    LineTable refs;
    for (int i = 0; i < 13; ++i)
        refs.push_back(RefRec("http://r" + std::to_string(i) + ".example/", "1"));
    LineTable queries = {
        QueryRec("\"q=twelve\"", "12", "http://r12.example/?q=twelve"),
        QueryRec("\"q=one\"", "1", "http://r1.example/?q=one"),
        QueryRec("\"q=padded\"", "01", "http://r1.example/?q=padded"),  // not the text "1"
        QueryRec("\"q=one again\"", "1", "http://r1.example/?q=one+again"),
        QueryRec("\"q=far\"", "99", "http://r99.example/?q=far"),  // no such page
        QueryRec("\"q=bad\"", "x", "http://r1.example/?q=bad"),
    };
    ReferrerList list(true);
    list.Load(refs, queries);
    // Index 1 does not collect the queries of index 12, nor 12 those of 1.
    EXPECT_EQ(list.QueriesOf(1), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.QueriesOf(12), (std::vector<int>{0}));
    EXPECT_TRUE(list.QueriesOf(2).empty());
    EXPECT_TRUE(list.QueriesOf(13).empty());
    EXPECT_TRUE(list.QueriesOf(-1).empty());

    ReferrerDetail d = list.Detail(1, {});
    ASSERT_EQ(d.queries.size(), 2u);
    EXPECT_EQ(d.queries[0].text, "\"q=one\"");
    EXPECT_EQ(d.queries[0].fullUrl, "http://r1.example/?q=one");
    EXPECT_EQ(d.queries[1].fullUrl, "http://r1.example/?q=one+again");
}

TEST(ReferrerList, DetailLabelsOfBothTabs) {
    LineTable files = {Record({"/a"}), Record({"/b"})};
    LineTable refs = {RefRec("http://s.example/search", "3", "-4-0-8-", "-1-5-")};
    LineTable queries = {QueryRec("\"q=a\"", "0", "http://s.example/search?q=a")};
    auto texts = trafikon::testing::FrenchTabTexts();

    ReferrerList external(true);
    external.Load(refs, queries);
    ReferrerDetail d = external.Detail(0, files);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.logLineCount, 3u);
    EXPECT_EQ(d.pages, (std::vector<std::string_view>{"/b"}));
    EXPECT_EQ(d.missing, 1u);
    ReferrerDetailTexts t = ReferrerDetailLabels(d, true, texts);
    EXPECT_EQ(t.title, "Moteurs de Recherche :http://s.example/search");
    EXPECT_EQ(t.line1, "Nombre d'acces : 3");
    EXPECT_EQ(t.line2, "Nombre de recherche diff\xE9rente : 1");
    EXPECT_EQ(t.line3, "Derni\xE8re date d'acces : 30/Nov/2003:08:00:00 ");
    EXPECT_EQ(t.line4, "");
    EXPECT_EQ(t.pagesSwitch, "Fichiers (1)");
    // The queries count of the switch equals the one of line 2.
    EXPECT_EQ(t.queriesSwitch, "Param\xE8tre de la Requ\xEAte (1)");

    ReferrerList internal(false);
    internal.Load(refs, queries);
    ReferrerDetailTexts it = ReferrerDetailLabels(internal.Detail(0, files), false, texts);
    EXPECT_EQ(it.title, "Moteurs de Recherche :http://s.example/search");
    EXPECT_EQ(it.line1 + it.line2 + it.line3 + it.line4, "");
    EXPECT_EQ(it.queriesSwitch, "Param\xE8tre de la Requ\xEAte (1)");
}

TEST(ReferrerList, OutOfRangeRowsAndEmptyTables) {
    ReferrerList list(false);
    EXPECT_FALSE(list.Detail(0, {}).found);
    LineTable refs = {RefRec("http://me.example/", "1")};
    list.Load(refs, {});
    EXPECT_FALSE(list.Detail(1, {}).found);
    ReferrerDetail d = list.Detail(0, {});
    ASSERT_TRUE(d.found);
    EXPECT_TRUE(d.queries.empty());
    // Tables emptied by a reload before the list is loaded again.
    LineTable queries = {QueryRec("\"q=a\"", "0", "http://me.example/?q=a")};
    list.Load(refs, queries);
    queries.clear();
    EXPECT_TRUE(list.Detail(0, {}).queries.empty());
    refs.clear();
    EXPECT_FALSE(list.Detail(0, {}).found);
    list.Clear();
    EXPECT_TRUE(list.Rows("").empty());
}

}  // namespace
}  // namespace trafikon::tabs
