// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/site_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/data_store.h"
#include "store/text_file.h"
#include "support/temp_dir.h"

namespace trafikon {
namespace {

TEST(SiteListTest, AddFindRenameAndTheChosenSite) {
    testing::TempDir dir;
    const std::string root = dir.path() + "/";
    ASSERT_EQ(ReadSiteList(root).size(), 1u);  // a store of one site has no list
    EXPECT_EQ(ReadSiteList(root)[0].number, 1);

    EXPECT_EQ(AddSite(root, "Shop; the \"new\" one\r\n", {"shop.example.org", "a b;c"}), 2);
    EXPECT_EQ(AddSite(root, "Blog"), 3);
    EXPECT_TRUE(DirectoryExists(SiteDir(root, 3)));
    RenameSite(root, 1, "Main");

    const std::vector<SiteEntry> sites = ReadSiteList(root);
    ASSERT_EQ(sites.size(), 3u);
    EXPECT_EQ(sites[1].name, "Shop; the \"new\" one  ");
    EXPECT_EQ(sites[1].hosts, (std::vector<std::string>{"shop.example.org", "abc"}));
    EXPECT_EQ(FindSite(sites, "3"), 3);
    EXPECT_EQ(FindSite(sites, "main"), 1);
    RenameSite(root, 3, "\xC9t\xE9");  // "Été", Windows-1252
    EXPECT_EQ(FindSite(ReadSiteList(root), "\xE9T\xC9"), 3);
    RenameSite(root, 3, "Blog");
    EXPECT_EQ(FindSite(sites, "SHOP.example.org"), 2);
    EXPECT_EQ(FindSite(sites, "4"), std::nullopt);
    EXPECT_EQ(FindSite(sites, "03"), std::nullopt);
    EXPECT_EQ(FindSite(sites, ""), std::nullopt);

    // A folder made by hand is a site; lines that name no site are skipped.
    ASSERT_EQ(mkdir((root + "data/7").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((root + "data/07").c_str(), 0755), 0);
    testing::WriteRaw(root + "data/sites.tfd", "x;;bad\r\n3;;Blog\r\n9\r\n");
    std::vector<int> numbers;
    for (const SiteEntry& s : ReadSiteList(root))
        numbers.push_back(s.number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 7}));

    EXPECT_EQ(ReadChosenSite(root), 1);
    WriteChosenSite(root, 3);
    EXPECT_EQ(ReadChosenSite(root), 3);
    ASSERT_TRUE(DeleteSite(root, 3));
    EXPECT_EQ(ReadChosenSite(root), 1);  // a deleted site is chosen no more
}

TEST(SiteListTest, DeletingASiteTouchesNothingElse) {
    testing::TempDir dir;
    const std::string root = dir.path() + "/";
    testing::WriteRaw(SiteDir(root) + "log-2024-01.log", "one\r\n");
    const int shop = AddSite(root, "Shop");
    const int blog = AddSite(root, "Blog");
    testing::WriteRaw(SiteDir(root, shop) + "log-2024-01.log", "two\r\n");
    testing::WriteRaw(SiteDir(root, blog) + "log-2024-01.log", "three\r\n");
    // A link inside the deleted folder is removed, not followed.
    ASSERT_EQ(symlink(SiteDir(root, blog).c_str(), (SiteDir(root, shop) + "link").c_str()), 0);

    EXPECT_FALSE(DeleteSite(root, 1));
    ASSERT_TRUE(DeleteSite(root, shop));
    EXPECT_FALSE(DirectoryExists(SiteDir(root, shop)));
    EXPECT_EQ(testing::ReadRaw(SiteDir(root) + "log-2024-01.log"), "one\r\n");
    EXPECT_EQ(testing::ReadRaw(SiteDir(root, blog) + "log-2024-01.log"), "three\r\n");
    const std::vector<SiteEntry> sites = ReadSiteList(root);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[1].name, "Blog");
    EXPECT_EQ(AddSite(root, "Next"), blog + 1);

    // A site whose folder is a link to another site's loses the link alone.
    const int linked = AddSite(root, "Linked");
    ASSERT_EQ(rmdir(SiteDir(root, linked).c_str()), 0);
    ASSERT_EQ(symlink(SiteDir(root).c_str(), (root + "data/" + std::to_string(linked)).c_str()), 0);
    ASSERT_TRUE(DeleteSite(root, linked));
    EXPECT_EQ(testing::ReadRaw(SiteDir(root) + "log-2024-01.log"), "one\r\n");
    EXPECT_EQ(FindSite(ReadSiteList(root), "Linked"), std::nullopt);
}

}  // namespace
}  // namespace trafikon
