#include "records/source_record.h"

#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"

namespace {

// Copies a stored text field, which ends at its terminator or at the field's end.
void CopyField(char* out, std::size_t size, const unsigned char* field)
{
    std::size_t n = 0;
    while (n + 1 < size && field[n] != 0) {
        out[n] = static_cast<char>(field[n]);
        ++n;
    }
    out[n] = '\0';
}

} // namespace

std::int32_t SourceRecord::Read(std::int32_t id)
{
    title_[0] = '\0';
    shortTitle_[0] = '\0';
    id_ = 0;
    unsigned char row[TLV_MAX_RECORD_LENGTH] = {};
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    const std::int32_t result = tlvReadRecord(database_->TableId(TableSource), id, row, database_->file);
    if (result != 0)
        return result;
    id_ = id;
    CopyField(title_, sizeof title_, row + source_row::TitleOffset);
    CopyField(shortTitle_, sizeof shortTitle_, row + source_row::ShortTitleOffset);
    return 0;
}
