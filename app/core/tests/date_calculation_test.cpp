#include "core/date_calculation.h"

#include <string>

#include <gtest/gtest.h>

namespace {

struct CalculationCase {
    DateCalculation calculation;
    int day, month, year;
    bool shown;
};

TEST(DateCalculationTest, DatesAreConvertedAndMoved)
{
    const CalculationCase cases[] = {
        // 1 January 1800 is 12 Nivose VIII: the year IV, not the year III, of the republic was a leap year.
        {{CalendarGregorian, 1, 1, 1800, CalendarFrench, 0, 0, 0}, 12, 4, 8, true},
        // Months keep the day: 31 January plus a month is 31 February.
        {{CalendarGregorian, 31, 1, 1900, CalendarGregorian, 0, 1, 0}, 31, 2, 1900, true},
        // Days renormalise.
        {{CalendarGregorian, 31, 1, 1900, CalendarGregorian, 0, 0, 29}, 1, 3, 1900, true},
        {{CalendarJulian, 4, 10, 1582, CalendarGregorian, 0, 0, 1}, 15, 10, 1582, true},
        {{CalendarGregorian, 15, 3, 2000, CalendarGregorian, -1, -3, -15}, 30, 11, 1998, true},
        // Years then months then days.
        {{CalendarGregorian, 29, 2, 2000, CalendarGregorian, 1, 0, 0}, 29, 2, 2001, true},
        // Before the year 1 nothing is shown.
        {{CalendarGregorian, 1, 1, 1, CalendarGregorian, 0, 0, -1}, 31, 12, 0, false},
        {{CalendarGregorian, 1, 1, 5, CalendarGregorian, -10, 0, 0}, 1, 1, -5, false},
        // No day chosen: the day 0, the last day of the month before.
        {{CalendarGregorian, 0, 3, 1900, CalendarJulian, 0, 0, 0}, 16, 2, 1900, true},
    };
    for (const CalculationCase& c : cases) {
        const DateCalculation& k = c.calculation;
        SCOPED_TRACE(testing::Message() << k.day << "." << k.month << "." << k.year << " in " << k.calendar);
        CalendarDate result = CalculateDate(k);
        EXPECT_EQ(result.Calendar(), k.resultCalendar);
        EXPECT_EQ(result.Day(), c.day);
        EXPECT_EQ(result.Month(), c.month);
        EXPECT_EQ(result.Year(), c.year);
        EXPECT_EQ(IsShownResult(result), c.shown);
    }
}

TEST(DateCalculationTest, CalendarListAndMonthCounts)
{
    EXPECT_EQ(CalculatorCalendarIndex(CalendarGregorian), 0);
    EXPECT_EQ(CalculatorCalendarIndex(CalendarJulian), 1);
    EXPECT_EQ(CalculatorCalendarIndex(CalendarFrench), 2);
    EXPECT_EQ(CalculatorCalendarIndex(CalendarHebrew), 0);
    EXPECT_EQ(CalculatorCalendarIndex(CalendarUnknown), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CalculatorCalendarIndex(CalculatorCalendars[i]), i);
    EXPECT_EQ(CalculatorMonthCount(CalendarFrench), 13);
    EXPECT_EQ(CalculatorMonthCount(CalendarJulian), 12);
}

TEST(DateCalculationTest, SignedNumberFieldsTakeDigitsAndOneLeadingSign)
{
    struct Case {
        const char* text;
        std::size_t caret;
        char key;
        bool accepted;
    };
    const Case cases[] = {
        {"", 0, '5', true},   {"", 0, '-', true},   {"", 0, '+', true},   {"12", 2, '3', true},
        {"12", 0, '-', true}, {"12", 1, '-', false}, {"-12", 0, '-', false}, {"-12", 0, '+', false},
        {"-12", 0, '4', false}, {"-12", 1, '4', true}, {"12", 1, 'a', false}, {"12", 2, ' ', false},
        {"-", 1, 8, true},    {"12", 2, '.', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" at " << c.caret << " key " << int(c.key));
        EXPECT_EQ(AcceptsSignedNumberKey(c.text, c.caret, c.key), c.accepted);
    }
}

TEST(DateCalculationTest, SignedNumberValues)
{
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {{"", 0},      {"-", 0},      {"+", 0},       {"17", 17},         {"+17", 17},
                          {"-17", -17}, {"999", 999}, {"9999999", 9999}, {"-9999999", -9999}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SignedNumberValue(c.text, 9999), c.value);
    }
}

} // namespace
