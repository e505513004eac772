#include "core/schema.h"

#include "core/database.h"

namespace {

constexpr SchemaColumn Text(std::uint16_t count, bool indexed = false)
{
    return {TLV_TEXT, count, indexed};
}
constexpr SchemaColumn Bytes(std::uint16_t count)
{
    return {TLV_BYTE, count, false};
}
constexpr SchemaColumn Int16()
{
    return {TLV_INT16, 1, false};
}
constexpr SchemaColumn Int32(bool indexed = false)
{
    return {TLV_INT32, 1, indexed};
}

const char* const TableNames[TableCount] = {
    "MAIN2",  "EVENTTYPE", "FORMATTING", "ROLE",   "SOURCE",       "EXCERPT", "EXCERPTREF",
    "PERSON", "ALIAS",     "ATTRIBUTE",  "EVENT",  "RELATIONSHIP", "INFO",    "ASSERTIONLINK",
    "PLACE",  "ADDRESS",   "NAME",       "MEDIA",  "MEDIADATA",    "NOTE",    "REPOSITORY",
    "REPREF", "OBJECTIVE", "TASK",       "ALIAS2", "ATTRIBUTE2",   "EVENT2",  "PLACE2",
};

const SchemaColumn Main2Columns[] = {Text(40),  Text(128), Int16(),   Int32(),  Text(128), Text(128),
                                     Text(128), Text(128), Text(128), Text(20), Bytes(8),  Bytes(8)};
const SchemaColumn EventTypeColumns[] = {Text(32), Int16(),  Int16(),  Bytes(1), Bytes(1),
                                         Text(64), Text(64), Bytes(4), Text(1)};
const SchemaColumn FormattingColumns[] = {Text(64)};
const SchemaColumn RoleColumns[] = {Text(32), Int32()};
const SchemaColumn SourceColumns[] = {Text(128), Text(128), Text(16), Text(128),   Text(16), Bytes(1),
                                      Bytes(1),  Bytes(1),  Bytes(1), Int32(true), Int32(),  Int32()};
const SchemaColumn ExcerptColumns[] = {Text(32), Bytes(1), Int32(true), Int32(), Int32()};
const SchemaColumn ExcerptRefColumns[] = {Int32(true), Int32(true), Bytes(1), Int32()};
const SchemaColumn PersonColumns[] = {Int32(), Int32(), Bytes(1), Bytes(1), Bytes(1)};
const SchemaColumn Alias2Columns[] = {Bytes(50)};
const SchemaColumn Attribute2Columns[] = {Bytes(71)};
const SchemaColumn Event2Columns[] = {Bytes(66)};
const SchemaColumn InfoColumns[] = {Bytes(9)};
const SchemaColumn RelationshipColumns[] = {Bytes(6)};
const SchemaColumn AssertionLinkColumns[] = {Bytes(1), Int32(true), Int32(true), Int32(), Int32()};
const SchemaColumn Place2Columns[] = {Int32(), Int32(), Text(16), Text(128), Text(128, true), Text(128, true)};
const SchemaColumn AddressColumns[] = {Text(320)};
const SchemaColumn NameColumns[] = {Int32(), Text(128), Text(128, true)};
const SchemaColumn MediaColumns[] = {Text(128), Text(128), Int32(true), Int32(), Int32(), Int32(), Int32()};
const SchemaColumn MediaDataColumns[] = {Bytes(4096)};
const SchemaColumn NoteColumns[] = {Bytes(141)};
const SchemaColumn RepositoryColumns[] = {Text(128), Text(128), Text(128), Int32(), Int32()};
const SchemaColumn RepRefColumns[] = {Int32(true), Int32(true), Text(16), Int32()};
const SchemaColumn ObjectiveColumns[] = {Text(128), Int32(), Int32(), Bytes(1), Bytes(9)};
const SchemaColumn TaskColumns[] = {Text(128),   Int32(),     Int32(),  Int32(true),
                                    Int32(true), Int32(true), Bytes(1), Bytes(9)};

template <std::size_t N>
constexpr SchemaTable Table(TableNumber number, const SchemaColumn (&columns)[N], std::uint16_t rowSize)
{
    return {number, columns, static_cast<std::uint8_t>(N), rowSize};
}

const SchemaTable Schema[SchemaTableCount] = {
    Table(TableMain2, Main2Columns, 850),
    Table(TableEventType, EventTypeColumns, 171),
    Table(TableFormatting, FormattingColumns, 64),
    Table(TableRole, RoleColumns, 36),
    Table(TableSource, SourceColumns, 432),
    Table(TableExcerpt, ExcerptColumns, 45),
    Table(TableExcerptRef, ExcerptRefColumns, 13),
    Table(TablePerson, PersonColumns, 11),
    Table(TableAlias2, Alias2Columns, 50),
    Table(TableAttribute2, Attribute2Columns, 71),
    Table(TableEvent2, Event2Columns, 66),
    Table(TableInfo, InfoColumns, 9),
    Table(TableRelationship, RelationshipColumns, 6),
    Table(TableAssertionLink, AssertionLinkColumns, 17),
    Table(TablePlace2, Place2Columns, 408),
    Table(TableAddress, AddressColumns, 320),
    Table(TableName, NameColumns, 260),
    Table(TableMedia, MediaColumns, 276),
    Table(TableMediaData, MediaDataColumns, 4096),
    Table(TableNote, NoteColumns, 141),
    Table(TableRepository, RepositoryColumns, 392),
    Table(TableRepRef, RepRefColumns, 28),
    Table(TableObjective, ObjectiveColumns, 146),
    Table(TableTask, TaskColumns, 158),
};

} // namespace

const char* EngineTableName(TableNumber table)
{
    return table >= 0 && table < TableCount ? TableNames[table] : "";
}

const SchemaTable* SchemaTables()
{
    return Schema;
}

const SchemaTable* FindSchemaTable(TableNumber table)
{
    for (const SchemaTable& entry : Schema)
        if (entry.number == table)
            return &entry;
    return nullptr;
}

std::int32_t AddSchemaTable(const SchemaTable& table, DatabaseFile* file)
{
    ColumnDefinition columns[32] = {};
    for (std::uint8_t i = 0; i < table.columnCount; ++i) {
        columns[i].type = table.columns[i].type;
        columns[i].count = table.columns[i].count;
        columns[i].indexed = table.columns[i].indexed ? 1 : 0;
    }
    TableDefinition definition = {};
    definition.name = EngineTableName(table.number);
    definition.columns = columns;
    definition.columnCount = table.columnCount;
    return tlvAddTable(&definition, file);
}

bool AddSchemaTables(Database& database)
{
    for (const SchemaTable& table : Schema) {
        std::int32_t id = AddSchemaTable(table, database.file);
        if (id <= 0 || tlvGetLastError(database.file) != 0)
            return false;
        database.tableIds[table.number] = id;
    }
    return true;
}

void LookUpTableIds(Database& database)
{
    for (int number = 0; number < TableCount; ++number)
        database.tableIds[number] = tlvGetTableID(TableNames[number], database.file);
}

bool TableRowsFitSchema(const Database& database)
{
    for (int t = 0; t < TableCount; ++t) {
        const SchemaTable* schema = FindSchemaTable(static_cast<TableNumber>(t));
        if (!schema || database.tableIds[t] <= 0)
            continue;
        std::int32_t table = database.TableId(static_cast<TableNumber>(t));
        TableDefinition definition{};
        if (tlvGetTable(table, &definition, database.file) != 0)
            return false;
        for (int c = 1; c <= definition.columnCount; ++c) { // the engine numbers columns from 1
            ColumnInfo column{};
            if (tlvGetColumn(table, c, &column, database.file) != 0)
                return false;
            const int bytes = tlvColumnTypeBytes(column.type);
            if (bytes < 0 || column.offset + bytes * column.count > schema->rowSize)
                return false;
        }
    }
    return true;
}
