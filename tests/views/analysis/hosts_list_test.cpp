// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/hosts_list.h"

#include <gtest/gtest.h>

#include "tabs_test_support.h"

namespace trafikon::tabs {
namespace {

using trafikon::testing::Record;

std::string HostRec(std::string_view host, std::string_view hits, std::string_view lines = "-",
                    std::string_view pages = "-") {
    return Record({host, hits, lines, pages, "[05/Nov/2003:23:59:59 +0100]"});
}

TEST(HostsList, MinimumIsStrictAndFilterCaseSensitive) {
    LineTable table = {
        HostRec("192.168.0.1", "40"), HostRec("192.168.0.2", "41"),
        HostRec("10.0.0.1", "1"),     HostRec("crawler.example", "500"),
        HostRec("zero.example", "0"), HostRec("bad.example", "4x"),
    };
    HostsList list;
    list.Load(table);
    auto names = [&](std::string_view filter, long long minimum) {
        std::vector<std::string> out;
        for (int r : list.Rows(filter, minimum))
            out.emplace_back(list.entries()[r].name);
        return out;
    };
    using V = std::vector<std::string>;
    // 40 requests with the minimum 40 are not enough; 41 are.
    EXPECT_EQ(names("", 40), (V{"192.168.0.2", "crawler.example"}));
    EXPECT_EQ(names("", 41), (V{"crawler.example"}));
    EXPECT_EQ(names("", 39), (V{"192.168.0.1", "192.168.0.2", "crawler.example"}));
    // Minimum 0: every host with at least one request (a count that does not convert reads 0).
    EXPECT_EQ(names("", 0), (V{"192.168.0.1", "192.168.0.2", "10.0.0.1", "crawler.example"}));
    EXPECT_EQ(names("192.168.", 0), (V{"192.168.0.1", "192.168.0.2"}));
    EXPECT_EQ(names("CRAWLER", 0), V{});
}

TEST(HostsList, MinimumFromItsSetting) {
    struct Case {
        std::string_view text;
        long long minimum;
    };
    const Case cases[] = {{"40", 40},
                          {"0", 0},
                          {"41", 41},
                          {"-1", -1},
                          {"", kDefaultHostMinimum},
                          {"forty", kDefaultHostMinimum},
                          {" 40", kDefaultHostMinimum},
                          {"4.5", kDefaultHostMinimum}};
    for (const Case& c : cases)
        EXPECT_EQ(HostMinimum(c.text), c.minimum) << c.text;
}

TEST(HostsList, DetailListsPagesAndNumbersLogLinesFromOne) {
    LineTable files = {Record({"/a", "1"}), Record({"/b", "1"}), Record({"/c", "1"})};
    LineTable table = {HostRec("h", "3", "-0-2-9-", "-2-0-8-")};
    HostsList list;
    list.Load(table);
    HostDetail d = list.Detail(0, files);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.logLineCount, 3u);
    EXPECT_EQ(d.pages, (std::vector<std::string_view>{"/c", "/a"}));  // 8 is past the table
    EXPECT_EQ(d.missing, 1u);
    HostDetailTexts t = HostDetailLabels(d, trafikon::testing::FrenchTabTexts());
    EXPECT_EQ(t.title, "Hote : h");
    EXPECT_EQ(t.accesses, "Nombre d'acces : 3");
    EXPECT_EQ(t.lastAccess, "Derni\xE8re date d'acces : 05/Nov/2003:23:59:59 ");
    EXPECT_EQ(t.pages, "Nombre de pages diff\xE9rentes :2");
    EXPECT_EQ(t.line4, "");
    EXPECT_EQ(HostCountLabel(12, trafikon::testing::FrenchTabTexts()), "12 Host ou IP");
    EXPECT_FALSE(list.Detail(1, files).found);
}

}  // namespace
}  // namespace trafikon::tabs
