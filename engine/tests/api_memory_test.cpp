// A tiny block limit: the cache stays small between operations, blocks handed out inside an operation stay
// valid (the sanitizers would see a use of a released buffer), and every answer stays right.
#include "engine/database_file.h"
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace tolvane_test;

TEST(TinyMemory, EverythingWorksWithAOneBlockLimit)
{
    ScratchFile file("tiny.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(tlvSetMemory(8, db), 1);
    std::int32_t table = AddTable(
        db, "PERSON",
        {Column(TLV_TEXT, 40, true), Column(TLV_INT32, 1, true), Column(TLV_LONGTEXT, 1), Column(TLV_BYTE, 100)});
    std::multimap<std::string, std::int32_t> byName;
    for (int batch = 0; batch < 6; ++batch) {
        Transaction t(db);
        for (int i = 0; i < 400; ++i) {
            std::uint8_t row[148] = {};
            std::string name = "Name " + std::to_string((batch * 400 + i) * 7919 % 1000);
            std::memcpy(row, name.c_str(), name.size());
            std::int32_t number = batch * 400 + i;
            std::memcpy(row + 40, &number, 4);
            std::int32_t id = tlvNewID(table, db);
            ASSERT_EQ(tlvWriteRecord(table, id, row, db), 0);
            byName.emplace(name, id);
            if (i % 50 == 0) {
                std::string note(900, static_cast<char>('A' + i % 26));
                ASSERT_EQ(tlvSetField(table, 3, id, note.data(), 900, db), 0);
            }
        }
        EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced)) << "batch " << batch;
    }
    Transaction t(db, TLV_READ);
    std::int32_t previous = 0;
    std::string previousName;
    int walked = 0;
    for (std::int32_t id = tlvGetFirstRecord(table, 1, db); id != 0; id = tlvGetNextRecord(table, 1, id, 1, db)) {
        char name[40] = {};
        ASSERT_EQ(tlvGetField(table, 1, id, name, 40, db), 40);
        EXPECT_LE(previousName, std::string(name)) << "after " << previous;
        previousName = name;
        previous = id;
        ++walked;
    }
    EXPECT_EQ(walked, 2400);
    // Beyond the limit only the pinned catalogue and page maps stay loaded (a dozen blocks).
    EXPECT_LE(tlvGetMemoryUsage(db), 12 * 8);
    for (const char* name : {"Name 0", "Name 517", "Name 999"}) {
        RecordCollection* found = tlvFindAll(table, 1, name, db);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(tlvNumberOfCollRecords(found), static_cast<std::int32_t>(byName.count(name))) << name;
        tlvDeleteColl(found);
    }
    EXPECT_EQ(tlvGetField(table, 3, 1, nullptr, 0, db), 900);
    EXPECT_EQ(tlvGetField(table, 3, 2, nullptr, 0, db), 0);
    t.Commit();
    tlvCloseDatabase(db);
}

// Once a small cache is full, a read transaction reads further blocks in place. What it changes there is
// seen inside it, never reaches the file, and is gone for the next transaction, which reads as before.
TEST(TinyMemory, AReadTransactionBeyondTheLimitChangesNothing)
{
    ScratchFile file("inplace.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    std::int32_t table = AddTable(db, "PERSON", {Column(TLV_INT32, 1, true), Column(TLV_BYTE, 200)});
    constexpr std::int32_t Rows = 3000; // about 80 data blocks
    auto rowOf = [](std::int32_t number) {
        std::vector<std::uint8_t> row(204, static_cast<std::uint8_t>(number));
        std::memcpy(row.data(), &number, 4);
        return row;
    };
    tlvSetMemory(16, db);
    {
        Transaction t(db);
        for (std::int32_t i = 1; i <= Rows; ++i)
            ASSERT_EQ(tlvWriteRecord(table, tlvNewID(table, db), rowOf(i * 7).data(), db), 0);
    }
    auto readsAsWritten = [&](std::int32_t changedId, std::int32_t changedTo) {
        std::vector<std::uint8_t> row(204);
        for (std::int32_t id = 1; id <= Rows; ++id) {
            if (tlvReadRecord(table, id, row.data(), db) != 0)
                return false;
            if (row != rowOf(id == changedId ? changedTo : id * 7))
                return false;
        }
        return true;
    };
    std::vector<std::uint8_t> before = ReadWholeFile(file.Path());
    {
        Transaction t(db, TLV_READ);
        EXPECT_TRUE(readsAsWritten(0, 0));
        EXPECT_LE(tlvGetMemoryUsage(db), 4 * 8) << "blocks read in place hold no memory of the cache";
        ASSERT_EQ(tlvWriteRecord(table, 2500, rowOf(-1).data(), db), 0);
        EXPECT_TRUE(EngineConsistent(db)) << "changed in place";
        EXPECT_TRUE(readsAsWritten(2500, -1)) << "the change is seen inside the transaction";
        EXPECT_EQ(tlvFindNextRecord(0, table, 1, rowOf(-1).data(), db), 2500);
        EXPECT_EQ(t.Commit(), 0);
    }
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
    {
        Transaction t(db, TLV_READ);
        EXPECT_TRUE(readsAsWritten(0, 0)) << "the next transaction reads the file as it is";
        EXPECT_EQ(tlvFindNextRecord(0, table, 1, rowOf(-1).data(), db), 0);
        EXPECT_EQ(tlvFindNextRecord(0, table, 1, rowOf(2500 * 7).data(), db), 2500);
    }
    {
        Transaction t(db);
        ASSERT_EQ(tlvWriteRecord(table, 1234, rowOf(-5).data(), db), 0);
        EXPECT_TRUE(EngineConsistent(db));
    }
    {
        // Searches inside a read-write transaction read their blocks into the cache, which stays near its limit.
        Transaction t(db);
        for (std::int32_t id = 1; id <= Rows; id += 7)
            EXPECT_EQ(tlvFindNextRecord(0, table, 1, rowOf(id == 1234 ? -5 : id * 7).data(), db), id);
        EXPECT_LE(tlvGetMemoryUsage(db), 12 * 8);
    }
    Transaction t(db, TLV_READ);
    EXPECT_TRUE(readsAsWritten(1234, -5)) << "a later commit is unaffected";
    EXPECT_EQ(tlvFindNextRecord(0, table, 1, rowOf(-5).data(), db), 1234);
    t.Commit();
    tlvCloseDatabase(db);
}

// The batch of early writes set through the interface: a write transaction under a small limit holds about
// that many changed blocks, writing the rest early, and 0 brings back the default, which writes nothing early
// for a transaction of this size.
TEST(TinyMemory, TheSpillBatchBoundsWhatAWriteTransactionHolds)
{
    ScratchFile file("batch.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    std::int32_t table = AddTable(db, "PERSON", {Column(TLV_INT32, 1, true), Column(TLV_BYTE, 200)});
    tlvSetMemory(16, db);
    EXPECT_EQ(tlvSetSpillBatch(-3, db), 0);
    EXPECT_EQ(tlvSetSpillBatch(16, db), 16);
    auto writeRows = [&](std::int32_t rows) {
        std::int32_t mostHeld = 0;
        Transaction t(db);
        for (std::int32_t i = 1; i <= rows; ++i) {
            std::vector<std::uint8_t> row(204, static_cast<std::uint8_t>(i));
            std::memcpy(row.data(), &i, 4);
            EXPECT_EQ(tlvWriteRecord(table, tlvNewID(table, db), row.data(), db), 0);
            mostHeld = std::max(mostHeld, tlvGetMemoryUsage(db));
        }
        EXPECT_EQ(t.Commit(), 0);
        return mostHeld;
    };
    const std::int64_t spilledBefore = db->SpilledBlocks();
    EXPECT_LE(writeRows(3000), 2 * 16 * 8) << "kilobytes held, with a batch of 16 blocks";
    EXPECT_GT(db->SpilledBlocks(), spilledBefore + 40) << "most of the 80 changed blocks went early";
    EXPECT_EQ(tlvSetSpillBatch(0, db), 0);
    const std::int64_t spilledWithBatch = db->SpilledBlocks();
    EXPECT_GT(writeRows(3000), 2 * 16 * 8);
    EXPECT_EQ(db->SpilledBlocks(), spilledWithBatch) << "the default batch is far larger than this transaction";
    Transaction reading(db, TLV_READ);
    EXPECT_EQ(tlvNumberOfRecords(table, db), 6000);
    EXPECT_TRUE(EngineConsistent(db));
    reading.Commit();
    tlvCloseDatabase(db);
}
