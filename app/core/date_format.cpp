#include "core/date_format.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/date_words.h"
#include "language/language_table.h"
#include "settings/settings.h"

namespace {

// One or two numbers by a printf pattern.
std::string NumberText(const char* format, int a, int b = 0)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

// Appends `text` to the zero-terminated `out`, never writing more than `size` bytes in all.
void AppendBounded(char* out, std::size_t size, const std::string& text)
{
    if (size == 0)
        return;
    const std::size_t used = strnlen(out, size);
    if (used >= size)
        return; // no terminator inside the buffer: nothing can be added safely
    const std::size_t room = size - 1 - used;
    const std::size_t count = text.size() < room ? text.size() : room;
    std::memcpy(out + used, text.data(), count);
    out[used + count] = '\0';
}

// The year codes. The era word for a year before the era is written in both forms: the parser reads it,
// and without it an unchanged date before the year 1 would be saved as a date after Christ.
void WriteYear(std::string& out, const DateValue& value, bool padded, bool inputForm)
{
    const int year = value.Year();
    const int absoluteYear = std::abs(year);
    if (!padded && !inputForm && year == 0)
        return;
    out += NumberText(padded || inputForm ? "%04i" : "%i", absoluteYear);
    if (value.HasAlternateYear()) {
        if (inputForm) {
            out += '+';
        } else {
            out += '/';
            out += std::to_string(value.alternateYear);
        }
    }
    if (year < 0) {
        out += ' ';
        out += GetLanguageText("DATE_ERA_BEFORE");
    } else if (!inputForm && year >= (padded ? 0 : 1) && year <= 99) {
        out += ' ';
        out += GetLanguageText("DATE_ERA_AFTER");
    }
}

void WriteField(std::string& out, const DateValue& value, std::string_view code, bool inputForm)
{
    if (code == "dd") {
        out += NumberText("%02i", value.day);
    } else if (code == "d") {
        if (value.day)
            out += std::to_string(value.day);
    } else if (code == "mmmm") {
        out += LongMonthName(value.calendar, value.month);
    } else if (code == "MMMM") {
        out += UpperCaseText(LongMonthName(value.calendar, value.month));
    } else if (code == "mmm") {
        out += ShortMonthName(value.calendar, value.month);
    } else if (code == "MMM") {
        out += UpperCaseText(ShortMonthName(value.calendar, value.month));
    } else if (code == "m") {
        if (value.month)
            out += std::to_string(value.month);
    } else if (code == "mm") {
        out += NumberText("%02i", value.month);
    } else if (code == "yyyy") {
        WriteYear(out, value, true, inputForm);
    } else if (code == "yyy") {
        WriteYear(out, value, false, inputForm);
    } else if (code == "yy") {
        out += value.Year() == 0 ? std::string("??") : NumberText("%02i", std::abs(value.Year()) % 100);
    }
}

// Whether one of the fields named by a section's condition letters is there.
bool ConditionHolds(const DateValue& value, const char* letters, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        switch (letters[i]) {
        case 'd':
            if (value.day)
                return true;
            break;
        case 'm':
            if (value.month)
                return true;
            break;
        case 'y':
            if (value.Year())
                return true;
            break;
        case 'a':
            if (value.HasAlternateYear())
                return true;
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace

// Iterative, with a count of the open sections, so that no picture can nest deeper than the stack.
void FormatDateByPicture(std::string& out, const DateValue& value, const char* picture, bool inputForm)
{
    if (!picture)
        return;
    std::size_t pos = 0;
    std::size_t openSections = 0;
    while (picture[pos]) {
        const char c = picture[pos];
        if (c == '{') {
            std::size_t end = pos + 1;
            while (picture[end] && picture[end] != '}' && picture[end] != '{')
                ++end;
            if (!picture[end])
                return; // the picture ends inside the code
            WriteField(out, value, std::string_view(picture + pos + 1, end - pos - 1), inputForm);
            pos = picture[end] == '}' ? end + 1 : end;
        } else if (c == '[') {
            const std::size_t letters = ++pos;
            while (picture[pos] && picture[pos] != '?' && picture[pos] != ']')
                ++pos;
            if (!picture[pos])
                return;
            if (picture[pos] == ']') { // a section without text
                ++pos;
                continue;
            }
            const bool holds = ConditionHolds(value, picture + letters, pos - letters);
            ++pos; // past '?'
            if (holds) {
                ++openSections;
                continue;
            }
            for (std::size_t depth = 1; depth > 0; ++pos) {
                if (!picture[pos])
                    return; // the picture ends inside the section
                if (picture[pos] == '[')
                    ++depth;
                else if (picture[pos] == ']')
                    --depth;
            }
        } else if (c == ']') {
            if (openSections == 0)
                return;
            --openSections;
            ++pos;
        } else {
            out += c;
            ++pos;
        }
    }
}

namespace {

// The forms a date is written in: the display form names its calendar when the settings say so, the
// short form of reports never does.
enum class DateForm { Display, Short, Input };

std::string DateValueText(const DateValue& value, const char* picture, bool withTime, DateForm form)
{
    const bool inputForm = form == DateForm::Input;
    std::string out;
    if (value.modifier == DateModifierAfter || value.modifier == DateModifierBefore ||
        value.modifier == DateModifierAbout || (inputForm && value.modifier == DateModifierEstimated)) {
        out += DateModifierWord(value.modifier);
        out += ' ';
    }
    if (inputForm) {
        if (char letter = DateCalendarLetter(value.calendar))
            out += letter;
    } else if (form == DateForm::Display && CurrentSettings.dateFormat.ShowCalendar &&
               value.calendar != CalendarUnknown) {
        if (const char* name = DateCalendarName(value.calendar)) {
            out += '(';
            out += name;
            out += ") ";
        }
    }
    FormatDateByPicture(out, value, picture, inputForm);
    if (withTime && value.HasTime()) {
        out += ' ';
        out += NumberText(CurrentSettings.dateFormat.TimeFormat >= 1 ? "%02i.%02i" : "%02i:%02i", value.hour,
                          value.minute);
    }
    if (!inputForm && value.modifier == DateModifierEstimated) {
        out += " (";
        out += DateModifierWord(DateModifierEstimated);
        out += ')';
    }
    return out;
}

// The word before the first date of a range: from-to reads "from ... to ...".
const char* LeadingRangeWord(int type)
{
    switch (type) {
    case DateRangeFrom:
    case DateRangeFromTo:
        return GetLanguageText("DATE_TYPE_FROM");
    case DateRangeTo:
        return GetLanguageText("DATE_TYPE_TO");
    case DateRangeBetween:
        return GetLanguageText("DATE_TYPE_BET");
    default:
        return nullptr;
    }
}

DateForm FormOf(bool inputForm)
{
    return inputForm ? DateForm::Input : DateForm::Display;
}

char* WriteDateRange(char* out, std::size_t size, const DateRange& range, const char* picture, bool withTime,
                     DateForm form)
{
    if (size == 0)
        return out;
    out[0] = '\0';
    if (range.type == DateRangeText) {
        AppendBounded(out, size, std::string(range.Text()));
        return out;
    }
    std::string text;
    if (const char* leadingWord = LeadingRangeWord(range.type)) {
        text += leadingWord;
        text += ' ';
    }
    text += DateValueText(range.dates.first, picture, withTime, form);
    // A between-date typed without its second date reads "bet 1850", not "bet 1850 and"; the parser
    // gives the same range back for both.
    const bool secondDate =
        range.type == DateRangeFromTo || (range.type == DateRangeBetween && !range.dates.second.IsEmpty());
    if (secondDate) {
        text += ' ';
        text +=
            GetLanguageText(range.type == DateRangeFromTo ? LanguageKey("DATE_TYPE_TO") : LanguageKey("DATE_TYPE_AND"));
        text += ' ';
        text += DateValueText(range.dates.second, picture, withTime, form);
    }
    AppendBounded(out, size, text);
    return out;
}

} // namespace

char* FormatDateValue(char* out, std::size_t size, const DateValue& value, const char* picture, bool withTime,
                      bool inputForm)
{
    AppendBounded(out, size, DateValueText(value, picture, withTime, FormOf(inputForm)));
    return out;
}

char* FormatDateRange(char* out, std::size_t size, const DateRange& range, const char* picture, bool withTime,
                      bool inputForm)
{
    return WriteDateRange(out, size, range, picture, withTime, FormOf(inputForm));
}

char* FormatShortDateValue(char* out, std::size_t size, const DateValue& value, const char* picture, bool withTime)
{
    AppendBounded(out, size, DateValueText(value, picture, withTime, DateForm::Short));
    return out;
}

char* FormatShortDateRange(char* out, std::size_t size, const DateRange& range, const char* picture, bool withTime)
{
    return WriteDateRange(out, size, range, picture, withTime, DateForm::Short);
}

char* GetMonthName(int calendar, int month, char* out, std::size_t size)
{
    char key[LanguageKeySize];
    if (calendar == CalendarFrench) {
        const int n = ((month % 13) + 13) % 13;
        std::snprintf(key, sizeof key, "DATE_FRENCH%d", n == 0 ? 13 : n);
    } else {
        const int n = ((month % 12) + 12) % 12;
        std::snprintf(key, sizeof key, "DATE_MONTH%d", n == 0 ? 12 : n);
    }
    return CopyLanguageText(key, out, size);
}
