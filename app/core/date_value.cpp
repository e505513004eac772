#include "core/date_value.h"

#include <cstring>

DateValue EmptyDateValue()
{
    DateValue value;
    value.modifier = DateModifierNone;
    value.calendar = CalendarUnknown;
    value.minute = DateFieldNone;
    value.hour = DateFieldNone;
    value.day = 0;
    value.month = 0;
    value.SetYear(0);
    value.alternateYear = DateFieldNone;
    return value;
}

bool DateValue::IsEmpty() const
{
    const DateValue empty = EmptyDateValue();
    return std::memcmp(this, &empty, sizeof empty) == 0;
}

std::string_view DateRange::Text() const
{
    return std::string_view(text, strnlen(text, DateTextLength));
}

void DateRange::SetText(std::string_view newText)
{
    type = DateRangeText;
    std::memset(text, 0, sizeof text);
    std::memcpy(text, newText.data(), newText.size() < DateTextLength ? newText.size() : DateTextLength);
}

void StoreDateRange(const DateRange& range, unsigned char* field)
{
    std::memcpy(field, &range, sizeof range);
    field[DateRangeFieldSize - 1] = 0;
}

DateRange LoadDateRange(const unsigned char* field)
{
    DateRange range;
    std::memcpy(&range, field, sizeof range);
    return range;
}
