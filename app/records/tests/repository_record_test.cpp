// Repositories and repository references against a real database file: the rows, the address and the
// note chains they own, the references a repository lists, and deletion with everything owned.
#include "records/repository_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/note_text.h"
#include "core/write_transaction.h"
#include "tests/support/test_database.h"

namespace {

using test_support::CountRows;
using test_support::RawRow;
using test_support::TestDatabase;

NoteRowData NoteRowOf(Database& database, std::int32_t id)
{
    NoteRowData note = {};
    const auto bytes = RawRow(database, TableNote, id, sizeof note);
    std::memcpy(&note, bytes.data(), sizeof note);
    return note;
}

class Repositories : public ::testing::Test {
protected:
    Database& db() { return *database_; }

    // A repository with a name, an address of one city and a note, saved; its id.
    std::int32_t AddRepository(const char* name, const char* city, const char* note)
    {
        RepositoryRecord repository(db());
        repository.LoadLinked();
        repository.SetName(name);
        StoreCity(*repository.Address(), city);
        repository.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return repository.Save(); }));
        return repository.Id();
    }

    std::int32_t AddReference(std::int32_t repositoryId, std::int32_t sourceId, const char* callNumber,
                              const char* note)
    {
        RepositoryRef reference(db());
        reference.row.repositoryId = repositoryId;
        reference.row.sourceId = sourceId;
        reference.SetCallNumber(callNumber);
        reference.LoadNote();
        reference.Note()->SetText(note);
        EXPECT_TRUE(RunWriteTransaction(db(), [&] { return reference.Save(); }));
        return reference.Id();
    }

    static void StoreCity(AddressRecord& address, const char* city)
    {
        std::memset(address.row.city, 0, sizeof address.row.city);
        std::strncpy(address.row.city, city, sizeof address.row.city - 1);
    }

    TestDatabase database_;
};

TEST_F(Repositories, ANewRepositoryStoresItsRowAddressAndNoteUnderItsNewId)
{
    const std::int32_t id = AddRepository("Riksarkivet", "Oslo", "open Mondays");
    ASSERT_NE(id, 0);
    database_.Reopen();

    const auto bytes = RawRow(db(), TableRepository, id, sizeof(RepositoryRow));
    RepositoryRow row;
    std::memcpy(&row, bytes.data(), sizeof row);
    EXPECT_STREQ(row.name, "Riksarkivet");
    ASSERT_NE(row.addressId, 0);
    ASSERT_NE(row.noteId, 0);
    const NoteRowData note = NoteRowOf(db(), row.noteId);
    EXPECT_EQ(note.ownerId, id) << "the id is issued before the note is saved";
    EXPECT_EQ(note.ownerType, TableRepository);

    RepositoryRecord loaded(db());
    loaded.ReadAndLoad(id);
    EXPECT_EQ(loaded.Id(), id);
    ASSERT_NE(loaded.Address(), nullptr);
    EXPECT_STREQ(loaded.Address()->row.city, "Oslo");
    EXPECT_STREQ(loaded.Note()->Text(), "open Mondays");
}

TEST_F(Repositories, AMissingIdReadsAsAnEmptyRepository)
{
    const std::int32_t id = AddRepository("Archive", "Bergen", "n");
    RepositoryRecord repository(id, db());
    repository.Read(id + 5);
    EXPECT_EQ(repository.Id(), 0);
    EXPECT_STREQ(repository.row.name, "") << "a failed read clears the row";
    EXPECT_EQ(repository.row.addressId, 0);

    repository.ReadAndLoad(id + 5);
    ASSERT_NE(repository.Address(), nullptr);
    EXPECT_TRUE(repository.Address()->IsEmpty());
    ASSERT_NE(repository.Note(), nullptr);
    EXPECT_EQ(repository.Note()->Text(), nullptr);
    EXPECT_TRUE(repository.References().Empty());
}

TEST_F(Repositories, AnEmptiedAddressAndNoteLoseTheirRows)
{
    const std::int32_t id = AddRepository("Archive", "Bergen", "a note");
    ASSERT_EQ(CountRows(db(), TableAddress), 1);
    RepositoryRecord repository(db());
    repository.ReadAndLoad(id);
    StoreCity(*repository.Address(), "");
    repository.Note()->SetText("");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return repository.Save(); }));

    EXPECT_EQ(repository.row.addressId, 0);
    EXPECT_EQ(repository.row.noteId, 0);
    EXPECT_EQ(CountRows(db(), TableAddress), 0);
    EXPECT_EQ(CountRows(db(), TableNote), 0);
}

TEST_F(Repositories, SaveOutsideAWriteTransactionFails)
{
    RepositoryRecord repository(db());
    repository.SetName("nowhere");
    EXPECT_FALSE(repository.Save());
    EXPECT_EQ(repository.Id(), 0);
    EXPECT_EQ(CountRows(db(), TableRepository), 0);
}

TEST_F(Repositories, AReferenceStoresItsNoteOnlyWhenItHasOne)
{
    const std::int32_t repository = AddRepository("Archive", "Bergen", "");
    const std::int32_t bare = AddReference(repository, 7, "a call number too long", "");
    const std::int32_t noted = AddReference(repository, 8, "B-12", "shelf 4");

    RepositoryRef first(db());
    {
        auto transaction = test_support::Transaction(db());
        first.ReadAndLoadNote(bare);
    }
    EXPECT_EQ(first.row.noteId, 0);
    EXPECT_EQ(first.row.sourceId, 7);
    EXPECT_STREQ(first.row.callNumber, std::string("a call number too long").substr(0, 15).c_str());
    EXPECT_EQ(CountRows(db(), TableNote), 1);

    RepositoryRef second(db());
    {
        auto transaction = test_support::Transaction(db());
        second.ReadAndLoadNote(noted);
    }
    ASSERT_NE(second.row.noteId, 0);
    const NoteRowData note = NoteRowOf(db(), second.row.noteId);
    EXPECT_EQ(note.ownerId, noted);
    EXPECT_EQ(note.ownerType, TableRepRef);
    EXPECT_STREQ(second.Note()->Text(), "shelf 4");
}

TEST_F(Repositories, TheRepositoryListsTheReferencesThatPointAtItOnce)
{
    const std::int32_t archive = AddRepository("Archive", "Bergen", "");
    const std::int32_t library = AddRepository("Library", "Oslo", "");
    AddReference(archive, 1, "A1", "");
    AddReference(library, 2, "L1", "");
    AddReference(archive, 3, "A2", "n");

    RepositoryRecord repository(db());
    repository.ReadAndLoad(archive);
    ASSERT_EQ(repository.References().Count(), 2u);
    EXPECT_STREQ(repository.References()[0].row.callNumber, "A1");
    EXPECT_STREQ(repository.References()[1].row.callNumber, "A2");
    EXPECT_STREQ(repository.References()[1].Note()->Text(), "n");

    AddReference(archive, 4, "A3", "");
    repository.LoadReferences();
    EXPECT_EQ(repository.References().Count(), 2u) << "a loaded list is not loaded again";
    repository.ReloadChildren();
    EXPECT_EQ(repository.References().Count(), 3u);
}

TEST_F(Repositories, DeleteTakesTheReferencesNotesAndAddressAlong)
{
    const std::int32_t archive = AddRepository("Archive", "Bergen", "its note");
    const std::int32_t library = AddRepository("Library", "Oslo", "");
    AddReference(archive, 1, "A1", "ref note");
    const std::int32_t kept = AddReference(library, 2, "L1", "");

    RepositoryRecord repository(db());
    repository.ReadAndLoad(archive);
    ASSERT_TRUE(repository.Delete());
    database_.Reopen();

    EXPECT_EQ(CountRows(db(), TableRepository), 1);
    EXPECT_EQ(CountRows(db(), TableRepRef), 1);
    EXPECT_EQ(RawRow(db(), TableRepRef, kept, 4)[0], library);
    EXPECT_EQ(CountRows(db(), TableNote), 0);
    EXPECT_EQ(CountRows(db(), TableAddress), 1) << "only the library's address is left";
}

} // namespace
