// Families derived from partner events and from the children's relationships, on real database files.
#include "persons/family.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/event_type_cache.h"
#include "persons/person_record.h"
#include "persons/tests/person_test_support.h"

namespace {

using namespace person_test;

// A family as {partner, children..., from event} for comparing whole lists.
struct FamilyView {
    std::int32_t partner;
    std::vector<std::int32_t> children;
    std::int32_t fromEvent;
    bool operator==(const FamilyView&) const = default;
};

std::ostream& operator<<(std::ostream& out, const FamilyView& family)
{
    out << "{partner " << family.partner << ", children";
    for (std::int32_t child : family.children)
        out << ' ' << child;
    return out << ", from event " << family.fromEvent << '}';
}

std::vector<FamilyView> FamilyList(PersonRecord& person)
{
    std::vector<FamilyView> families;
    for (std::size_t i = 0; i < person.Families().Count(); ++i) {
        const FamilyGroup& family = person.Families()[i];
        families.push_back({family.partner,
                            std::vector<std::int32_t>(family.children, family.children + family.childCount),
                            family.fromEvent});
    }
    return families;
}

class Families : public PersonTest {
protected:
    void SetUp() override { marriage = EventTypeId("Marriage", 0, 1, 2); }

    // A child of both parents (either may be 0 for none), with the father's link made first.
    std::int32_t Child(std::int32_t father, std::int32_t mother)
    {
        const std::int32_t child = AddPerson(db(), 1, "Child", "Ness");
        if (father != 0)
            StoreRelationship(father, child);
        if (mother != 0)
            StoreRelationship(mother, child);
        return child;
    }

    std::vector<FamilyView> Build(std::int32_t person, const EventTypeCache* filter = nullptr)
    {
        PersonRecord record(person, db());
        record.BuildFamilies(filter, AnyRelationKind, marriage);
        return FamilyList(record);
    }

    std::int32_t marriage = 0;
};

TEST_F(Families, PartnerEventsFirstThenAFamilyForEachFurtherParent)
{
    const std::int32_t me = AddPerson(db(), 1, "Odd", "Ness");
    const std::int32_t first = AddPerson(db(), 2, "Ane", "Ness");
    const std::int32_t second = AddPerson(db(), 2, "Berit", "Ness");
    const std::int32_t unmarried = AddPerson(db(), 2, "Cecilie", "Ro");
    StoreEvent(marriage, {{me}, {first}});
    StoreEvent(marriage, {{second}, {me}});
    const std::int32_t a = Child(me, first);
    const std::int32_t b = Child(me, second);
    const std::int32_t c = Child(me, unmarried);
    const std::int32_t d = Child(me, first);

    EXPECT_EQ(Build(me), (std::vector<FamilyView>{{first, {a, d}, 1}, {second, {b}, 1}, {unmarried, {c}, 0}}));
}

// Seen from the mother, the other parent is the father; a child without a recorded father has the other
// parent 0, and children of one father share his family in the order of his first child.
TEST_F(Families, AParentWithoutPartnerEvents)
{
    const std::int32_t me = AddPerson(db(), 2, "Guri", "Lie");
    const std::int32_t one = AddPerson(db(), 1, "Lars", "Lie");
    const std::int32_t two = AddPerson(db(), 1, "Tor", "Ask");
    const std::int32_t a = Child(one, me);
    const std::int32_t b = Child(two, me);
    const std::int32_t c = Child(0, me);
    const std::int32_t d = Child(one, me);

    EXPECT_EQ(Build(me), (std::vector<FamilyView>{{one, {a, d}, 0}, {two, {b}, 0}, {0, {c}, 0}}));
}

// A marriage whose other participant is only a witness names no partner; a child whose other parent is
// unknown joins that family.
TEST_F(Families, AMarriageWithoutAnotherPrincipal)
{
    const std::int32_t me = AddPerson(db(), 1, "Ivar", "Haug");
    const std::int32_t witness = AddPerson(db(), 1, "Ole", "Haug");
    const std::int32_t witnessRole = 4;
    StoreEvent(marriage, {{me}, {witness, witnessRole}});
    const std::int32_t child = Child(me, 0);

    EXPECT_EQ(Build(me), (std::vector<FamilyView>{{0, {child}, 1}}));
}

TEST_F(Families, AtMostThirtyTwoChildrenArePlaced)
{
    const std::int32_t me = AddPerson(db(), 1, "Peder", "Moe");
    const std::int32_t wife = AddPerson(db(), 2, "Marte", "Moe");
    StoreEvent(marriage, {{me}, {wife}});
    std::vector<std::int32_t> children;
    for (int i = 0; i < 40; ++i)
        children.push_back(Child(me, wife));

    const std::vector<FamilyView> families = Build(me);
    ASSERT_EQ(families.size(), 1u);
    EXPECT_EQ(families[0].children,
              std::vector<std::int32_t>(children.begin(), children.begin() + FamilyChildCapacity));

    FamilyGroup family;
    for (std::int32_t id = 1; id <= 40; ++id)
        family.AddChild(id);
    EXPECT_EQ(family.childCount, FamilyChildCapacity);
    EXPECT_EQ(family.children[FamilyChildCapacity - 1], FamilyChildCapacity);
}

TEST_F(Families, BuiltOnceAndWithoutChildrenWhenTheFilterLeavesOutRelationships)
{
    const std::int32_t me = AddPerson(db(), 1, "Rolf", "Sand");
    const std::int32_t wife = AddPerson(db(), 2, "Unni", "Sand");
    StoreEvent(marriage, {{me}, {wife}});
    const std::int32_t child = Child(me, wife);

    PersonRecord person(me, db());
    person.BuildFamilies(nullptr, AnyRelationKind, marriage);
    const std::vector<FamilyView> first = FamilyList(person);
    EXPECT_EQ(first, (std::vector<FamilyView>{{wife, {child}, 1}}));
    StoreEvent(marriage, {{me}, {AddPerson(db(), 2, "Vera", "Sand")}});
    person.BuildFamilies(nullptr, AnyRelationKind, marriage);
    EXPECT_EQ(FamilyList(person), first);

    EventTypeCache filter;
    filter.Load(db());
    for (int i = 0; i < PrivacyLevelSwitch; ++i)
        filter.switches[i] = 1;
    filter.switches[IncludeRelationshipsSwitch] = 0;
    filter.switches[PrivacyLevelSwitch] = PrivacyInfo;
    PersonRecord filtered(me, db());
    filtered.BuildFamilies(&filter, AnyRelationKind, marriage);
    EXPECT_EQ(filtered.ChildIdCount(), 0);
    ASSERT_EQ(filtered.Families().Count(), 2u);
    EXPECT_EQ(filtered.Families()[0].childCount, 0);
}

} // namespace
