// The personal-data rows of a person's links against real database files, the deletion of the assertion
// behind a link, and the link notices of other windows applied to a loaded person's list.
#include "persons/person_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/event_type_row.h"
#include "core/role.h"
#include "persons/person_record.h"
#include "persons/tests/person_test_support.h"
#include "tests/support/recording_notice_sink.h"

namespace {

using namespace person_test;

using test_support::RecordingSink;

class PersonData : public PersonTest {
protected:
    // The rows of the person's links in list order.
    std::vector<PersonDataRow> Rows(std::int32_t personId)
    {
        PersonRecord person(db());
        person.ReadAndLoad(personId);
        std::vector<PersonDataRow> rows;
        for (std::size_t i = 0; i < person.Links().Count(); ++i)
            rows.push_back(DescribePersonDataLink(person.Links()[i], db()));
        return rows;
    }
    PersonDataRow OnlyRow(std::int32_t personId)
    {
        std::vector<PersonDataRow> rows = Rows(personId);
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? PersonDataRow{} : rows[0];
    }
};

void ExpectRow(const PersonDataRow& row, int image, const std::string& kind, const std::string& date,
               const std::string& description)
{
    EXPECT_EQ(row.image, image);
    EXPECT_EQ(row.kind, kind);
    EXPECT_EQ(row.date, date);
    EXPECT_EQ(row.description, description);
}

TEST_F(PersonData, EachKindShowsItsImageKindDateAndDescription)
{
    const std::int32_t me = AddPerson(db(), SexFemale, "Ada", "Lind");
    StoreEvent(EventTypeId("Birth"), {{me}}, 0, YearDate(1901, 2, 3), "Bergen");
    StoreAttribute(AttributeTypeId("Height"), me, 0, YearDate(1930), 170);
    StoreName(me);
    StoreInfo(me);

    const std::vector<PersonDataRow> rows = Rows(me);
    ASSERT_EQ(rows.size(), 4u);
    ExpectRow(rows[0], PersonDataImageEvent, "Birth", "03.02.1901", "Bergen");
    ExpectRow(rows[1], PersonDataImageAttribute, "Height", "00.00.1930", "170");
    ExpectRow(rows[2], PersonDataImageName, "PERSON_DATA_NAME", "", "Alias Name");
    ExpectRow(rows[3], PersonDataImageInfo, "PERSON_INFO", "", "lived by the sea");
}

TEST_F(PersonData, AWitnessSeesItsRoleAndAnInformationItsFirstLine)
{
    const std::int32_t me = AddPerson(db(), SexMale, "Ole", "Lind");
    const std::int32_t other = AddPerson(db(), SexMale, "Per", "Lind");
    std::int32_t role = 0;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return (role = CreateRole("Godfather", db())) != 0; }));
    StoreEvent(EventTypeId("Baptism"), {{other}, {me, role}});
    ExpectRow(OnlyRow(me), PersonDataImageEvent, "Godfather", "00.00.1900", "");

    const std::int32_t info = StoreInfo(other);
    InfoAssertion stored(info, db());
    stored.LoadLinked();
    stored.Text()->SetText("first line\r\nsecond line");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return stored.Save(); }));
    EXPECT_EQ(Rows(other)[1].description, "first line");
}

TEST_F(PersonData, AMarriageShowsEachSpouseTheOther)
{
    const std::int32_t husband = AddPerson(db(), SexMale, "Ole", "Lind");
    const std::int32_t wife = AddPerson(db(), SexFemale, "Kari", "Berg");
    const std::int32_t marriage = EventTypeId("Marriage", EventClassMarriage, 1, 2);
    StoreEvent(marriage, {{husband}, {wife}}, 0, YearDate(1925), "Oslo");
    ExpectRow(OnlyRow(husband), PersonDataImageEvent, "Marriage", "00.00.1925", "Kari Berg");
    ExpectRow(OnlyRow(wife), PersonDataImageEvent, "Marriage", "00.00.1925", "Ole Lind");
}

struct SideCase {
    std::uint8_t parentSex;
    const char* childSees;
};

class RelationshipSides : public PersonData, public ::testing::WithParamInterface<SideCase> {};

TEST_P(RelationshipSides, TheChildSeesTheParentBySexAndTheParentSeesAChild)
{
    const SideCase& c = GetParam();
    const std::int32_t parent = AddPerson(db(), c.parentSex, "Pia", "Lind");
    const std::int32_t child = AddPerson(db(), SexMale, "Tor", "Lind");
    StoreRelationship(parent, child);
    ExpectRow(OnlyRow(child), PersonDataImageRelationship, c.childSees, "", "Pia Lind");
    ExpectRow(OnlyRow(parent), PersonDataImageRelationship, "STANDARD_CHILD", "", "Tor Lind");
}

INSTANTIATE_TEST_SUITE_P(Cases, RelationshipSides,
                         ::testing::Values(SideCase{SexMale, "STANDARD_FATHER"}, SideCase{SexFemale, "STANDARD_MOTHER"},
                                           SideCase{SexUnknown, "STANDARD_PARENT"}));

TEST_F(PersonData, ARelationshipWithoutItsOtherParticipantShowsEmptyTexts)
{
    const std::int32_t parent = AddPerson(db(), SexMale, "Pål", "Lind");
    const std::int32_t child = AddPerson(db(), SexMale, "Tor", "Lind");
    StoreRelationship(parent, child);
    PersonRecord childRecord(db());
    childRecord.ReadAndLoad(child);
    ASSERT_TRUE(RunWriteTransaction(
        db(), [&] { return AssertionLink::DeleteById(childRecord.Links()[0].Id(), db()); }));

    ExpectRow(OnlyRow(parent), PersonDataImageRelationship, "", "", "");
}

TEST_F(PersonData, AnAssertionThatCannotBeReadGivesEmptyTexts)
{
    const std::int32_t me = AddPerson(db(), SexMale, "Ole", "Lind");
    AssertionLink link(db());
    link.row.kind = AssertionAttribute;
    link.row.assertionId = 999;
    link.row.personId = me;
    ExpectRow(DescribePersonDataLink(link, db()), PersonDataImageAttribute, "", "", "");
}

TEST_F(PersonData, DeletingARelationshipPostsTheRemovalOfBothLinks)
{
    const std::int32_t parent = AddPerson(db(), SexMale, "Pål", "Lind");
    const std::int32_t child = AddPerson(db(), SexMale, "Tor", "Lind");
    const std::int32_t relationship = StoreRelationship(parent, child);
    PersonRecord parentRecord(db());
    parentRecord.ReadAndLoad(parent);
    PersonRecord childRecord(db());
    childRecord.ReadAndLoad(child);
    const std::int32_t parentLink = parentRecord.Links()[0].Id();
    const std::int32_t childLink = childRecord.Links()[0].Id();

    RecordingSink sink;
    ASSERT_TRUE(DeleteAssertion(parentRecord.Links()[0], db(), &sink));
    EXPECT_FALSE(RowExists(db(), TableRelationship, relationship));
    const std::vector<RecordingSink::Entry> expected = {
        {NoticeAssertionLinkRemoved, static_cast<std::uint32_t>(parent), parentLink},
        {NoticeAssertionLinkRemoved, static_cast<std::uint32_t>(child), childLink},
    };
    EXPECT_EQ(sink.posted, expected);
}

TEST_F(PersonData, DeletingASharedEventKeepsItForTheOtherParticipant)
{
    const std::int32_t me = AddPerson(db(), SexMale, "Ole", "Lind");
    const std::int32_t other = AddPerson(db(), SexFemale, "Kari", "Berg");
    const std::int32_t event = StoreEvent(EventTypeId("Census"), {{me}, {other}});
    PersonRecord person(db());
    person.ReadAndLoad(me);
    ASSERT_TRUE(DeleteAssertion(person.Links()[0], db(), nullptr));
    EXPECT_TRUE(RowExists(db(), TableEvent2, event));
    EXPECT_TRUE(Rows(me).empty());
    EXPECT_EQ(Rows(other).size(), 1u);
}

TEST_F(PersonData, LinkNoticesChangeTheLoadedList)
{
    const std::int32_t me = AddPerson(db(), SexMale, "Ole", "Lind");
    StoreInfo(me);
    PersonRecord person(db());
    person.ReadAndLoad(me);
    RecordList<AssertionLink>& links = person.Links();
    ASSERT_EQ(links.Count(), 1u);

    StoreInfo(me);
    PersonRecord fresh(db());
    fresh.ReadAndLoad(me);
    const std::int32_t added = fresh.Links()[1].Id();
    EXPECT_TRUE(AppendAddedLink(links, added, db()));
    EXPECT_FALSE(AppendAddedLink(links, added, db())) << "a link the list holds is not appended twice";
    ASSERT_EQ(links.Count(), 2u);
    EXPECT_EQ(links[1].Id(), added);
    EXPECT_EQ(+links[1].row.kind, AssertionInfo);

    fresh.Links()[1].row.order = 77;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return fresh.Links()[1].Write() == 0; }));
    EXPECT_TRUE(RereadLink(links, added));
    EXPECT_EQ(+links[1].row.order, 77);
    EXPECT_FALSE(RereadLink(links, 12345));

    const std::int32_t first = links[0].Id();
    EXPECT_TRUE(DropRemovedLink(links, first));
    ASSERT_EQ(links.Count(), 1u);
    EXPECT_EQ(links[0].Id(), added);
    EXPECT_FALSE(DropRemovedLink(links, first));
}

struct RefillCase {
    int before;
    int rows;
    int after;
};

class RowsAfterRefill : public ::testing::TestWithParam<RefillCase> {};

TEST_P(RowsAfterRefill, KeepsThePositionOrTakesTheLastRow)
{
    EXPECT_EQ(RowAfterRefill(GetParam().before, GetParam().rows), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, RowsAfterRefill,
                         ::testing::Values(RefillCase{1, 3, 1}, RefillCase{2, 2, 1}, RefillCase{0, 0, -1},
                                           RefillCase{-1, 4, -1}, RefillCase{5, 3, 2}));

} // namespace
