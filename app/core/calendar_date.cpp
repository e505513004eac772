#include "core/calendar_date.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/date_format.h"
#include "core/date_pictures.h"
#include "core/date_value.h"

namespace {

// Day number of 1 Vendemiaire I, which is 22 September 1792 Gregorian.
constexpr long long FrenchEpoch = 654415;

// Division and remainder rounding toward minus infinity, so that the formulas stay exact inverses of
// each other for day numbers of 0 and below; for positive operands they equal the truncating ones.
long long FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
long long FloorMod(long long a, long long b)
{
    return a - FloorDiv(a, b) * b;
}

// Days before month m (1..12) of a common year.
constexpr int DaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int DaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Leap days in the years 1..n of each calendar.
long long GregorianLeapDays(long long n)
{
    return FloorDiv(n, 4) - FloorDiv(n, 100) + FloorDiv(n, 400);
}
long long JulianLeapDays(long long n)
{
    return FloorDiv(n, 4);
}
long long FrenchLeapDays(long long n)
{
    return GregorianLeapDays(n) - FloorDiv(n, 4000);
}

bool IsGregorianLeapYear(long long year)
{
    return FloorMod(year, 4) == 0 && (FloorMod(year, 100) != 0 || FloorMod(year, 400) == 0);
}
bool IsJulianLeapYear(long long year)
{
    return FloorMod(year, 4) == 0;
}

long long DayNumberOf(int calendar, long long day, long long month, long long year)
{
    if (calendar == CalendarFrench)
        return FrenchEpoch - 1 + 365 * (year - 1) + FrenchLeapDays(year - 1) + 30 * (month - 1) + day;
    // Month 0 is December of the year before, month 13 January of the year after, and so on, so the table
    // of month offsets is only ever read for months 1 to 12.
    year += FloorDiv(month - 1, 12);
    month = FloorMod(month - 1, 12) + 1;
    const long long leapYear = month < 3 ? year - 1 : year;
    const long long beforeMonth = DaysBeforeMonth[month - 1] + day - 1;
    if (calendar == CalendarJulian)
        return -1 + 365 * (year - 1) + JulianLeapDays(leapYear) + beforeMonth;
    return 1 + 365 * (year - 1) + GregorianLeapDays(leapYear) + beforeMonth;
}

struct Fields {
    long long day, month, year;
};

// Year and month from the 0-based day of the year, with the month lengths of the calendar.
Fields FieldsFromDayOfYear(long long year, long long dayOfYear, bool leapYear)
{
    int month = 0;
    while (month < 11) {
        const int length = DaysInMonth[month] + (month == 1 && leapYear ? 1 : 0);
        if (dayOfYear < length)
            break;
        dayOfYear -= length;
        ++month;
    }
    return {dayOfYear + 1, month + 1, year};
}

Fields FieldsOf(int calendar, long long dayNumber)
{
    if (calendar == CalendarFrench) {
        // s is the 1-based day of year y + 1 once y is right: 1 <= s - L(y) <= 365 + leap day.
        const long long r = dayNumber - (FrenchEpoch - 1);
        long long y = FloorDiv(r, 365);
        while (r - 365 * y <= FrenchLeapDays(y))
            --y;
        while (r - 365 * (y + 1) > FrenchLeapDays(y + 1))
            ++y;
        const long long dayOfYear = r - 365 * y - FrenchLeapDays(y);
        const long long month = (dayOfYear - 1) / 30 + 1;
        return {dayOfYear - 30 * (month - 1), month, y + 1};
    }
    const bool julian = calendar == CalendarJulian;
    // The day number of 1 January of the year y + 1 is first + 365 y + L(y).
    const long long first = julian ? -1 : 1;
    auto leapDays = julian ? JulianLeapDays : GregorianLeapDays;
    long long y = FloorDiv(dayNumber, 365);
    while (dayNumber - first - 365 * y < leapDays(y))
        --y;
    while (dayNumber - first - 365 * (y + 1) >= leapDays(y + 1))
        ++y;
    const long long dayOfYear = dayNumber - first - 365 * y - leapDays(y);
    const long long year = y + 1;
    return FieldsFromDayOfYear(year, dayOfYear, julian ? IsJulianLeapYear(year) : IsGregorianLeapYear(year));
}

int EffectiveCalendar(int calendar)
{
    return calendar == CalendarFrench || calendar == CalendarJulian ? calendar : CalendarGregorian;
}

constexpr long long MinYear = std::numeric_limits<std::int16_t>::min();
constexpr long long MaxYear = std::numeric_limits<std::int16_t>::max();

// The day numbers whose year still fits the 16-bit year field.
long long ClampDayNumber(int calendar, long long dayNumber)
{
    const int effective = EffectiveCalendar(calendar);
    const long long lowest = DayNumberOf(effective, 1, 1, MinYear);
    const long long highest = DayNumberOf(effective, 1, 1, MaxYear + 1) - 1;
    return std::clamp(dayNumber, lowest, highest);
}

std::int16_t ClampYear(long long year)
{
    return static_cast<std::int16_t>(std::clamp(year, MinYear, MaxYear));
}

} // namespace

std::int32_t DayNumberFromDate(int calendar, int day, int month, int year)
{
    const long long dayNumber = DayNumberOf(EffectiveCalendar(calendar), day, month, year);
    return static_cast<std::int32_t>(std::clamp<long long>(dayNumber, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

CalendarDate::CalendarDate() : CalendarDate(CalendarGregorian, 1, 1, 1) {}

CalendarDate::CalendarDate(std::int32_t dayNumber) : CalendarDate(CalendarGregorian, dayNumber) {}

CalendarDate::CalendarDate(int day, int month, int year) : CalendarDate(CalendarGregorian, day, month, year) {}

CalendarDate::CalendarDate(int calendar, std::int32_t dayNumber)
    : calendar_(calendar), day_(0), month_(0), year_(0), dayNumber_(dayNumber)
{
    ComputeFields();
}

CalendarDate::CalendarDate(int calendar, int day, int month, int year)
    : calendar_(calendar), day_(static_cast<std::int16_t>(day)), month_(static_cast<std::int16_t>(month)),
      year_(static_cast<std::int16_t>(year)), dayNumber_(0)
{
    ComputeDayNumber();
}

void CalendarDate::ComputeDayNumber()
{
    dayNumber_ = DayNumberFromDate(calendar_, day_, month_, year_);
}

void CalendarDate::ComputeFields()
{
    // A day number whose year would not fit the year field is taken as the nearest one that does.
    dayNumber_ = static_cast<std::int32_t>(ClampDayNumber(calendar_, dayNumber_));
    const Fields fields = FieldsOf(EffectiveCalendar(calendar_), dayNumber_);
    day_ = static_cast<std::int16_t>(fields.day);
    month_ = static_cast<std::int16_t>(fields.month);
    year_ = static_cast<std::int16_t>(fields.year);
}

void CalendarDate::SetFromDateValue(const DateValue& value)
{
    calendar_ = value.calendar;
    day_ = value.day;
    month_ = value.month;
    year_ = static_cast<std::int16_t>(value.Year());
    ComputeDayNumber();
}

void CalendarDate::SetDay(int day)
{
    day_ = static_cast<std::int16_t>(std::clamp(day, 1, 31));
    ComputeDayNumber();
}

void CalendarDate::SetMonth(int month)
{
    month_ = static_cast<std::int16_t>(std::clamp(month, 1, 13));
    ComputeDayNumber();
}

void CalendarDate::SetYear(int year)
{
    year_ = static_cast<std::int16_t>(std::clamp(year, 1, 4000));
    ComputeDayNumber();
}

int CalendarDate::GetWeekday() const
{
    if (calendar_ == CalendarFrench)
        return static_cast<int>(FloorMod(dayNumber_ - FrenchEpoch, 10));
    return static_cast<int>(FloorMod(dayNumber_, 7));
}

int CalendarDate::GetDaysPerWeek() const
{
    return calendar_ == CalendarFrench ? 10 : 7;
}

void CalendarDate::AddYears(int years)
{
    if (years == 0)
        return;
    year_ = ClampYear(static_cast<long long>(year_) + years);
    ComputeDayNumber();
}

void CalendarDate::AddMonths(int months)
{
    if (months == 0)
        return;
    // A French year has thirteen months (the last one the five or six complementary days), so adding
    // twelve months there must not be a year.
    const long long monthsPerYear = calendar_ == CalendarFrench ? 13 : 12;
    const long long month = static_cast<long long>(month_) - 1 + months;
    year_ = ClampYear(year_ + FloorDiv(month, monthsPerYear));
    month_ = static_cast<std::int16_t>(FloorMod(month, monthsPerYear) + 1);
    ComputeDayNumber();
}

void CalendarDate::AddDays(int days)
{
    if (days == 0)
        return;
    dayNumber_ = static_cast<std::int32_t>(ClampDayNumber(calendar_, static_cast<long long>(dayNumber_) + days));
    ComputeFields();
}

void CalendarDate::SetCalendar(int calendar)
{
    if (calendar != CalendarFrench && calendar != CalendarGregorian && calendar != CalendarJulian)
        return;
    calendar_ = calendar;
    ComputeFields();
}

char* CalendarDate::Format(char* out, std::size_t size, int pictureNumber) const
{
    const char* picture = DisplayDatePicture(pictureNumber);
    if (!picture)
        return out;
    return FormatDateValue(out, size, ToDateValue(), picture, false, false);
}

DateValue CalendarDate::ToDateValue() const
{
    DateValue value = EmptyDateValue();
    value.calendar = static_cast<std::uint8_t>(calendar_);
    value.day = static_cast<std::uint8_t>(day_);
    value.month = static_cast<std::uint8_t>(month_);
    value.SetYear(year_);
    return value;
}
