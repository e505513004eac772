// What the date calculator computes, apart from the window: a date in one calendar, converted into
// another and moved by years, months and days, and the signed whole numbers typed into its fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/calendar_date.h"
#include "core/date_value.h"

// The calendars the calculator offers, in list order.
inline constexpr int CalculatorCalendars[] = {CalendarGregorian, CalendarJulian, CalendarFrench};

// The list position of a date's calendar: Julian and French as such, every other calendar Gregorian.
int CalculatorCalendarIndex(int calendar);
// The months the calculator's month lists offer: 13 in the French calendar, else 12.
int CalculatorMonthCount(int calendar);

struct DateCalculation {
    int calendar;       // of the original date
    int day;            // 0 when no day is chosen
    int month;          // 0 when no month is chosen
    int year;
    int resultCalendar;
    int years;
    int months;
    int days;
};

// The original date, switched to the result calendar, then moved by the years, the months and the days.
CalendarDate CalculateDate(const DateCalculation& calculation);
// A result before the year 1 is shown as "-" and cannot be taken.
bool IsShownResult(const CalendarDate& result);

// Whether a key typed into a signed-number field at `caret` is taken: digits, '+' and '-', and backspace
// (8). A sign only as the first character and only when the field has none; no digit in front of a sign.
bool AcceptsSignedNumberKey(const std::string& text, std::size_t caret, char key);
// The value of a signed-number field: "", "+" and "-" are 0; a value beyond `largest` either way is cut
// to it.
int SignedNumberValue(const std::string& text, int largest);
