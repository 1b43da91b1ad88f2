// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference/key_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace trafikon {
namespace {

// Adds a key as the engine does: FindKey, else InsertKey and complete the line.
int Add(KeyIndex& index, const std::string& key, int& nextPosition) {
    const int found = FindKey(key, index);
    if (found >= 0)
        return found;
    const int at = InsertKey(key, index);
    index[at] += "\\1;" + std::to_string(nextPosition++);
    return at;
}

bool SortedByKey(const KeyIndex& index) {
    for (std::size_t i = 1; i < index.size(); ++i) {
        if (!(IndexKey(index[i - 1]) < IndexKey(index[i])))
            return false;
    }
    return true;
}

TEST(KeyIndexTest, SmallIndexes) {
    KeyIndex index;
    EXPECT_EQ(FindKey("/a", index), -1);
    EXPECT_EQ(InsertKey("/m", index), 0);
    EXPECT_EQ(index, KeyIndex{"/m"});
    index[0] += "\\1;0";
    EXPECT_EQ(FindKey("/m", index), 0);
    EXPECT_EQ(FindKey("/a", index), -1);
    EXPECT_EQ(FindKey("/z", index), -1);
    EXPECT_EQ(FindKey("", index), -1);
    EXPECT_EQ(InsertKey("/z", index), 1);
    EXPECT_EQ(InsertKey("/a", index), 0);
    EXPECT_EQ(InsertKey("/n", index), 2);
    EXPECT_EQ(index, (KeyIndex{"/a", "/m\\1;0", "/n", "/z"}));
}

TEST(KeyIndexTest, KeysCompareAsUnsignedBytesCaseSensitively) {
    KeyIndex index;
    int next = 0;
    const std::vector<std::string> keys = {"/index.html", "/Index.html", "/index", "/caf\xe9",
                                           "/cafe",       "/",           "/~user", ""};
    for (const std::string& k : keys)
        Add(index, k, next);
    std::vector<std::string> inOrder;
    for (const std::string& line : index)
        inOrder.emplace_back(IndexKey(line));
    EXPECT_EQ(inOrder, (std::vector<std::string>{"", "/", "/Index.html", "/cafe", "/caf\xe9",
                                                 "/index", "/index.html", "/~user"}));
    // Both spellings have records of their own.
    EXPECT_NE(FindKey("/Index.html", index), FindKey("/index.html", index));
    EXPECT_EQ(IndexKey(index[FindKey("/Index.html", index)]), "/Index.html");
}

TEST(KeyIndexTest, KeyEndsAtTheFirstTag) {
    EXPECT_EQ(IndexKey("/index.html\\1;0"), "/index.html");
    EXPECT_EQ(IndexKey("/a\\1;2\\1;3"), "/a");
    EXPECT_EQ(IndexKey("/bare"), "/bare");
    EXPECT_EQ(IndexKey("/a\\11;3"), "/a\\11;3");
}

TEST(KeyIndexTest, RandomInsertionsStaySortedAndAreFound) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        KeyIndex index;
        std::vector<std::string> added;
        int next = 0;
        const int count = 1 + static_cast<int>(rng() % 200);
        for (int i = 0; i < count; ++i) {
            std::string key = "/";
            const int len = static_cast<int>(rng() % 4);
            for (int c = 0; c < len; ++c)
                key += "aAb\xe9"[rng() % 4];
            const bool seen = std::find(added.begin(), added.end(), key) != added.end();
            const std::size_t before = index.size();
            const int at = Add(index, key, next);
            EXPECT_EQ(IndexKey(index[at]), key);
            EXPECT_EQ(index.size(), before + (seen ? 0 : 1));
            if (!seen)
                added.push_back(key);
            ASSERT_TRUE(SortedByKey(index)) << "round " << round << " after " << key;
        }
        for (const std::string& key : added) {
            const int at = FindKey(key, index);
            ASSERT_GE(at, 0) << key;
            EXPECT_EQ(IndexKey(index[at]), key);
        }
        EXPECT_EQ(FindKey("/zzz-never", index), -1);
    }
}

}  // namespace
}  // namespace trafikon
