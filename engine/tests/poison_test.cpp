// An operation that fails after changing blocks leaves the transaction unable to commit: later calls
// answer the error, and the end discards everything and answers it, so the half-done change never
// reaches the file.
#include "engine/database_file.h"
#include "engine/tests/test_support.h"

#include <gtest/gtest.h>

using namespace tolvane_test;

TEST(BrokenTransaction, AHalfDoneOperationIsNeverCommitted)
{
    ScratchFile file("poison.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    std::int32_t table = AddTable(db, "T", {Column(TLV_INT32, 1, true)});
    std::vector<std::uint8_t> before = ReadWholeFile(file.Path());

    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    EXPECT_GT(tlvNewID(table, db), 0);
    std::int32_t answer = db->Run(
        [&] {
            db->NewId(table);
            tolvane::Fail(tolvane::InputOutput); // as a read failing half-way would
            return 0;
        },
        [](tolvane::ErrorCode code) { return static_cast<std::int32_t>(code); });
    EXPECT_EQ(answer, 16);
    EXPECT_EQ(tlvNewID(table, db), 0);
    EXPECT_EQ(tlvGetLastError(db), 16);
    EXPECT_TRUE(EngineConsistent(db)) << "the cache, while the broken transaction runs";
    EXPECT_EQ(tlvEndTransaction(1, db), 16);
    EXPECT_TRUE(EngineConsistent(db)) << "after the discard";
    EXPECT_TRUE(ReadWholeFile(file.Path()) == before);

    // A failure that changed nothing leaves the transaction sound.
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    EXPECT_GT(tlvNewID(table, db), 0);
    EXPECT_EQ(tlvReadRecord(table, 99, nullptr, db), 13);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(tlvEndTransaction(1, db), 0);
    {
        Transaction t(db, TLV_READ);
        EXPECT_EQ(tlvNumberOfRecords(table, db), 1);
    }
    tlvCloseDatabase(db);
}
