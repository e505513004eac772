#include "persons/upgrade.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/place_record.h"
#include "core/schema.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/name_assertion.h"

namespace {

constexpr std::int16_t AssertionTablesVersion = 10000;
constexpr std::int32_t HeaderRecordId = 1;

// The most of a row that each old-format reader takes. The engine copies a row whole, at the width the
// file declares for its table, so a damaged file with wider rows must not reach a reader.
constexpr std::size_t OldAttributeRowLimit = 71;
constexpr std::size_t OldEventRowLimit = 256;
constexpr std::size_t OldAliasRowLimit = 50;
constexpr std::size_t OldPlaceRowLimit = TLV_MAX_RECORD_LENGTH;

// What converting one old row found.
enum class RowMove { Written, Dead, Failed };

// Adds a table of the schema that the file must not have yet; false when it has it or the engine refuses.
bool AddNewTable(Database& database, TableNumber table)
{
    const SchemaTable* schema = FindSchemaTable(table);
    if (schema == nullptr || tlvGetTableID(EngineTableName(table), database.file) != 0)
        return false;
    const std::int32_t id = AddSchemaTable(*schema, database.file);
    if (id <= 0)
        return false;
    database.tableIds[table] = id;
    return true;
}

// Whether the rows of a table are at most `limit` bytes wide.
bool RowsFit(Database& database, std::int32_t table, std::size_t limit)
{
    TableDefinition definition{};
    if (tlvGetTable(table, &definition, database.file) != 0)
        return false;
    std::size_t width = 0;
    for (std::int32_t column = 1; column <= definition.columnCount; ++column) {
        ColumnInfo info{};
        if (tlvGetColumn(table, column, &info, database.file) != 0)
            return false;
        // A type the engine does not know has no width to trust: such a table does not fit.
        const int bytes = tlvColumnTypeBytes(info.type);
        if (bytes < 0)
            return false;
        width = std::max(width, info.offset + info.count * static_cast<std::size_t>(bytes));
    }
    return width <= limit;
}

// Moves the rows of an old table into its new one, id for id: the new table is issued the ids 1 to the
// old table's highest in order, each live old row is converted and written under its own id, and the
// ids of dead old rows are freed again at the end (freeing at once would have the next id reuse them).
// A file without the old table has nothing to move.
template <typename MoveRow>
bool MoveRows(Database& database, TableNumber oldTable, TableNumber newTable, std::size_t rowLimit, MoveRow moveRow)
{
    const std::int32_t oldId = database.TableId(oldTable);
    if (oldId == 0)
        return true;
    if (!RowsFit(database, oldId, rowLimit))
        return false;
    const std::int32_t newId = database.TableId(newTable);
    const std::int32_t highest = tlvNumberOfRecords(oldId, database.file);
    if (highest < 0)
        return false;
    std::vector<std::int32_t> dead;
    for (std::int32_t id = 1; id <= highest; ++id) {
        if (tlvNewID(newId, database.file) != id)
            return false;
        switch (moveRow(id)) {
        case RowMove::Written:
            break;
        case RowMove::Dead:
            dead.push_back(id);
            break;
        case RowMove::Failed:
            return false;
        }
    }
    for (std::int32_t id : dead)
        if (tlvDeleteRecord(newId, id, database.file) != 0)
            return false;
    return true;
}

// A reader's answer for an old row: a freed id is no failure, any other error is.
RowMove ReadResult(std::int32_t result)
{
    if (result == TLV_ERROR_RECORD)
        return RowMove::Dead;
    return result == 0 ? RowMove::Written : RowMove::Failed;
}

template <typename AssertionClass> RowMove MoveAssertion(AssertionClass& assertion, std::int32_t id)
{
    const RowMove read = ReadResult(assertion.ReadOldRecord(id));
    if (read != RowMove::Written)
        return read;
    return assertion.Write() == 0 ? RowMove::Written : RowMove::Failed;
}

bool DropOldTable(Database& database, TableNumber table)
{
    const std::int32_t id = database.TableId(table);
    if (id != 0 && tlvDeleteTable(id, database.file) != 0)
        return false;
    database.tableIds[table] = 0;
    return true;
}

bool WriteVersion(Database& database, std::int16_t version)
{
    database.header.version = version;
    return tlvWriteRecord(database.TableId(TableMain2), HeaderRecordId, &database.header, database.file) == 0;
}

} // namespace

bool UpgradeAssertionTables(Database& database)
{
    if (!AddNewTable(database, TableAlias2) || !AddNewTable(database, TableAttribute2) ||
        !AddNewTable(database, TableEvent2))
        return false;
    AttributeAssertion attribute(database);
    EventAssertion event(database);
    NameAssertion alias(database);
    return MoveRows(database, TableAttributeOld, TableAttribute2, OldAttributeRowLimit,
                    [&](std::int32_t id) { return MoveAssertion(attribute, id); }) &&
           MoveRows(database, TableEventOld, TableEvent2, OldEventRowLimit,
                    [&](std::int32_t id) { return MoveAssertion(event, id); }) &&
           MoveRows(database, TableAliasOld, TableAlias2, OldAliasRowLimit,
                    [&](std::int32_t id) { return MoveAssertion(alias, id); }) &&
           DropOldTable(database, TableAttributeOld) && DropOldTable(database, TableEventOld) &&
           DropOldTable(database, TableAliasOld) && WriteVersion(database, AssertionTablesVersion);
}

bool UpgradePlaceTable(Database& database)
{
    if (!AddNewTable(database, TablePlace2))
        return false;
    PlaceRecord place(database);
    const auto movePlace = [&](std::int32_t id) {
        const RowMove read = ReadResult(place.ReadOld(id));
        if (read != RowMove::Written)
            return read;
        // Write computes the index text that the old rows lack.
        return place.Write() == 0 && place.Id() == id ? RowMove::Written : RowMove::Failed;
    };
    return MoveRows(database, TablePlaceOld, TablePlace2, OldPlaceRowLimit, movePlace) &&
           DropOldTable(database, TablePlaceOld) && WriteVersion(database, DatabaseVersionCreated);
}

bool UpgradeOlderDatabase(Database& database)
{
    const DatabaseHeader header = database.header;
    std::int32_t tableIds[TableCount];
    std::copy(std::begin(database.tableIds), std::end(database.tableIds), tableIds);

    EngineTransaction transaction(database.file, TLV_READWRITE);
    bool upgraded = transaction.Running();
    if (upgraded && database.header.version < AssertionTablesVersion)
        upgraded = UpgradeAssertionTables(database);
    if (upgraded && database.header.version < DatabaseVersionCreated)
        upgraded = UpgradePlaceTable(database);
    if (upgraded)
        upgraded = transaction.End(true) == 0;
    else
        transaction.End(false);
    if (!upgraded) {
        database.header = header;
        std::copy(std::begin(tableIds), std::end(tableIds), database.tableIds);
        database.Places().Clear();
    }
    return upgraded;
}
