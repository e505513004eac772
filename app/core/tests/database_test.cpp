#include <cstring>

#include <gtest/gtest.h>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type_row.h"
#include "platform/little_endian.h"
#include "core/schema.h"
#include "tests/support/test_database.h"

namespace {

using test_support::TestDatabase;

TEST(DatabaseSchema, NewDatabaseHasTheTablesInSchemaOrder)
{
    TestDatabase db;
    const SchemaTable* tables = SchemaTables();
    for (int i = 0; i < SchemaTableCount; ++i)
        EXPECT_EQ(db->tableIds[tables[i].number], i + 1) << EngineTableName(tables[i].number);
    // So table number and engine id differ:
    EXPECT_EQ(db->tableIds[TableAlias2], 9);
    EXPECT_EQ(db->tableIds[TableMain2], 1);
    EXPECT_EQ(db->tableIds[TablePlace2], 15);
}

TEST(DatabaseSchema, LookUpFindsTheCurrentTablesAndLeavesTheOldOnesZero)
{
    TestDatabase db;
    std::int32_t created[TableCount];
    std::memcpy(created, db->tableIds, sizeof created);
    db.Reopen();
    for (int number = 0; number < TableCount; ++number) {
        auto table = static_cast<TableNumber>(number);
        bool old =
            table == TableAliasOld || table == TableAttributeOld || table == TableEventOld || table == TablePlaceOld;
        EXPECT_EQ(db->tableIds[number], old ? 0 : created[number]) << EngineTableName(table);
    }
}

TEST(DatabaseSchema, EveryTableHasItsColumnsAtTheirOffsets)
{
    TestDatabase db;
    EngineTransaction transaction(db.File(), TLV_READ);
    const SchemaTable* tables = SchemaTables();
    for (int i = 0; i < SchemaTableCount; ++i) {
        const SchemaTable& table = tables[i];
        TableDefinition definition = {};
        ASSERT_EQ(tlvGetTable(db.Table(table.number), &definition, db.File()), 0);
        EXPECT_EQ(definition.columnCount, table.columnCount) << EngineTableName(table.number);
        int offset = 0;
        for (int column = 1; column <= table.columnCount; ++column) {
            ColumnInfo info = {};
            ASSERT_EQ(tlvGetColumn(db.Table(table.number), column, &info, db.File()), 0);
            EXPECT_EQ(info.offset, offset) << EngineTableName(table.number) << " column " << column;
            EXPECT_EQ(info.indexed, table.columns[column - 1].indexed ? 1 : 0);
            ASSERT_GT(tlvColumnTypeBytes(info.type), 0) << EngineTableName(table.number) << " column " << column;
            offset += info.count * tlvColumnTypeBytes(info.type);
        }
        EXPECT_EQ(offset, table.rowSize) << EngineTableName(table.number);
    }
    // A few columns as stored files know them.
    ColumnInfo info = {};
    ASSERT_EQ(tlvGetColumn(db.Table(TablePlace2), 6, &info, db.File()), 0);
    EXPECT_EQ(info.offset, 280);
    EXPECT_EQ(info.indexed, 1);
    ASSERT_EQ(tlvGetColumn(db.Table(TableMain2), 3, &info, db.File()), 0);
    EXPECT_EQ(info.type, TLV_INT16);
    EXPECT_EQ(info.offset, 168);
    ASSERT_EQ(tlvGetColumn(db.Table(TableSource), 10, &info, db.File()), 0);
    EXPECT_EQ(info.offset, 420);
    EXPECT_EQ(info.indexed, 1);
}

TEST(DatabaseHeader, IsStoredAsRecordOneOfMain2)
{
    TestDatabase db;
    EXPECT_EQ(+db->header.version, 10200);
    EXPECT_NE(+db->header.created, 0u);
    std::strcpy(db->header.title, "Family");
    std::strcpy(db->header.ownerPhone, "12345");
    db->header.lastBackup = 0x0102030405060708ull;
    {
        EngineTransaction transaction(db.File(), TLV_READWRITE);
        ASSERT_EQ(tlvWriteRecord(db.Table(TableMain2), 1, &db->header, db.File()), 0);
    }
    db.Reopen();
    std::uint8_t raw[850];
    {
        EngineTransaction transaction(db.File(), TLV_READ);
        ASSERT_EQ(tlvReadRecord(db.Table(TableMain2), 1, raw, db.File()), 0);
    }
    EXPECT_STREQ(reinterpret_cast<char*>(raw), "Family");
    EXPECT_EQ(platform::GetI16(raw + 168), 10200);
    EXPECT_STREQ(reinterpret_cast<char*>(raw + 814), "12345");
    EXPECT_EQ(platform::GetU32(raw + 842), 0x05060708u);
    EXPECT_EQ(platform::GetU32(raw + 846), 0x01020304u);
}

TEST(DatabaseHeader, CreationTimeIsAPlausibleFiletime)
{
    // 1 January 2020 and 1 January 2100 as FILETIMEs.
    const std::uint64_t year2020 = 132223104000000000ull;
    const std::uint64_t year2100 = 157469184000000000ull;
    std::uint64_t now = CurrentLocalFileTime();
    EXPECT_GT(now, year2020);
    EXPECT_LT(now, year2100);
}

void WriteEventType(TestDatabase& db, std::int16_t eventClass, std::uint8_t kind)
{
    std::uint8_t row[event_type_row::Size] = {};
    row[event_type_row::ClassOffset] = static_cast<std::uint8_t>(eventClass);
    row[event_type_row::KindOffset] = kind;
    EngineTransaction transaction(db.File(), TLV_READWRITE);
    std::int32_t id = tlvNewID(db.Table(TableEventType), db.File());
    ASSERT_EQ(tlvWriteRecord(db.Table(TableEventType), id, row, db.File()), 0);
}

TEST(DatabaseEventTypes, AreLookedUpUntilFoundAndThenKept)
{
    TestDatabase db;
    EXPECT_EQ(db->BirthEventTypeId(), 0);
    EXPECT_EQ(db->DeathEventTypeId(), 0);
    WriteEventType(db, EventClassBirth, 2); // an attribute type of that class does not count
    WriteEventType(db, EventClassDeath, 1);
    WriteEventType(db, EventClassBirth, 1);
    // Not found before, so looked up again:
    EXPECT_EQ(db->BirthEventTypeId(), 3);
    EXPECT_EQ(db->DeathEventTypeId(), 2);
    // Found once, kept: a type of the class added in front would not change it.
    {
        EngineTransaction transaction(db.File(), TLV_READWRITE);
        ASSERT_EQ(tlvDeleteRecord(db.Table(TableEventType), 3, db.File()), 0);
    }
    EXPECT_EQ(db->BirthEventTypeId(), 3);
}

TEST(DatabaseObject, CutsAPathToItsField)
{
    Database database;
    std::string longPath(400, 'p');
    database.SetPath(longPath.c_str());
    EXPECT_EQ(std::strlen(database.path), DatabasePathSize - 1);
}

TEST(DatabaseObject, ClosingCommitsATransactionStillRunning)
{
    TestDatabase db;
    ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db.File()), 0);
    const std::int32_t id = tlvNewID(db.Table(TableRole), db.File());
    std::uint8_t role[36] = {'G', 'o', 'd', 'p', 'a', 'r', 'e', 'n', 't'};
    ASSERT_EQ(tlvWriteRecord(db.Table(TableRole), id, role, db.File()), 0);
    db.Reopen(); // destroys the Database with the transaction open
    std::uint8_t read[36] = {};
    EngineTransaction transaction(db.File(), TLV_READ);
    ASSERT_EQ(tlvReadRecord(db.Table(TableRole), id, read, db.File()), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(read), "Godparent");
}

} // namespace
