// One row of a table under a record id: what every record class shares for reading, writing and
// numbering its row. The row itself is the derived class's; these move its stored bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/schema.h"

class Database;

class TableRow {
public:
    explicit TableRow(Database& database) : database_(&database) {}
    TableRow(const TableRow&) = delete;
    TableRow& operator=(const TableRow&) = delete;

    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }
    Database& OwnerDatabase() const { return *database_; }

protected:
    ~TableRow() = default;

    // A new id in `table`, kept as the object's id and returned (0 when the engine refused).
    std::int32_t NewRowId(TableNumber table);
    // Reads the row of `id` into `row` (`size` bytes; a shorter stored row leaves the rest zero), inside
    // the caller's transaction. Keeps the id on success, else the id becomes 0. The engine's answer.
    std::int32_t ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size);
    // Reads the first used row with an id not below `fromId` and keeps its id; that id, or 0 (and id 0)
    // when there is none.
    std::int32_t ReadNextRow(TableNumber table, std::int32_t fromId, void* row, std::size_t size);
    // Writes `row` under the object's id, inside the caller's transaction; the engine's answer.
    std::int32_t WriteRow(TableNumber table, const void* row);

    Database* database_;
    std::int32_t id_ = 0;
};
