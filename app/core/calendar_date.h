// Date arithmetic in the Gregorian, Julian and French republican calendars. All three share one running
// day number (day 1 is 1 January of the year 1, Gregorian), so converting between calendars keeps the
// day number and recomputes day, month and year.
#pragma once

#include <cstddef>
#include <cstdint>

struct DateValue;

class CalendarDate {
public:
    // Gregorian 1 January of the year 1, day 1.
    CalendarDate();
    // Gregorian, the fields computed from the day number.
    explicit CalendarDate(std::int32_t dayNumber);
    // Gregorian, the day number computed from the fields.
    CalendarDate(int day, int month, int year);
    // The fields computed from the day number in `calendar`.
    CalendarDate(int calendar, std::int32_t dayNumber);
    // The day number computed from the fields in `calendar`.
    CalendarDate(int calendar, int day, int month, int year);

    void Assign(const CalendarDate& other) { *this = other; }
    // Calendar, day, month and year of a stored date; the day number follows from them.
    void SetFromDateValue(const DateValue& value);

    // Clamped to 1..31, 1..13 and 1..4000; the day number follows. The length of the month is not checked.
    void SetDay(int day);
    void SetMonth(int month);
    void SetYear(int year);

    int Calendar() const { return calendar_; }
    int Day() const { return day_; }
    int Month() const { return month_; }
    int Year() const { return year_; }
    std::int32_t DayNumber() const { return dayNumber_; }

    // 0 (Sunday) to 6 in the Gregorian and Julian calendars; 0 to 9 in the French one, 0 being the
    // first day of a decade. Always in range, also for day numbers before the year 1.
    int GetWeekday() const;
    int GetDaysPerWeek() const;

    // Changes the year; day and month are kept as they are (29 February stays 29 February).
    void AddYears(int years);
    // Changes the month, carrying into the year; the day is kept, so 31 January plus one month is
    // 31 February, which counts as 3 March (2 March in a leap year).
    void AddMonths(int months);
    void AddDays(int days);
    // Only the French republican, Gregorian and Julian calendars are taken; any other code is ignored.
    void SetCalendar(int calendar);
    std::int32_t DaysSince(const CalendarDate& other) const { return dayNumber_ - other.dayNumber_; }

    // The date as a stored date: calendar, day, month and year, without modifier and time.
    DateValue ToDateValue() const;
    // Appends the date in the display picture `pictureNumber` of the settings' date-format list
    // (display form, no time). A number outside the list appends nothing. Returns `out`.
    char* Format(char* out, std::size_t size, int pictureNumber) const;

private:
    void ComputeDayNumber();
    void ComputeFields();
    void SetYearClamped(long long year);

    int calendar_;
    std::int16_t day_;
    std::int16_t month_;
    std::int16_t year_;
    std::int32_t dayNumber_;
};

// Day numbers of the three calendars; any calendar code but the French and the Julian counts as
// Gregorian. Months outside 1..12 (1..13 in the French calendar) carry into the neighbouring years.
std::int32_t DayNumberFromDate(int calendar, int day, int month, int year);
