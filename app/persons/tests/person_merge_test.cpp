// Merging persons against real database files: the kept person's chosen fields and joined note, the
// other's links, references, tasks and media moved over, the other's rows gone, and the notices posted.
#include "persons/person_merge.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/name_record.h"
#include "core/note_text.h"
#include "persons/person_record.h"
#include "persons/tests/person_test_support.h"
#include "tests/support/recording_notice_sink.h"
#include "records/excerpt_ref.h"
#include "records/media_record.h"
#include "records/task_record.h"

namespace {

using namespace person_test;

using test_support::RecordingSink;

class PersonMerge : public PersonTest {
protected:
    std::int32_t PersonWithNote(std::uint8_t sex, const char* given, const char* note)
    {
        const std::int32_t id = AddPerson(db(), sex, given, "Holm");
        PersonRecord person(db());
        person.ReadAndLoad(id);
        person.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return person.Save(); }));
        return id;
    }

    bool Merge(std::int32_t keptId, std::int32_t otherId, PersonMergeChoice take = {})
    {
        kept_ = std::make_unique<PersonRecord>(db());
        kept_->ReadAndLoad(keptId);
        PersonRecord other(db());
        other.ReadAndLoad(otherId);
        return MergePersons(*kept_, other, take, &sink_);
    }

    std::string StoredNote(std::int32_t id)
    {
        PersonRecord person(db());
        person.ReadAndLoad(id);
        const char* text = person.Note()->Text();
        return text != nullptr ? text : "";
    }

    std::unique_ptr<PersonRecord> kept_;
    RecordingSink sink_;
};

TEST_F(PersonMerge, TheOthersLinksNameTheKeptPersonAndItsRowsAreGone)
{
    const std::int32_t a = PersonWithNote(SexMale, "Anders", "A");
    const std::int32_t b = PersonWithNote(SexMale, "Bernt", "B");
    const std::int32_t info = StoreInfo(b);
    const std::int32_t attribute = StoreAttribute(AttributeTypeId("Height"), b);
    PersonRecord before(db());
    before.ReadAndLoad(b);
    const std::int32_t bNameId = before.row.nameId;
    const std::int32_t bNoteId = before.row.noteId;
    ASSERT_EQ(before.Links().Count(), 2u);
    const std::int32_t infoLink = before.Links()[0].Id();
    const std::int32_t attributeLink = before.Links()[1].Id();

    ASSERT_TRUE(Merge(a, b));
    Reopen();

    EXPECT_EQ(StoredNote(a), "A\r\n\r\nB");
    EXPECT_FALSE(RowExists(db(), TablePerson, b));
    EXPECT_FALSE(RowExists(db(), TableName, bNameId));
    EXPECT_FALSE(RowExists(db(), TableNote, bNoteId));
    PersonRecord merged(db());
    merged.ReadAndLoad(a);
    ASSERT_EQ(merged.Links().Count(), 2u);
    EXPECT_EQ(+merged.Links()[0].row.assertionId, info);
    EXPECT_EQ(+merged.Links()[1].row.assertionId, attribute);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(+merged.Links()[i].row.personId, a);
    const std::vector<RecordingSink::Entry> expected = {
        {NoticeAssertionLinkAdded, static_cast<std::uint32_t>(a), infoLink},
        {NoticeAssertionLinkAdded, static_cast<std::uint32_t>(a), attributeLink},
        {NoticePersonDeleted, 0, b},
    };
    EXPECT_EQ(sink_.posted, expected);
}

TEST_F(PersonMerge, TheKeptPersonHoldsTheMovedLinksOnceAfterwards)
{
    const std::int32_t a = PersonWithNote(SexMale, "Anders", "");
    const std::int32_t b = PersonWithNote(SexMale, "Bernt", "");
    StoreInfo(a);
    StoreInfo(b);
    ASSERT_TRUE(Merge(a, b));
    EXPECT_EQ(kept_->Links().Count(), 2u);
}

struct NoteCase {
    const char* kept;
    const char* other;
    const char* merged;
};

class MergedNotes : public PersonMerge, public ::testing::WithParamInterface<NoteCase> {};

TEST_P(MergedNotes, TheOthersNoteFollowsAfterAnEmptyLineWhenBothHaveOne)
{
    const NoteCase& c = GetParam();
    const std::int32_t a = PersonWithNote(SexMale, "Anders", c.kept);
    const std::int32_t b = PersonWithNote(SexMale, "Bernt", c.other);
    ASSERT_TRUE(Merge(a, b));
    EXPECT_EQ(StoredNote(a), c.merged);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergedNotes,
                         ::testing::Values(NoteCase{"A", "B", "A\r\n\r\nB"}, NoteCase{"A", "", "A"},
                                           NoteCase{"", "B", "B"}, NoteCase{"", "", ""},
                                           NoteCase{"line 1\r\nline 2", "other", "line 1\r\nline 2\r\n\r\nother"}));

struct ChoiceCase {
    PersonMergeChoice take;
    const char* name;
    std::uint8_t sex;
};

class MergeChoices : public PersonMerge, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(MergeChoices, TheKeptPersonTakesTheChosenNameAndSexAndKeepsItsNameRow)
{
    const ChoiceCase& c = GetParam();
    const std::int32_t a = AddPerson(db(), SexUnknown, "Anna", "Holm");
    const std::int32_t b = AddPerson(db(), SexFemale, "Berit", "Dahl");
    PersonRecord before(db());
    before.ReadAndLoad(a);
    ASSERT_TRUE(Merge(a, b, c.take));
    Reopen();

    PersonRecord merged(db());
    merged.ReadAndLoad(a);
    EXPECT_EQ(+merged.row.nameId, before.row.nameId);
    char name[256];
    EXPECT_STREQ(merged.Name()->Format(name, sizeof name), c.name);
    EXPECT_EQ(merged.row.sex, c.sex);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeChoices,
                         ::testing::Values(ChoiceCase{{false, false}, "Anna Holm", SexUnknown},
                                           ChoiceCase{{true, false}, "Berit Dahl", SexUnknown},
                                           ChoiceCase{{false, true}, "Anna Holm", SexFemale},
                                           ChoiceCase{{true, true}, "Berit Dahl", SexFemale}));

TEST_F(PersonMerge, ReferencesTasksAndMediaMoveToTheKeptPerson)
{
    const std::int32_t a = AddPerson(db(), SexMale, "Anders", "Holm");
    const std::int32_t b = AddPerson(db(), SexMale, "Bernt", "Holm");
    const std::int32_t source = AddSource(db(), "Census 1900", "C1900");
    PersonRecord other(db());
    other.ReadAndLoad(b);
    auto reference = std::make_unique<ExcerptRef>(db());
    reference->row.excerptId = AddExcerpt(db(), source, "p. 1");
    other.ExcerptRefs().Append(std::move(reference));
    auto media = std::make_unique<MediaRecord>(db());
    media->SetFileName("portrait.jpg");
    const std::uint8_t bytes[] = {7, 8, 9};
    media->SetData(bytes, sizeof bytes);
    other.Media().Append(std::move(media));
    auto task = std::make_unique<TaskRecord>(db());
    task->LoadLinked();
    task->SetTitle("find the baptism");
    task->row.sourceId = source;
    other.Tasks().Append(std::move(task));
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return other.Save(); }));

    ASSERT_TRUE(Merge(a, b));
    Reopen();

    PersonRecord merged(db());
    merged.ReadAndLoad(a);
    ASSERT_EQ(merged.ExcerptRefs().Count(), 1u);
    EXPECT_EQ(+merged.ExcerptRefs()[0].row.ownerId, a);
    ASSERT_EQ(merged.Media().Count(), 1u);
    EXPECT_EQ(merged.Media()[0].FileName(), "portrait.jpg");
    ASSERT_TRUE(merged.Media()[0].HasData());
    EXPECT_EQ(merged.Media()[0].Data()[2], 9);
    ASSERT_EQ(merged.Tasks().Count(), 1u);
    EXPECT_EQ(+merged.Tasks()[0].row.personId, a);
    const RecordingSink::Entry taskNotice{NoticeTasksChanged, static_cast<std::uint32_t>(a), source};
    EXPECT_NE(std::find(sink_.posted.begin(), sink_.posted.end(), taskNotice), sink_.posted.end());
}

TEST_F(PersonMerge, NothingIsMergedWithItselfOrWithAnUnsavedPerson)
{
    const std::int32_t a = PersonWithNote(SexMale, "Anders", "A");
    PersonRecord unsaved(db());
    unsaved.LoadLinked();
    kept_ = std::make_unique<PersonRecord>(db());
    kept_->ReadAndLoad(a);
    EXPECT_FALSE(MergePersons(*kept_, unsaved, {}, &sink_));
    PersonRecord same(db());
    same.ReadAndLoad(a);
    EXPECT_FALSE(MergePersons(*kept_, same, {}, &sink_));
    EXPECT_TRUE(sink_.posted.empty());
    EXPECT_EQ(StoredNote(a), "A");
    EXPECT_TRUE(RowExists(db(), TablePerson, a));
}

} // namespace
