#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/date_format.h"
#include "core/date_parser.h"
#include "core/date_pictures.h"
#include "core/date_value.h"
#include "core/date_words.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "tests/support/scoped_language.h"

namespace {

// The date words of a language, set up here so that the cases read the same whatever the master
// file's wording becomes; the French month has an accent to show the Windows-1252 upper case.
const char DateWords[] =
    "DATE_MOD_ABOUT=abt\r\nDATE_MOD_AFTER=aft\r\nDATE_MOD_BEFORE=bef\r\nDATE_MOD_ESTIMATED=est\r\n"
    "DATE_TYPE_FROM=from\r\nDATE_TYPE_TO=to\r\nDATE_TYPE_BET=bet\r\nDATE_TYPE_AND=and\r\n"
    "DATE_ERA_BEFORE=BC\r\nDATE_ERA_AFTER=AD\r\n"
    "DATE_CALENDAR_GREGORIAN=Gregorian\r\nDATE_CALENDAR_JULIAN=Julian\r\nDATE_CALENDAR_FRENCH=French\r\n"
    "DATE_MONTH1=January\r\nDATE_MONTH5=May\r\nDATE_MONTH11=November\r\nDATE_MONTH12=December\r\n"
    "DATE_SHORTMONTH5=May\r\nDATE_SHORTMONTH12=Dec\r\n"
    "DATE_MONTH_UNKNOWN=(month unknown)\r\nDATE_SHORTMONTH_UNKNOWN=?\r\n"
    "DATE_FRENCH1=Vend\xE9miaire\r\nDATE_FRENCH13=jours compl\xE9mentaires\r\n"
    "DATE_SHORTFRENCH1=Vend\r\nDATE_SHORTFRENCH13=Compl\r\n"
    "DATE_HEBREW13=Elul\r\nDATE_HIJRI12=Dhu al-Hijjah\r\n";

class DateTest : public testing::Test {
protected:
    void SetUp() override
    {
        savedFormats_ = CurrentSettings.dateFormat;
        CurrentSettings.dateFormat.ShowCalendar = 0;
        CurrentSettings.dateFormat.TimeFormat = 0;
    }
    void TearDown() override
    {
        CurrentSettings.dateFormat = savedFormats_;
    }

    static DateValue Value(int day, int month, int year)
    {
        DateValue value = EmptyDateValue();
        value.day = static_cast<std::uint8_t>(day);
        value.month = static_cast<std::uint8_t>(month);
        value.SetYear(year);
        return value;
    }
    static std::string Display(const DateValue& value, const char* picture, bool withTime = false)
    {
        char out[128] = "";
        return FormatDateValue(out, sizeof out, value, picture, withTime, false);
    }
    static std::string Input(const DateValue& value, const char* picture)
    {
        char out[128] = "";
        return FormatDateValue(out, sizeof out, value, picture, true, true);
    }
    static DateRange Parse(const char* text, const char* picture = "{dd}.{mm}.{yyyy}")
    {
        std::vector<char> buffer(text, text + std::strlen(text) + 1);
        DateRange range;
        std::memset(&range, 0xCD, sizeof range); // the parser must set every byte
        ParseDateRange(buffer.data(), range, picture);
        return range;
    }

    test_support::ScopedLanguage language_{std::string_view(DateWords, sizeof DateWords - 1)};
    DateFormatSettings savedFormats_{};
};

void ExpectSameBytes(const DateRange& a, const DateRange& b)
{
    EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a));
}

// ---- the stored layout ----

TEST_F(DateTest, TheEmptyValueMarksEveryFieldAsMissing)
{
    const DateValue empty = EmptyDateValue();
    const unsigned char expected[9] = {0xFF, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF};
    EXPECT_EQ(0, std::memcmp(&empty, expected, sizeof expected));
    EXPECT_FALSE(empty.HasTime());
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(Value(0, 0, 1850).IsEmpty());
}

TEST_F(DateTest, ValuesAreStoredLittleEndianInTheirRowField)
{
    DateRange range = Parse("from 01.02.1850 to 03.04.-001");
    EXPECT_EQ(range.type, DateRangeText); // a sign is no digit

    range = Parse("bef g01.02.1850 10:30 to 03.04.0044 BC");
    unsigned char field[DateRangeFieldSize];
    std::memset(field, 0xEE, sizeof field);
    StoreDateRange(range, field);
    const unsigned char expected[DateRangeFieldSize] = {
        4,                                           // from-to
        2,    4, 30,   10,   1, 2, 0x3A, 0x07, 0xFF, // bef, Gregorian, 10:30, 1.2.1850
        0xFF, 0, 0xFF, 0xFF, 3, 4, 0xD4, 0xFF, 0xFF, // 3.4.44 before the era
    };
    EXPECT_EQ(0, std::memcmp(field, expected, sizeof field));
    ExpectSameBytes(LoadDateRange(field), range);
}

TEST_F(DateTest, ATextDateOfFullLengthEndsInTheRowField)
{
    const std::string text(39, 'x');
    const DateRange range = Parse((text + "yz").c_str());
    EXPECT_EQ(range.type, DateRangeText);
    EXPECT_EQ(range.Text(), text);
    unsigned char field[DateRangeFieldSize];
    std::memset(field, 0xEE, sizeof field);
    StoreDateRange(range, field);
    EXPECT_EQ(field[DateRangeFieldSize - 1], 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(field + 1), text.c_str());
}

// ---- the parser ----

TEST_F(DateTest, ParseDigitsCountsExactlyItsCharacters)
{
    EXPECT_EQ(ParseDigits("1850", 4), 1850);
    EXPECT_EQ(ParseDigits("0512", 2), 5);
    EXPECT_EQ(ParseDigits("5.", 2), -1);
    EXPECT_EQ(ParseDigits("18", 4), -1); // stops at the end of the text
    EXPECT_EQ(ParseDigits("-1", 2), -1);
    EXPECT_EQ(ParseDigits("1", 0), -1);
}

struct ValueCase {
    const char* text;
    int consumed; // -1: no date
    int modifier = 0, calendar = 0, day = 0, month = 0, year = 0, alternateYear = 0, hour = 0, minute = 0;
};

constexpr int N = 0xFF; // none

TEST_F(DateTest, ParseDateValueReadsTheInputPicture)
{
    const ValueCase cases[] = {
        {"12.05.1850", 10, N, 0, 12, 5, 1850, N, N, N},
        {"12.5.1850", -1}, // digits are counted, not read up to a separator
        {"12.05.185", -1},
        {"00.00.1850", 10, N, 0, 0, 0, 1850, N, N, N}, // unknown day and month
        {"32.01.1850", -1},
        {"01.14.1850", -1},
        {"01.13.1850", 10, N, 0, 1, 13, 1850, N, N, N},
        {"abt g12.05.1850 10:30", 21, 0, 4, 12, 5, 1850, N, 10, 30},
        {"ABT  j12.05.1850", 16, 0, 8, 12, 5, 1850, N, N, N}, // words without regard to case
        {"aft 01.01.1700", 14, 1, 0, 1, 1, 1700, N, N, N},
        {"bef f01.01.0003", 15, 2, 3, 1, 1, 3, N, N, N},
        {"est h01.01.5600", 15, 3, 5, 1, 1, 5600, N, N, N},
        {"c01.01.1600", 11, N, 2, 1, 1, 1600, N, N, N},
        {"i01.01.1300", 11, N, 7, 1, 1, 1300, N, N, N},
        {"G12.05.1850", -1},  // calendar letters are lower case only
        {"g 12.05.1850", -1}, // and are followed by the date at once
        {"12.05.1750+", 11, N, 0, 12, 5, 1750, 51, N, N},
        {"12.05.1799+", 11, N, 0, 12, 5, 1799, 0, N, N},
        {"12.05.0044 BC", 13, N, 0, 12, 5, -44, N, N, N},
        {"12.05.0044 bc", 13, N, 0, 12, 5, -44, N, N, N},
        {"12.05.0044+BC", 13, N, 0, 12, 5, -44, 45, N, N},
        {"12.05.0050 AD", 13, N, 0, 12, 5, 50, N, N, N},
        {"12.05.1850 25:99", 16, N, 0, 12, 5, 1850, N, 25, 99}, // times are not range-checked
        {"12.05.1850 09.30 ", 17, N, 0, 12, 5, 1850, N, 9, 30},
        {"12.05.1850 9:30", -1},
        {"12.05.1850 09-30", -1},
        {"12.05.1850 and", 11, N, 0, 12, 5, 1850, N, N, N}, // stops before what is no part of a date
        {"", -1},
        {"abt", -1},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        DateValue value;
        std::memset(&value, 0xCD, sizeof value);
        const int consumed = ParseDateValue(c.text, value, "{dd}.{mm}.{yyyy}");
        EXPECT_EQ(consumed, c.consumed);
        if (c.consumed < 0)
            continue;
        EXPECT_EQ(value.modifier, c.modifier);
        EXPECT_EQ(value.calendar, c.calendar);
        EXPECT_EQ(value.day, c.day);
        EXPECT_EQ(value.month, c.month);
        EXPECT_EQ(value.Year(), c.year);
        EXPECT_EQ(value.alternateYear, c.alternateYear);
        EXPECT_EQ(value.hour, c.hour);
        EXPECT_EQ(value.minute, c.minute);
    }
}

TEST_F(DateTest, EveryInputPictureReadsItsOrder)
{
    const char* const texts[] = {"12051850",   "05121850",   "18500512",  "12.05.1850",
                                 "05.12.1850", "1850.05.12", "12-05-1850"};
    for (int format = 0; format < InputFormatCount; ++format) {
        SCOPED_TRACE(InputDatePicture(format));
        DateValue value;
        EXPECT_EQ(ParseDateValue(texts[format], value, InputDatePicture(format)),
                  static_cast<int>(std::strlen(texts[format])));
        EXPECT_EQ(value.day, 12);
        EXPECT_EQ(value.month, 5);
        EXPECT_EQ(value.Year(), 1850);
    }
    EXPECT_STREQ(InputDatePicture(7), InputDatePicture(0));
    EXPECT_STREQ(InputDatePicture(-1), "{dd}{mm}{yyyy}");
    CurrentSettings.dateFormat.InputFormat = 3;
    EXPECT_STREQ(CurrentInputDatePicture(), "{dd}.{mm}.{yyyy}");
}

TEST_F(DateTest, ParseDateRangeReadsTheRangeWords)
{
    struct {
        const char* text;
        int type;
        int firstDay, secondDay; // 0: the empty value
    } const cases[] = {
        {"12.05.1850", DateRangeSingle, 12, 0},
        {"from 01.01.1850", DateRangeFrom, 1, 0},
        {"to 01.01.1850", DateRangeTo, 1, 0},
        {"from 01.01.1850 to 31.12.1851", DateRangeFromTo, 1, 31},
        {"FROM 01.01.1850   TO   31.12.1851", DateRangeFromTo, 1, 31},
        {"to 01.01.1850 to 31.12.1851", DateRangeFromTo, 1, 31},
        {"bet 01.01.1850 to 31.12.1851", DateRangeFromTo, 1, 31},
        {"bet 12.05.1850 and 13.05.1850", DateRangeBetween, 12, 13},
        {"bet 12.05.1850", DateRangeBetween, 12, 0}, // keeps its type with an empty second date
        {"bet abt 12.05.1850 and est 13.05.1850 10:00", DateRangeBetween, 12, 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DateRange range = Parse(c.text);
        EXPECT_EQ(range.type, c.type);
        EXPECT_EQ(range.dates.first.day, c.firstDay);
        if (c.secondDay)
            EXPECT_EQ(range.dates.second.day, c.secondDay);
        else
            EXPECT_TRUE(range.dates.second.IsEmpty());
        for (std::size_t i = 19; i < sizeof range; ++i)
            EXPECT_EQ(reinterpret_cast<const unsigned char*>(&range)[i], 0);
    }
}

TEST_F(DateTest, WhatDoesNotParseIsKeptAsATextDate)
{
    const char* const cases[] = {
        "12.5.1850",
        "12.05.1850 and 13.05.1850", // an and-word needs a leading between-word
        "from 12.05.1850 and 13.05.1850",
        "from 01.01.1850 to 31.12.1851 x", // the second date must reach the end
        "from 01.01.1850 to",
        "Christmas 1850",
        "12.05.1850 9:30",
        "",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        const DateRange range = Parse(text);
        EXPECT_EQ(range.type, DateRangeText);
        EXPECT_EQ(range.Text(), text);
        for (std::size_t i = 1 + std::strlen(text); i < sizeof range; ++i)
            EXPECT_EQ(reinterpret_cast<const unsigned char*>(&range)[i], 0);
    }
}

TEST_F(DateTest, ParseDateRangeTrimsTheTextInPlace)
{
    char text[] = "  \tbet 12.05.1850  ";
    DateRange range;
    ParseDateRange(text, range, "{dd}.{mm}.{yyyy}");
    EXPECT_STREQ(text, "bet 12.05.1850");
    char notADate[] = "   in the spring of 1850   ";
    ParseDateRange(notADate, range, "{dd}.{mm}.{yyyy}");
    EXPECT_STREQ(notADate, "in the spring of 1850");
    EXPECT_EQ(range.Text(), "in the spring of 1850");
    // A text cut to the field ends without blanks, as reading it again would trim them.
    const std::string words = "in the spring or summer of the year 18 or 19"; // a blank at the 39th character
    ASSERT_EQ(words[38], ' ');
    EXPECT_EQ(Parse(words.c_str()).Text(), words.substr(0, 38));
}

TEST_F(DateTest, EmptyWordsNeverMatch)
{
    const char words[] = "DATE_MOD_ABOUT=\r\nDATE_TYPE_FROM=\r\nDATE_ERA_AFTER=\r\nDATE_ERA_BEFORE=BC\r\n";
    const test_support::ScopedLanguage language(std::string_view(words, sizeof words - 1));
    const DateRange range = Parse("12.05.0044 BC");
    EXPECT_EQ(range.type, DateRangeSingle);
    EXPECT_EQ(range.dates.first.modifier, DateModifierNone);
    EXPECT_EQ(range.dates.first.Year(), -44);
}

TEST_F(DateTest, WordsOfTheLanguageAreReadWithoutRegardToCaseInWindows1252)
{
    const char words[] = "DATE_MOD_ABOUT=\xE9twa\r\nDATE_TYPE_FROM=fr\xE5n\r\nDATE_TYPE_TO=till\r\n";
    const test_support::ScopedLanguage language(std::string_view(words, sizeof words - 1));
    const DateRange range = Parse("FR\xC5N \xC9TWA 01.01.1850 TILL 02.01.1850");
    EXPECT_EQ(range.type, DateRangeFromTo);
    EXPECT_EQ(range.dates.first.modifier, DateModifierAbout);
}

// ---- the formatter ----

TEST_F(DateTest, DisplayPictureWritesOnlyTheFieldsThatAreThere)
{
    const char* picture = "[d?{dd}. ][dm?{mmmm} ]{yyy}";
    struct {
        DateValue value;
        const char* expected;
    } const cases[] = {
        {Value(12, 5, 1850), "12. May 1850"},
        {Value(0, 5, 1850), "May 1850"},
        {Value(0, 0, 1850), "1850"},
        {Value(0, 0, 50), "50 AD"},
        {Value(0, 0, -44), "44 BC"},
        {Value(3, 0, 1850), "03. (month unknown) 1850"},
        {Value(0, 0, 0), ""},
        {Value(12, 5, 0), "12. May "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Display(c.value, picture), c.expected);
}

TEST_F(DateTest, YearCodesWriteEraAndAlternateYear)
{
    struct {
        int year, alternateYear;
        const char *yyyy, *yyy, *yy, *inputYyyy;
    } const cases[] = {
        {1850, N, "1850", "1850", "50", "1850"},
        {1750, 51, "1750/51", "1750/51", "50", "1750+"},
        {50, N, "0050 AD", "50 AD", "50", "0050"},
        {100, N, "0100", "100", "00", "0100"},
        {0, N, "0000 AD", "", "??", "0000"},
        {-44, N, "0044 BC", "44 BC", "44", "0044 BC"},
        {-44, 45, "0044/45 BC", "44/45 BC", "44", "0044+ BC"},
        {-1850, N, "1850 BC", "1850 BC", "50", "1850 BC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        DateValue value = Value(0, 0, c.year);
        value.alternateYear = static_cast<std::uint8_t>(c.alternateYear);
        EXPECT_EQ(Display(value, "{yyyy}"), c.yyyy);
        EXPECT_EQ(Display(value, "{yyy}"), c.yyy);
        EXPECT_EQ(Display(value, "{yy}"), c.yy);
        EXPECT_EQ(Input(value, "{yyyy}"), c.inputYyyy);
        EXPECT_EQ(Input(value, "{yyy}"), c.inputYyyy);
    }
}

TEST_F(DateTest, DayAndMonthCodes)
{
    DateValue french = Value(1, 1, 3);
    french.calendar = CalendarFrench;
    DateValue complementary = Value(5, 13, 3);
    complementary.calendar = CalendarFrench;
    DateValue thirteenth = Value(5, 13, 1850);
    struct {
        DateValue value;
        const char* picture;
        const char* expected;
    } const cases[] = {
        {Value(5, 12, 1850), "{dd}|{d}|{mm}|{m}", "05|5|12|12"},
        {Value(0, 0, 1850), "{dd}|{d}|{mm}|{m}", "00||00|"},
        {Value(5, 12, 1850), "{mmmm} {MMMM} {mmm} {MMM}", "December DECEMBER Dec DEC"},
        {Value(5, 0, 1850), "{mmmm}|{mmm}", "(month unknown)|?"},
        {french, "{mmmm} {MMMM} {mmm}", "Vend\xE9miaire VEND\xC9MIAIRE Vend"},
        {complementary, "{mmmm}|{mmm}", "jours compl\xE9mentaires|Compl"},
        {thirteenth, "{mmmm}|{mmm}", "13|13"}, // a twelve-month calendar has no name for it
        {Value(5, 12, 1850), "{xx}{dd}{D}", "05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Display(c.value, c.picture), c.expected) << c.picture;
}

TEST_F(DateTest, ConditionalSectionsNest)
{
    const char* picture = "[y?{yyy}[m?-{mm}[d?-{dd}]]]";
    EXPECT_EQ(Display(Value(12, 5, 1850), picture), "1850-05-12");
    EXPECT_EQ(Display(Value(0, 5, 1850), picture), "1850-05");
    EXPECT_EQ(Display(Value(0, 0, 1850), picture), "1850");
    EXPECT_EQ(Display(Value(12, 5, 0), picture), "");
    DateValue dual = Value(0, 0, 1750);
    dual.alternateYear = 51;
    EXPECT_EQ(Display(dual, "{yyyy}[a? (dual)]"), "1750/51 (dual)");
    EXPECT_EQ(Display(Value(0, 0, 1750), "{yyyy}[a? (dual)]"), "1750");
    EXPECT_EQ(Display(Value(12, 5, 1850), "[xd?<{dd}>]"), "<12>");       // unknown letters are ignored
    EXPECT_EQ(Display(Value(0, 5, 1850), "[d?[m?{mm}]x]{yyy}"), "1850"); // a skipped section skips its inner ones
}

TEST_F(DateTest, MalformedPicturesEndTheOutputSafely)
{
    const DateValue date = Value(12, 5, 1850);
    struct {
        const char* picture;
        const char* expected;
    } const cases[] = {
        {"{dd}]{mm}", "12"}, // a ']' outside every section ends the picture
        {"{dd}.{mm", "12."}, // the picture ends inside a code
        {"{dd{mm}", "1205"}, // a code runs to the next '{'
        {"[a?{dd}", ""},     // ends inside a skipped section
        {"[d?{dd}", "12"},
        {"[d", ""},
        {"[dm]{yyy}", "1850"}, // a section without text
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Display(date, c.picture), c.expected) << c.picture;

    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "[d?";
    deep += "{dd}";
    deep += std::string(100000, ']');
    EXPECT_EQ(Display(date, deep.c_str()), "12");
}

TEST_F(DateTest, ModifierCalendarTimeAndEstimateFollowTheForm)
{
    const char* picture = "{dd}.{mm}.{yyyy}";
    DateValue date = Value(12, 5, 1850);
    date.calendar = CalendarGregorian;
    date.modifier = DateModifierAbout;
    date.hour = 10;
    date.minute = 30;
    EXPECT_EQ(Display(date, picture), "abt 12.05.1850");
    EXPECT_EQ(Display(date, picture, true), "abt 12.05.1850 10:30");
    EXPECT_EQ(Input(date, picture), "abt g12.05.1850 10:30");
    CurrentSettings.dateFormat.ShowCalendar = 1;
    EXPECT_EQ(Display(date, picture), "abt (Gregorian) 12.05.1850");
    CurrentSettings.dateFormat.TimeFormat = 1;
    EXPECT_EQ(Display(date, picture, true), "abt (Gregorian) 12.05.1850 10.30");
    CurrentSettings.dateFormat.TimeFormat = 5; // out of range: the nearest pattern
    EXPECT_EQ(Display(date, picture, true), "abt (Gregorian) 12.05.1850 10.30");
    CurrentSettings.dateFormat.TimeFormat = -2;
    EXPECT_EQ(Display(date, picture, true), "abt (Gregorian) 12.05.1850 10:30");

    DateValue estimated = Value(12, 5, 1850);
    estimated.modifier = DateModifierEstimated;
    EXPECT_EQ(Display(estimated, picture), "12.05.1850 (est)");
    EXPECT_EQ(Input(estimated, picture), "est 12.05.1850");
    EXPECT_EQ(Display(Value(12, 5, 1850), picture), "12.05.1850"); // calendar 0 never shows a calendar

    DateValue halfTime = Value(12, 5, 1850);
    halfTime.hour = 10; // without its minute there is no time
    EXPECT_EQ(Display(halfTime, picture, true), "12.05.1850");
}

TEST_F(DateTest, TheShortFormNeverNamesTheCalendar)
{
    CurrentSettings.dateFormat.ShowCalendar = 1;
    const char* picture = "{dd}.{mm}.{yyyy}";
    DateValue about = Value(12, 5, 1850);
    about.calendar = CalendarJulian;
    about.modifier = DateModifierAbout;
    about.hour = 10;
    about.minute = 30;
    DateValue estimated = Value(1, 12, 1860);
    estimated.calendar = CalendarGregorian;
    estimated.modifier = DateModifierEstimated;
    char out[64] = "";
    EXPECT_STREQ(FormatShortDateValue(out, sizeof out, about, picture, false), "abt 12.05.1850");
    out[0] = '\0';
    EXPECT_STREQ(FormatShortDateValue(out, sizeof out, about, picture, true), "abt 12.05.1850 10:30");
    out[0] = '\0';
    EXPECT_STREQ(FormatShortDateValue(out, sizeof out, estimated, picture, false), "01.12.1860 (est)");

    struct {
        std::uint8_t type;
        const char* expected;
    } const ranges[] = {
        {DateRangeSingle, "abt 12.05.1850"},
        {DateRangeFromTo, "from abt 12.05.1850 to 01.12.1860 (est)"},
        {DateRangeBetween, "bet abt 12.05.1850 and 01.12.1860 (est)"},
    };
    for (const auto& c : ranges) {
        DateRange range{};
        range.type = c.type;
        range.dates.first = about;
        range.dates.second = c.type == DateRangeSingle ? EmptyDateValue() : estimated;
        EXPECT_STREQ(FormatShortDateRange(out, sizeof out, range, picture, false), c.expected) << int(c.type);
    }
    // The display form of the same date names it, as the settings ask.
    EXPECT_EQ(Display(about, picture), "abt (Julian) 12.05.1850");
}

TEST_F(DateTest, FormatDateValueAppendsWithinItsBuffer)
{
    char out[16] = "On ";
    FormatDateValue(out, sizeof out, Value(12, 5, 1850), "[d?{dd}. ][dm?{mmmm} ]{yyy}", false, false);
    EXPECT_STREQ(out, "On 12. May 1850");
    char small[8];
    std::memset(small, 'z', sizeof small);
    small[0] = '\0';
    FormatDateValue(small, sizeof small, Value(12, 5, 1850), "[d?{dd}. ][dm?{mmmm} ]{yyy}", false, false);
    EXPECT_STREQ(small, "12. May");
    char full[4] = {'a', 'b', 'c', 'd'}; // no terminator: nothing can be appended
    FormatDateValue(full, sizeof full, Value(12, 5, 1850), "{yyyy}", false, false);
    EXPECT_EQ(std::string(full, 4), "abcd");
    char none[1] = {'q'};
    FormatDateRange(none, 0, Parse("12.05.1850"), "{yyyy}", false, false);
    EXPECT_EQ(none[0], 'q');
}

TEST_F(DateTest, FormatDateRangeWritesTheRangeWords)
{
    const char* picture = "{dd}.{mm}.{yyyy}";
    struct {
        const char* text;
        const char* display;
    } const cases[] = {
        {"12.05.1850", "12.05.1850"},
        {"from 01.01.1850", "from 01.01.1850"},
        {"to 01.01.1850", "to 01.01.1850"},
        {"to 01.01.1850 to 31.12.1851", "from 01.01.1850 to 31.12.1851"},
        {"bet 12.05.1850 and 13.05.1850", "bet 12.05.1850 and 13.05.1850"},
        {"bet 12.05.1850", "bet 12.05.1850"}, // no dangling and-word
        {"sometime in May", "sometime in May"},
    };
    for (const auto& c : cases) {
        char out[80] = "previous text";
        EXPECT_STREQ(FormatDateRange(out, sizeof out, Parse(c.text), picture, true, false), c.display);
    }
    char small[10];
    EXPECT_STREQ(FormatDateRange(small, sizeof small, Parse("bet 12.05.1850 and 13.05.1850"), picture, false, false),
                 "bet 12.05");
}

TEST_F(DateTest, GetMonthNameCountsMonthsRoundTheYear)
{
    struct {
        int calendar, month;
        const char* expected;
    } const cases[] = {
        {CalendarGregorian, 1, "January"},
        {CalendarGregorian, 13, "January"},
        {CalendarGregorian, 0, "December"},
        {CalendarGregorian, -1, "November"},
        {CalendarJulian, 12, "December"},
        {CalendarHebrew, 5, "May"},
        {CalendarFrench, 1, "Vend\xE9miaire"},
        {CalendarFrench, 13, "jours compl\xE9mentaires"},
        {CalendarFrench, 0, "jours compl\xE9mentaires"},
        {CalendarFrench, 14, "Vend\xE9miaire"},
    };
    for (const auto& c : cases) {
        char out[32];
        EXPECT_STREQ(GetMonthName(c.calendar, c.month, out, sizeof out), c.expected) << c.calendar << "/" << c.month;
    }
    char small[4];
    EXPECT_STREQ(GetMonthName(CalendarGregorian, 5, small, sizeof small), "May");
    EXPECT_STREQ(GetMonthName(CalendarGregorian, 1, small, sizeof small), "Jan");
}

// Month names are looked up by keys made of a prefix and a number, which no scan of the sources can
// see, so this checks the master language file for every name a date can show.
TEST_F(DateTest, TheMasterLanguageFileNamesEveryMonth)
{
    const test_support::ScopedLanguage english(test_support::ScopedLanguage::Master());
    ASSERT_NE(english.get(), nullptr);
    for (int calendar : {CalendarUnknown, CalendarCoptic, CalendarFrench, CalendarGregorian, CalendarHebrew,
                         CalendarHijri, CalendarJulian}) {
        const int months =
            calendar == CalendarFrench || calendar == CalendarCoptic || calendar == CalendarHebrew ? 13 : 12;
        for (int month = 0; month <= months; ++month) {
            SCOPED_TRACE(testing::Message() << "calendar " << calendar << ", month " << month);
            for (const std::string& name : {LongMonthName(calendar, month), ShortMonthName(calendar, month)}) {
                EXPECT_FALSE(name.empty());
                EXPECT_EQ(name.find("DATE_"), std::string::npos) << name;
            }
            char out[32];
            EXPECT_EQ(std::string(GetMonthName(calendar, month, out, sizeof out)).find("DATE_"), std::string::npos);
        }
    }
}

// ---- input form and parser together ----

// The dates of every kind that the parser can produce.
std::vector<DateValue> EveryKindOfValue()
{
    struct Fields {
        int day, month, year;
    };
    const Fields fields[] = {{12, 5, 1850}, {0, 0, 1850},  {0, 13, -44},  {31, 12, -1}, {1, 1, 0},
                             {0, 0, 0},     {29, 2, 9999}, {5, 6, -9999}, {9, 9, 50}};
    const int modifiers[] = {DateModifierNone, DateModifierAbout, DateModifierAfter, DateModifierBefore,
                             DateModifierEstimated};
    const int calendars[] = {CalendarUnknown, CalendarCoptic, CalendarFrench, CalendarGregorian,
                             CalendarHebrew,  CalendarHijri,  CalendarJulian};
    const int times[][2] = {{N, N}, {10, 30}, {0, 0}, {25, 99}};
    std::vector<DateValue> values;
    for (const Fields& f : fields)
        for (int modifier : modifiers)
            for (int calendar : calendars)
                for (const auto& time : times)
                    for (bool dual : {false, true}) {
                        DateValue value = EmptyDateValue();
                        value.modifier = static_cast<std::uint8_t>(modifier);
                        value.calendar = static_cast<std::uint8_t>(calendar);
                        value.day = static_cast<std::uint8_t>(f.day);
                        value.month = static_cast<std::uint8_t>(f.month);
                        value.SetYear(f.year);
                        value.hour = static_cast<std::uint8_t>(time[0]);
                        value.minute = static_cast<std::uint8_t>(time[1]);
                        if (dual)
                            value.alternateYear = static_cast<std::uint8_t>((std::abs(f.year) + 1) % 100);
                        values.push_back(value);
                    }
    return values;
}

void ExpectRoundTrip(const DateRange& range, const char* picture)
{
    char text[256];
    FormatDateRange(text, sizeof text, range, picture, true, true);
    const std::string written = text;
    DateRange back;
    std::memset(&back, 0xCD, sizeof back);
    ParseDateRange(text, back, picture);
    if (std::memcmp(&range, &back, sizeof range) != 0) {
        ADD_FAILURE() << "\"" << written << "\" in " << picture << " reads back as another date";
        return;
    }
    char again[256];
    EXPECT_STREQ(FormatDateRange(again, sizeof again, back, picture, true, true), written.c_str());
}

TEST_F(DateTest, EveryKindOfDateRoundTripsThroughInputFormAndParser)
{
    const std::vector<DateValue> values = EveryKindOfValue();
    for (int format = 0; format < InputFormatCount; ++format) {
        const char* picture = InputDatePicture(format);
        for (std::size_t i = 0; i < values.size(); ++i) {
            for (int type : {DateRangeSingle, DateRangeFrom, DateRangeTo, DateRangeFromTo, DateRangeBetween}) {
                DateRange range;
                std::memset(&range, 0, sizeof range);
                range.type = static_cast<std::uint8_t>(type);
                range.dates.first = values[i];
                range.dates.second = EmptyDateValue();
                if (type == DateRangeFromTo || (type == DateRangeBetween && i % 2 == 0))
                    range.dates.second = values[(i * 7 + 3) % values.size()];
                ExpectRoundTrip(range, picture);
                if (HasFailure())
                    return;
            }
        }
        for (const char* text :
             {"", "12.5.1850", "Christmas 1850", "bef the war", "abcdefghijklmnopqrstuvwxyz0123456789ABC"}) {
            DateRange range;
            std::memset(&range, 0, sizeof range);
            range.SetText(text);
            ExpectRoundTrip(range, picture);
        }
    }
}

// A text longer than the field is cut; the cut must not read as a date, or the text date would become that
// date when its editor shows it and the user presses OK.
TEST_F(DateTest, ALongTextIsNeverCutToADate)
{
    const std::string bet = "bet\t\t" + std::string(26, ' ');
    struct {
        std::string typed;
        const char* picture;
        std::string kept;
    } cases[] = {
        // cut to 39 characters this is "bet" and the date 00.00.0000
        {bet + std::string(21, '0'), "{dd}{mm}{yyyy}", bet + std::string(7, '0')},
        {bet + "01011850 9", "{dd}{mm}{yyyy}", bet + "0101185"},
        // cut to 39 characters this is a from-to date, with blanks before its to-word
        {"from 01.01.1850" + std::string(11, ' ') + "to 31.12.1851, or later", "{dd}.{mm}.{yyyy}",
         "from 01.01.1850" + std::string(11, ' ') + "to 31.12.185"},
        // a cut that reads as a text keeps the whole field
        {"abcdefghijklmnopqrstuvwxyz0123456789ABCDEF", "{dd}.{mm}.{yyyy}", "abcdefghijklmnopqrstuvwxyz0123456789ABC"},
        {"in the year 1850 or 1851, we do not know which", "{dd}.{mm}.{yyyy}", "in the year 1850 or 1851, we do not kno"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const DateRange range = Parse(c.typed.c_str(), c.picture);
        EXPECT_EQ(range.type, DateRangeText);
        EXPECT_EQ(range.Text(), c.kept);
        ExpectRoundTrip(range, c.picture);
    }
}

TEST_F(DateTest, ADateBeforeTheEraStaysBeforeTheEraWhenSavedUnchanged)
{
    const char* picture = "{dd}.{mm}.{yyyy}";
    const DateRange range = Parse("12.05.0044 BC");
    char text[64];
    FormatDateRange(text, sizeof text, range, picture, true, true);
    EXPECT_STREQ(text, "12.05.0044 BC");
    EXPECT_EQ(Parse(text).dates.first.Year(), -44);
}

} // namespace
