#include "gedcom/gedcom_dates.h"

#include <array>
#include <cctype>

#include "gedcom/gedcom_reader.h"

namespace pendrax {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::array<std::string_view, 12> kMonthNames = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                                          "MAY",       "JUNE",     "JULY",     "AUGUST",
                                                          "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
constexpr std::array<std::string_view, 13> kFrenchMonths = {"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM",
                                                            "FLOR", "PRAI", "MESS", "THER", "FRUC", "COMP"};
constexpr std::array<std::string_view, 13> kHebrewMonths = {"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS",
                                                            "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"};

struct CalendarEscape {
    std::string_view escape;
    Calendar calendar;
};
constexpr CalendarEscape kEscapes[] = {
    {"@#DGREGORIAN@", Calendar::Gregorian}, {"@#DJULIAN@", Calendar::Julian},   {"@#DHEBREW@", Calendar::Hebrew},
    {"@#DFRENCH R@", Calendar::French},     {"@#DUNKNOWN@", Calendar::Unknown},
};

// Numbers beyond this are not dates; the digits are still consumed.
constexpr int kNumberLimit = 99999999;
// The parts of a time are kept to four digits.
constexpr int kTimePartLimit = 9999;

class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek(size_t ahead = 0) const { return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0'; }
    void Advance(size_t count = 1) { at_ = std::min(text_.size(), at_ + count); }
    void SkipBlanks()
    {
        while (Peek() == ' ')
            ++at_;
    }
    bool Starts(std::string_view word, bool ignoreCase) const
    {
        if (text_.size() - at_ < word.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i) {
            char a = text_[at_ + i], b = word[i];
            if (ignoreCase ? std::toupper(static_cast<unsigned char>(a)) != b : a != b)
                return false;
        }
        return true;
    }
    bool Take(std::string_view word, bool ignoreCase = true)
    {
        if (!Starts(word, ignoreCase))
            return false;
        at_ += word.size();
        return true;
    }
    int ReadNumber()
    {
        int number = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            if (number <= kNumberLimit / 10)
                number = number * 10 + (Peek() - '0');
            ++at_;
        }
        return number;
    }
    size_t Position() const { return at_; }
    std::string_view Rest() const { return text_.substr(at_); }

private:
    std::string_view text_;
    size_t at_ = 0;
};

void ReadCalendar(Cursor& cursor, SimpleDate& date, bool defaultGregorian)
{
    cursor.SkipBlanks();
    date.calendar = defaultGregorian ? Calendar::Gregorian : Calendar::Unknown;
    for (const CalendarEscape& escape : kEscapes) {
        if (cursor.Take(escape.escape, false)) {
            date.calendar = escape.calendar;
            break;
        }
    }
    cursor.SkipBlanks();
}

// The 1-based month of the code at the cursor for the date's calendar, 0 when none fits.
int TakeMonth(Cursor& cursor, Calendar calendar)
{
    auto find = [&](const auto& codes) {
        for (size_t i = 0; i < codes.size(); ++i)
            if (cursor.Take(codes[i]))
                return static_cast<int>(i + 1);
        return 0;
    };
    if (calendar == Calendar::French)
        return find(kFrenchMonths);
    if (calendar == Calendar::Hebrew)
        return find(kHebrewMonths);
    int month = find(kMonths);
    // Some programs write the month's whole English name: "29 December 1812".
    if (month != 0)
        cursor.Take(kMonthNames[month - 1].substr(3));
    return month;
}

bool EraFollows(const Cursor& cursor)
{
    return cursor.Starts("BC", true) || cursor.Starts("B.C.", true);
}

// The second year of a dual year and the era, after the year.
void ReadYearTail(Cursor& cursor, SimpleDate& date)
{
    if (cursor.Peek() == '/') {
        cursor.Advance();
        int second = cursor.ReadNumber();
        date.secondYear = static_cast<int8_t>(second > 99 ? second % 100 : second);
    }
    cursor.SkipBlanks();
    if (cursor.Take("BC") || cursor.Take("B.C."))
        date.year = -date.year;
}

SimpleDate ReadSimpleDate(Cursor& cursor, bool defaultGregorian)
{
    SimpleDate date;
    ReadCalendar(cursor, date, defaultGregorian);
    int number = cursor.ReadNumber();
    if (cursor.Peek() == '/') {
        date.year = number;
        ReadYearTail(cursor, date);
        return date;
    }
    cursor.SkipBlanks();
    // A "B" is an era only as BC or B.C.: the French month BRUM begins with B too.
    if (EraFollows(cursor)) {
        date.year = number;
        ReadYearTail(cursor, date);
        return date;
    }
    if (number < 32 && !cursor.AtEnd()) {
        int month = TakeMonth(cursor, date.calendar);
        if (month == 0) {
            date.year = number;
            return date;
        }
        date.day = number;
        date.month = month;
        // Real files pad with more than one blank: " 2 APR  742".
        cursor.SkipBlanks();
        date.year = cursor.ReadNumber();
        ReadYearTail(cursor, date);
        return date;
    }
    date.year = number;
    return date;
}

// D.M.Y; false (and the date untouched) when the value has another form.
bool ReadNumericDate(Cursor& cursor, SimpleDate& date, bool defaultGregorian)
{
    SimpleDate numeric;
    ReadCalendar(cursor, numeric, defaultGregorian);
    if (!std::isdigit(static_cast<unsigned char>(cursor.Peek())))
        return false;
    int day = cursor.ReadNumber();
    if (cursor.Peek() != '.' || day >= 32)
        return false;
    cursor.Advance();
    if (!std::isdigit(static_cast<unsigned char>(cursor.Peek())))
        return false;
    int month = cursor.ReadNumber();
    if (cursor.Peek() != '.' || month >= 14)
        return false;
    cursor.Advance();
    if (!std::isdigit(static_cast<unsigned char>(cursor.Peek())))
        return false;
    numeric.day = day;
    numeric.month = month;
    numeric.year = cursor.ReadNumber();
    ReadYearTail(cursor, numeric);
    date = numeric;
    return true;
}

} // namespace

DateReading ReadDateValue(std::string_view value, const DateRules& rules)
{
    DateReading reading;
    GedcomDate& date = reading.date;
    Cursor cursor(value);
    cursor.SkipBlanks();
    if (cursor.AtEnd())
        return reading; // no date given
    bool unread = false;
    auto simple = [&] { return ReadSimpleDate(cursor, rules.defaultGregorian); };

    if (cursor.Starts("INT", false)) {
        size_t open = value.find('(');
        if (open == std::string_view::npos) {
            reading.logCodes.push_back(LogBadDate);
            return reading;
        }
        cursor.Advance(open);
    }
    if (cursor.Take("(")) {
        std::string_view rest = cursor.Rest();
        size_t close = rest.find(')');
        date.kind = DateKind::Text;
        date.text = rest.substr(0, close);
        cursor.Advance(close == std::string_view::npos ? rest.size() : close + 1);
    } else if (cursor.Take("ABT ")) {
        date.kind = DateKind::About;
        date.first = simple();
    } else if (cursor.Take("CIR ") || cursor.Take("CA. ") || cursor.Take("CA ")) {
        if (rules.logWarnings)
            reading.logCodes.push_back(LogCircaForAbout);
        date.kind = DateKind::About;
        date.first = simple();
    } else if (cursor.Take("CAL ") || cursor.Take("EST ")) {
        date.kind = DateKind::Estimated;
        date.first = simple();
    } else if (cursor.Take("FROM ")) {
        date.kind = DateKind::From;
        date.first = simple();
        cursor.SkipBlanks();
        if (cursor.Take("TO ")) {
            date.kind = DateKind::FromTo;
            date.second = simple();
        }
    } else if (cursor.Take("TO ")) {
        date.kind = DateKind::To;
        date.first = simple();
    } else if (cursor.Take("BEF ")) {
        date.kind = DateKind::Before;
        date.first = simple();
    } else if (cursor.Take("AFT ")) {
        date.kind = DateKind::After;
        date.first = simple();
    } else if (cursor.Starts("BET ", true) || cursor.Starts("BETWEEN ", true)) {
        if (cursor.Take("BETWEEN ")) {
            if (rules.logWarnings)
                reading.logCodes.push_back(LogBetweenForBet);
        } else {
            cursor.Take("BET ");
        }
        date.kind = DateKind::Between;
        date.first = simple();
        cursor.SkipBlanks();
        if (cursor.Take("AND "))
            date.second = simple();
        else
            unread = true;
    } else {
        date.kind = DateKind::Exact;
        date.first = simple();
    }

    cursor.SkipBlanks();
    if (!cursor.AtEnd() && rules.numericDates) {
        Cursor again(value);
        if (ReadNumericDate(again, date.first, rules.defaultGregorian)) {
            again.SkipBlanks();
            cursor = again;
        }
    }
    // A date without a single digit has no year: "SUBMITTED", "<unknown>".
    bool anyDigit = value.find_first_of("0123456789") != std::string_view::npos;
    if (!cursor.AtEnd() || (!anyDigit && date.kind != DateKind::Text))
        unread = true;
    if (unread) {
        // What was read is no date the user gave: it is kept as text where asked, else left out and logged.
        GedcomDate kept;
        if (rules.keepUnreadDates) {
            kept.kind = DateKind::Text;
            kept.text = value;
        } else {
            reading.logCodes.push_back(LogBadDate);
        }
        date = std::move(kept);
    }
    return reading;
}

SimpleDate ReadSimpleDateValue(std::string_view value, bool defaultGregorian)
{
    Cursor cursor(value);
    return ReadSimpleDate(cursor, defaultGregorian);
}

void ReadTimeValue(std::string_view value, SimpleDate& date)
{
    Cursor cursor(value.substr(0, 31));
    cursor.SkipBlanks();
    if (!std::isdigit(static_cast<unsigned char>(cursor.Peek())))
        return;
    auto part = [&] { return static_cast<int16_t>(std::min(cursor.ReadNumber(), kTimePartLimit)); };
    date.hour = part();
    date.minute = 0;
    if (cursor.Peek() != ':' && cursor.Peek() != '.')
        return;
    cursor.Advance();
    date.minute = part();
    if (cursor.Peek() != ':' && cursor.Peek() != '.')
        return;
    cursor.Advance();
    date.second = part();
}

} // namespace pendrax
