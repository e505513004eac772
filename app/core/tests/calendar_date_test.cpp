#include "core/calendar_date.h"

#include <chrono>
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "core/date_value.h"
#include "settings/settings.h"

namespace {

struct DateCase {
    int calendar, day, month, year;
    std::int32_t dayNumber;
    int weekday;
};

// Dates whose day number and weekday are known from outside the calendar code.
const DateCase KnownDates[] = {
    {CalendarGregorian, 1, 1, 1, 1, 1}, // the first day, a Monday
    {CalendarGregorian, 31, 12, 1, 365, 1},
    {CalendarGregorian, 1, 3, 4, 1156, 1},
    {CalendarGregorian, 15, 10, 1582, 577736, 5}, // Friday, first day of the Gregorian calendar
    {CalendarJulian, 5, 10, 1582, 577736, 5},
    {CalendarJulian, 4, 10, 1582, 577735, 4}, // Thursday
    {CalendarJulian, 3, 1, 1, 1, 1},
    {CalendarGregorian, 22, 9, 1792, 654415, 6}, // a Saturday
    {CalendarFrench, 1, 1, 1, 654415, 0},        // 1 Vendemiaire I, first day of its decade
    {CalendarGregorian, 14, 7, 1789, 653249, 2}, // a Tuesday
    {CalendarGregorian, 1, 1, 2000, 730120, 6},  // a Saturday
    {CalendarGregorian, 31, 12, 0, 0, 0},        // the day before day 1: year 0 is a leap year
    {CalendarGregorian, 1, 1, 0, -365, 6},
    {CalendarJulian, 1, 1, 1, -1, 6},
};

TEST(CalendarDateTest, KnownDatesHaveTheirDayNumbersAndWeekdays)
{
    for (const DateCase& c : KnownDates) {
        SCOPED_TRACE(testing::Message() << "calendar " << c.calendar << ": " << c.day << "." << c.month << "."
                                        << c.year);
        const CalendarDate fromFields(c.calendar, c.day, c.month, c.year);
        EXPECT_EQ(fromFields.DayNumber(), c.dayNumber);
        EXPECT_EQ(fromFields.GetWeekday(), c.weekday);
        const CalendarDate fromNumber(c.calendar, c.dayNumber);
        EXPECT_EQ(fromNumber.Day(), c.day);
        EXPECT_EQ(fromNumber.Month(), c.month);
        EXPECT_EQ(fromNumber.Year(), c.year);
    }
}

TEST(CalendarDateTest, ConstructorsDefaultToTheGregorianCalendar)
{
    const CalendarDate first;
    EXPECT_EQ(first.Calendar(), CalendarGregorian);
    EXPECT_EQ(first.DayNumber(), 1);
    EXPECT_EQ(first.Day(), 1);
    EXPECT_EQ(first.Month(), 1);
    EXPECT_EQ(first.Year(), 1);
    const CalendarDate byNumber(577736);
    EXPECT_EQ(byNumber.Calendar(), CalendarGregorian);
    EXPECT_EQ(byNumber.Day(), 15);
    EXPECT_EQ(byNumber.Month(), 10);
    EXPECT_EQ(byNumber.Year(), 1582);
    EXPECT_EQ(CalendarDate(15, 10, 1582).DayNumber(), 577736);
}

// The proleptic Gregorian calendar of the standard library, with years before 1 counted astronomically
// as ours are, checks the day numbers from outside.
std::int32_t ChronoDayNumber(int day, int month, int year)
{
    using namespace std::chrono;
    const sys_days days{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                        std::chrono::day{static_cast<unsigned>(day)}};
    const sys_days dayOne{std::chrono::year{1} / January / 1};
    return static_cast<std::int32_t>((days - dayOne).count() + 1);
}

TEST(CalendarDateTest, GregorianDayNumbersAgreeWithTheStandardLibrary)
{
    for (int year = -2000; year <= 4000; year += 7) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 15, 28}) {
                const CalendarDate date(CalendarGregorian, day, month, year);
                ASSERT_EQ(date.DayNumber(), ChronoDayNumber(day, month, year)) << day << "." << month << "." << year;
            }
        }
    }
}

// The Julian day number by the well-known integer formula, shifted to our count (JDN 1721426 is day 1).
long long FloorDivide(long long a, long long b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
std::int32_t JulianCalendarDayNumber(int day, int month, int year)
{
    const long long a = FloorDivide(14 - month, 12);
    const long long y = year + 4800 - a;
    const long long m = month + 12 * a - 3;
    const long long jdn = day + FloorDivide(153 * m + 2, 5) + 365 * y + FloorDivide(y, 4) - 32083;
    return static_cast<std::int32_t>(jdn - 1721425);
}

TEST(CalendarDateTest, JulianDayNumbersAgreeWithTheJulianDayFormula)
{
    for (int year = -2000; year <= 4000; year += 7) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 15, 28}) {
                const CalendarDate date(CalendarJulian, day, month, year);
                ASSERT_EQ(date.DayNumber(), JulianCalendarDayNumber(day, month, year))
                    << day << "." << month << "." << year;
            }
        }
    }
}

// Walks day by day through a calendar with its own month lengths and checks that the fields computed
// from every day number are the walk's, and that the day number of the walk's fields is the day number.
void WalkDays(int calendar, int fromYear, int toYear, int (*monthLength)(int month, int year), int months)
{
    CalendarDate start(calendar, 1, 1, fromYear);
    std::int32_t dayNumber = start.DayNumber();
    for (int year = fromYear; year <= toYear; ++year) {
        for (int month = 1; month <= months; ++month) {
            for (int day = 1; day <= monthLength(month, year); ++day, ++dayNumber) {
                const CalendarDate fromNumber(calendar, dayNumber);
                if (fromNumber.Day() != day || fromNumber.Month() != month || fromNumber.Year() != year ||
                    CalendarDate(calendar, day, month, year).DayNumber() != dayNumber) {
                    FAIL() << "calendar " << calendar << ", day number " << dayNumber << " should be " << day << "."
                           << month << "." << year << ", is " << fromNumber.Day() << "." << fromNumber.Month() << "."
                           << fromNumber.Year();
                }
            }
        }
    }
}

int GregorianMonthLength(int month, int year)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return lengths[month - 1] + (month == 2 && leap);
}
int JulianMonthLength(int month, int year)
{
    return month == 2 ? 28 + (year % 4 == 0) : GregorianMonthLength(month, 1);
}
int FrenchMonthLength(int month, int year)
{
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0) && year % 4000 != 0;
    return month < 13 ? 30 : 5 + leap;
}

// Day numbers of 0 and below need floor division to stay the inverse of the fields.
TEST(CalendarDateTest, EveryDayRoundTripsThroughItsDayNumber)
{
    WalkDays(CalendarGregorian, -800, 2100, GregorianMonthLength, 12);
    WalkDays(CalendarJulian, -800, 2100, JulianMonthLength, 12);
    WalkDays(CalendarFrench, -400, 4400, FrenchMonthLength, 13);
}

TEST(CalendarDateTest, FrenchLeapYearsFollowTheRulesOfFourHundredAndFourThousand)
{
    const CalendarDate yearThree(CalendarFrench, 1, 1, 3), yearFour(CalendarFrench, 1, 1, 4),
        yearFive(CalendarFrench, 1, 1, 5);
    EXPECT_EQ(yearFour.DaysSince(yearThree), 365);
    EXPECT_EQ(yearFive.DaysSince(yearFour), 366);
    const CalendarDate sixthDayOfYearFour(CalendarFrench, 6, 13, 4);
    EXPECT_EQ(CalendarDate(CalendarFrench, sixthDayOfYearFour.DayNumber()).Day(), 6);
    const CalendarDate sixthDayOfYearThree(CalendarFrench, 6, 13, 3); // does not exist: it is 1 Vendemiaire IV
    const CalendarDate shown(CalendarFrench, sixthDayOfYearThree.DayNumber());
    EXPECT_EQ(shown.Day(), 1);
    EXPECT_EQ(shown.Month(), 1);
    EXPECT_EQ(shown.Year(), 4);
    EXPECT_EQ(CalendarDate(CalendarFrench, 1, 1, 4001).DaysSince(CalendarDate(CalendarFrench, 1, 1, 4000)), 365);
    EXPECT_EQ(CalendarDate(CalendarFrench, 1, 1, 401).DaysSince(CalendarDate(CalendarFrench, 1, 1, 400)), 366);
    EXPECT_EQ(CalendarDate(CalendarFrench, 1, 1, 101).DaysSince(CalendarDate(CalendarFrench, 1, 1, 100)), 365);
}

TEST(CalendarDateTest, ConvertingKeepsTheDayNumber)
{
    CalendarDate date(CalendarJulian, 4, 10, 1582);
    date.AddDays(1);
    date.SetCalendar(CalendarGregorian);
    EXPECT_EQ(date.Day(), 15);
    EXPECT_EQ(date.Month(), 10);
    EXPECT_EQ(date.Year(), 1582);

    CalendarDate revolution(22, 9, 1792);
    revolution.SetCalendar(CalendarFrench);
    EXPECT_EQ(revolution.Day(), 1);
    EXPECT_EQ(revolution.Month(), 1);
    EXPECT_EQ(revolution.Year(), 1);
    EXPECT_EQ(revolution.GetWeekday(), 0);
    EXPECT_EQ(revolution.GetDaysPerWeek(), 10);
    revolution.AddDays(10);
    EXPECT_EQ(revolution.GetWeekday(), 0);
    EXPECT_EQ(revolution.Day(), 11);

    // Calendars that have no day arithmetic here are refused: the date stays as it was.
    CalendarDate unchanged(CalendarJulian, 4, 10, 1582);
    for (int calendar : {0, 2, 5, 7, 9, -1}) {
        unchanged.SetCalendar(calendar);
        EXPECT_EQ(unchanged.Calendar(), CalendarJulian);
        EXPECT_EQ(unchanged.Day(), 4);
        EXPECT_EQ(unchanged.DayNumber(), 577735);
    }
}

TEST(CalendarDateTest, WeekdaysAreInRangeForEveryDayNumber)
{
    for (std::int32_t dayNumber = -3000; dayNumber <= 3000; ++dayNumber) {
        const CalendarDate gregorian(dayNumber);
        ASSERT_EQ(gregorian.GetWeekday(), ((dayNumber % 7) + 7) % 7);
        const CalendarDate french(CalendarFrench, dayNumber);
        ASSERT_GE(french.GetWeekday(), 0);
        ASSERT_LT(french.GetWeekday(), 10);
    }
    EXPECT_EQ(CalendarDate(CalendarFrench, 654414).GetWeekday(), 9); // the day before the republican era
    EXPECT_EQ(CalendarDate(0).GetWeekday(), 0);
    EXPECT_EQ(CalendarDate(-1).GetWeekday(), 6);
}

TEST(CalendarDateTest, SettersClampTheirValues)
{
    struct {
        void (CalendarDate::*set)(int);
        int value;
        int (CalendarDate::*get)() const;
        int expected;
    } const cases[] = {
        {&CalendarDate::SetDay, 0, &CalendarDate::Day, 1},
        {&CalendarDate::SetDay, 40, &CalendarDate::Day, 31},
        {&CalendarDate::SetDay, 17, &CalendarDate::Day, 17},
        {&CalendarDate::SetMonth, 14, &CalendarDate::Month, 13},
        {&CalendarDate::SetMonth, -3, &CalendarDate::Month, 1},
        {&CalendarDate::SetYear, 5000, &CalendarDate::Year, 4000},
        {&CalendarDate::SetYear, -44, &CalendarDate::Year, 1},
        {&CalendarDate::SetYear, 1850, &CalendarDate::Year, 1850},
    };
    for (const auto& c : cases) {
        CalendarDate date(10, 5, 1850);
        (date.*c.set)(c.value);
        EXPECT_EQ((date.*c.get)(), c.expected) << "value " << c.value;
        EXPECT_EQ(date.DayNumber(), DayNumberFromDate(CalendarGregorian, date.Day(), date.Month(), date.Year()));
    }
}

// Months outside 1..12 never read outside the table of month offsets: they belong to the neighbouring
// years, as year-only dates (month 0) and the month setter (up to 13) produce them.
TEST(CalendarDateTest, MonthsZeroAndThirteenRollIntoTheNeighbouringYears)
{
    for (int calendar : {CalendarGregorian, CalendarJulian}) {
        EXPECT_EQ(DayNumberFromDate(calendar, 1, 13, 1850), DayNumberFromDate(calendar, 1, 1, 1851));
        EXPECT_EQ(DayNumberFromDate(calendar, 31, 0, 1850), DayNumberFromDate(calendar, 31, 12, 1849));
        EXPECT_EQ(DayNumberFromDate(calendar, 29, 13, 1851), DayNumberFromDate(calendar, 29, 1, 1852));
        EXPECT_EQ(DayNumberFromDate(calendar, 1, 25, 1850), DayNumberFromDate(calendar, 1, 1, 1852));
        EXPECT_EQ(DayNumberFromDate(calendar, 1, -1, 1850), DayNumberFromDate(calendar, 1, 11, 1849));
    }
    CalendarDate date(15, 5, 1850);
    date.SetMonth(13);
    EXPECT_EQ(date.Month(), 13);
    EXPECT_EQ(date.DayNumber(), CalendarDate(15, 1, 1851).DayNumber());

    DateValue yearOnly = EmptyDateValue();
    yearOnly.calendar = CalendarGregorian;
    yearOnly.SetYear(1850);
    CalendarDate fromValue;
    fromValue.SetFromDateValue(yearOnly);
    EXPECT_EQ(fromValue.Day(), 0);
    EXPECT_EQ(fromValue.Month(), 0);
    EXPECT_EQ(fromValue.DayNumber(), CalendarDate(30, 11, 1849).DayNumber());
}

TEST(CalendarDateTest, SetFromDateValueTakesCalendarAndFields)
{
    DateValue value = EmptyDateValue();
    value.calendar = CalendarJulian;
    value.day = 5;
    value.month = 10;
    value.SetYear(1582);
    CalendarDate date;
    date.SetFromDateValue(value);
    EXPECT_EQ(date.Calendar(), CalendarJulian);
    EXPECT_EQ(date.DayNumber(), 577736);
    value.calendar = CalendarHebrew; // counted as Gregorian, but the calendar is kept
    date.SetFromDateValue(value);
    EXPECT_EQ(date.Calendar(), CalendarHebrew);
    EXPECT_EQ(date.DayNumber(), CalendarDate(5, 10, 1582).DayNumber());
    EXPECT_EQ(date.GetDaysPerWeek(), 7);
}

TEST(CalendarDateTest, AddingMonthsKeepsTheDayAndCarriesIntoTheYear)
{
    struct {
        int calendar, day, month, year, add;
        int expectedMonth, expectedYear;
        CalendarDate sameDay;
    } const cases[] = {
        {CalendarGregorian, 31, 1, 1850, 1, 2, 1850, CalendarDate(3, 3, 1850)},
        {CalendarGregorian, 31, 1, 1852, 1, 2, 1852, CalendarDate(2, 3, 1852)},
        {CalendarGregorian, 15, 11, 1850, 3, 2, 1851, CalendarDate(15, 2, 1851)},
        {CalendarGregorian, 15, 1, 1850, -1, 12, 1849, CalendarDate(15, 12, 1849)},
        {CalendarGregorian, 15, 3, 1850, -27, 12, 1847, CalendarDate(15, 12, 1847)},
        {CalendarGregorian, 15, 3, 1850, 24, 3, 1852, CalendarDate(15, 3, 1852)},
        {CalendarJulian, 15, 12, 1850, 1, 1, 1851, CalendarDate(CalendarJulian, 15, 1, 1851)},
        // The French year has thirteen months: twelve months on is the complementary days of the same year.
        {CalendarFrench, 1, 1, 1, 12, 13, 1, CalendarDate(CalendarFrench, 1, 13, 1)},
        {CalendarFrench, 1, 13, 1, 1, 1, 2, CalendarDate(CalendarFrench, 1, 1, 2)},
        {CalendarFrench, 1, 1, 2, -1, 13, 1, CalendarDate(CalendarFrench, 1, 13, 1)},
        {CalendarFrench, 10, 5, 3, 13, 5, 4, CalendarDate(CalendarFrench, 10, 5, 4)},
    };
    for (const auto& c : cases) {
        CalendarDate date(c.calendar, c.day, c.month, c.year);
        date.AddMonths(c.add);
        SCOPED_TRACE(testing::Message() << c.day << "." << c.month << "." << c.year << " + " << c.add);
        EXPECT_EQ(date.Day(), c.day);
        EXPECT_EQ(date.Month(), c.expectedMonth);
        EXPECT_EQ(date.Year(), c.expectedYear);
        EXPECT_EQ(date.DayNumber(), c.sameDay.DayNumber());
    }
}

TEST(CalendarDateTest, AddingYearsKeepsDayAndMonth)
{
    CalendarDate leapDay(29, 2, 1852);
    leapDay.AddYears(1);
    EXPECT_EQ(leapDay.Day(), 29);
    EXPECT_EQ(leapDay.Month(), 2);
    EXPECT_EQ(leapDay.Year(), 1853);
    EXPECT_EQ(leapDay.DayNumber(), CalendarDate(1, 3, 1853).DayNumber());
    leapDay.AddYears(-1853);
    EXPECT_EQ(leapDay.Year(), 0);
    EXPECT_EQ(leapDay.DayNumber(), CalendarDate(29, 2, 0).DayNumber());
}

TEST(CalendarDateTest, AddingDaysRecomputesTheFields)
{
    CalendarDate date(28, 2, 1900);
    date.AddDays(1);
    EXPECT_EQ(date.Day(), 1);
    EXPECT_EQ(date.Month(), 3); // 1900 is no leap year
    date.AddDays(-366);
    EXPECT_EQ(date.Day(), 28);
    EXPECT_EQ(date.Month(), 2);
    EXPECT_EQ(date.Year(), 1899);
    EXPECT_EQ(CalendarDate(1, 1, 1900).DaysSince(CalendarDate(1, 1, 1800)), 36524);
}

// Far jumps stop at the last year the 16-bit year field holds, instead of overflowing.
TEST(CalendarDateTest, ArithmeticStaysInsideTheYearField)
{
    CalendarDate late(1, 1, 2000);
    late.AddDays(INT_MAX);
    EXPECT_EQ(late.Year(), 32767);
    EXPECT_EQ(late.Month(), 12);
    EXPECT_EQ(late.Day(), 31);
    CalendarDate early(1, 1, 2000);
    early.AddDays(INT_MIN);
    EXPECT_EQ(early.Year(), -32768);
    EXPECT_EQ(early.Day(), 1);
    CalendarDate years(1, 1, 2000);
    years.AddYears(INT_MAX);
    EXPECT_EQ(years.Year(), 32767);
    years.AddMonths(INT_MIN);
    EXPECT_EQ(years.Year(), -32768);
    const CalendarDate huge(CalendarFrench, INT_MAX);
    EXPECT_EQ(huge.Year(), 32767);
    EXPECT_EQ(CalendarDate(CalendarFrench, huge.Day(), huge.Month(), huge.Year()).DayNumber(), huge.DayNumber());
}

class CalendarDateFormatTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = CurrentSettings.dateFormat;
        DateFormatSettings& formats = CurrentSettings.dateFormat;
        std::memset(formats.Formats, 0, sizeof formats.Formats);
        std::strcpy(formats.Formats[0], "{dd}.{mm}.{yyyy}");
        std::strcpy(formats.Formats[1], "{yyy}[dm?-{mm}-{dd}]");
        formats.FormatCount = 2;
        formats.ShowCalendar = 0;
    }
    void TearDown() override { CurrentSettings.dateFormat = saved_; }
    DateFormatSettings saved_;
};

TEST_F(CalendarDateFormatTest, FormatAppendsTheDateInAPictureOfTheList)
{
    char out[40] = "On ";
    CalendarDate(CalendarJulian, 5, 10, 1582).Format(out, sizeof out, 0);
    EXPECT_STREQ(out, "On 05.10.1582");
    out[0] = '\0';
    CalendarDate(14, 7, 1789).Format(out, sizeof out, 1);
    EXPECT_STREQ(out, "1789-07-14");
    for (int outside : {-1, 2, 31, 32}) {
        out[0] = '\0';
        CalendarDate(14, 7, 1789).Format(out, sizeof out, outside);
        EXPECT_STREQ(out, "") << "picture " << outside;
    }
    char small[5] = "";
    CalendarDate(14, 7, 1789).Format(small, sizeof small, 1);
    EXPECT_STREQ(small, "1789");
}

} // namespace
