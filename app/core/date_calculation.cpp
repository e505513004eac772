#include "core/date_calculation.h"

int CalculatorCalendarIndex(int calendar)
{
    switch (calendar) {
    case CalendarJulian:
        return 1;
    case CalendarFrench:
        return 2;
    default:
        return 0;
    }
}

int CalculatorMonthCount(int calendar)
{
    return calendar == CalendarFrench ? 13 : 12;
}

CalendarDate CalculateDate(const DateCalculation& calculation)
{
    CalendarDate date(calculation.calendar, calculation.day, calculation.month, calculation.year);
    date.SetCalendar(calculation.resultCalendar);
    date.AddYears(calculation.years);
    date.AddMonths(calculation.months);
    date.AddDays(calculation.days);
    return date;
}

bool IsShownResult(const CalendarDate& result)
{
    return result.Year() >= 1;
}

namespace {

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

} // namespace

bool AcceptsSignedNumberKey(const std::string& text, std::size_t caret, char key)
{
    constexpr char Backspace = 8;
    bool hasSign = !text.empty() && IsSign(text[0]);
    if (key == Backspace)
        return true;
    if (key >= '0' && key <= '9')
        return !(hasSign && caret == 0);
    if (IsSign(key))
        return caret == 0 && !hasSign;
    return false;
}

int SignedNumberValue(const std::string& text, int largest)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && IsSign(text[i]))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > largest)
            value = largest;
    }
    return static_cast<int>(negative ? -value : value);
}
