// The usage list of an excerpt: who cites it, row by row, for every kind of citing record.
#include "persons/excerpt_usage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/write_transaction.h"
#include "persons/tests/person_test_support.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"

namespace {

using namespace person_test;
using Rows = std::vector<std::pair<std::string, std::string>>;

class ExcerptUsage : public PersonTest {
protected:
    void SetUp() override
    {
        source_ = AddSource(db(), "Parish register", "PR");
        excerpt_ = AddExcerpt(db(), source_, "p. 12");
    }
    void Cite(std::int32_t owner, std::uint8_t kind)
    {
        ASSERT_TRUE(RunWriteTransaction(db(), [&] { return CreateExcerptRef(excerpt_, owner, kind, db()) != 0; }));
    }
    Rows UsageRows()
    {
        ExcerptRecord excerpt(db());
        excerpt.ReadAndLoad(excerpt_);
        Rows rows;
        for (const ExcerptUsageRow& row : ListExcerptUsage(excerpt))
            rows.emplace_back(row.typeKey, row.name);
        return rows;
    }

    std::int32_t source_ = 0;
    std::int32_t excerpt_ = 0;
};

TEST_F(ExcerptUsage, OneRowPerCitingRecordOrParticipant)
{
    const std::int32_t jakob = AddPerson(db(), SexMale, "Jakob", "Holm");
    const std::int32_t ida = AddPerson(db(), SexFemale, "Ida", "Berg");
    const std::int32_t census = EventTypeId("Census");
    const std::int32_t event = StoreEvent(census, {{jakob}, {ida, 3}});
    const std::int32_t attribute = StoreAttribute(AttributeTypeId("Height"), ida);
    const std::int32_t relationship = StoreRelationship(jakob, ida);
    const std::int32_t name = StoreName(jakob);
    const std::int32_t info = StoreInfo(ida);
    Cite(jakob, OwnerPerson);
    Cite(event, OwnerEvent);
    Cite(attribute, OwnerAttribute);
    Cite(relationship, OwnerRelationship);
    Cite(name, OwnerNameAssertion);
    Cite(info, OwnerInfo);
    Cite(event, OwnerEvent); // cited twice by the same event: its persons show twice
    Cite(jakob, 99);

    const Rows expected = {
        {"EXCERPT_TYPE_PERSON", "Jakob Holm"},       {"EXCERPT_TYPE_EVENT", "Jakob Holm"},
        {"EXCERPT_TYPE_EVENT", "Ida Berg"},          {"EXCERPT_TYPE_ATTRIBUTE", "Ida Berg"},
        {"EXCERPT_TYPE_RELATIONSHIP", "Jakob Holm"}, {"EXCERPT_TYPE_RELATIONSHIP", "Ida Berg"},
        {"EXCERPT_TYPE_NAME", "Jakob Holm"},         {"EXCERPT_TYPE_INFO", "Ida Berg"},
        {"EXCERPT_TYPE_EVENT", "Jakob Holm"},        {"EXCERPT_TYPE_EVENT", "Ida Berg"},
        {"EXCERPT_TYPE_UNKNOWN", ""},
    };
    EXPECT_EQ(UsageRows(), expected);
}

TEST_F(ExcerptUsage, AssertionsWithoutParticipantsShowAnEmptyName)
{
    // Each kind that names its first participant, stored with none.
    AttributeAssertion attribute(db());
    attribute.LoadLinked();
    InfoAssertion info(db());
    info.LoadLinked();
    NameAssertion name(db());
    name.LoadLinked();
    Relationship relationship(db());
    relationship.LoadLinked();
    ASSERT_TRUE(RunWriteTransaction(
        db(), [&] { return attribute.Save() && info.Save() && name.Save() && relationship.Save(); }));
    Cite(attribute.Id(), OwnerAttribute);
    Cite(info.Id(), OwnerInfo);
    Cite(name.Id(), OwnerNameAssertion);
    Cite(relationship.Id(), OwnerRelationship);
    Cite(4711, OwnerAttribute); // an attribute that is gone
    const Rows expected = {{"EXCERPT_TYPE_ATTRIBUTE", ""}, {"EXCERPT_TYPE_INFO", ""}, {"EXCERPT_TYPE_NAME", ""},
                           {"EXCERPT_TYPE_ATTRIBUTE", ""}};
    EXPECT_EQ(UsageRows(), expected);
}

TEST_F(ExcerptUsage, AnUncitedExcerptHasNoRows)
{
    EXPECT_TRUE(UsageRows().empty());
}

} // namespace
