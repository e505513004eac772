// Reading of GEDCOM date values.
#include <gtest/gtest.h>

#include "gedcom/gedcom_dates.h"
#include "gedcom/gedcom_reader.h"

namespace pendrax {
namespace {

struct DateCase {
    const char* value;
    DateKind kind;
    int day, month, year, secondYear;
    int secondDateYear;
    std::vector<int> codes;
};

TEST(GedcomDatesTest, ReadsPrefixesRangesDualYearsAndEras)
{
    const DateCase cases[] = {
        {"12 JAN 1850", DateKind::Exact, 12, 1, 1850, -1, 0, {}},
        {"ABT 1850", DateKind::About, 0, 0, 1850, -1, 0, {}},
        {"CIR 1850", DateKind::About, 0, 0, 1850, -1, 0, {LogCircaForAbout}},
        {"ca. 1850", DateKind::About, 0, 0, 1850, -1, 0, {LogCircaForAbout}},
        {"EST 1850", DateKind::Estimated, 0, 0, 1850, -1, 0, {}},
        {"CAL MAR 1850", DateKind::Estimated, 0, 3, 1850, -1, 0, {}},
        {"BEF 1850", DateKind::Before, 0, 0, 1850, -1, 0, {}},
        {"aft 1850", DateKind::After, 0, 0, 1850, -1, 0, {}},
        {"FROM 1850", DateKind::From, 0, 0, 1850, -1, 0, {}},
        {"TO 1850", DateKind::To, 0, 0, 1850, -1, 0, {}},
        {"FROM 1850 TO 1860", DateKind::FromTo, 0, 0, 1850, -1, 1860, {}},
        {"BET 1850 AND 1860", DateKind::Between, 0, 0, 1850, -1, 1860, {}},
        {"BET 1850", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"BETWEEN 1850 AND 1860", DateKind::Between, 0, 0, 1850, -1, 1860, {LogBetweenForBet}},
        {"12 JAN 1850/51", DateKind::Exact, 12, 1, 1850, 51, 0, {}},
        {"1699/1700", DateKind::Exact, 0, 0, 1699, 0, 0, {}},
        {"44 BC", DateKind::Exact, 0, 0, -44, -1, 0, {}},
        {"15 MAR 44 B.C.", DateKind::Exact, 15, 3, -44, -1, 0, {}},
        // Unreadable dates give no date at all, never a year 0 or a day number as the year.
        {"12 XYZ 1850", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"INT 1850", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"JANUARY 1850", DateKind::Exact, 0, 1, 1850, -1, 0, {}},
        {"29 December 1812", DateKind::Exact, 29, 12, 1812, -1, 0, {}},
        {" 2 APR  742", DateKind::Exact, 2, 4, 742, -1, 0, {}},
        {"JANUAR 1850", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"SUBMITTED", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"<unknown>", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"12 VEND 1800", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"ABT unknown", DateKind::None, 0, 0, 0, -1, 0, {LogBadDate}},
        {"  ", DateKind::None, 0, 0, 0, -1, 0, {}},
    };
    DateRules rules;
    for (const DateCase& c : cases) {
        DateReading reading = ReadDateValue(c.value, rules);
        EXPECT_EQ(reading.date.kind, c.kind) << c.value;
        EXPECT_EQ(reading.date.first.day, c.day) << c.value;
        EXPECT_EQ(reading.date.first.month, c.month) << c.value;
        EXPECT_EQ(reading.date.first.year, c.year) << c.value;
        EXPECT_EQ(reading.date.first.secondYear, c.secondYear) << c.value;
        EXPECT_EQ(reading.date.second.year, c.secondDateYear) << c.value;
        EXPECT_EQ(reading.logCodes, c.codes) << c.value;
    }
}

TEST(GedcomDatesTest, PhrasesAndUnreadText)
{
    DateRules rules;
    DateReading phrase = ReadDateValue("INT 1850 (about the war)", rules);
    EXPECT_EQ(phrase.date.kind, DateKind::Text);
    EXPECT_EQ(phrase.date.text, "about the war");
    EXPECT_TRUE(phrase.logCodes.empty());
    EXPECT_EQ(ReadDateValue("(unknown", rules).date.text, "unknown");

    rules.keepUnreadDates = true;
    for (std::string_view unread : {"12 XYZ 1850", "SUBMITTED", "BET 1850"}) {
        DateReading kept = ReadDateValue(unread, rules);
        EXPECT_EQ(kept.date.kind, DateKind::Text) << unread;
        EXPECT_EQ(kept.date.text, unread);
        EXPECT_TRUE(kept.logCodes.empty()) << unread;
    }

    rules.logWarnings = false;
    EXPECT_TRUE(ReadDateValue("CA 1850", rules).logCodes.empty());
}

TEST(GedcomDatesTest, CalendarsAndTheirMonths)
{
    DateRules rules;
    EXPECT_EQ(ReadDateValue("1850", rules).date.first.calendar, Calendar::Unknown);
    rules.defaultGregorian = true;
    EXPECT_EQ(ReadDateValue("1850", rules).date.first.calendar, Calendar::Gregorian);

    DateReading hebrew = ReadDateValue("@#DHEBREW@ 1 TSH 5600", rules);
    EXPECT_EQ(hebrew.date.first.calendar, Calendar::Hebrew);
    EXPECT_EQ(hebrew.date.first.month, 1);
    EXPECT_EQ(hebrew.date.first.year, 5600);
    // BRUM begins with B but is a month, not an era.
    DateReading french = ReadDateValue("@#DFRENCH R@ 1 BRUM 8", rules);
    EXPECT_EQ(french.date.first.calendar, Calendar::French);
    EXPECT_EQ(french.date.first.month, 2);
    EXPECT_EQ(french.date.first.year, 8);
    EXPECT_TRUE(french.logCodes.empty());
    EXPECT_EQ(ReadDateValue("@#DFRENCH R@ 3 VEND 10", rules).date.first.month, 1);
    EXPECT_EQ(ReadDateValue("@#DJULIAN@ 1 JAN 1700", rules).date.first.calendar, Calendar::Julian);
    // A month of another calendar is not read.
    EXPECT_EQ(ReadDateValue("5 VEND 10", rules).logCodes, std::vector<int>{LogBadDate});
}

TEST(GedcomDatesTest, NumericDatesOfTheProgramThatWritesThem)
{
    DateRules rules;
    rules.numericDates = true;
    DateReading numeric = ReadDateValue("24.12.1850", rules);
    EXPECT_EQ(numeric.date.first.day, 24);
    EXPECT_EQ(numeric.date.first.month, 12);
    EXPECT_EQ(numeric.date.first.year, 1850);
    EXPECT_TRUE(numeric.logCodes.empty());
    EXPECT_EQ(ReadDateValue("24.15.1850", rules).logCodes, std::vector<int>{LogBadDate});
}

TEST(GedcomDatesTest, TimesAndSingleDates)
{
    SimpleDate date = ReadSimpleDateValue("2 Oct 2019", true);
    EXPECT_EQ(date.day, 2);
    EXPECT_EQ(date.month, 10);
    EXPECT_EQ(date.year, 2019);
    ReadTimeValue("13:57:24", date);
    EXPECT_EQ(date.hour, 13);
    EXPECT_EQ(date.minute, 57);
    EXPECT_EQ(date.second, 24);
    SimpleDate dotted;
    ReadTimeValue("9.05", dotted);
    EXPECT_EQ(dotted.hour, 9);
    EXPECT_EQ(dotted.minute, 5);
    EXPECT_EQ(dotted.second, -1);
}

} // namespace
} // namespace pendrax
