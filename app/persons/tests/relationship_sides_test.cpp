// The sides of a relationship as its page edits them: which links are the current parent and child,
// replacing a side, and the side that keeps it from being saved.
#include "persons/relationship_sides.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "persons/relationship.h"
#include "persons/tests/assertion_test_support.h"

namespace {

using namespace assertion_test;

class RelationshipSidesTest : public AssertionTest {
protected:
    // Links of the given roles; a negative role stands for a marked link of role -role - 1.
    void Fill(RecordList<AssertionLink>& links, const std::vector<int>& roles)
    {
        for (int role : roles) {
            auto link = std::make_unique<AssertionLink>(db());
            link->row.kind = AssertionRelationship;
            link->row.roleId = role < 0 ? -role - 1 : role;
            const std::size_t at = links.Append(std::move(link));
            if (role < 0)
                links.SetMark(at, 1);
        }
    }
};

TEST_F(RelationshipSidesTest, TheLastUnmarkedLinkOfARoleIsItsSide)
{
    const std::tuple<std::vector<int>, RelationshipSides> cases[] = {
        {{}, {-1, -1}},      {{1}, {0, -1}},      {{0}, {-1, 0}},        {{1, 0}, {0, 1}},
        {{0, 1, 1}, {2, 0}}, {{1, 0, 0}, {0, 2}}, {{1, -2, 1}, {2, -1}}, // a marked parent is on its way out, not a
                                                                         // side
        {{-2, 0}, {-1, 1}},  {{5, 1}, {1, -1}},                          // a role that is neither side
    };
    for (const auto& [roles, sides] : cases) {
        RecordList<AssertionLink> links;
        Fill(links, roles);
        EXPECT_EQ(FindRelationshipSides(links), sides) << roles.size();
    }
}

TEST_F(RelationshipSidesTest, ReplacingASideMarksTheOldLinkAndAppendsTheNewOne)
{
    RecordList<AssertionLink> links;
    Fill(links, {1, 0});
    links[0].SetId(11);
    RelationshipSides sides = FindRelationshipSides(links);

    ReplaceRelationshipSide(links, sides, RelationshipParentRole, 42, db());
    ASSERT_EQ(links.Count(), 3u);
    EXPECT_TRUE(links.IsMarked(0));
    EXPECT_FALSE(links.IsMarked(1));
    EXPECT_EQ(sides, (RelationshipSides{2, 1}));
    EXPECT_EQ(links[2].Id(), 0);
    EXPECT_EQ(links[2].row.kind, AssertionRelationship);
    EXPECT_EQ(std::int32_t{links[2].row.roleId}, RelationshipParentRole);
    EXPECT_EQ(std::int32_t{links[2].row.personId}, 42);

    // Chosen twice: the first choice, which has no id, is marked as well.
    ReplaceRelationshipSide(links, sides, RelationshipParentRole, 43, db());
    EXPECT_TRUE(links.IsMarked(2));
    EXPECT_EQ(sides, (RelationshipSides{3, 1}));
    EXPECT_EQ(FindRelationshipSides(links), sides);

    // A side that had no link only gains one.
    RecordList<AssertionLink> single;
    Fill(single, {1});
    RelationshipSides one = FindRelationshipSides(single);
    ReplaceRelationshipSide(single, one, RelationshipChildRole, 7, db());
    EXPECT_FALSE(single.IsMarked(0));
    EXPECT_EQ(one, (RelationshipSides{0, 1}));
    EXPECT_EQ(std::int32_t{single[1].row.roleId}, RelationshipChildRole);
}

TEST_F(RelationshipSidesTest, TheParentIsAskedForBeforeTheChild)
{
    const std::tuple<RelationshipSides, const char*> cases[] = {
        {{-1, -1}, "RELATIONSHIP_PARENTMISSING"},
        {{-1, 0}, "RELATIONSHIP_PARENTMISSING"},
        {{0, -1}, "RELATIONSHIP_CHILDMISSING"},
        {{0, 1}, nullptr},
    };
    for (const auto& [sides, key] : cases) {
        const char* missing = MissingRelationshipSide(sides);
        if (key == nullptr)
            EXPECT_EQ(missing, nullptr);
        else
            EXPECT_STREQ(missing, key);
    }
}

} // namespace
