#include "frame/recent_databases.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct PromoteCase {
    const char* opened;
    std::vector<std::string> expected;
};

class RecentDatabases : public ::testing::TestWithParam<PromoteCase> {};

TEST_P(RecentDatabases, PromotesTheOpenedPath)
{
    RecentDatabasePaths paths = {"C:\\a.vdb", "C:\\b.vdb", "C:\\c.vdb", "C:\\d.vdb"};
    PromoteRecentDatabase(paths, GetParam().opened);
    std::vector<std::string> order(std::begin(paths), std::end(paths));
    EXPECT_EQ(order, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecentDatabases,
                         ::testing::Values(
                             // Already first: nothing moves.
                             PromoteCase{"C:\\a.vdb", {"C:\\a.vdb", "C:\\b.vdb", "C:\\c.vdb", "C:\\d.vdb"}},
                             PromoteCase{"C:\\b.vdb", {"C:\\b.vdb", "C:\\a.vdb", "C:\\c.vdb", "C:\\d.vdb"}},
                             // The third gives 3, 1, 2, 4.
                             PromoteCase{"C:\\c.vdb", {"C:\\c.vdb", "C:\\a.vdb", "C:\\b.vdb", "C:\\d.vdb"}},
                             PromoteCase{"C:\\d.vdb", {"C:\\d.vdb", "C:\\a.vdb", "C:\\b.vdb", "C:\\c.vdb"}},
                             // A new path pushes the oldest out.
                             PromoteCase{"C:\\e.vdb", {"C:\\e.vdb", "C:\\a.vdb", "C:\\b.vdb", "C:\\c.vdb"}},
                             // Windows paths: another spelling of the same file is the same entry, not a duplicate.
                             PromoteCase{"c:\\C.VDB", {"c:\\C.VDB", "C:\\a.vdb", "C:\\b.vdb", "C:\\d.vdb"}}));

TEST(RecentDatabasesList, PromotingAnEntryOfTheListItselfKeepsItsText)
{
    RecentDatabasePaths paths = {"C:\\a.vdb", "C:\\b.vdb", "C:\\c.vdb", ""};
    PromoteRecentDatabase(paths, paths[2]);
    EXPECT_STREQ(paths[0], "C:\\c.vdb");
    EXPECT_STREQ(paths[1], "C:\\a.vdb");
    EXPECT_STREQ(paths[2], "C:\\b.vdb");
}

TEST(RecentDatabasesList, ComparesAccentedLettersWithoutCase)
{
    EXPECT_TRUE(SameWindowsPath("C:\\\xC4rger.vdb", "c:\\\xE4RGER.VDB"));
    EXPECT_FALSE(SameWindowsPath("C:\\a.vdb", "C:\\a.vd"));
}

TEST(RecentDatabasesList, ShowsOnlyPathsWithAnExtension)
{
    EXPECT_TRUE(IsShownAsRecentDatabase("C:\\data\\family.vdb"));
    EXPECT_FALSE(IsShownAsRecentDatabase("C:\\data\\family"));
    EXPECT_FALSE(IsShownAsRecentDatabase(""));
    EXPECT_EQ(RecentDatabaseMenuText("C:\\...\\family.v1.vdb"), "C:\\...\\family.v1");
}

} // namespace
