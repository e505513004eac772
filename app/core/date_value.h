// The date of every record: a DateRange of one or two DateValues, or a free text when what the user
// typed was no date we can read. Both are stored in rows exactly as laid out here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Modifier byte of a DateValue.
inline constexpr std::uint8_t DateModifierAbout = 0;
inline constexpr std::uint8_t DateModifierAfter = 1;
inline constexpr std::uint8_t DateModifierBefore = 2;
inline constexpr std::uint8_t DateModifierEstimated = 3;
inline constexpr std::uint8_t DateModifierNone = 0xFF;

// Calendar byte of a DateValue (also the calendar codes of CalendarDate).
inline constexpr std::uint8_t CalendarUnknown = 0;
inline constexpr std::uint8_t CalendarCoptic = 2;
inline constexpr std::uint8_t CalendarFrench = 3;
inline constexpr std::uint8_t CalendarGregorian = 4;
inline constexpr std::uint8_t CalendarHebrew = 5;
inline constexpr std::uint8_t CalendarHijri = 7;
inline constexpr std::uint8_t CalendarJulian = 8;

// Marks a missing time (hour, minute) or a missing alternate year.
inline constexpr std::uint8_t DateFieldNone = 0xFF;

// Every field is a byte (the year two, little-endian), so the layout is the stored one on every
// compiler and a value may sit at any offset of a row.
struct DateValue {
    std::uint8_t modifier;      // DateModifier...
    std::uint8_t calendar;      // Calendar...
    std::uint8_t minute;        // 0..59, DateFieldNone without a time
    std::uint8_t hour;          // 0..24, DateFieldNone without a time
    std::uint8_t day;           // 0 unknown, 1..31
    std::uint8_t month;         // 0 unknown, 1..13
    std::uint8_t yearBytes[2];  // signed 16-bit, little-endian: 0 unknown, negative before the era
    std::uint8_t alternateYear; // (year + 1) mod 100 of a dual-dated year, DateFieldNone when single

    int Year() const { return static_cast<std::int16_t>(yearBytes[0] | (yearBytes[1] << 8)); }
    void SetYear(int year)
    {
        yearBytes[0] = static_cast<std::uint8_t>(year & 0xFF);
        yearBytes[1] = static_cast<std::uint8_t>((year >> 8) & 0xFF);
    }

    // A time is there only when both parts are non-negative as signed bytes.
    bool HasTime() const { return static_cast<std::int8_t>(hour) >= 0 && static_cast<std::int8_t>(minute) >= 0; }
    bool HasAlternateYear() const { return alternateYear != DateFieldNone; }
    // True for the value the parser starts from, which is also the unused second date of a range.
    bool IsEmpty() const;
};
static_assert(sizeof(DateValue) == 9, "DateValue is stored as 9 bytes");
static_assert(offsetof(DateValue, yearBytes) == 6 && offsetof(DateValue, alternateYear) == 8);

// The empty value: no modifier, unknown calendar, no time, no day, month or year, no alternate year.
DateValue EmptyDateValue();

// Type byte of a DateRange.
inline constexpr std::uint8_t DateRangeText = 0;
inline constexpr std::uint8_t DateRangeSingle = 1;
inline constexpr std::uint8_t DateRangeFrom = 2;
inline constexpr std::uint8_t DateRangeTo = 3;
inline constexpr std::uint8_t DateRangeFromTo = 4;
inline constexpr std::uint8_t DateRangeBetween = 5;

// The longest free text a text date keeps.
inline constexpr std::size_t DateTextLength = 39;

struct DateRange {
    std::uint8_t type; // DateRange...
    union {
        struct {
            DateValue first;  // types 1 to 5
            DateValue second; // types 4 and 5; the empty value otherwise
        } dates;
        char text[DateTextLength]; // type 0: ended by a zero byte when shorter than the field
    };

    // The free text of a text date, never reaching past the field.
    std::string_view Text() const;
    // Makes this a text date of `text`, cut to DateTextLength characters, the rest of the field zero.
    void SetText(std::string_view text);
};
static_assert(sizeof(DateRange) == 40, "DateRange is stored as 40 bytes");
static_assert(offsetof(DateRange, dates.first) == 1 && offsetof(DateRange, dates.second) == 10);

// Rows keep a DateRange in a 41-byte field; its last byte is always zero, so that a text of the full
// 39 characters still ends inside the field.
inline constexpr std::size_t DateRangeFieldSize = 41;
// `field` points to the DateRangeFieldSize bytes of the field inside a row buffer.
void StoreDateRange(const DateRange& range, unsigned char* field);
DateRange LoadDateRange(const unsigned char* field);
