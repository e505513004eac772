// The words of dates, all taken from the language in use: modifiers, range words, eras, calendar and
// month names; and the comparison without regard to case that the parser reads them with.
#pragma once

#include <cstddef>
#include <string>

// The language text of a date word's key; null for a code that has no word.
const char* DateModifierWord(int modifier);
const char* DateCalendarName(int calendar);
// The letter typed before a date to name its calendar ('g', 'j', 'f', 'c', 'i', 'h'); 0 for none.
char DateCalendarLetter(int calendar);
// The calendar named by a letter; -1 when the character names none (letters are lower case only).
int DateCalendarOfLetter(char letter);

// The long and short month names of a calendar. Month 0 is the unknown month; a month that the
// calendar has no name for (13 in a twelve-month calendar) is written as its number.
std::string LongMonthName(int calendar, int month);
std::string ShortMonthName(int calendar, int month);
// The months of a calendar that have names (13 in the French, Coptic and Hebrew calendars, else 12), and
// the key of a month's long name, without the month's number ("DATE_FRENCH", "DATE_MONTH", ...).
int NamedMonthCount(int calendar);
const char* LongMonthKeyPrefix(int calendar);

// The number of characters of `word` that stand at the start of `text`, compared without regard to
// case (Windows-1252); 0 when they differ or the word is empty, so an empty word never matches.
std::size_t MatchDateWord(const char* text, const char* word);
// Upper case in Windows-1252, accented letters included.
std::string UpperCaseText(std::string text);

// Blanks that separate the parts of a typed date.
inline bool IsDateBlank(char c)
{
    return c == ' ' || c == '\t';
}
