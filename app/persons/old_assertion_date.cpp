#include "persons/old_assertion_date.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

DateValue ConvertOldDateValue(const unsigned char* old)
{
    DateValue value = {};
    value.modifier = old[0];
    value.calendar = old[1];
    value.minute = DateFieldNone;
    value.hour = DateFieldNone;
    value.day = old[2];
    value.month = old[3];
    value.yearBytes[0] = old[4];
    value.yearBytes[1] = old[5];
    value.alternateYear = old[6];
    return value;
}

} // namespace

void ConvertOldDateField(const unsigned char* old, std::size_t available, unsigned char (&field)[DateRangeFieldSize])
{
    std::memset(field, 0, sizeof field);
    if (available == 0)
        return;
    DateRange range = {};
    range.type = old[0];
    if (range.type == DateRangeText) {
        const std::size_t limit = std::min(DateTextLength, available - 1);
        const char* text = reinterpret_cast<const char*>(old + 1);
        range.SetText(std::string_view(text, strnlen(text, limit)));
    } else if (available >= 1 + 2 * OldDateValueSize) {
        range.dates.first = ConvertOldDateValue(old + 1);
        range.dates.second = ConvertOldDateValue(old + 1 + OldDateValueSize);
    }
    StoreDateRange(range, field);
}
