// The limits of the file format are refused with error 17, never wrapped: a file whose block count
// reaches 32767 takes no more records, and what was stored stays sound and committable.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace tolvane_test;

TEST(FormatLimits, AFullFileRefusesNewRecordsCleanly)
{
    ScratchFile file("full.vdb");
    DatabaseFile* db = tlvCreateDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    std::int32_t table = AddTable(db, "BIG", {Column(TLV_BYTE, 8184), Column(TLV_INT32, 1, true)});
    tlvCloseDatabase(db);

    // Move the block counter close to its end, the file grown (sparse) to the length the counter claims.
    std::vector<std::uint8_t> bytes = ReadWholeFile(file.Path());
    bytes[10] = static_cast<std::uint8_t>(32760 & 0xFF);
    bytes[11] = static_cast<std::uint8_t>(32760 >> 8);
    WriteWholeFile(file.Path(), bytes);
    std::filesystem::resize_file(file.Path(), std::uintmax_t {32760} * 8192);

    db = tlvOpenDatabaseEx(file.c_str(), 0);
    ASSERT_NE(db, nullptr);
    std::int32_t issued = 0;
    {
        Transaction t(db);
        for (;;) {
            std::int32_t id = tlvNewID(table, db);
            if (id == 0)
                break;
            ++issued;
            ASSERT_LT(issued, 20);
        }
        EXPECT_EQ(tlvGetLastError(db), TLV_ERROR_LIMIT);
        EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced)) << "the refused call left nothing half-done";
        EXPECT_EQ(tlvNumberOfRecords(table, db), issued);
        EXPECT_EQ(t.Commit(), 0) << "the refused call left nothing half-done";
    }
    EXPECT_GE(issued, 1);
    tlvCloseDatabase(db);

    db = tlvOpenDatabaseEx(file.c_str(), 0);
    {
        Transaction t(db, TLV_READ);
        std::vector<std::uint8_t> row(8192);
        for (std::int32_t id = 1; id <= issued; ++id)
            EXPECT_EQ(tlvReadRecord(table, id, row.data(), db), 0);
        std::int32_t walked = 0;
        for (std::int32_t id = tlvGetFirstRecord(table, 2, db); id != 0; id = tlvGetNextRecord(table, 2, id, 1, db))
            ++walked;
        EXPECT_EQ(walked, issued);
    }
    {
        // Deleting frees no block, but a freed id is issued again without needing one.
        Transaction t(db);
        EXPECT_EQ(tlvDeleteRecord(table, 1, db), 0);
        EXPECT_EQ(tlvNewID(table, db), 1);
        TableDefinition more{"MORE", nullptr, 0, 0};
        std::int32_t added = tlvAddTable(&more, db);
        EXPECT_GT(added, 0) << "a table in an existing directory block needs no block";
        EXPECT_TRUE(EngineConsistent(db));
    }
    tlvCloseDatabase(db);
}
