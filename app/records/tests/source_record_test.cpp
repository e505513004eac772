// Sources against a real database file: the row and its two note chains, the four lists of children
// loaded, written back with their marks and dealt with when the source is deleted, and the code texts.
#include "records/source_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/note_text.h"
#include "core/write_transaction.h"
#include "records/excerpt_ref.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::CountRows;
using test_support::RawRow;
using test_support::ScopedLanguage;
using test_support::TestDatabase;

class Sources : public ::testing::Test {
protected:
    Database& db() { return *database_; }

    std::int32_t AddSource(const char* title, std::int32_t superior = 0)
    {
        SourceRecord source(db());
        source.SetTitle(title);
        source.row.superiorId = superior;
        EXPECT_TRUE(source.Save());
        return source.Id();
    }

    std::unique_ptr<ExcerptRecord> NewExcerpt(std::int32_t sourceId, const char* page)
    {
        auto excerpt = std::make_unique<ExcerptRecord>(db());
        excerpt->row.sourceId = sourceId;
        excerpt->SetPage(page);
        return excerpt;
    }

    std::unique_ptr<RepositoryRef> NewReference(std::int32_t repositoryId, const char* callNumber)
    {
        auto reference = std::make_unique<RepositoryRef>(db());
        reference->row.repositoryId = repositoryId;
        reference->SetCallNumber(callNumber);
        reference->LoadNote();
        return reference;
    }

    std::int32_t AddTask(std::int32_t sourceId)
    {
        TaskRecord task(db());
        task.LoadLinked();
        task.row.sourceId = sourceId;
        EXPECT_TRUE(task.Save());
        return task.Id();
    }

    std::int32_t AddExcerptRef(std::int32_t excerptId, std::int32_t personId)
    {
        auto transaction = test_support::Transaction(db());
        return CreateExcerptRef(excerptId, personId, OwnerPerson, db());
    }

    template <typename Row> Row Stored(TableNumber table, std::int32_t id)
    {
        Row row;
        std::memcpy(&row, RawRow(db(), table, id, sizeof row).data(), sizeof row);
        return row;
    }

    TestDatabase database_;
};

TEST_F(Sources, ANewSourceWritesItsFlagAndNoteWhereTheRowKeepsThem)
{
    SourceRecord source(db());
    source.LoadNotes();
    source.SetTitle("Tidsskrift");
    std::strcpy(source.row.serialNumber, "0029-2001");
    source.row.serialType = SerialIssn;
    source.Note()->SetText("bound volumes");
    ASSERT_TRUE(source.Save());
    ASSERT_NE(source.Id(), 0);
    database_.Reopen();

    const auto bytes = RawRow(db(), TableSource, source.Id(), 432);
    EXPECT_EQ(bytes[416], SerialIssn);
    std::int32_t textId, noteId;
    std::memcpy(&textId, &bytes[424], 4);
    std::memcpy(&noteId, &bytes[428], 4);
    EXPECT_EQ(textId, 0) << "an empty source text stores no chain";
    ASSERT_NE(noteId, 0);
    const auto note = Stored<NoteRowData>(TableNote, noteId);
    EXPECT_EQ(note.ownerId, source.Id()) << "the id is issued before the notes are saved";
    EXPECT_EQ(note.ownerType, TableSource);
}

TEST_F(Sources, ReferencesAndExcerptsAreSavedWithTheSourceAndLoadedBack)
{
    SourceRecord source(AddSource("Kirkebok"), db());
    source.LoadLinked();
    source.RepositoryRefs().Append(NewReference(9, "Ministerial 3"));
    source.Excerpts().Append(NewExcerpt(source.Id(), "p. 12"));
    AddTask(source.Id());
    ASSERT_TRUE(source.Save());
    database_.Reopen();

    SourceRecord loaded(db());
    loaded.ReadAndLoad(source.Id());
    ASSERT_EQ(loaded.RepositoryRefs().Count(), 1u);
    EXPECT_EQ(loaded.RepositoryRefs()[0].row.sourceId, source.Id());
    EXPECT_STREQ(loaded.RepositoryRefs()[0].row.callNumber, "Ministerial 3");
    ASSERT_EQ(loaded.Excerpts().Count(), 1u);
    EXPECT_STREQ(loaded.Excerpts()[0].row.page, "p. 12");
    EXPECT_EQ(loaded.Tasks().Count(), 1u);
    EXPECT_EQ(loaded.Tasks().keyId, source.Id());
    EXPECT_TRUE(loaded.Subordinates().Empty()) << "subordinates load only when asked for";

    SourceRecord nothing(db());
    nothing.ReadAndLoad(0);
    EXPECT_EQ(nothing.Id(), 0);
    EXPECT_TRUE(nothing.Excerpts().Empty());
    EXPECT_EQ(nothing.Text(), nullptr);
}

TEST_F(Sources, MarkedChildrenAreDeletedOnceAndUnsavedOnesDropped)
{
    SourceRecord source(AddSource("Census"), db());
    source.LoadLinked();
    source.Excerpts().Append(NewExcerpt(source.Id(), "stored"));
    source.RepositoryRefs().Append(NewReference(3, "kept"));
    ASSERT_TRUE(source.Save());
    const std::int32_t freed = source.Excerpts()[0].Id();

    source.Excerpts().SetMark(0, 1);
    source.Excerpts().SetMark(source.Excerpts().Append(NewExcerpt(source.Id(), "never saved")), 1);
    source.RepositoryRefs().SetMark(source.RepositoryRefs().Append(NewReference(4, "never saved")), 1);
    ASSERT_TRUE(source.Save());
    EXPECT_EQ(source.Excerpts()[0].Id(), 0);
    EXPECT_EQ(source.Excerpts()[1].Id(), 0);
    EXPECT_EQ(CountRows(db(), TableExcerpt), 0);
    EXPECT_EQ(CountRows(db(), TableRepRef), 1);

    // The freed id goes to another source's new excerpt, which this source's next save leaves alone.
    ExcerptRecord other(db());
    other.row.sourceId = AddSource("Other");
    ASSERT_TRUE(other.Save());
    ASSERT_EQ(other.Id(), freed);
    ASSERT_TRUE(source.Save());
    EXPECT_EQ(CountRows(db(), TableExcerpt), 1);
}

TEST_F(Sources, DeleteTakesItsOwnRowsAndFreesWhatOnlyPointsAtIt)
{
    const std::int32_t top = AddSource("Series");
    const std::int32_t middle = AddSource("Volume", top);
    const std::int32_t bottom = AddSource("Chapter", middle);
    const std::int32_t task = AddTask(middle);

    SourceRecord source(db());
    source.ReadAndLoad(middle);
    source.LoadNotes();
    source.Text()->SetText("the text");
    source.RepositoryRefs().Append(NewReference(2, "R"));
    source.Excerpts().Append(NewExcerpt(middle, "stored"));
    ASSERT_TRUE(source.Save());
    ASSERT_NE(AddExcerptRef(source.Excerpts()[0].Id(), 5), 0);
    // An excerpt still unsaved (id 0); references of excerpt 0 belong to none of this source's excerpts.
    source.Excerpts().Append(NewExcerpt(middle, "unsaved"));
    ASSERT_NE(AddExcerptRef(0, 6), 0);

    ASSERT_TRUE(source.Delete());
    database_.Reopen();
    EXPECT_EQ(CountRows(db(), TableSource), 2);
    EXPECT_EQ(CountRows(db(), TableRepRef), 0);
    EXPECT_EQ(CountRows(db(), TableExcerpt), 0);
    EXPECT_EQ(CountRows(db(), TableExcerptRef), 1) << "the reference of excerpt 0 stays";
    EXPECT_EQ(CountRows(db(), TableNote), 0);
    EXPECT_EQ(CountRows(db(), TableTask), 1);
    EXPECT_EQ(Stored<TaskRow>(TableTask, task).sourceId, 0);
    EXPECT_EQ(Stored<SourceRow>(TableSource, bottom).superiorId, 0) << "a subordinate becomes top-level";
    EXPECT_EQ(Stored<SourceRow>(TableSource, top).superiorId, 0);
}

TEST_F(Sources, CodeTexts)
{
    ScopedLanguage language(ScopedLanguage::Master());
    ASSERT_NE(language.get(), nullptr);
    const struct {
        std::uint8_t code;
        const char* kind;
        const char* media;
        const char* sourceClass;
    } cases[] = {
        {0, "Unknown", "Unknown", "Book"},      {1, "Original", "Other", "Series"},
        {3, "Copy", "Digital", "Article"},      {4, "Unknown", "Fiche", "Part"},
        {8, "Unknown", "Photo", "Excerpt"},     {9, "Unknown", "Printed", "Book"},
        {10, "Unknown", "Video", "Book"},       {200, "Unknown", "Unknown", "Book"},
    };
    for (const auto& c : cases) {
        SourceRecord source(db());
        source.row.kind = source.row.media = source.row.sourceClass = c.code;
        EXPECT_STREQ(source.GetSourceKindText(), c.kind) << int(c.code);
        EXPECT_STREQ(source.GetSourceMediaText(), c.media) << int(c.code);
        EXPECT_STREQ(source.GetSourceClassText(), c.sourceClass) << int(c.code);
    }
}

} // namespace
