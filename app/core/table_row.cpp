#include "core/table_row.h"

#include <cstring>

#include "core/database.h"

namespace {

// The engine never answers more than a record's greatest length, so a row read through this buffer cannot
// overrun the record's own, however long the stored row of a damaged file is.
struct RowBuffer {
    unsigned char bytes[TLV_MAX_RECORD_LENGTH] = {};
};

} // namespace

std::int32_t TableRow::NewRowId(TableNumber table)
{
    const std::int32_t id = tlvNewID(database_->TableId(table), database_->file);
    id_ = id > 0 ? id : 0;
    return id_;
}

std::int32_t TableRow::ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size)
{
    id_ = 0;
    RowBuffer buffer;
    const std::int32_t result = tlvReadRecord(database_->TableId(table), id, buffer.bytes, database_->file);
    if (result == 0) {
        std::memcpy(row, buffer.bytes, size);
        id_ = id;
    }
    return result;
}

std::int32_t TableRow::ReadNextRow(TableNumber table, std::int32_t fromId, void* row, std::size_t size)
{
    id_ = 0;
    RowBuffer buffer;
    const std::int32_t found =
        tlvReadNextRecord(database_->TableId(table), fromId < 1 ? 1 : fromId, 1, buffer.bytes, database_->file);
    if (found <= 0)
        return 0;
    std::memcpy(row, buffer.bytes, size);
    id_ = found;
    return found;
}

std::int32_t TableRow::WriteRow(TableNumber table, const void* row)
{
    return tlvWriteRecord(database_->TableId(table), id_, row, database_->file);
}
