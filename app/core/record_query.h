// Finding the rows that belong to an owner: all rows of a table whose indexed 32-bit column holds a key,
// narrowed to those whose second column holds a value, optionally sorted. Runs inside the caller's
// transaction; the engine's collections are freed on every path.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

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
