// Transactions: nesting, read-only access, discards, calls outside a transaction, memory figures and the
// shared mode's waiting for a file that another handle holds.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

using namespace tolvane_test;

namespace {

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = tlvCreateDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        table = AddTable(db, "T", {Column(TLV_INT32, 1, true)});
        ASSERT_EQ(table, 1);
    }
    void TearDown() override { tlvCloseDatabase(db); }

    std::int32_t Count()
    {
        Transaction t(db, TLV_READ);
        return tlvNumberOfRecords(table, db);
    }
    void Reopen()
    {
        tlvCloseDatabase(db);
        db = tlvOpenDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
    }

    ScratchFile file{"transactions.vdb"};
    DatabaseFile* db = nullptr;
    std::int32_t table = 0;
};

} // namespace

TEST_F(TransactionTest, OnlyTheOutermostEndDecides)
{
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    EXPECT_GT(tlvNewID(table, db), 0);
    EXPECT_EQ(tlvEndTransaction(0, db), 0); // the inner discard has no effect
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_GT(tlvNewID(table, db), 0);
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
    Reopen();
    EXPECT_EQ(Count(), 2);

    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    tlvNewID(table, db);
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
    EXPECT_EQ(tlvEndTransaction(0, db), 0); // the outer discard takes the inner commit with it
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(Count(), 2);
}

TEST_F(TransactionTest, NestedReadWriteInsideReadStaysReadOnly)
{
    std::vector<std::uint8_t> before = ReadWholeFile(file.Path());
    ASSERT_EQ(tlvStartTransaction(TLV_READ, db), 0);
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    EXPECT_GT(tlvNewID(table, db), 0);
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
    EXPECT_TRUE(EngineConsistent(db)) << "a change made in a read transaction";
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
    EXPECT_EQ(Count(), 0) << "the cached blocks were read back";
}

TEST_F(TransactionTest, DiscardRestoresCountersAndFreeIds)
{
    {
        Transaction t(db);
        for (int i = 0; i < 5; ++i)
            tlvNewID(table, db);
        tlvDeleteRecord(table, 3, db);
        EXPECT_TRUE(EngineConsistent(db));
    }
    std::vector<std::uint8_t> before = ReadWholeFile(file.Path());
    {
        Transaction t(db);
        EXPECT_EQ(tlvNewID(table, db), 3);
        EXPECT_EQ(tlvNewID(table, db), 6);
        TableDefinition extra{"EXTRA", nullptr, 0, 0};
        EXPECT_EQ(tlvAddTable(&extra, db), 2);
        t.Discard();
    }
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);
    Transaction t(db);
    EXPECT_EQ(tlvGetTableID("EXTRA", db), 0);
    EXPECT_EQ(tlvNumberOfRecords(table, db), 5);
    EXPECT_EQ(tlvNewID(table, db), 3);
}

TEST_F(TransactionTest, CallsOutsideATransactionFailWithTen)
{
    EXPECT_EQ(tlvEndTransaction(1, db), 10);
    EXPECT_EQ(tlvGetLastError(db), 10);
    std::int32_t value = 0;
    ColumnInfo info{};
    TableDefinition definition{"X", nullptr, 0, 0};
    EXPECT_EQ(tlvAddTable(&definition, db), -1);
    EXPECT_EQ(tlvGetTableID("T", db), -1);
    EXPECT_EQ(tlvGetColumn(table, 1, &info, db), 10);
    EXPECT_EQ(tlvNewID(table, db), 0);
    EXPECT_EQ(tlvReadRecord(table, 1, &value, db), 10);
    EXPECT_EQ(tlvWriteRecord(table, 1, &value, db), 10);
    EXPECT_EQ(tlvSetField(table, 1, 1, &value, 4, db), 10);
    EXPECT_EQ(tlvGetField(table, 1, 1, &value, 4, db), 0);
    EXPECT_EQ(tlvFindNextRecord(0, table, 1, &value, db), -1);
    EXPECT_EQ(tlvNumberOfRecords(table, db), -1);
    EXPECT_EQ(tlvFindAll(table, 1, &value, db), nullptr);
    EXPECT_EQ(tlvGetLastError(db), 10);

    {
        Transaction t(db);
        tlvNewID(table, db);
    }
    EXPECT_EQ(tlvReadRecord(table, 1, &value, db), 10) << "after the outermost end";
}

TEST_F(TransactionTest, LastErrorIsClearedBySuccess)
{
    Transaction t(db);
    std::int32_t value = 5;
    EXPECT_EQ(tlvReadRecord(table, 1, &value, db), 13);
    EXPECT_EQ(tlvGetLastError(db), 13);
    std::int32_t id = tlvNewID(table, db);
    EXPECT_EQ(tlvReadRecord(table, id, &value, db), 0);
    EXPECT_EQ(tlvGetLastError(db), 0);
}

TEST_F(TransactionTest, MemoryFigures)
{
    EXPECT_EQ(tlvSetMemory(2048, db), 256);
    EXPECT_EQ(tlvSetMemory(-5, db), 0);
    Reopen();
    EXPECT_EQ(tlvGetMemoryUsage(db), 16) << "blocks 0 and 1";
}

TEST_F(TransactionTest, NullHandlesGetFailureAnswers)
{
    std::int32_t value = 0;
    EXPECT_EQ(tlvGetVersion(), 0x20002);
    EXPECT_EQ(tlvStartTransaction(TLV_READ, nullptr), 2);
    EXPECT_EQ(tlvEndTransaction(1, nullptr), 10);
    EXPECT_EQ(tlvNewID(1, nullptr), 0);
    EXPECT_EQ(tlvReadRecord(1, 1, &value, nullptr), 10);
    EXPECT_EQ(tlvAddTable(nullptr, nullptr), -1);
    EXPECT_EQ(tlvFindNextRecord(0, 1, 1, &value, nullptr), -1);
    EXPECT_EQ(tlvGetMemoryUsage(nullptr), 0);
    EXPECT_EQ(tlvSelectAll(nullptr, 1, &value), nullptr);
    EXPECT_EQ(tlvGetNextCollRecord(nullptr), 0);
    EXPECT_EQ(tlvSortColl(1, nullptr), 10);
    tlvDeleteColl(nullptr);
    tlvCloseDatabase(nullptr);
    Transaction t(db);
    EXPECT_EQ(tlvAddTable(nullptr, db), -1);
    EXPECT_EQ(tlvGetTable(table, nullptr, db), TLV_ERROR_LIMIT);
    EXPECT_EQ(tlvGetColumn(table, 1, nullptr, db), TLV_ERROR_LIMIT);
}

TEST_F(TransactionTest, StartFailsWhileTheFileCannotBeOpened)
{
    std::string aside = file.Path() + ".aside";
    ASSERT_EQ(std::rename(file.Path().c_str(), aside.c_str()), 0);
    EXPECT_EQ(tlvStartTransaction(TLV_READ, db), 2);
    EXPECT_EQ(tlvEndTransaction(1, db), 10) << "no transaction runs after a failed start";
    ASSERT_EQ(std::rename(aside.c_str(), file.Path().c_str()), 0);
    EXPECT_EQ(tlvStartTransaction(TLV_READ, db), 0) << "the next start tries again";
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
}

// A handle in the default mode trusts its cache between transactions, so while it lives no other handle,
// of either mode, may change the file: it is refused instead, and nothing the first one committed is lost.
TEST_F(TransactionTest, NoSecondHandleWhileADefaultHandleLives)
{
    {
        Transaction t(db);
        for (int i = 0; i < 10; ++i)
            tlvNewID(table, db);
    }
    EXPECT_EQ(tlvOpenDatabaseEx(file.c_str(), 0), nullptr);
    EXPECT_EQ(tlvOpenDatabaseEx(file.c_str(), TLV_SHARED), nullptr) << "refused after its retries";
    EXPECT_EQ(tlvCreateDatabaseEx(file.c_str(), 0), nullptr) << "never replaced under its handle";
    {
        Transaction t(db);
        for (int i = 0; i < 10; ++i)
            tlvNewID(table, db);
    }
    EXPECT_EQ(Count(), 20);
    EXPECT_TRUE(EngineConsistent(db));

    tlvCloseDatabase(db);
    db = nullptr;
    DatabaseFile* next = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(next, nullptr) << "the lock goes with the handle";
    {
        Transaction t(next, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(table, next), 20);
    }
    db = next;
}

TEST_F(TransactionTest, SharedModeWaitsForTheFile)
{
    tlvCloseDatabase(db);
    db = tlvOpenDatabaseEx(file.c_str(), TLV_SHARED);
    ASSERT_NE(db, nullptr);
    DatabaseFile* shared = tlvOpenDatabaseEx(file.c_str(), TLV_SHARED);
    ASSERT_NE(shared, nullptr) << "shared handles live side by side";
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    tlvNewID(table, db);
    std::thread holder([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        tlvEndTransaction(1, db);
    });
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(tlvStartTransaction(TLV_READ, shared), 0);
    auto waited = std::chrono::steady_clock::now() - started;
    holder.join();
    EXPECT_GE(waited, std::chrono::milliseconds(1000));
    EXPECT_EQ(tlvNumberOfRecords(table, shared), 1) << "the other handle's commit is seen";
    EXPECT_EQ(tlvEndTransaction(1, shared), 0);
    EXPECT_EQ(tlvGetMemoryUsage(shared), 0) << "shared mode keeps no block between transactions";

    // A commit of the one handle is seen by the other's next transaction.
    {
        Transaction t(db);
        tlvNewID(table, db);
    }
    {
        Transaction t(shared, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(table, shared), 2);
    }
    tlvCloseDatabase(shared);
}

TEST_F(TransactionTest, SharedModeDiscardDropsChangedCatalogueBlocks)
{
    tlvCloseDatabase(db);
    db = tlvOpenDatabaseEx(file.c_str(), TLV_SHARED);
    ASSERT_NE(db, nullptr);
    {
        Transaction t(db);
        TableDefinition extra{"EXTRA", nullptr, 0, 0};
        EXPECT_EQ(tlvAddTable(&extra, db), 2);
        t.Discard();
    }
    EXPECT_TRUE(EngineConsistent(db));
    {
        Transaction t(db);
        EXPECT_EQ(tlvGetTableID("EXTRA", db), 0);
    }
}

TEST_F(TransactionTest, CloseEndsRunningTransactionsWithoutCommit)
{
    tlvStartTransaction(TLV_READWRITE, db);
    tlvStartTransaction(TLV_READWRITE, db);
    tlvNewID(table, db);
    Reopen();
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(Count(), 0);
}
