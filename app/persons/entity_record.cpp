#include "persons/entity_record.h"

#include <cstring>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"

namespace {

// No row outgrows one engine block: a damaged file cannot make a read overrun the record's buffer.
constexpr std::size_t EngineBlockSize = 8192;

} // namespace

std::int32_t EntityRecord::NewRowId(TableNumber table)
{
    const std::int32_t id = tlvNewID(database_->TableId(table), database_->file);
    id_ = id > 0 ? id : 0;
    return id_;
}

std::int32_t EntityRecord::ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    std::vector<unsigned char> buffer(EngineBlockSize);
    const std::int32_t result = tlvReadRecord(database_->TableId(table), id, buffer.data(), database_->file);
    if (result == 0) {
        std::memcpy(row, buffer.data(), size);
        id_ = id;
    }
    return result;
}

std::int32_t EntityRecord::WriteRow(TableNumber table, const void* row)
{
    return tlvWriteRecord(database_->TableId(table), id_, row, database_->file);
}
