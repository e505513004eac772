// What a commit writes: only blocks whose bytes changed, each one's old contents once in the journal, only
// the changed pieces of each block in the file, and the syncs that make it durable; a small journal is
// cleared and written over by the next commit, a large one (or one in the shared mode) deleted.
#include "engine/database_file.h"
#include "engine/tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace tolvane_test;
using tolvane::BlockKind;
using tolvane::WriteStatistics;

namespace {

struct Row {
    char name[40];
    std::int32_t number;
    std::uint8_t other[100];
};

Row MakeRow(int i)
{
    Row row{};
    std::snprintf(row.name, sizeof row.name, "Name %07lld", static_cast<long long>(i) * 7919 % 100003);
    row.number = i * 31 % 1000;
    return row;
}

// Counts of the statistics between two points.
std::int64_t Changed(const WriteStatistics& a, const WriteStatistics& b, BlockKind kind)
{
    return b.changed[static_cast<int>(kind)] - a.changed[static_cast<int>(kind)];
}

std::int64_t Sum(const std::int64_t (&after)[WriteStatistics::Kinds], const std::int64_t (&before)[WriteStatistics::Kinds])
{
    std::int64_t total = 0;
    for (int k = 0; k < WriteStatistics::Kinds; ++k)
        total += after[k] - before[k];
    return total;
}

bool Cleared(const std::vector<std::uint8_t>& journal)
{
    return journal.size() >= 32 && std::all_of(journal.begin(), journal.begin() + 32, [](std::uint8_t b) { return b == 0; });
}

class CommitWritesTest : public ::testing::Test {
protected:
    void Open(std::uint32_t flags, int rows)
    {
        db = tlvCreateDatabaseEx(file.c_str(), flags);
        ASSERT_NE(db, nullptr);
        table = AddTable(db, "PERSON",
                         {Column(TLV_TEXT, 40, true), Column(TLV_INT32, 1, true), Column(TLV_BYTE, 100)});
        Transaction t(db);
        for (int i = 0; i < rows; ++i) {
            Row row = MakeRow(i);
            std::int32_t id = tlvNewID(table, db);
            ASSERT_EQ(tlvWriteRecord(table, id, &row, db), 0);
        }
        ASSERT_EQ(t.Commit(), 0);
    }
    void TearDown() override
    {
        if (db)
            tlvCloseDatabase(db);
    }
    // Rewrites record `id` with `row` in a transaction of its own.
    void CommitRow(std::int32_t id, const Row& row)
    {
        Transaction t(db);
        ASSERT_EQ(tlvWriteRecord(table, id, &row, db), 0);
        ASSERT_EQ(t.Commit(), 0);
    }
    std::string Journal() const { return file.Path() + "-journal"; }

    ScratchFile file{"writes.vdb"};
    DatabaseFile* db = nullptr;
    std::int32_t table = 0;
};

} // namespace

TEST_F(CommitWritesTest, AOneRowUpdateWritesItsChangedBlocksOnce)
{
    Open(0, 3000);
    // A handle of its own, which has no journal yet.
    tlvCloseDatabase(db);
    db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    ASSERT_FALSE(Exists(Journal()));
    const WriteStatistics start = db->Statistics();
    CommitRow(1500, MakeRow(123456));
    const WriteStatistics first = db->Statistics();
    CommitRow(1700, MakeRow(424242));
    const WriteStatistics second = db->Statistics();

    for (const auto& [before, after] : {std::pair(start, first), std::pair(first, second)}) {
        EXPECT_EQ(after.commits - before.commits, 1);
        EXPECT_EQ(Changed(before, after, BlockKind::Data), 1) << "the record's block";
        // The removal and insertion of the record's node in both indexes change nodes of other records too.
        EXPECT_GE(Changed(before, after, BlockKind::IndexNode), 2);
        EXPECT_EQ(Changed(before, after, BlockKind::Header), 0);
        EXPECT_EQ(Changed(before, after, BlockKind::PageMap), 0);
        const std::int64_t changed = Sum(after.changed, before.changed);
        EXPECT_EQ(Sum(after.journaled, before.journaled), changed) << "every changed block journaled once";
        EXPECT_EQ(after.journal.entries - before.journal.entries, changed);
        EXPECT_EQ(after.journal.bytes - before.journal.bytes, 32 + changed * (8 + tolvane::BlockSize));
        const std::int64_t pieces = Sum(after.pieces, before.pieces);
        EXPECT_GE(pieces, changed);
        EXPECT_LT(pieces, 2 * changed) << "a few changed nodes lie in one piece of their block";
        EXPECT_EQ(after.databaseBytes - before.databaseBytes, pieces * tolvane::WritePiece);
        EXPECT_EQ(after.databaseFlushes - before.databaseFlushes, 1);
    }
    // The first commit creates the journal and makes its entry in the folder durable; the second writes over
    // it, first making the cleared header durable.
    EXPECT_EQ(first.journal.fileFlushes - start.journal.fileFlushes, 1);
    EXPECT_EQ(first.journal.folderFlushes - start.journal.folderFlushes, 1);
    EXPECT_EQ(second.journal.fileFlushes - first.journal.fileFlushes, 2);
    EXPECT_EQ(second.journal.folderFlushes - first.journal.folderFlushes, 0);
    EXPECT_TRUE(Cleared(ReadWholeFile(Journal()))) << "the journal stays beside the file, cleared";

    tlvCloseDatabase(db);
    db = nullptr;
    EXPECT_FALSE(Exists(Journal())) << "and goes with the handle";
    db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    Transaction t(db, TLV_READ);
    Row row{};
    ASSERT_EQ(tlvReadRecord(table, 1700, &row, db), 0);
    EXPECT_STREQ(row.name, MakeRow(424242).name);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Ordered));
}

TEST_F(CommitWritesTest, ACommitThatChangesNoBytesWritesNothing)
{
    Open(0, 500);
    std::vector<std::uint8_t> before = ReadWholeFile(file.Path());
    std::vector<std::uint8_t> journalBefore = ReadWholeFile(Journal());
    const WriteStatistics start = db->Statistics();
    // The same bytes again in a column without an index: the block is flagged changed but holds what the
    // file holds.
    {
        Transaction t(db);
        Row row = MakeRow(249);
        ASSERT_EQ(tlvSetField(table, 3, 250, row.other, sizeof row.other, db), 0);
        ASSERT_EQ(t.Commit(), 0);
    }
    const WriteStatistics after = db->Statistics();
    EXPECT_GT(after.unchanged - start.unchanged, 0);
    EXPECT_EQ(Sum(after.changed, start.changed), 0);
    EXPECT_EQ(after.commits, start.commits);
    EXPECT_EQ(after.journal.bytes, start.journal.bytes);
    EXPECT_EQ(after.journal.fileFlushes, start.journal.fileFlushes);
    EXPECT_EQ(after.databaseFlushes, start.databaseFlushes);
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
    EXPECT_TRUE(ReadWholeFile(Journal()) == journalBefore) << "the cleared journal of the fill, untouched";
}

TEST_F(CommitWritesTest, ALargeJournalIsDeletedAndASmallOneKept)
{
    Open(0, 20000);
    {
        // Every record rewritten: hundreds of blocks journaled, more than is kept.
        Transaction t(db);
        for (std::int32_t id = 1; id <= 20000; ++id) {
            Row row = MakeRow(id + 77);
            ASSERT_EQ(tlvWriteRecord(table, id, &row, db), 0);
        }
        ASSERT_EQ(t.Commit(), 0);
    }
    EXPECT_GT(db->Statistics().journal.entries, 128);
    EXPECT_FALSE(Exists(Journal()));
    CommitRow(5, MakeRow(99999));
    EXPECT_TRUE(Cleared(ReadWholeFile(Journal())));
}

TEST_F(CommitWritesTest, TheSharedModeLeavesNoJournal)
{
    Open(1, 500);
    CommitRow(5, MakeRow(99999));
    EXPECT_FALSE(Exists(Journal())) << "another handle would find it";
    // Another handle in the shared mode commits between this one's transactions.
    DatabaseFile* other = tlvOpenDatabaseEx(file.c_str(), 1);
    ASSERT_NE(other, nullptr);
    {
        Transaction t(other);
        Row row = MakeRow(4242);
        ASSERT_EQ(tlvWriteRecord(table, 6, &row, other), 0);
        ASSERT_EQ(t.Commit(), 0);
    }
    tlvCloseDatabase(other);
    CommitRow(7, MakeRow(31337));
    Transaction t(db, TLV_READ);
    Row row{};
    ASSERT_EQ(tlvReadRecord(table, 6, &row, db), 0);
    EXPECT_STREQ(row.name, MakeRow(4242).name);
}
