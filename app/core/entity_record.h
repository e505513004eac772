// The common base of the primary records (person, source, repository, research objective): one row of the
// record's table under a record id, and everything hanging from it loaded into objects the record owns.
// The six operations stand in this order in every primary record class.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/table_row.h"

class EntityRecord : public TableRow {
public:
    explicit EntityRecord(Database& database) : TableRow(database) {}
    virtual ~EntityRecord() = default;

    // A new id in the record's table, kept as the object's id and returned (0 when the engine refused).
    virtual std::int32_t NewId() = 0;
    // Loads every linked record into the object's lists.
    virtual void LoadLinked() = 0;
    // Reads the row of `id` in a transaction of its own; on failure the object's id becomes 0. The
    // engine's answer (0 success).
    virtual std::int32_t Read(std::int32_t id) = 0;
    // Read, then LoadLinked.
    virtual void ReadAndLoad(std::int32_t id) = 0;
    // Writes the row under the object's id, inside the caller's transaction; the engine's answer.
    virtual std::int32_t Write() = 0;
    // Gives the record an id when it has none, saves its linked records and writes the row, inside the
    // caller's read-write transaction; true when every write succeeded.
    virtual bool Save() = 0;

protected:
    // A primary record reads its row in a transaction of its own (TableRow::ReadRow inside it).
    std::int32_t ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size);
};
