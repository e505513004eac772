// What the date editor does with its fields, apart from the window: reading a typed time and year, and
// turning the chosen entries of its lists into a DateRange and back.
#pragma once

#include <cstdint>
#include <string>

#include "core/date_value.h"

// A time typed as hours, ':' or '.', minutes ("9.05", "23:59", "24:00"): hour × 256 + minute, or -1 when
// it is no time of day. An hour of 0 must be typed with a leading '0', a minute of 0 likewise.
int ParseTimeText(const char* text);

// The largest year the year field takes: the year is stored as a signed 16-bit number and the era list
// gives its sign.
inline constexpr int LargestEditedYear = 32767;

// The typed year: blank or a whole number from 0 to LargestEditedYear, blanks around it allowed; -1
// for anything else. Blank is 0, the unknown year.
int ParseYearText(const char* text);

// The entries of the editor's type list, in list order.
enum DateTypeEntry : int {
    DateTypeEntrySingle = 0,
    DateTypeEntryFrom = 1,
    DateTypeEntryTo = 2,
    DateTypeEntryBetween = 3,
};

// The range word chosen after a from-entry: none (a range open at its end) or the to-word.
inline constexpr int RangeWordNone = 0;
inline constexpr int RangeWordTo = 1;

// The codes of the editor's calendar and modifier lists, in list order.
inline constexpr std::uint8_t EditorCalendars[] = {CalendarUnknown, CalendarGregorian, CalendarJulian,
                                                   CalendarFrench,  CalendarHebrew,    CalendarHijri,
                                                   CalendarCoptic};
inline constexpr std::uint8_t EditorModifiers[] = {DateModifierNone, DateModifierAbout, DateModifierBefore,
                                                   DateModifierAfter, DateModifierEstimated};

// The calendars whose dates may be dual-dated and carry an era (Gregorian, Julian and unknown).
bool CalendarTakesAlternateYear(int calendar);
// The era list is offered for the Julian calendar only.
bool CalendarTakesEra(int calendar);
// The number of months the month list offers after its unknown-month entry: 13 in the French and
// Hebrew calendars, 12 in every other.
int EditorMonthCount(int calendar);
// The language key of a month in the month list: "DATE_MONTH_UNKNOWN" for 0, else the calendar's long
// month name key ("DATE_FRENCH7", "DATE_MONTH3", ...).
std::string EditorMonthKey(int calendar, int month);

// The range type of the chosen type entry and range word; the range word counts for the from-entry only.
std::uint8_t RangeTypeOfEntries(int typeEntry, int rangeWord);
// The type entry that shows a range type (types 2 and 4 both the from-entry).
int TypeEntryOfRangeType(std::uint8_t type);
// Whether the second date's fields are used: a from-to range and a between range.
bool SecondDateUsed(int typeEntry, int rangeWord);

// One date as the editor shows it. A list without a selection holds -1.
struct DateFields {
    int calendar = CalendarUnknown; // the code of the chosen calendar entry, -1 when none is chosen
    int modifier = DateModifierNone; // the code of the chosen modifier entry, -1 when none is chosen
    int day = 0;                     // the chosen day entry, 0..31
    int month = 0;                   // the chosen month entry, 0 the unknown month
    std::string year;                // as typed, without sign
    bool alternate = false;          // the alternate-year box
    bool eraBefore = false;          // the era-before entry is chosen
    std::string time;                // as typed, blank without a time
};

// What the fields show for a stored date.
DateFields DateFieldsOf(const DateValue& value);

enum class DateFieldsProblem {
    None,
    Time, // the time is no time of day
    Year, // the year is no number the date can hold
};

// Reads the fields into `value`. A list without a selection counts as its neutral entry: no
// modifier, the unknown calendar, day and month 0. On a problem `value` is left as it was.
DateFieldsProblem ReadDateFields(const DateFields& fields, DateValue& value);

// The whole editor.
struct DateEditorFields {
    bool structured = false;
    std::string text;                    // free text mode
    int typeEntry = DateTypeEntrySingle; // structured mode
    int rangeWord = RangeWordNone;
    DateFields first;
    DateFields second;
};

DateEditorFields DateEditorFieldsOf(const DateRange& range);

// Writes the fields into `range`: a text date of the free text (cut to its field), or the structured
// range. The second date is written only when the fields use it, otherwise it stays as it was. On a
// problem `range` is left as it was.
DateFieldsProblem AssembleDateRange(const DateEditorFields& fields, DateRange& range);

// What the alternate-year display shows for a typed year: (year + 1) mod 100, or nothing when the
// box is not checked or the year cannot be read.
std::string AlternateYearText(const char* yearText, bool checked);
