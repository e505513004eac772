// Points one table id of a Database at a table the file lacks for the object's lifetime, so that every
// engine call on that table is refused: the stand-in for an engine failure in tests of the callers.
#pragma once

#include <cstdint>

#include "core/database.h"

class MissingTable {
public:
    static constexpr std::int32_t AbsentTableId = 0x7FFF;

    MissingTable(Database& database, TableNumber table)
        : database_(database), table_(table), saved_(database.tableIds[table])
    {
        database_.tableIds[table_] = AbsentTableId;
    }
    ~MissingTable() { database_.tableIds[table_] = saved_; }
    MissingTable(const MissingTable&) = delete;
    MissingTable& operator=(const MissingTable&) = delete;

private:
    Database& database_;
    TableNumber table_;
    std::int32_t saved_;
};
