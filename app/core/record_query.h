// Finding the rows that belong to an owner: all rows of a table whose indexed 32-bit column holds a key,
// narrowed to those whose second column holds a value, optionally sorted. Runs inside the caller's
// transaction; the engine's collections are freed on every path.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/record_list.h"
#include "core/schema.h"

class Database;

struct RecordQuery {
    TableNumber table;
    std::int32_t column; // indexed 32-bit column compared with `key`
    std::int32_t key;
    std::int32_t selectColumn = 0; // 0: no narrowing; else a byte column compared with `selectValue`
    std::uint8_t selectValue = 0;
    std::int32_t sortColumn = 0; // 0: collection order
};

// The ids found, in collection (or sort) order; nothing when the engine failed.
std::optional<std::vector<std::int32_t>> FindRecordIds(const RecordQuery& query, Database& database);

// Deletes every row the query finds; false when the search or a delete failed.
bool DeleteFoundRecords(const RecordQuery& query, Database& database);

// Fills an empty `list` of a stored owner (the query's key not 0) with one object of every row the query
// finds, in its order, each made ready by `load`, in a transaction of its own (nested in the caller's).
template <typename T, typename Load>
void LoadOwnedRecords(RecordList<T>& list, const RecordQuery& query, Database& database, Load load)
{
    if (query.key == 0 || !list.Empty())
        return;
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    const auto ids = FindRecordIds(query, database);
    if (!ids)
        return;
    for (std::int32_t childId : *ids) {
        auto child = std::make_unique<T>(database);
        load(*child, childId);
        list.Append(std::move(child));
    }
}

// The same for the rows of `table` whose `column` holds the owner's id, in collection order.
template <typename T, typename Load>
void LoadOwnedRecords(RecordList<T>& list, TableNumber table, std::int32_t column, std::int32_t id, Database& database,
                      Load load)
{
    LoadOwnedRecords(list, RecordQuery {table, column, id}, database, load);
}
