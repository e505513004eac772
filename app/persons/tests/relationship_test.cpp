// Relationships against a real database file.
#include "persons/relationship.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/note_text.h"
#include "records/excerpt_ref.h"
#include "persons/tests/assertion_test_support.h"
#include "core/write_transaction.h"
#include "settings/settings.h"

namespace {

using namespace assertion_test;

class Relationships : public AssertionTest {
protected:
    void SetUp() override
    {
        parent = AddPerson(db(), 2, "Eva", "Lind");
        child = AddPerson(db(), 1, "Bo", "Lind");
    }
    // The child's link saved first when `childFirst`.
    std::int32_t Store(bool childFirst, std::int8_t relation = RelationBiological)
    {
        Relationship relationship(db());
        relationship.LoadLinked();
        relationship.row.relation = relation;
        relationship.Note()->SetText("baptism record");
        auto parentLink = NewLink(db(), 0, parent, RelationshipParentRole);
        auto childLink = NewLink(db(), 0, child, RelationshipChildRole);
        relationship.Links().Append(childFirst ? std::move(childLink) : std::move(parentLink));
        relationship.Links().Append(childFirst ? std::move(parentLink) : std::move(childLink));
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Save(); }));
        return relationship.Id();
    }
    std::string Field(Relationship& relationship, char letter, const AssertionLink& link, bool showIds = false)
    {
        char out[128] = "unchanged";
        NameRecord name(db());
        relationship.GetFieldText(out, sizeof out, letter, link, name, showIds);
        return out;
    }
    const AssertionLink& LinkOf(Relationship& relationship, std::int32_t person)
    {
        for (std::size_t i = 0; i < relationship.Links().Count(); ++i)
            if (relationship.Links()[i].row.personId == person)
                return relationship.Links()[i];
        return relationship.Links()[0];
    }

    std::int32_t parent = 0;
    std::int32_t child = 0;
};

TEST_F(Relationships, OtherParticipantWhicheverWasSavedFirst)
{
    for (bool childFirst : {true, false}) {
        Relationship relationship(db());
        relationship.ReadAndLoad(Store(childFirst));
        ASSERT_EQ(relationship.Links().Count(), 2u);
        EXPECT_EQ(+relationship.Links()[0].row.kind, AssertionRelationship);
        EXPECT_EQ(Field(relationship, 'v', LinkOf(relationship, child)), "Eva Lind");
        EXPECT_EQ(Field(relationship, 'v', LinkOf(relationship, parent)), "Bo Lind");
        EXPECT_EQ(Field(relationship, 'v', LinkOf(relationship, parent), true),
                  "Bo Lind [#" + std::to_string(child) + "]");
    }
}

TEST_F(Relationships, OneParticipantNamesNobody)
{
    Relationship relationship(db());
    relationship.LoadLinked();
    relationship.Links().Append(NewLink(db(), 0, child, RelationshipChildRole));
    EXPECT_EQ(Field(relationship, 'v', relationship.Links()[0]), "");
    Relationship empty(db());
    AssertionLink link(db());
    EXPECT_EQ(Field(empty, 'v', link), "");
}

TEST_F(Relationships, RelationLetterAndTemplates)
{
    Relationship relationship(db());
    relationship.ReadAndLoad(Store(true));
    const AssertionLink& childLink = LinkOf(relationship, child);
    const AssertionLink& parentLink = LinkOf(relationship, parent);
    EXPECT_EQ(relationship.HasField('r', childLink), 0);
    EXPECT_EQ(Field(relationship, 'r', childLink), "biological");
    std::strcpy(CurrentSettings.report.ChildFormatting, "<Son|Daughter|Child> of {v}[r? ({r})]");
    std::strcpy(CurrentSettings.report.ParentFormatting, "Parent of {v}[r? ({r})]");
    char out[128];
    NameRecord name(db());
    EXPECT_STREQ(relationship.FormatSentence(out, sizeof out, childLink, name, 1, false, ScreenDatePicture()),
                 "Son of Eva Lind");
    relationship.row.relation = RelationFoster;
    EXPECT_EQ(relationship.HasField('r', childLink), 1);
    EXPECT_STREQ(relationship.FormatSentence(out, sizeof out, parentLink, name, 2, false, ScreenDatePicture()),
                 "Parent of Bo Lind (foster)");
    relationship.row.relation = 9;
    EXPECT_EQ(Field(relationship, 'r', childLink), "other");
    for (int letter = 0; letter < 256; ++letter) {
        const int has = relationship.HasField(static_cast<char>(letter), childLink);
        EXPECT_TRUE(has == 0 || has == 1) << letter;
    }
}

TEST_F(Relationships, ReplacedParentIsDeletedOnSave)
{
    Relationship relationship(db());
    relationship.ReadAndLoad(Store(true));
    const std::int32_t other = AddPerson(db(), 1, "Ola", "Lind");
    for (std::size_t i = 0; i < relationship.Links().Count(); ++i)
        if (relationship.Links()[i].row.roleId == RelationshipParentRole)
            relationship.Links().SetMark(i, 1);
    relationship.Links().Append(NewLink(db(), 0, other, RelationshipParentRole));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Save(); }));
    EXPECT_EQ(relationship.Links().Count(), 3u);
    Relationship reloaded(db());
    reloaded.ReadAndLoad(relationship.Id());
    ASSERT_EQ(reloaded.Links().Count(), 2u);
    EXPECT_EQ(Field(reloaded, 'v', LinkOf(reloaded, child)), "Ola Lind");
}

TEST_F(Relationships, DeleteKeepsExcerptsAndOtherOwnersReferences)
{
    Relationship relationship(db());
    relationship.ReadAndLoad(Store(true));
    const std::int32_t excerpt = AddExcerpt(db(), AddSource(db(), "S", "S"), "1");
    auto ref = std::make_unique<ExcerptRef>(db());
    ref->row.excerptId = excerpt;
    relationship.ExcerptRefs().Append(std::move(ref));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Save(); }));
    // A reference of an information note that happens to share the relationship's id.
    std::int32_t infoRef = 0;
    ASSERT_TRUE(RunWriteTransaction(
        db(), [&] { return (infoRef = CreateExcerptRef(excerpt, relationship.Id(), OwnerInfo, db())) != 0; }));
    const std::int32_t note = relationship.row.noteId;
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return relationship.Delete(); }));
    EXPECT_FALSE(RowExists(db(), TableRelationship, relationship.Id()));
    EXPECT_FALSE(RowExists(db(), TableNote, note));
    EXPECT_EQ(CountRows(db(), TableAssertionLink), 0);
    EXPECT_EQ(CountRows(db(), TableExcerptRef), 1);
    EXPECT_TRUE(RowExists(db(), TableExcerptRef, infoRef));
    EXPECT_TRUE(RowExists(db(), TableExcerpt, excerpt));
}

} // namespace
