#include "persons/sentence_format.h"

#include <cstring>

#include "core/database.h"

FormattingText::FormattingText(Database& database) : database_(&database) {}

FormattingText::FormattingText(std::int32_t id, Database& database) : database_(&database)
{
    Read(id);
}

std::int32_t FormattingText::Read(std::int32_t id)
{
    id_ = id;
    char row[FormattingTextSize];
    std::int32_t result = tlvReadRecord(database_->TableId(TableFormatting), id, row, database_->file);
    if (result != 0) {
        id_ = 0;
        return result;
    }
    row[FormattingTextSize - 1] = 0;
    SetText(row);
    return 0;
}

void FormattingText::SetText(const char* text)
{
    std::size_t length = 0;
    while (text != nullptr && length < FormattingTextSize - 1 && text[length] != 0)
        ++length;
    if (length != 0)
        std::memcpy(text_, text, length);
    std::memset(text_ + length, 0, FormattingTextSize - length);
}

bool FormattingText::Save()
{
    std::int32_t table = database_->TableId(TableFormatting);
    if (text_[0] != 0) {
        if (id_ == 0) {
            id_ = tlvNewID(table, database_->file);
            if (id_ == 0)
                return false;
        }
        return tlvWriteRecord(table, id_, text_, database_->file) == 0;
    }
    if (id_ == 0)
        return true;
    if (tlvDeleteRecord(table, id_, database_->file) != 0)
        return false;
    id_ = 0;
    return true;
}

bool DeleteFormattingText(std::int32_t id, Database& database)
{
    return tlvDeleteRecord(database.TableId(TableFormatting), id, database.file) == 0;
}
