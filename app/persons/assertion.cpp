#include "persons/assertion.h"

#include <cstring>
#include <vector>

#include "core/database.h"
#include "core/engine_transaction.h"

TableNumber AssertionKindTable(int kind)
{
    switch (kind) {
    case AssertionEvent:
        return TableEvent2;
    case AssertionAttribute:
        return TableAttribute2;
    case AssertionRelationship:
        return TableRelationship;
    case AssertionInfo:
        return TableInfo;
    case AssertionName:
        return TableAlias2;
    default:
        return TableCount;
    }
}

std::int32_t Assertion::ReadRow(TableNumber table, std::int32_t id, void* row, std::size_t size)
{
    id_ = 0;
    std::memset(row, 0, size);
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    // Read into a copy, so that a failed read cannot leave half a row behind.
    std::vector<unsigned char> read(size);
    const std::int32_t result = tlvReadRecord(database_->TableId(table), id, read.data(), database_->file);
    if (result == 0) {
        std::memcpy(row, read.data(), size);
        id_ = id;
    }
    return result;
}

std::int32_t Assertion::NewRowId(TableNumber table)
{
    const std::int32_t id = tlvNewID(database_->TableId(table), database_->file);
    id_ = id > 0 ? id : 0;
    return id_;
}

std::int32_t Assertion::WriteRow(TableNumber table, const void* row)
{
    return tlvWriteRecord(database_->TableId(table), id_, row, database_->file);
}
