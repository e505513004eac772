#include "core/date_editing.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

struct TimeCase {
    const char* text;
    int expected;
};

TEST(DateEditingTest, TimesOfDayAreReadAndEverythingElseRefused)
{
    const TimeCase cases[] = {
        {"00:00", 0},
        {"24:00", 24 * 256},
        {"9.05", 9 * 256 + 5},
        {"23:59", 23 * 256 + 59},
        {"0:30", 30},
        {"00:30", 30},
        {"12:5", 12 * 256 + 5},
        {"07:45  ", 7 * 256 + 45},
        {"24:01", -1},
        {"12:60", -1},
        {"25:00", -1},
        {"1230", -1},
        {":30", -1},
        {"a:30", -1},
        {"12:", -1},
        {"12:30pm", -1},
        {"09-30", -1},
        {"", -1},
        {"99999999999999:00", -1},
        {"12:99999999999999", -1},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseTimeText(c.text), c.expected);
    }
    EXPECT_EQ(ParseTimeText(nullptr), -1);
}

TEST(DateEditingTest, YearsAreWholeNumbersThatASigned16BitYearHolds)
{
    const TimeCase cases[] = {
        {"", 0}, {"  ", 0}, {"0", 0}, {"1850", 1850}, {" 1850 ", 1850}, {"32767", 32767},
        {"32768", -1}, {"99999", -1}, {"-5", -1}, {"18a0", -1}, {"12 34", -1}, {"9999999999999", -1},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseYearText(c.text), c.expected);
    }
}

TEST(DateEditingTest, TypeEntriesAndRangeTypesMeet)
{
    struct Case {
        int typeEntry, rangeWord;
        std::uint8_t type;
        bool second;
    };
    const Case cases[] = {
        {DateTypeEntrySingle, RangeWordNone, DateRangeSingle, false},
        {DateTypeEntryFrom, RangeWordNone, DateRangeFrom, false},
        {DateTypeEntryFrom, RangeWordTo, DateRangeFromTo, true},
        {DateTypeEntryTo, RangeWordNone, DateRangeTo, false},
        {DateTypeEntryBetween, 0, DateRangeBetween, true},
        {-1, RangeWordNone, DateRangeSingle, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeEntry);
        EXPECT_EQ(RangeTypeOfEntries(c.typeEntry, c.rangeWord), c.type);
        EXPECT_EQ(SecondDateUsed(c.typeEntry, c.rangeWord), c.second);
        if (c.typeEntry >= 0) {
            EXPECT_EQ(TypeEntryOfRangeType(c.type), c.typeEntry);
        }
    }
    EXPECT_EQ(TypeEntryOfRangeType(DateRangeText), DateTypeEntrySingle);
    EXPECT_EQ(TypeEntryOfRangeType(9), DateTypeEntrySingle);
}

TEST(DateEditingTest, CalendarsDecideMonthsAlternateYearAndEra)
{
    struct Case {
        int calendar, months;
        bool alternate, era;
        const char* lastMonthKey;
    };
    const Case cases[] = {
        {CalendarUnknown, 12, true, false, "DATE_MONTH12"},
        {CalendarGregorian, 12, true, false, "DATE_MONTH12"},
        {CalendarJulian, 12, true, true, "DATE_MONTH12"},
        {CalendarFrench, 13, false, false, "DATE_FRENCH13"},
        {CalendarHebrew, 13, false, false, "DATE_HEBREW13"},
        {CalendarHijri, 12, false, false, "DATE_HIJRI12"},
        {CalendarCoptic, 13, false, false, "DATE_COPTIC13"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.calendar);
        EXPECT_EQ(EditorMonthCount(c.calendar), c.months);
        EXPECT_EQ(CalendarTakesAlternateYear(c.calendar), c.alternate);
        EXPECT_EQ(CalendarTakesEra(c.calendar), c.era);
        EXPECT_EQ(EditorMonthKey(c.calendar, c.months), c.lastMonthKey);
        EXPECT_EQ(EditorMonthKey(c.calendar, 0), "DATE_MONTH_UNKNOWN");
    }
}

DateValue MakeDate(std::uint8_t modifier, std::uint8_t calendar, int day, int month, int year, int hour = -1,
                   int minute = -1, std::uint8_t alternate = DateFieldNone)
{
    DateValue value = EmptyDateValue();
    value.modifier = modifier;
    value.calendar = calendar;
    value.day = static_cast<std::uint8_t>(day);
    value.month = static_cast<std::uint8_t>(month);
    value.SetYear(year);
    value.hour = static_cast<std::uint8_t>(hour);
    value.minute = static_cast<std::uint8_t>(minute);
    value.alternateYear = alternate;
    return value;
}

TEST(DateEditingTest, StoredDatesShowInTheFieldsAndReadBackUnchanged)
{
    const DateValue dates[] = {
        MakeDate(DateModifierNone, CalendarGregorian, 12, 5, 1850),
        MakeDate(DateModifierAbout, CalendarJulian, 0, 0, -44),
        MakeDate(DateModifierEstimated, CalendarUnknown, 1, 13, 0),
        MakeDate(DateModifierBefore, CalendarGregorian, 31, 12, 1750, 23, 59, 51),
        MakeDate(DateModifierAfter, CalendarFrench, 6, 13, 4, 0, 0),
    };
    for (const DateValue& date : dates) {
        SCOPED_TRACE(date.Year());
        DateFields fields = DateFieldsOf(date);
        DateValue read = EmptyDateValue();
        ASSERT_EQ(ReadDateFields(fields, read), DateFieldsProblem::None);
        EXPECT_EQ(std::memcmp(&read, &date, sizeof date), 0);
    }
    DateFields shown = DateFieldsOf(MakeDate(DateModifierBefore, CalendarJulian, 3, 4, -1750, 9, 5, 51));
    EXPECT_EQ(shown.year, "1750");
    EXPECT_TRUE(shown.eraBefore);
    EXPECT_TRUE(shown.alternate);
    EXPECT_EQ(shown.time, "09:05");
    EXPECT_EQ(shown.modifier, DateModifierBefore);
    EXPECT_EQ(DateFieldsOf(MakeDate(DateModifierNone, CalendarGregorian, 1, 1, 0)).year, "");
}

TEST(DateEditingTest, FieldsWithoutASelectionAreStoredAsTheirNeutralEntry)
{
    DateFields fields;
    fields.calendar = -1;
    fields.modifier = -1;
    fields.day = -1;
    fields.month = -1;
    fields.year = "1900";
    fields.alternate = true;
    DateValue value = MakeDate(DateModifierAbout, CalendarJulian, 5, 5, 5);
    ASSERT_EQ(ReadDateFields(fields, value), DateFieldsProblem::None);
    EXPECT_EQ(value.modifier, DateModifierNone);
    EXPECT_EQ(value.calendar, CalendarUnknown);
    EXPECT_EQ(value.day, 0);
    EXPECT_EQ(value.month, 0);
    EXPECT_EQ(value.Year(), 1900);
    EXPECT_EQ(value.alternateYear, 1);
    EXPECT_FALSE(value.HasTime());
}

TEST(DateEditingTest, ABadTimeOrYearLeavesTheDateAsItWas)
{
    struct Case {
        const char* year;
        const char* time;
        DateFieldsProblem problem;
    };
    const Case cases[] = {
        {"99999", "", DateFieldsProblem::Year},
        {"32768", "", DateFieldsProblem::Year},
        {"12x", "", DateFieldsProblem::Year},
        {"1850", "24:01", DateFieldsProblem::Time},
        {"1850", "1230", DateFieldsProblem::Time},
    };
    const DateValue before = MakeDate(DateModifierAbout, CalendarGregorian, 2, 3, 1700);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year + std::string(" ") + c.time);
        DateFields fields;
        fields.year = c.year;
        fields.time = c.time;
        DateValue value = before;
        EXPECT_EQ(ReadDateFields(fields, value), c.problem);
        EXPECT_EQ(std::memcmp(&value, &before, sizeof value), 0);
    }
}

DateRange TextRange(const char* text)
{
    DateRange range{};
    range.SetText(text);
    return range;
}

TEST(DateEditingTest, RangesReopenedAndTakenUnchangedStayAsTheyWere)
{
    DateRange fromTo{};
    fromTo.type = DateRangeFromTo;
    fromTo.dates.first = MakeDate(DateModifierNone, CalendarGregorian, 1, 2, 1800);
    fromTo.dates.second = MakeDate(DateModifierAbout, CalendarGregorian, 3, 4, 1810, 12, 0);
    DateRange between = fromTo;
    between.type = DateRangeBetween;
    DateRange from = fromTo;
    from.type = DateRangeFrom;
    from.dates.second = EmptyDateValue();
    DateRange to = from;
    to.type = DateRangeTo;
    DateRange single = from;
    single.type = DateRangeSingle;
    const DateRange ranges[] = {fromTo, between, from, to, single, TextRange("in the spring after the flood")};
    for (const DateRange& range : ranges) {
        SCOPED_TRACE(static_cast<int>(range.type));
        DateEditorFields fields = DateEditorFieldsOf(range);
        EXPECT_EQ(fields.structured, range.type != DateRangeText);
        DateRange result{};
        result.dates.second = EmptyDateValue();
        ASSERT_EQ(AssembleDateRange(fields, result), DateFieldsProblem::None);
        EXPECT_EQ(std::memcmp(&result, &range, sizeof range), 0);
    }
}

TEST(DateEditingTest, AssembledRangesTakeTheirTypeAndDatesFromTheFields)
{
    DateEditorFields fields;
    fields.structured = true;
    fields.typeEntry = DateTypeEntryBetween;
    fields.first.calendar = CalendarJulian;
    fields.first.year = "1750";
    fields.first.eraBefore = true;
    fields.second.calendar = CalendarGregorian;
    fields.second.day = 4;
    fields.second.month = 7;
    fields.second.year = "1776";
    fields.second.time = "9.05";
    DateRange range = TextRange("old text");
    ASSERT_EQ(AssembleDateRange(fields, range), DateFieldsProblem::None);
    EXPECT_EQ(range.type, DateRangeBetween);
    EXPECT_EQ(range.dates.first.Year(), -1750);
    EXPECT_EQ(range.dates.first.calendar, CalendarJulian);
    EXPECT_EQ(range.dates.second.day, 4);
    EXPECT_EQ(range.dates.second.month, 7);
    EXPECT_EQ(range.dates.second.Year(), 1776);
    EXPECT_EQ(range.dates.second.hour, 9);
    EXPECT_EQ(range.dates.second.minute, 5);

    // A single date leaves the second date alone; one out of a text date gets an empty one.
    fields.typeEntry = DateTypeEntrySingle;
    DateRange text = TextRange("a long text that fills the second date");
    ASSERT_EQ(AssembleDateRange(fields, text), DateFieldsProblem::None);
    EXPECT_TRUE(text.dates.second.IsEmpty());
    DateRange kept = range;
    ASSERT_EQ(AssembleDateRange(fields, kept), DateFieldsProblem::None);
    EXPECT_EQ(kept.type, DateRangeSingle);
    EXPECT_EQ(std::memcmp(&kept.dates.second, &range.dates.second, sizeof(DateValue)), 0);

    // A bad second date changes nothing at all.
    fields.typeEntry = DateTypeEntryFrom;
    fields.rangeWord = RangeWordTo;
    fields.second.year = "99999";
    DateRange untouched = range;
    EXPECT_EQ(AssembleDateRange(fields, untouched), DateFieldsProblem::Year);
    EXPECT_EQ(std::memcmp(&untouched, &range, sizeof range), 0);

    // Free text is cut to the field.
    DateEditorFields free;
    free.text = std::string(50, 'x');
    ASSERT_EQ(AssembleDateRange(free, untouched), DateFieldsProblem::None);
    EXPECT_EQ(untouched.type, DateRangeText);
    EXPECT_EQ(untouched.Text(), std::string(DateTextLength, 'x'));
}

TEST(DateEditingTest, TheAlternateYearFollowsTheTypedYear)
{
    EXPECT_EQ(AlternateYearText("1750", true), "51");
    EXPECT_EQ(AlternateYearText("1799", true), "0");
    EXPECT_EQ(AlternateYearText("", true), "1");
    EXPECT_EQ(AlternateYearText("1750", false), "");
    EXPECT_EQ(AlternateYearText("99999", true), "");
}

} // namespace
