#include "core/date_parser.h"

#include <cstring>

#include "core/date_words.h"
#include "language/language_table.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(const char* text, std::size_t p)
{
    while (IsDateBlank(text[p]))
        ++p;
    return p;
}

// One {code} of a picture starting at the '{' at `start`: the code runs to '}', to the next '{' or to
// the end of the picture; `next` is where the picture goes on.
struct PictureCode {
    const char* code;
    std::size_t length;
    std::size_t next;
};

PictureCode ReadPictureCode(const char* picture, std::size_t start)
{
    std::size_t end = start + 1;
    while (picture[end] && picture[end] != '}' && picture[end] != '{')
        ++end;
    return {picture + start + 1, end - start - 1, picture[end] == '}' ? end + 1 : end};
}

bool CodeIs(const PictureCode& code, const char* name)
{
    return code.length == std::strlen(name) && std::memcmp(code.code, name, code.length) == 0;
}

// The year and what may follow it: the dual-year plus sign and an era word.
bool ParseYear(const char* text, std::size_t& p, DateValue& value)
{
    const int year = ParseDigits(text + p, 4);
    if (year < 0)
        return false;
    value.SetYear(year);
    p += 4;
    if (text[p] == '+') {
        value.alternateYear = static_cast<std::uint8_t>((year + 1) % 100);
        ++p;
    }
    p = SkipBlanks(text, p);
    if (std::size_t n = MatchDateWord(text + p, GetLanguageText("DATE_ERA_AFTER"))) {
        p += n;
    } else if (std::size_t n = MatchDateWord(text + p, GetLanguageText("DATE_ERA_BEFORE"))) {
        p += n;
        value.SetYear(-year);
    }
    return true;
}

bool ParseField(const char* text, std::size_t& p, const PictureCode& code, DateValue& value)
{
    if (CodeIs(code, "dd")) {
        const int day = ParseDigits(text + p, 2);
        if (day < 0 || day >= 32)
            return false;
        value.day = static_cast<std::uint8_t>(day);
        p += 2;
    } else if (CodeIs(code, "mm")) {
        const int month = ParseDigits(text + p, 2);
        if (month < 0 || month >= 14)
            return false;
        value.month = static_cast<std::uint8_t>(month);
        p += 2;
    } else if (CodeIs(code, "yyyy")) {
        return ParseYear(text, p, value);
    }
    return true; // other codes read nothing
}

// A time of two digits, a '.' or ':' and two digits; the values are not checked.
bool ParseTime(const char* text, std::size_t& p, DateValue& value)
{
    const int hour = ParseDigits(text + p, 2);
    if (hour < 0 || (text[p + 2] != '.' && text[p + 2] != ':'))
        return false;
    const int minute = ParseDigits(text + p + 3, 2);
    if (minute < 0)
        return false;
    value.hour = static_cast<std::uint8_t>(hour);
    value.minute = static_cast<std::uint8_t>(minute);
    p = SkipBlanks(text, p + 5);
    return true;
}

} // namespace

int ParseDigits(const char* text, int count)
{
    if (count < 1 || count > 9)
        return -1;
    int result = 0;
    for (int i = 0; i < count; ++i) {
        if (!IsDigit(text[i]))
            return -1; // also stops at the end of the text
        result = result * 10 + (text[i] - '0');
    }
    return result;
}

int ParseDateValue(const char* text, DateValue& value, const char* picture)
{
    value = EmptyDateValue();
    if (!text || !picture)
        return -1;
    std::size_t p = 0;
    for (int modifier : {DateModifierAbout, DateModifierAfter, DateModifierBefore, DateModifierEstimated}) {
        if (std::size_t n = MatchDateWord(text, DateModifierWord(modifier))) {
            value.modifier = static_cast<std::uint8_t>(modifier);
            p = n;
            break;
        }
    }
    p = SkipBlanks(text, p);
    if (text[p]) {
        const int calendar = DateCalendarOfLetter(text[p]);
        if (calendar >= 0) {
            value.calendar = static_cast<std::uint8_t>(calendar);
            ++p;
        }
    }
    for (std::size_t i = 0; picture[i];) {
        if (picture[i] != '{') {
            if (text[p] != picture[i])
                return -1;
            ++p;
            ++i;
            continue;
        }
        const PictureCode code = ReadPictureCode(picture, i);
        if (!ParseField(text, p, code, value))
            return -1;
        i = code.next;
    }
    p = SkipBlanks(text, p);
    if (IsDigit(text[p]) && !ParseTime(text, p, value))
        return -1;
    return static_cast<int>(p);
}

namespace {

// Removes blanks at both ends of `text` in place; returns its new length.
std::size_t TrimInPlace(char* text)
{
    std::size_t start = 0;
    while (IsDateBlank(text[start]))
        ++start;
    std::size_t end = std::strlen(text);
    while (end > start && IsDateBlank(text[end - 1]))
        --end;
    std::memmove(text, text + start, end - start);
    text[end - start] = '\0';
    return end - start;
}

// Whether the first `length` characters of `text` (at most DateTextLength) read as a date by `picture`.
bool ReadsAsDate(const char* text, std::size_t length, const char* picture)
{
    char copy[DateTextLength + 1];
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    DateRange range;
    ParseDateRange(copy, range, picture);
    return range.type != DateRangeText;
}

// A text date is shown in its editor as its text, and that text is read again when the user presses OK:
// what is kept must read back as this same text date. A text that fits is kept whole (it did not read as a
// date). A longer one is cut to the field without blanks at its end, since reading trims them, and
// shorter still where the cut would read as a date ("bet 01011850" followed by more than the field holds).
void MakeTextDate(const char* text, std::size_t length, DateRange& range, const char* picture)
{
    if (length > DateTextLength) {
        length = DateTextLength;
        for (;;) {
            while (length > 0 && IsDateBlank(text[length - 1]))
                --length;
            if (length == 0 || !ReadsAsDate(text, length, picture))
                break;
            --length;
        }
    }
    range.SetText(std::string_view(text, length));
}

} // namespace

void ParseDateRange(char* text, DateRange& range, const char* picture)
{
    std::memset(&range, 0, sizeof range);
    if (!text)
        return range.SetText("");
    const std::size_t length = TrimInPlace(text);
    range.dates.second = EmptyDateValue();

    std::size_t p = 0;
    range.type = DateRangeSingle;
    if (std::size_t n = MatchDateWord(text, GetLanguageText("DATE_TYPE_FROM"))) {
        range.type = DateRangeFrom;
        p = n;
    } else if (std::size_t n = MatchDateWord(text, GetLanguageText("DATE_TYPE_TO"))) {
        range.type = DateRangeTo;
        p = n;
    } else if (std::size_t n = MatchDateWord(text, GetLanguageText("DATE_TYPE_BET"))) {
        range.type = DateRangeBetween;
        p = n;
    }

    p = SkipBlanks(text, p);
    const int first = ParseDateValue(text + p, range.dates.first, picture);
    if (first < 0)
        return MakeTextDate(text, length, range, picture);
    p = SkipBlanks(text, p + first);
    if (!text[p])
        return; // one date; a between-word without its second date keeps its type

    if (std::size_t n = MatchDateWord(text + p, GetLanguageText("DATE_TYPE_TO"))) {
        range.type = DateRangeFromTo;
        p += n;
    } else if (std::size_t n =
                   range.type == DateRangeBetween ? MatchDateWord(text + p, GetLanguageText("DATE_TYPE_AND")) : 0) {
        p += n;
    } else {
        return MakeTextDate(text, length, range, picture);
    }
    p = SkipBlanks(text, p);
    const int second = ParseDateValue(text + p, range.dates.second, picture);
    if (second < 0 || text[p + second])
        return MakeTextDate(text, length, range, picture);
}
