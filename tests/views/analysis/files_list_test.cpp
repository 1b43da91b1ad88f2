// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/analysis/files_list.h"

#include <gtest/gtest.h>

#include "tabs_test_support.h"

namespace trafikon::tabs {
namespace {

using trafikon::testing::Record;

std::string FileRec(std::string_view name, std::string_view hits, std::string_view kind,
                    std::string_view lines = "-", std::string_view status = "200",
                    std::string_view hosts = "-", std::string_view extQ = "-",
                    std::string_view intQ = "-", std::string_view extR = "-",
                    std::string_view intR = "-") {
    return Record({name, hits, lines, kind, status, "[05/Nov/2003:10:00:01 +0100]", hosts, extQ,
                   intQ, extR, intR, "-"});
}

class FilesListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table = {
            FileRec("/index.html", "10", "1"),    FileRec("/admin/login.php", "3", "1"),
            FileRec("/Admin/old.html", "2", "1"), FileRec("/img/admin.png", "7", "2"),
            FileRec("/dl/tool.zip", "1", "3"),    FileRec("/robots.txt", "4", "4"),
            FileRec("/broken", "x", "12"),
        };
        list.Load(table);
    }
    std::vector<std::string> Names(const std::vector<int>& rows) {
        std::vector<std::string> out;
        for (int r : rows)
            out.emplace_back(list.entries()[r].name);
        return out;
    }
    LineTable table;
    FilesList list;
};

TEST_F(FilesListTest, KindsAndFilter) {
    struct Case {
        int kind;
        std::string_view filter;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {kAllKinds,
         "",
         {"/index.html", "/admin/login.php", "/Admin/old.html", "/img/admin.png", "/dl/tool.zip",
          "/robots.txt", "/broken"}},
        {kPages, "", {"/index.html", "/admin/login.php", "/Admin/old.html"}},
        // The filter is case-sensitive: "/Admin/old.html" does not hold "admin".
        {kPages, "admin", {"/admin/login.php"}},
        {kAllKinds, "admin", {"/admin/login.php", "/img/admin.png"}},
        {kImages, "", {"/img/admin.png"}},
        {kPrograms, "", {"/dl/tool.zip"}},  // kind "12" is not kind 1
        {kImages, "nothing", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Names(list.Rows(c.kind, c.filter)), c.names) << c.kind << " " << c.filter;
}

TEST_F(FilesListTest, CountLabelAndCopyOfAllNames) {
    auto texts = trafikon::testing::FrenchTabTexts();
    std::vector<int> rows = list.Rows(kPages, "");
    EXPECT_EQ(FileCountLabel(rows.size(), texts), "3 Fichiers");
    EXPECT_EQ(AllNamesText(rows, list.entries()),
              "/index.html\n/admin/login.php\n/Admin/old.html\n");
    EXPECT_EQ(AllNamesText({}, list.entries()), "");
}

TEST(FilesDetail, CollectsEveryRelatedListAndItsLabels) {
    LineTable hosts = {Record({"h0", "50", "-"}), Record({"h1", "2", "-"}),
                       Record({"h2", "9", "-"})};
    LineTable extQ = {Record({"\"q=a\"", "0", "-30-", "-0-", "[x]", "http://s.example/search?q=a",
                              "http://s.example/"}),
                      Record({"\"q=b\"", "0", "-30-", "-0-", "[x]", "http://s.example/search?q=b",
                              "http://s.example/"})};
    LineTable intQ = {Record({"\"p=1\"", "0", "-20-", "-0-", "[x]", "http://me.example/list?p=1",
                              "http://me.example/"})};
    LineTable extR = {Record({"http://s.example/search", "2", "-4-5-", "-0-", "[x]"})};
    LineTable intR = {Record({"http://me.example/list", "1", "-6-", "-0-", "[x]"})};
    LineTable files = {
        FileRec("/a.html", "4", "1", "-0-4-5-6-", "404", "-0-2-1-", "-1-0-", "-0-", "-0-", "-0-")};
    FilesList list;
    list.Load(files);
    TabTables tables;
    tables.hosts = &hosts;
    tables.externalQueries = &extQ;
    tables.internalQueries = &intQ;
    tables.externalReferrers = &extR;
    tables.internalReferrers = &intR;
    FileDetail d = list.Detail(0, tables);
    ASSERT_TRUE(d.found);
    // The first log line of the month keeps its number 0.
    EXPECT_EQ(d.logLineIds, "-0-4-5-6-");
    EXPECT_EQ(d.logLineCount, 4u);
    EXPECT_EQ(d.hosts, (std::vector<std::string_view>{"h0", "h2", "h1"}));
    ASSERT_EQ(d.externalQueries.size(), 2u);
    EXPECT_EQ(d.externalQueries[0].text, "\"q=b\"");
    EXPECT_EQ(d.externalQueries[0].siteUrl, "http://s.example/");
    EXPECT_EQ(d.externalQueries[0].fullUrl, "http://s.example/search?q=b");
    EXPECT_EQ(d.externalQueries[0].record, 1);
    ASSERT_EQ(d.internalQueries.size(), 1u);
    EXPECT_EQ(d.internalQueries[0].fullUrl, "http://me.example/list?p=1");
    EXPECT_EQ(d.externalReferrers, (std::vector<std::string_view>{"http://s.example/search"}));
    EXPECT_EQ(d.internalReferrers, (std::vector<std::string_view>{"http://me.example/list"}));
    EXPECT_TRUE(d.lastStatusIsError);

    FileDetailTexts t = FileDetailLabels(d, trafikon::testing::FrenchTabTexts());
    EXPECT_EQ(t.title, "Fichier :/a.html");
    EXPECT_EQ(t.accesses, "Nombre d'acces : 4");
    EXPECT_EQ(t.lastAccess, "Derni\xE8re date d'acces : 05/Nov/2003:10:00:01 ");
    EXPECT_EQ(t.users, "Nombre d'utilisateur : 3");
    EXPECT_EQ(t.lastStatus, "Dernier Status : 404");
    EXPECT_EQ(t.switches[kExternalReferrersSwitch], "Referents Externe (1)");
    EXPECT_EQ(t.switches[kInternalReferrersSwitch], "Referents Interne (1)");
    EXPECT_EQ(t.switches[kHostsSwitch], "Hote ou IP (3)");
    EXPECT_EQ(t.switches[kExternalQueriesSwitch], "Requete Externe (2)");
    EXPECT_EQ(t.switches[kInternalQueriesSwitch], "Requete Interne (1)");
}

TEST(FilesDetail, ErrorStatusIsANumberAbove399) {
    struct Case {
        std::string_view status;
        bool error;
    };
    const Case cases[] = {{"404", true},  {"400", true}, {"399", false}, {"304", false},
                          {"200", false}, {"-", false},  {"", false},    {"50x", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsErrorStatus(c.status), c.error) << c.status;
}

TEST(FilesDetail, DamagedRecordsAndStalePositionsNeverFail) {
    // Positions past the end of their tables (result files replaced after loading),
    // a truncated record and an empty table.
    LineTable files = {
        FileRec("/a", "2", "1", "-1-", "200", "-7-0-", "-3-", "-9-", "-1-", "-2-"),
        "\\1;/truncated\\2;5\\3;-1-2-",
    };
    LineTable hosts = {Record({"h0", "1", "-"})};
    FilesList list;
    list.Load(files);
    TabTables tables;
    tables.hosts = &hosts;  // the other tables stay unset: read as empty
    FileDetail d = list.Detail(0, tables);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.hosts, (std::vector<std::string_view>{"h0"}));
    EXPECT_TRUE(d.externalQueries.empty());
    EXPECT_EQ(d.missing, 5u);

    FileDetail t = list.Detail(1, tables);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.name, "/truncated");
    EXPECT_EQ(t.logLineCount, 0u);  // field 3 has no closing tag
    EXPECT_TRUE(t.hosts.empty());

    EXPECT_FALSE(list.Detail(2, tables).found);
    EXPECT_FALSE(list.Detail(-1, tables).found);
    FilesList empty;
    EXPECT_FALSE(empty.Detail(0, tables).found);
    EXPECT_TRUE(empty.Rows(kAllKinds, "").empty());
}

}  // namespace
}  // namespace trafikon::tabs
