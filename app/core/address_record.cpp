#include "core/address_record.h"

#include <cstring>

#include "core/database.h"

std::int32_t AddressRecord::Read(std::int32_t id)
{
    if (tlvReadRecord(database_->TableId(TableAddress), id, &row, database_->file) != 0) {
        std::memset(&row, 0, sizeof row);
        id_ = 0;
        return 0;
    }
    id_ = id;
    return id_;
}

bool AddressRecord::IsEmpty() const
{
    // The fax counts like every other field: an address of only a fax number is still an address.
    return row.line1[0] == '\0' && row.line2[0] == '\0' && row.city[0] == '\0' && row.country[0] == '\0' &&
           row.phone[0] == '\0' && row.fax[0] == '\0';
}

bool AddressRecord::Save()
{
    const std::int32_t table = database_->TableId(TableAddress);
    if (IsEmpty()) {
        if (id_ != 0 && !DeleteById(id_, *database_))
            return false;
        id_ = 0;
        return true;
    }
    std::int32_t id = id_ != 0 ? id_ : tlvNewID(table, database_->file);
    if (id <= 0)
        return false;
    std::int32_t result = tlvWriteRecord(table, id, &row, database_->file);
    if (result == TLV_ERROR_RECORD) {
        // A row deleted since it was read cannot be written again under its id: it gets a new one.
        id = tlvNewID(table, database_->file);
        if (id <= 0)
            return false;
        result = tlvWriteRecord(table, id, &row, database_->file);
    }
    if (result != 0)
        return false;
    id_ = id;
    return true;
}

bool AddressRecord::DeleteById(std::int32_t id, Database& database)
{
    const std::int32_t result = tlvDeleteRecord(database.TableId(TableAddress), id, database.file);
    return result == 0 || result == TLV_ERROR_RECORD;
}
