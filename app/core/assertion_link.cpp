#include "core/assertion_link.h"

#include "core/database.h"

std::int32_t AssertionLink::Read(std::int32_t id)
{
    id_ = id;
    return tlvReadRecord(database_->TableId(TableAssertionLink), id_, &row, database_->file);
}

std::int32_t AssertionLink::ReadAll(std::int32_t id)
{
    std::int32_t result = Read(id);
    LoadLinked();
    return result;
}

std::int32_t AssertionLink::Write()
{
    return tlvWriteRecord(database_->TableId(TableAssertionLink), id_, &row, database_->file);
}

bool AssertionLink::Save()
{
    if (id_ == 0)
        id_ = tlvNewID(database_->TableId(TableAssertionLink), database_->file);
    return Write() == 0;
}

bool AssertionLink::Delete()
{
    return DeleteById(id_, *database_);
}

bool AssertionLink::DeleteById(std::int32_t id, Database& database)
{
    return tlvDeleteRecord(database.TableId(TableAssertionLink), id, database.file) == 0;
}
