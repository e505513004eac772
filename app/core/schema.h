// The schema of a database file: the table numbers by which the program names its tables, the engine
// names behind them, the columns a new database receives, and the header record of MAIN2.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/tolvane.h"

class Database;

// The index into Database::tableIds. The four "old" tables exist only in files made before version
// 10200; the upgrade replaces them by ALIAS2, ATTRIBUTE2, EVENT2 and PLACE2.
enum TableNumber : int {
    TableMain2 = 0,
    TableEventType = 1,
    TableFormatting = 2,
    TableRole = 3,
    TableSource = 4,
    TableExcerpt = 5,
    TableExcerptRef = 6,
    TablePerson = 7,
    TableAliasOld = 8,
    TableAttributeOld = 9,
    TableEventOld = 10,
    TableRelationship = 11,
    TableInfo = 12,
    TableAssertionLink = 13,
    TablePlaceOld = 14,
    TableAddress = 15,
    TableName = 16,
    TableMedia = 17,
    TableMediaData = 18,
    TableNote = 19,
    TableRepository = 20,
    TableRepRef = 21,
    TableObjective = 22,
    TableTask = 23,
    TableAlias2 = 24,
    TableAttribute2 = 25,
    TableEvent2 = 26,
    TablePlace2 = 27,
    TableCount = 28,
};

// Tables a new database receives, and the version of the database it writes.
inline constexpr int SchemaTableCount = 24;
inline constexpr std::int16_t DatabaseVersionCreated = 10200;
inline constexpr std::int16_t DatabaseVersionNewest = 10403;

// The engine name of a table number.
const char* EngineTableName(TableNumber table);

// One table of a new database: its table number and its columns in order.
struct SchemaColumn {
    std::uint8_t type; // TLV_BYTE, TLV_TEXT, TLV_INT16, TLV_INT32
    std::uint16_t count;
    bool indexed;
};
struct SchemaTable {
    TableNumber number;
    const SchemaColumn* columns;
    std::uint8_t columnCount;
    std::uint16_t rowSize; // the record buffer's size
};
// The 24 tables in the order in which a new database adds them.
const SchemaTable* SchemaTables();
// The schema entry of a table number, or null for the old tables.
const SchemaTable* FindSchemaTable(TableNumber table);

// Adds a table of the schema to the file; the engine's table id (-1 on failure). Used by creation and by
// the upgrade, which adds the current assertion and place tables to an old file.
std::int32_t AddSchemaTable(const SchemaTable& table, DatabaseFile* file);
// Adds the 24 tables in schema order and stores each id under its table number. Runs inside the
// caller's read-write transaction; false when the engine refused a table.
bool AddSchemaTables(Database& database);
// Looks every table number's engine id up by name (0 for a table the file lacks). Runs inside the
// caller's transaction.
void LookUpTableIds(Database& database);
// True when no current table of the file has rows longer than the record buffer the program reads them
// into; the engine copies a row at the length the file gives it, which a damaged file decides. Runs inside
// the caller's transaction, after LookUpTableIds.
bool TableRowsFitSchema(const Database& database);

#pragma pack(push, 1)
// Record 1 of MAIN2: the database's title, copyright, version, owner and times (850 bytes).
struct DatabaseHeader {
    char title[40]; // at most 39 characters
    char copyright[128];
    std::int16_t version;  // 10000 x major + 100 x minor + patch
    std::int32_t reserved; // written as 0, never read
    char ownerName[128];
    char ownerAddress1[128];
    char ownerAddress2[128];
    char ownerCity[128];
    char ownerAddress4[128]; // read by exporters with the others; not edited on the owner page
    char ownerPhone[20];
    std::uint64_t created;    // FILETIME of local time
    std::uint64_t lastBackup; // FILETIME of local time; 0 when no backup was made
};
#pragma pack(pop)
static_assert(sizeof(DatabaseHeader) == 850, "the MAIN2 header record is 850 bytes");
static_assert(offsetof(DatabaseHeader, version) == 168 && offsetof(DatabaseHeader, ownerName) == 174);
static_assert(offsetof(DatabaseHeader, ownerPhone) == 814 && offsetof(DatabaseHeader, created) == 834);
