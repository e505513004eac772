#include "core/date_words.h"

#include <cstdio>

#include "core/date_value.h"
#include "language/language_table.h"
#include "platform/codepage.h"

namespace {

struct MonthNames {
    const char* longPrefix;
    const char* shortPrefix;
    int months; // months that have names
};

MonthNames MonthNamesOf(int calendar)
{
    switch (calendar) {
    case CalendarFrench:
        return {"DATE_FRENCH", "DATE_SHORTFRENCH", 13};
    case CalendarHijri:
        return {"DATE_HIJRI", "DATE_SHORTHIJRI", 12};
    case CalendarCoptic:
        return {"DATE_COPTIC", "DATE_SHORTCOPTIC", 13};
    case CalendarHebrew:
        return {"DATE_HEBREW", "DATE_SHORTHEBREW", 13};
    default:
        return {"DATE_MONTH", "DATE_SHORTMONTH", 12};
    }
}

// Month names are cut to the 31 characters of the name fields they were made for.
constexpr std::size_t MonthNameLength = 31;

std::string MonthName(const char* prefix, const char* unknownKey, int months, int month)
{
    if (month == 0)
        return std::string(GetLanguageText(unknownKey)).substr(0, MonthNameLength);
    if (month < 0 || month > months)
        return std::to_string(month);
    char key[LanguageKeySize];
    std::snprintf(key, sizeof key, "%s%d", prefix, month);
    return std::string(GetLanguageText(key)).substr(0, MonthNameLength);
}

} // namespace

const char* DateModifierWord(int modifier)
{
    switch (modifier) {
    case DateModifierAbout:
        return GetLanguageText("DATE_MOD_ABOUT");
    case DateModifierAfter:
        return GetLanguageText("DATE_MOD_AFTER");
    case DateModifierBefore:
        return GetLanguageText("DATE_MOD_BEFORE");
    case DateModifierEstimated:
        return GetLanguageText("DATE_MOD_ESTIMATED");
    default:
        return nullptr;
    }
}

const char* DateCalendarName(int calendar)
{
    switch (calendar) {
    case CalendarCoptic:
        return GetLanguageText("DATE_CALENDAR_COPTIC");
    case CalendarFrench:
        return GetLanguageText("DATE_CALENDAR_FRENCH");
    case CalendarGregorian:
        return GetLanguageText("DATE_CALENDAR_GREGORIAN");
    case CalendarHebrew:
        return GetLanguageText("DATE_CALENDAR_HEBREW");
    case CalendarHijri:
        return GetLanguageText("DATE_CALENDAR_HIJRI");
    case CalendarJulian:
        return GetLanguageText("DATE_CALENDAR_JULIAN");
    default:
        return nullptr;
    }
}

namespace {
struct CalendarLetter {
    char letter;
    int calendar;
};
constexpr CalendarLetter CalendarLetters[] = {
    {'g', CalendarGregorian}, {'j', CalendarJulian}, {'f', CalendarFrench},
    {'c', CalendarCoptic},    {'i', CalendarHijri},  {'h', CalendarHebrew},
};
} // namespace

char DateCalendarLetter(int calendar)
{
    for (const CalendarLetter& entry : CalendarLetters)
        if (entry.calendar == calendar)
            return entry.letter;
    return 0;
}

int DateCalendarOfLetter(char letter)
{
    for (const CalendarLetter& entry : CalendarLetters)
        if (entry.letter == letter)
            return entry.calendar;
    return -1;
}

std::string LongMonthName(int calendar, int month)
{
    const MonthNames names = MonthNamesOf(calendar);
    return MonthName(names.longPrefix, LanguageKey("DATE_MONTH_UNKNOWN"), names.months, month);
}

int NamedMonthCount(int calendar)
{
    return MonthNamesOf(calendar).months;
}

const char* LongMonthKeyPrefix(int calendar)
{
    return MonthNamesOf(calendar).longPrefix;
}

std::string ShortMonthName(int calendar, int month)
{
    const MonthNames names = MonthNamesOf(calendar);
    return MonthName(names.shortPrefix, LanguageKey("DATE_SHORTMONTH_UNKNOWN"), names.months, month);
}

std::size_t MatchDateWord(const char* text, const char* word)
{
    if (!word || !*word)
        return 0;
    std::size_t i = 0;
    for (; word[i]; ++i) {
        // A shorter text meets its terminator here, which equals no character of the word.
        if (platform::UpperCaseCp1252(static_cast<unsigned char>(text[i])) !=
            platform::UpperCaseCp1252(static_cast<unsigned char>(word[i])))
            return 0;
    }
    return i;
}

std::string UpperCaseText(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(platform::UpperCaseCp1252(static_cast<unsigned char>(c)));
    return text;
}
