// Tables, columns, records, fields and long texts through the interface, with their errors and limits.
#include "engine/tests/test_support.h"
#include "engine/tolvane.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace tolvane_test;

namespace {

// A person-like row: a 32-byte indexed name, an indexed number, a long-text note.
struct Row {
    char name[32];
    std::int32_t number;
    std::int32_t note;
};
static_assert(sizeof(Row) == 40);

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = tlvCreateDatabaseEx(file.c_str(), 0);
        ASSERT_NE(db, nullptr);
        table =
            AddTable(db, "PERSON", {Column(TLV_TEXT, 32, true), Column(TLV_INT32, 1, true), Column(TLV_LONGTEXT, 1)});
        ASSERT_EQ(table, 1);
        ASSERT_EQ(tlvStartTransaction(TLV_READWRITE, db), 0);
    }
    void TearDown() override
    {
        tlvEndTransaction(1, db);
        tlvCloseDatabase(db);
    }

    std::int32_t Add(const char* name, std::int32_t number)
    {
        Row row{};
        std::strncpy(row.name, name, sizeof row.name - 1);
        row.number = number;
        std::int32_t id = tlvNewID(table, db);
        EXPECT_EQ(tlvWriteRecord(table, id, &row, db), 0);
        return id;
    }

    std::string LongText(std::int32_t id)
    {
        std::int32_t length = tlvGetField(table, 3, id, nullptr, 0, db);
        std::string text(static_cast<std::size_t>(length), '\0');
        EXPECT_EQ(tlvGetField(table, 3, id, text.data(), length, db), length);
        return text;
    }

    ScratchFile file{"records.vdb"};
    DatabaseFile* db = nullptr;
    std::int32_t table = 0;
};

} // namespace

TEST_F(RecordTest, DescribesTablesAndColumns)
{
    char name[16] = {};
    TableDefinition definition{name, nullptr, 0, 0};
    Add("A", 1);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    ASSERT_EQ(tlvGetTable(table, &definition, db), 0);
    EXPECT_STREQ(name, "PERSON");
    EXPECT_EQ(definition.columnCount, 3);
    EXPECT_EQ(definition.highestId, 1);

    ColumnInfo info{};
    ASSERT_EQ(tlvGetColumn(table, 2, &info, db), 0);
    EXPECT_EQ(info.type, TLV_INT32);
    EXPECT_EQ(info.count, 1);
    EXPECT_EQ(info.indexed, 1);
    EXPECT_EQ(info.offset, 32);
    ASSERT_EQ(tlvGetColumn(table, 3, &info, db), 0);
    EXPECT_EQ(info.indexed, 0);
    EXPECT_EQ(info.offset, 36);
    EXPECT_EQ(tlvGetColumn(table, 4, &info, db), 12);
    EXPECT_EQ(tlvGetColumn(table, 0, &info, db), 12);
    EXPECT_EQ(tlvGetColumn(9, 1, &info, db), 11);
    EXPECT_EQ(tlvGetTable(0, &definition, db), 11);
}

TEST_F(RecordTest, TableIdsUseOnlyTheLowSixteenBits)
{
    std::int32_t id = Add("A", 1);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    Row row{};
    EXPECT_EQ(tlvReadRecord(table | 0x7ABC0000, id, &row, db), 0);
    EXPECT_EQ(tlvNumberOfRecords(table | 0x10000, db), 1);
}

TEST_F(RecordTest, CorrectionsAreWrittenBackIntoTheDefinition)
{
    ColumnDefinition columns[] = {Column(TLV_INT16, 0), Column(TLV_LONGTEXT, 7, true)};
    TableDefinition definition{"CORRECTED", columns, 2, 0};
    std::int32_t id = tlvAddTable(&definition, db);
    ASSERT_GT(id, 0);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(columns[0].count, 1);
    EXPECT_EQ(columns[1].count, 1);
    EXPECT_EQ(columns[1].indexed, 0);
    ColumnInfo info{};
    tlvGetColumn(id, 2, &info, db);
    EXPECT_EQ(info.offset, 2);
    EXPECT_EQ(info.indexed, 0);
}

TEST_F(RecordTest, NamesAreCutToFifteenAndFoundInAnyCase)
{
    TableDefinition definition{"ABCDEFGHIJKLMNOPQRST", nullptr, 0, 0};
    std::int32_t id = tlvAddTable(&definition, db);
    ASSERT_GT(id, 0);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(tlvGetTableID("abcdefghijklmno", db), id);
    EXPECT_EQ(tlvGetTableID("ABCDEFGHIJKLMNOPQRST", db), 0);
    EXPECT_EQ(tlvGetTableID("person", db), table);
    EXPECT_EQ(tlvGetTableID("missing", db), 0);
}

TEST_F(RecordTest, DefinitionsBeyondTheFormatAreRefusedWholly)
{
    std::vector<ColumnDefinition> many(33, Column(TLV_BYTE, 1));
    std::vector<ColumnDefinition> wide = {Column(TLV_BYTE, 8000), Column(TLV_INT32, 48)}; // 8196 bytes
    std::vector<ColumnDefinition> exact = {Column(TLV_BYTE, 8188)};                       // 8192 bytes
    std::vector<ColumnDefinition> badType = {Column(12, 1)};
    struct Case {
        const char* what;
        const char* name;
        std::vector<ColumnDefinition>* columns;
        std::int32_t error;
    };
    Case cases[] = {
        {"33 columns", "MANY", &many, TLV_ERROR_LIMIT},
        {"record over 8192 bytes", "WIDE", &wide, TLV_ERROR_LIMIT},
        {"unknown column type", "BAD", &badType, TLV_ERROR_LIMIT},
        {"empty name", "", &exact, TLV_ERROR_LIMIT},
        {"record of exactly 8192 bytes", "EXACT", &exact, TLV_OK},
    };
    for (Case& c : cases) {
        TableDefinition definition{c.name, c.columns->data(), static_cast<std::uint8_t>(c.columns->size()), 0};
        std::int32_t id = tlvAddTable(&definition, db);
        EXPECT_EQ(tlvGetLastError(db), c.error) << c.what;
        EXPECT_EQ(id > 0, c.error == TLV_OK) << c.what;
        if (c.error != TLV_OK) {
            EXPECT_EQ(tlvGetTableID(c.name, db), 0) << c.what << " left no table";
        }
        EXPECT_TRUE(EngineConsistent(db)) << c.what;
    }
    std::int32_t exactTable = tlvGetTableID("EXACT", db);
    std::int32_t first = tlvNewID(exactTable, db);
    EXPECT_EQ(tlvNewID(exactTable, db), first + 1);
    EXPECT_TRUE(EngineConsistent(db));
}

TEST_F(RecordTest, IdsAreReusedMostRecentlyDeletedFirst)
{
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(Add("X", i), i);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    for (std::int32_t id : {3, 5, 7, 9}) {
        EXPECT_EQ(tlvDeleteRecord(table, id, db), 0);
        EXPECT_TRUE(EngineConsistent(db)) << "after deleting " << id;
    }
    EXPECT_EQ(tlvNumberOfRecords(table, db), 10);
    EXPECT_EQ(tlvNewID(table, db), 9);
    EXPECT_EQ(tlvNewID(table, db), 7);
    EXPECT_TRUE(EngineConsistent(db));
    Row row{};
    std::memset(&row, 0x55, sizeof row);
    EXPECT_EQ(tlvReadRecord(table, 7, &row, db), 0);
    EXPECT_EQ(row.number, 0) << "a reissued id holds a record of zeros";
    EXPECT_EQ(row.name[0], 0);
}

TEST_F(RecordTest, ReadsOfDeletedAndMissingRecords)
{
    for (int i = 1; i <= 5; ++i)
        Add("X", i * 10);
    tlvDeleteRecord(table, 2, db);
    tlvDeleteRecord(table, 3, db);
    tlvDeleteRecord(table, 5, db);
    EXPECT_TRUE(EngineConsistent(db));
    Row row{};
    EXPECT_EQ(tlvReadRecord(table, 2, &row, db), 13);
    EXPECT_EQ(tlvReadRecord(table, 0, &row, db), 13);
    EXPECT_EQ(tlvReadRecord(table, 6, &row, db), 13);
    EXPECT_EQ(tlvReadNextRecord(table, 2, 1, &row, db), 4);
    EXPECT_EQ(row.number, 40);
    EXPECT_EQ(tlvReadNextRecord(table, 5, 1, &row, db), 0);
    EXPECT_EQ(tlvGetLastError(db), 13);
    EXPECT_EQ(tlvReadNextRecord(table, 2, 0, &row, db), 0);
    EXPECT_EQ(tlvReadNextRecord(table, 1, 1, &row, db), 1);

    EXPECT_EQ(tlvWriteRecord(table, 2, &row, db), 13) << "a deleted id must be issued again first";
    EXPECT_EQ(tlvDeleteRecord(table, 2, db), 13);
    EXPECT_EQ(tlvDeleteRecord(table, 11, db), 13);
    EXPECT_EQ(tlvReadRecord(table + 1, 1, &row, db), 11);
    EXPECT_TRUE(EngineConsistent(db)) << "the refused calls changed nothing";
}

TEST_F(RecordTest, FieldsReadAndWrite)
{
    std::int32_t id = Add("Anna", 7);
    char name[32] = {};
    EXPECT_EQ(tlvGetField(table, 1, id, name, 10, db), 32) << "a short buffer gets the size only";
    EXPECT_EQ(name[0], 0);
    EXPECT_EQ(tlvGetField(table, 1, id, name, 32, db), 32);
    EXPECT_STREQ(name, "Anna");
    std::int32_t number = 99;
    EXPECT_EQ(tlvSetField(table, 2, id, &number, 4, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
    Row row{};
    tlvReadRecord(table, id, &row, db);
    EXPECT_EQ(row.number, 99);
    EXPECT_EQ(tlvFindNextRecord(0, table, 2, &number, db), id) << "the index followed the field";

    EXPECT_EQ(tlvSetField(table, 4, id, &number, 4, db), 12);
    EXPECT_EQ(tlvSetField(table, 2, id + 1, &number, 4, db), 13);
    tlvDeleteRecord(table, id, db);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(tlvSetField(table, 2, id, &number, 4, db), 13) << "a deleted record takes no field";
    EXPECT_EQ(tlvGetField(table, 2, id, &number, 4, db), 0);
    EXPECT_EQ(tlvGetLastError(db), 13);
}

TEST_F(RecordTest, LongTextsAreChainsOfPieces)
{
    std::int32_t id = Add("Anna", 1);
    EXPECT_EQ(tlvGetTableID("@@TEXT", db), 0) << "no text table before the first long text";
    EXPECT_EQ(tlvGetField(table, 3, id, nullptr, 0, db), 0);

    std::string text;
    for (int i = 0; i < 600; ++i)
        text.push_back(static_cast<char>('a' + i % 26));
    ASSERT_EQ(tlvSetField(table, 3, id, text.data(), 600, db), 0);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    std::int32_t textTable = tlvGetTableID("@@TEXT", db);
    ASSERT_GT(textTable, 0);
    EXPECT_EQ(tlvNumberOfRecords(textTable, db), 3);
    EXPECT_EQ(LongText(id), text);

    char piece[256] = {};
    ASSERT_EQ(tlvReadRecord(textTable, 1, piece, db), 0);
    std::int32_t length;
    std::int32_t next;
    std::memcpy(&length, piece + 248, 4);
    std::memcpy(&next, piece + 252, 4);
    EXPECT_EQ(length, 248);
    EXPECT_EQ(next, 2);
    ASSERT_EQ(tlvReadRecord(textTable, 3, piece, db), 0);
    std::memcpy(&length, piece + 248, 4);
    std::memcpy(&next, piece + 252, 4);
    EXPECT_EQ(length, 104);
    EXPECT_EQ(next, 0);

    // A shorter text keeps the first piece and deletes the others.
    ASSERT_EQ(tlvSetField(table, 3, id, text.data(), 100, db), 0);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    EXPECT_EQ(LongText(id), text.substr(0, 100));
    EXPECT_EQ(tlvReadRecord(textTable, 1, piece, db), 0);
    EXPECT_EQ(tlvReadRecord(textTable, 2, piece, db), 13);
    EXPECT_EQ(tlvReadRecord(textTable, 3, piece, db), 13);

    // A partial read copies what fits and answers the whole length.
    char start[10] = {};
    EXPECT_EQ(tlvGetField(table, 3, id, start, 5, db), 100);
    EXPECT_EQ(std::string(start), text.substr(0, 5));

    // Length 0 empties the field; deleting the record deletes its chain.
    ASSERT_EQ(tlvSetField(table, 3, id, text.data(), 300, db), 0);
    std::int32_t other = Add("Bert", 2);
    ASSERT_EQ(tlvSetField(table, 3, other, "note", 4, db), 0);
    ASSERT_EQ(tlvSetField(table, 3, id, nullptr, 0, db), 0);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    EXPECT_EQ(tlvGetField(table, 3, id, nullptr, 0, db), 0);
    EXPECT_EQ(LongText(other), "note");
    ASSERT_EQ(tlvDeleteRecord(table, other, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
    for (std::int32_t piece_id = 1; piece_id <= tlvNumberOfRecords(textTable, db); ++piece_id)
        EXPECT_EQ(tlvReadRecord(textTable, piece_id, piece, db), 13) << "piece " << piece_id;
}

TEST_F(RecordTest, LongTextTableIsFoundAgainAfterADiscard)
{
    std::int32_t id = Add("Anna", 1);
    tlvEndTransaction(1, db);

    tlvStartTransaction(TLV_READWRITE, db);
    ASSERT_EQ(tlvSetField(table, 3, id, "first", 5, db), 0); // makes @@TEXT, then is discarded
    tlvEndTransaction(0, db);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));

    tlvStartTransaction(TLV_READWRITE, db);
    TableDefinition other{"OTHER", nullptr, 0, 0};
    ASSERT_EQ(tlvAddTable(&other, db), 2) << "the discarded text table's slot is free again";
    ASSERT_EQ(tlvSetField(table, 3, id, "second", 6, db), 0);
    EXPECT_EQ(LongText(id), "second");
    EXPECT_EQ(tlvGetTableID("@@TEXT", db), 3);
    EXPECT_EQ(tlvNumberOfRecords(2, db), 0) << "nothing was written into the other table";
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
}

TEST_F(RecordTest, DroppedTableFreesItsSlotAndBlocks)
{
    for (int i = 0; i < 2000; ++i)
        Add("Someone", i);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    tlvEndTransaction(1, db);
    std::size_t size = ReadWholeFile(file.Path()).size();
    tlvStartTransaction(TLV_READWRITE, db);
    ASSERT_EQ(tlvDeleteTable(table, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(tlvDeleteTable(table, db), 11);
    EXPECT_EQ(tlvNumberOfRecords(table, db), -1);
    EXPECT_EQ(tlvGetLastError(db), 11);
    table = AddTable(db, "AGAIN", {Column(TLV_TEXT, 32, true), Column(TLV_INT32, 1, true), Column(TLV_LONGTEXT, 1)});
    EXPECT_EQ(table, 1);
    for (int i = 0; i < 2000; ++i)
        Add("Someone", i);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced));
    tlvEndTransaction(1, db);
    // Data and node blocks came from the free chain; only the three page maps took new blocks.
    EXPECT_EQ(ReadWholeFile(file.Path()).size(), size + 3 * 8192);
    tlvStartTransaction(TLV_READWRITE, db);
}

TEST_F(RecordTest, IndexGroupsRunOut)
{
    // 127 groups in all: PERSON used 3. A table that needs more than remain is refused as a whole.
    std::vector<ColumnDefinition> indexed(31, Column(TLV_INT32, 1, true));
    int added = 0;
    for (;;) {
        std::string name = "T" + std::to_string(added);
        TableDefinition definition{name.c_str(), indexed.data(), 31, 0};
        std::int32_t id = tlvAddTable(&definition, db);
        if (id < 0) {
            EXPECT_EQ(tlvGetLastError(db), TLV_ERROR_INDEXGROUP);
            EXPECT_EQ(tlvGetTableID(name.c_str(), db), 0) << "no half-built table";
            break;
        }
        ++added;
    }
    EXPECT_EQ(added, 3); // 3 + 3 * 32 = 99 groups; a fourth needs 32 of the 28 left
    EXPECT_TRUE(EngineConsistent(db));
    TableDefinition small{"SMALL", indexed.data(), 27, 0};
    EXPECT_GT(tlvAddTable(&small, db), 0);
    TableDefinition plain{"PLAIN", nullptr, 0, 0};
    EXPECT_EQ(tlvAddTable(&plain, db), -1);
    EXPECT_EQ(tlvGetLastError(db), TLV_ERROR_TABLEGROUP);
    EXPECT_EQ(tlvAddIndex(table, 3, db), 0) << "a long text is never indexed";
    // A dropped table's groups can be had again.
    ASSERT_EQ(tlvDeleteTable(tlvGetTableID("T0", db), db), 0);
    EXPECT_GT(tlvAddTable(&plain, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
}

TEST_F(RecordTest, AddedAndRemovedIndexes)
{
    std::int32_t plain = AddTable(db, "PLAIN", {Column(TLV_INT32, 1), Column(TLV_INT32, 1)});
    for (int i = 0; i < 50; ++i) {
        std::int32_t id = tlvNewID(plain, db);
        std::int32_t values[2] = {i % 5, i};
        tlvWriteRecord(plain, id, values, db);
    }
    tlvDeleteRecord(plain, 10, db);
    EXPECT_EQ(tlvGetFirstRecord(plain, 1, db), 0);
    ASSERT_EQ(tlvAddIndex(plain, 1, db), 0);
    EXPECT_TRUE(EngineConsistent(db, Indexes::Balanced)) << "a new index is built by inserts";
    EXPECT_EQ(tlvAddIndex(plain, 1, db), 0);
    EXPECT_EQ(tlvAddIndex(plain, 3, db), 12);
    std::int32_t key = 4;
    std::vector<std::int32_t> found;
    for (std::int32_t id = tlvFindNextRecord(0, plain, 1, &key, db); id > 0;
         id = tlvFindNextRecord(id, plain, 1, &key, db))
        found.push_back(id);
    EXPECT_EQ(found, (std::vector<std::int32_t>{5, 15, 20, 25, 30, 35, 40, 45, 50}));
    ASSERT_EQ(tlvRemoveIndex(plain, 1, db), 0);
    EXPECT_TRUE(EngineConsistent(db));
    EXPECT_EQ(tlvGetFirstRecord(plain, 1, db), 0);
    ColumnInfo info{};
    tlvGetColumn(plain, 1, &info, db);
    EXPECT_EQ(info.indexed, 0);
    EXPECT_EQ(tlvRemoveIndex(plain, 1, db), 0);
}
