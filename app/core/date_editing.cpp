#include "core/date_editing.h"

#include <cstdio>
#include <cstdlib>

#include "core/date_words.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

bool IsBlankText(const std::string& text)
{
    return *SkipBlanks(text.c_str()) == '\0';
}

// The decimal value of the digits from `text` up to `end`; -1 as soon as it passes `largest`, so that
// no run of digits can overflow.
int BoundedValue(const char* text, const char* end, int largest)
{
    int value = 0;
    for (; text < end; ++text) {
        value = value * 10 + (*text - '0');
        if (value > largest)
            return -1;
    }
    return value;
}

} // namespace

int ParseTimeText(const char* text)
{
    if (text == nullptr)
        return -1;
    const char* separator = text;
    while (IsDigit(*separator))
        ++separator;
    if (*separator != ':' && *separator != '.')
        return -1;
    const char* minuteStart = separator + 1;
    const char* minuteEnd = minuteStart;
    while (IsDigit(*minuteEnd))
        ++minuteEnd;
    // Only blanks may follow the minutes: "12:30pm" is no time this field can keep.
    if (*SkipBlanks(minuteEnd) != '\0')
        return -1;

    int minute = BoundedValue(minuteStart, minuteEnd, 59);
    if (minute < 0 || (minute == 0 && *minuteStart != '0'))
        return -1;
    int hour = BoundedValue(text, separator, 24);
    if (hour < 0 || (hour == 0 && *text != '0'))
        return -1;
    if (hour == 24 && minute != 0)
        return -1;
    return hour * 256 + minute;
}

int ParseYearText(const char* text)
{
    if (text == nullptr)
        return 0;
    const char* start = SkipBlanks(text);
    const char* end = start;
    while (IsDigit(*end))
        ++end;
    if (*SkipBlanks(end) != '\0')
        return -1;
    return BoundedValue(start, end, LargestEditedYear);
}

bool CalendarTakesAlternateYear(int calendar)
{
    return calendar != CalendarCoptic && calendar != CalendarFrench && calendar != CalendarHebrew &&
           calendar != CalendarHijri;
}

bool CalendarTakesEra(int calendar)
{
    return calendar == CalendarJulian;
}

int EditorMonthCount(int calendar)
{
    return NamedMonthCount(calendar);
}

std::string EditorMonthKey(int calendar, int month)
{
    if (month == 0)
        return "DATE_MONTH_UNKNOWN";
    return LongMonthKeyPrefix(calendar) + std::to_string(month);
}

std::uint8_t RangeTypeOfEntries(int typeEntry, int rangeWord)
{
    switch (typeEntry) {
    case DateTypeEntryFrom:
        return rangeWord == RangeWordTo ? DateRangeFromTo : DateRangeFrom;
    case DateTypeEntryTo:
        return DateRangeTo;
    case DateTypeEntryBetween:
        return DateRangeBetween;
    default:
        return DateRangeSingle;
    }
}

int TypeEntryOfRangeType(std::uint8_t type)
{
    switch (type) {
    case DateRangeFrom:
    case DateRangeFromTo:
        return DateTypeEntryFrom;
    case DateRangeTo:
        return DateTypeEntryTo;
    case DateRangeBetween:
        return DateTypeEntryBetween;
    default:
        return DateTypeEntrySingle;
    }
}

bool SecondDateUsed(int typeEntry, int rangeWord)
{
    return (typeEntry == DateTypeEntryFrom && rangeWord == RangeWordTo) || typeEntry == DateTypeEntryBetween;
}

DateFields DateFieldsOf(const DateValue& value)
{
    DateFields fields;
    fields.calendar = value.calendar;
    fields.modifier = value.modifier;
    fields.day = value.day;
    fields.month = value.month;
    int year = value.Year();
    fields.year = year == 0 ? std::string() : std::to_string(std::abs(year));
    fields.alternate = value.HasAlternateYear();
    fields.eraBefore = year < 0;
    if (value.HasTime()) {
        char time[16];
        std::snprintf(time, sizeof time, "%02i:%02i", value.hour, value.minute);
        fields.time = time;
    }
    return fields;
}

DateFieldsProblem ReadDateFields(const DateFields& fields, DateValue& value)
{
    DateValue read = value;
    read.hour = DateFieldNone;
    read.minute = DateFieldNone;
    if (!IsBlankText(fields.time)) {
        int time = ParseTimeText(SkipBlanks(fields.time.c_str()));
        if (time < 0)
            return DateFieldsProblem::Time;
        read.hour = static_cast<std::uint8_t>(time >> 8);
        read.minute = static_cast<std::uint8_t>(time & 0xFF);
    }
    int year = ParseYearText(fields.year.c_str());
    if (year < 0)
        return DateFieldsProblem::Year;
    // A list without a selection stands for its neutral entry, never for a code of its own.
    read.modifier = fields.modifier < 0 ? DateModifierNone : static_cast<std::uint8_t>(fields.modifier);
    read.calendar = fields.calendar < 0 ? CalendarUnknown : static_cast<std::uint8_t>(fields.calendar);
    read.day = fields.day < 0 || fields.day > 31 ? 0 : static_cast<std::uint8_t>(fields.day);
    read.month = fields.month < 0 || fields.month > 13 ? 0 : static_cast<std::uint8_t>(fields.month);
    read.alternateYear = fields.alternate ? static_cast<std::uint8_t>((year + 1) % 100) : DateFieldNone;
    read.SetYear(fields.eraBefore ? -year : year);
    value = read;
    return DateFieldsProblem::None;
}

DateEditorFields DateEditorFieldsOf(const DateRange& range)
{
    DateEditorFields fields;
    fields.structured = range.type != DateRangeText;
    if (!fields.structured) {
        fields.text = std::string(range.Text());
        return fields;
    }
    fields.typeEntry = TypeEntryOfRangeType(range.type);
    fields.rangeWord = range.type == DateRangeFromTo ? RangeWordTo : RangeWordNone;
    fields.first = DateFieldsOf(range.dates.first);
    if (range.type == DateRangeFromTo || range.type == DateRangeBetween)
        fields.second = DateFieldsOf(range.dates.second);
    return fields;
}

DateFieldsProblem AssembleDateRange(const DateEditorFields& fields, DateRange& range)
{
    if (!fields.structured) {
        range.SetText(fields.text);
        return DateFieldsProblem::None;
    }
    DateRange assembled = range;
    // The bytes of a text date are no second date.
    if (range.type == DateRangeText)
        assembled.dates.second = EmptyDateValue();
    assembled.type = RangeTypeOfEntries(fields.typeEntry, fields.rangeWord);
    DateFieldsProblem problem = ReadDateFields(fields.first, assembled.dates.first);
    if (problem == DateFieldsProblem::None && SecondDateUsed(fields.typeEntry, fields.rangeWord))
        problem = ReadDateFields(fields.second, assembled.dates.second);
    if (problem == DateFieldsProblem::None)
        range = assembled;
    return problem;
}

std::string AlternateYearText(const char* yearText, bool checked)
{
    int year = checked ? ParseYearText(yearText) : -1;
    return year < 0 ? std::string() : std::to_string((year + 1) % 100);
}
