#include "core/entity_record.h"

#include "core/database.h"
#include "core/engine_transaction.h"

std::int32_t EntityRecord::ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    return TableRow::ReadRow(table, id, row, size);
}
