// Merging sources and repositories against a real database file: the fields taken, the notes joined,
// the children moved, the other record deleted, and the notices posted only once the merge is committed.
#include "records/record_merge.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "core/address_record.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "records/record_lists.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "tests/support/scoped_list_states.h"
#include "tests/support/test_database.h"

namespace {

using test_support::CountRows;
using test_support::ScopedListStates;
using test_support::TestDatabase;

using PostedNotice = std::tuple<std::uint32_t, std::uint32_t, std::int32_t>;

class RecordingSink : public NoticeSink {
public:
    void Post(Notice notice, std::uint32_t wParam, std::int32_t lParam) override
    {
        posted.emplace_back(notice, wParam, lParam);
    }
    std::vector<PostedNotice> posted;
};

std::string TextOf(const NoteText* note)
{
    return note != nullptr && note->Text() != nullptr ? note->Text() : "";
}

class Merges : public ::testing::Test {
protected:
    Merges() : lists_(AddRecordListMakers) { CurrentSettings.source.IncludeNew = 0; }

    Database& db() { return *database_; }

    std::int32_t AddSource(const char* title, const char* note, std::int32_t superior = 0)
    {
        SourceRecord source(db());
        source.LoadNotes();
        source.SetTitle(title);
        source.Note()->SetText(note);
        source.row.superiorId = superior;
        EXPECT_TRUE(source.Save());
        return source.Id();
    }

    std::int32_t AddRepository(const char* name, const char* city, const char* note)
    {
        RepositoryRecord repository(db());
        repository.LoadLinked();
        repository.SetName(name);
        std::strcpy(repository.Address()->row.city, city);
        repository.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return repository.Save(); }));
        return repository.Id();
    }

    std::int32_t AddReference(std::int32_t repositoryId, std::int32_t sourceId, const char* callNumber)
    {
        RepositoryRef reference(db());
        reference.row.repositoryId = repositoryId;
        reference.row.sourceId = sourceId;
        reference.SetCallNumber(callNumber);
        reference.LoadNote();
        reference.Note()->SetText("shelf note");
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return reference.Save(); }));
        return reference.Id();
    }

    std::int32_t AddTask(std::int32_t sourceId, std::int32_t personId)
    {
        TaskRecord task(db());
        task.LoadLinked();
        task.row.sourceId = sourceId;
        task.row.personId = personId;
        EXPECT_TRUE(task.Save());
        return task.Id();
    }

    std::int32_t AddExcerpt(std::int32_t sourceId)
    {
        ExcerptRecord excerpt(db());
        excerpt.row.sourceId = sourceId;
        excerpt.SetPage("p. 4");
        EXPECT_TRUE(excerpt.Save());
        return excerpt.Id();
    }

    std::int32_t StoredSuperior(std::int32_t id)
    {
        SourceRecord source(id, db());
        return source.row.superiorId;
    }

    ScopedListStates lists_;
    TestDatabase database_;
    RecordingSink sink_;
};

TEST_F(Merges, NotesJoinWithOneEmptyLineOnlyWhenBothHaveText)
{
    struct Case {
        const char* kept;
        const char* other;
        const char* joined;
    } cases[] = {
        {"X", "Y", "X\r\n\r\nY"},
        {"", "Y", "Y"},
        {"X", "", "X"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        NoteText kept;
        kept.SetText(c.kept);
        NoteText other;
        other.SetText(c.other);
        AppendMergedNote(kept, &other);
        EXPECT_EQ(TextOf(&kept), c.joined) << c.kept << " + " << c.other;
    }
}

TEST_F(Merges, TheSerialNumberShowsWithItsTypeOnlyWhenThereIsOne)
{
    SourceRow row = {};
    EXPECT_EQ(SerialNumberText(row), "");
    std::strcpy(row.serialNumber, "0029-2001");
    row.serialType = SerialIssn;
    EXPECT_EQ(SerialNumberText(row), "ISSN 0029-2001");
    row.serialType = 7; // anything but an ISSN is an ISBN
    EXPECT_EQ(SerialNumberText(row), "ISBN 0029-2001");
}

TEST_F(Merges, SourceTakesTheChosenFieldsAndEveryChildOfTheOther)
{
    const std::int32_t repository = AddRepository("Archive", "Oslo", "");
    const std::int32_t keptId = AddSource("Kirkebok", "X");
    const std::int32_t otherId = AddSource("Church book", "Y");
    const std::int32_t subordinate = AddSource("Baptisms", "", otherId);
    const std::int32_t reference = AddReference(repository, otherId, "M-3");
    const std::int32_t excerpt = AddExcerpt(otherId);
    const std::int32_t task = AddTask(otherId, 17);

    SourceRecord kept(keptId, db());
    kept.LoadLinked();
    SourceRecord other(otherId, db());
    other.LoadLinked();
    SourceMergeChoice take;
    take.title = true;
    ASSERT_TRUE(MergeSources(kept, other, take, &sink_));

    SourceRecord stored(keptId, db());
    stored.LoadLinked();
    EXPECT_STREQ(stored.Title(), "Church book");
    EXPECT_EQ(TextOf(stored.Note()), "X\r\n\r\nY");
    ASSERT_EQ(stored.RepositoryRefs().Count(), 1u);
    EXPECT_EQ(stored.RepositoryRefs()[0].Id(), reference);
    ASSERT_EQ(stored.Excerpts().Count(), 1u);
    EXPECT_EQ(stored.Excerpts()[0].Id(), excerpt);
    ASSERT_EQ(stored.Tasks().Count(), 1u);
    EXPECT_EQ(stored.Tasks()[0].Id(), task);
    EXPECT_EQ(SourceRecord(otherId, db()).Id(), 0) << "the other source is deleted";
    EXPECT_EQ(StoredSuperior(subordinate), 0) << "its subordinate became a top-level source";
    EXPECT_EQ(kept.RepositoryRefs().Count(), 1u) << "the kept object lists what it took over";

    const std::vector<PostedNotice> expected = {
        {NoticeRepRefsChanged, static_cast<std::uint32_t>(repository), otherId},
        {NoticeTasksChanged, 17u, otherId},
        {NoticeSourceDeleted, 0u, otherId},
    };
    EXPECT_EQ(sink_.posted, expected);
}

TEST_F(Merges, ASuperiorThatWouldBeEitherSourceBecomesNone)
{
    struct Case {
        const char* what;
        bool otherIsKeptsSuperior; // the kept source is part of the other
        bool keptIsOthersSuperior; // the other is part of the kept source, and its superior is taken
    } cases[] = {
        {"kept inside the other", true, false},
        {"the other's superior is the kept source", false, true},
    };
    for (const Case& c : cases) {
        const std::int32_t keptId = AddSource("Kept", "");
        const std::int32_t otherId = AddSource("Other", "", c.keptIsOthersSuperior ? keptId : 0);
        if (c.otherIsKeptsSuperior) {
            SourceRecord kept(keptId, db());
            kept.LoadLinked();
            kept.row.superiorId = otherId;
            ASSERT_TRUE(kept.Save());
        }
        SourceRecord kept(keptId, db());
        kept.LoadLinked();
        SourceRecord other(otherId, db());
        other.LoadLinked();
        SourceMergeChoice take;
        take.superior = c.keptIsOthersSuperior;
        ASSERT_TRUE(MergeSources(kept, other, take, &sink_)) << c.what;
        EXPECT_EQ(kept.row.superiorId, 0) << c.what;
        EXPECT_EQ(StoredSuperior(keptId), 0) << c.what;
    }
}

TEST_F(Merges, ASourceIsNeverMergedWithItselfOrAnUnsavedOne)
{
    const std::int32_t id = AddSource("Alone", "X");
    SourceRecord kept(id, db());
    kept.LoadLinked();
    SourceRecord same(id, db());
    same.LoadLinked();
    EXPECT_FALSE(MergeSources(kept, same, SourceMergeChoice{}, &sink_));
    SourceRecord unsaved(db());
    EXPECT_FALSE(MergeSources(kept, unsaved, SourceMergeChoice{}, &sink_));
    EXPECT_EQ(SourceRecord(id, db()).Id(), id);
    EXPECT_TRUE(sink_.posted.empty());
}

TEST_F(Merges, RepositoriesJoinNotesMoveReferencesAndAnnounceTheDeletion)
{
    CurrentSettings.repository.IncludeOpened = 1;
    const std::int32_t keptId = AddRepository("State archive", "Oslo", "X");
    const std::int32_t otherId = AddRepository("Regional archive", "Bergen", "Y");
    const std::int32_t source = AddSource("Census", "");
    const std::int32_t reference = AddReference(otherId, source, "FT-1801");
    RepositoryListState& list = *RepositoryListOf(db());
    RepositoryRecord listed(otherId, db());
    list.AddOpened(listed);

    RepositoryRecord kept(keptId, db());
    kept.LoadLinked();
    RepositoryRecord other(otherId, db());
    other.LoadLinked();
    RepositoryMergeChoice take;
    take.city = true;
    ASSERT_TRUE(MergeRepositories(kept, other, take, &sink_));

    RepositoryRecord stored(keptId, db());
    stored.LoadLinked();
    EXPECT_STREQ(stored.row.name, "State archive");
    EXPECT_STREQ(stored.Address()->row.city, "Bergen");
    EXPECT_EQ(TextOf(stored.Note()), "X\r\n\r\nY");
    ASSERT_EQ(stored.References().Count(), 1u);
    EXPECT_EQ(stored.References()[0].Id(), reference);
    EXPECT_EQ(TextOf(stored.References()[0].Note()), "shelf note") << "a moved reference keeps its note";
    EXPECT_EQ(kept.References().Count(), 1u);
    EXPECT_EQ(RepositoryRecord(otherId, db()).Id(), 0);
    EXPECT_EQ(CountRows(db(), TableAddress), 1) << "the other's address went with it";
    EXPECT_TRUE(list.Selection().empty()) << "the other left the selection";

    const std::vector<PostedNotice> expected = {
        {NoticeRepRefsChanged, static_cast<std::uint32_t>(otherId), source},
        {NoticeRepositoryDeleted, 0u, otherId},
    };
    EXPECT_EQ(sink_.posted, expected);
}

TEST_F(Merges, AMergeTheEngineRefusesStoresNothingAndPostsNothing)
{
    const std::int32_t keptId = AddRepository("Kept", "Oslo", "X");
    const std::int32_t otherId = AddRepository("Other", "Bergen", "Y");
    RepositoryRecord kept(keptId, db());
    kept.LoadLinked();
    RepositoryRecord other(otherId, db());
    other.LoadLinked();
    // The other was deleted meanwhile (in another window): its row can no longer be deleted.
    ASSERT_TRUE(RepositoryRecord(otherId, db()).Delete());
    RepositoryMergeChoice take;
    take.name = true;
    EXPECT_FALSE(MergeRepositories(kept, other, take, &sink_));
    EXPECT_TRUE(sink_.posted.empty());
    EXPECT_STREQ(kept.row.name, "Kept") << "the kept repository is as stored";
    EXPECT_EQ(TextOf(kept.Note()), "X");
    EXPECT_STREQ(RepositoryRecord(keptId, db()).row.name, "Kept");
}

} // namespace
