#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/temp_tree.h"
#include "tests/support/test_database.h"

namespace {

struct Walked {
    std::string key;
    std::uint32_t value1;
    std::uint32_t value2;
    bool operator==(const Walked&) const = default;
};

std::vector<Walked> Walk(TempTree& tree)
{
    std::vector<Walked> entries;
    for (std::uint32_t n = tree.First(); n != 0 && entries.size() <= tree.Count(); n = tree.Next(n))
        entries.push_back({tree.GetKey(n), tree.GetValue1(n), tree.GetValue2(n)});
    return entries;
}

TEST(TempTree, WalksInKeyOrderWithEqualKeysInInsertionOrder)
{
    TempTree tree;
    ASSERT_TRUE(tree.IsOpen());
    EXPECT_EQ(tree.First(), 0u);
    tree.Insert("C", 1, 10);
    tree.Insert("A", 2, 20);
    tree.Insert("B", 3, 30);
    tree.Insert("A", 4, 40);
    std::vector<Walked> expected = {{"A", 2, 20}, {"A", 4, 40}, {"B", 3, 30}, {"C", 1, 10}};
    EXPECT_EQ(Walk(tree), expected);
}

TEST(TempTree, OrdersLikeTheDatabaseIgnoringCase)
{
    TempTree tree;
    const char* keys[] = {"delta", "Alpha", "charlie", "Bravo", "echo", "alpha"};
    for (std::uint32_t i = 0; i < 6; ++i)
        tree.Insert(keys[i], i, 0);
    std::vector<std::string> order;
    for (const Walked& entry : Walk(tree))
        order.push_back(entry.key);
    EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "alpha", "Bravo", "charlie", "delta", "echo"}));
}

TEST(TempTree, SortedInsertsMakeAChainThatStillWalks)
{
    TempTree tree;
    for (int i = 0; i < 300; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "%04d", i);
        tree.Insert(key, static_cast<std::uint32_t>(i), 0);
    }
    std::vector<Walked> walked = Walk(tree);
    ASSERT_EQ(walked.size(), 300u);
    for (std::uint32_t i = 0; i < 300; ++i)
        EXPECT_EQ(walked[i].value1, i);
}

TEST(TempTree, CutsLongKeysAndAnswersNothingForUnknownEntries)
{
    TempTree tree;
    tree.Insert(std::string(200, 'k').c_str(), 1, 2);
    EXPECT_EQ(std::string(tree.GetKey(tree.First())), std::string(127, 'k'));
    EXPECT_STREQ(tree.GetKey(99), "");
    EXPECT_EQ(tree.GetValue1(99), 0u);
    EXPECT_EQ(tree.Next(99), 0u);
}

TEST(TempTree, FileExistsOnlyWhileTheTreeLives)
{
    std::filesystem::path file;
    {
        TempTree tree;
        tree.Insert("x", 1, 1);
        file = tree.FilePath();
        EXPECT_EQ(file.filename().string().rfind("VES", 0), 0u) << file;
        EXPECT_TRUE(std::filesystem::exists(file));
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
