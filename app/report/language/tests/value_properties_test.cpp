// The properties of dates, periods, places and timelines, read through variables that hold them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/place_record.h"
#include "records/timeline.h"
#include "report/language/tests/date_settings.h"
#include "report/language/tests/evaluator_support.h"
#include "settings/settings.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using report_test::Case;
using report_test::Check;

constexpr std::int32_t I = ReportInteger;
constexpr std::int32_t S = ReportString;

DateValue Date(int day, int month, int year)
{
    DateValue date = EmptyDateValue();
    date.day = static_cast<std::uint8_t>(day);
    date.month = static_cast<std::uint8_t>(month);
    date.SetYear(year);
    return date;
}

DateRange Range(std::uint8_t type, const DateValue& first, const DateValue& second = EmptyDateValue())
{
    DateRange range{};
    range.type = type;
    range.dates.first = first;
    range.dates.second = second;
    return range;
}

// The words of dates in a report's language.
const char DateWords[] = "DATE_MOD_BEFORE=bef\r\nDATE_MOD_ESTIMATED=est\r\nDATE_ERA_BEFORE=BC\r\n"
                         "DATE_TYPE_FROM=from\r\nDATE_TYPE_TO=to\r\nDATE_TYPE_BET=bet\r\nDATE_TYPE_AND=and\r\n"
                         "DATE_CALENDAR_JULIAN=Julian\r\n";

class ValueChains : public ::testing::Test {
protected:
    ~ValueChains() override { CurrentSettings.place = savedPlaces_; }

    ReportValue& Add(const char* name, std::int32_t type)
    {
        ReportValue* value = run_.context.variables.Add(name, type, 0, 0, 0, run_.host);
        EXPECT_NE(value, nullptr);
        return *value;
    }
    void AddDate(const char* name, const DateValue& date)
    {
        ReportValue& value = Add(name, ReportDate);
        value.SetDate(date);
    }
    void AddPeriod(const char* name, const DateRange& range)
    {
        ReportValue& value = Add(name, ReportPeriod);
        ASSERT_NE(value.GetPeriod(), nullptr);
        value.GetPeriod()->range = range;
    }

    test_support::ScopedLanguage language_{std::string_view(DateWords, sizeof DateWords - 1)};
    report_test::ReportDatePictures pictures_;
    report_test::Evaluation run_;

private:
    PlaceSettings savedPlaces_ = CurrentSettings.place;
};

TEST_F(ValueChains, DateGivesItsFields)
{
    DateValue date = Date(5, 11, -44);
    date.calendar = CalendarJulian;
    date.modifier = DateModifierBefore;
    AddDate("D", date);
    DateValue timed = Date(17, 11, 1858);
    timed.hour = 9;
    timed.minute = 5;
    AddDate("T", timed);
    DateValue estimated = Date(12, 5, 1850);
    estimated.modifier = DateModifierEstimated;
    AddDate("E", estimated);
    const Case cases[] = {
        {"D.YEAR", I, "I-44"},      {"D.MONTH", I, "I11"},   {"D.DAY", I, "I5"},
        {"D.CALENDAR", I, "I8"},    {"D.MODIFIER", I, "I2"}, {"D.HOURS", I, "I-1"},
        {"D.MINUTES", I, "I-1"},    {"T.HOURS", I, "I9"},    {"T.MINUTES", I, "I5"},
        {"T.MODIFIER", I, "I255"},  {"T.YEAR + 1", I, "I1859"},
        // The report's picture, and no calendar word although the screen shows one.
        {"T.FORMATTED", S, "17.11.1858"},
        {"D.FORMATTED", S, "bef 05.11.44 BC"},
        {"E.FORMATTED", S, "12.05.1850 (est)"},
        {"D.WEEKDAY", I, "error 1"},
        {"D.year", I, "error 1"},
    };
    Check(run_, cases);
}

TEST_F(ValueChains, DateTextShowsTheTimeWhenTheSettingsDo)
{
    DateValue timed = Date(17, 11, 1858);
    timed.hour = 9;
    timed.minute = 5;
    AddDate("T", timed);
    CurrentSettings.dateFormat.ShowTime = 1;
    EXPECT_EQ(run_.Print("T.FORMATTED"), "17.11.1858 09:05");
    // Screen and report take their own pictures.
    CurrentSettings.dateFormat.PrintFormat = 0;
    EXPECT_EQ(run_.Print("T.FORMATTED"), "1858-11-17 09:05");
}

TEST_F(ValueChains, PeriodGivesTheDatesOfItsType)
{
    AddPeriod("FT", Range(DateRangeFromTo, Date(0, 0, 1850), Date(0, 0, 1860)));
    AddPeriod("ONE", Range(DateRangeSingle, Date(3, 4, 1901)));
    AddPeriod("FR", Range(DateRangeFrom, Date(0, 0, 1870)));
    AddPeriod("TP", Range(DateRangeTo, Date(0, 0, 1880)));
    AddPeriod("BET", Range(DateRangeBetween, Date(0, 0, 1890), Date(0, 0, 1895)));
    DateRange text{};
    text.SetText("in the spring");
    AddPeriod("TX", text);
    const Case cases[] = {
        // From 1850 to 1860: the from- and to-dates, no other date, no text.
        {"FT.FDATE.YEAR", I, "I1850"},
        {"FT.TDATE.YEAR", I, "I1860"},
        {"FT.SDATE", I, "I0"},
        {"FT.BDATE", I, "I0"},
        {"FT.EDATE", I, "I0"},
        {"FT.YEAR", I, "I1850"},
        {"FT.TEXT", S, ""},
        {"FT.FORMATTED", S, "from 1850 to 1860"},
        {"ONE.SDATE.FORMATTED", S, "03.04.1901"},
        {"ONE.SDATE.DAY", I, "I3"},
        {"ONE.FDATE", I, "I0"},
        {"FR.FDATE.YEAR", I, "I1870"},
        {"FR.TDATE", I, "I0"},
        // A to-period has its date first.
        {"TP.TDATE.YEAR", I, "I1880"},
        {"TP.FDATE", I, "I0"},
        {"BET.BDATE.YEAR", I, "I1890"},
        {"BET.EDATE.YEAR", I, "I1895"},
        {"BET.SDATE", I, "I0"},
        {"BET.FORMATTED", S, "bet 1890 and 1895"},
        // A period of a free text has no year.
        {"TX.TEXT", S, "in the spring"},
        {"TX.YEAR", I, "I0"},
        {"TX.FORMATTED", S, "in the spring"},
        {"TX.SDATE", I, "I0"},
        {"FT.DATE", I, "error 1"},
    };
    Check(run_, cases);
}

TEST_F(ValueChains, PlaceGivesItsPartsAndFilteredTexts)
{
    test_support::TestDatabase db;
    std::int32_t withPrefix = 0, withoutPrefix = 0;
    {
        auto transaction = test_support::Transaction(*db);
        PlaceRecord place(*db);
        std::strcpy(place.row.prefix, "in");
        ASSERT_TRUE(place.AppendPart(PlacePartTown, "Ely"));
        ASSERT_TRUE(place.AppendPart(PlacePartCounty, "Cambs"));
        ASSERT_TRUE(place.AppendPart(PlacePartCountry, "England"));
        ASSERT_EQ(place.Write(), 0);
        withPrefix = place.Id();
        PlaceRecord bare(*db);
        ASSERT_TRUE(bare.AppendPart(PlacePartTown, "York"));
        ASSERT_EQ(bare.Write(), 0);
        withoutPrefix = bare.Id();
    }
    for (int type = 1; type <= PlacePartTypeCount; ++type)
        CurrentSettings.place.PartShown[type] = 1;
    CurrentSettings.place.PartShown[PlacePartCounty] = 0;
    Add("P", ReportPlace).SetRecord(static_cast<std::uint32_t>(withPrefix), db.get());
    Add("B", ReportPlace).SetRecord(static_cast<std::uint32_t>(withoutPrefix), db.get());
    Add("GONE", ReportPlace).SetRecord(static_cast<std::uint32_t>(withPrefix + 10), db.get());

    auto transaction = test_support::Transaction(*db, TLV_READ);
    const Case cases[] = {
        {"P.FORMATTED", S, "in Ely, England"},
        {"P.SIMPLE", S, "Ely, England"},
        {"P.PREFIX", S, "in"},
        {"P.NPARTS", I, "I3"},
        {"P.PART(2)", S, "Cambs"},
        {"P.PARTTYPE(2)", I, "I6"},
        {"P.PARTTYPE(1 + 2)", I, "I4"},
        {"P.PART(4)", S, "error 16"},
        {"P.PARTTYPE(4)", I, "error 16"},
        {"P.PART(0)", S, "error 16"},
        // The blank stands also without a prefix.
        {"B.FORMATTED", S, " York"},
        {"B.PREFIX", S, ""},
        {"P.NAME", S, "error 1"},
        {"GONE.NPARTS", I, "error 110"},
    };
    Check(run_, cases);
}

TEST_F(ValueChains, TimelineReadFromItsFile)
{
    test_support::TempPath path("war.vtl");
    {
        Timeline written;
        written.SetPath(path.c_str());
        written.SetTitle("The war");
        written.SetAuthor("A. Writer");
        written.SetDescription("Battles, sieges");
        TimelineEvent siege{Date(1, 5, 1862), Date(3, 7, 1863), "Siege"};
        TimelineEvent peace{Date(9, 4, 1865), EmptyDateValue(), "Peace"};
        TimelineEvent start{Date(12, 4, 1861), Date(0, 0, 1861), "Start"};
        for (const TimelineEvent& event : {siege, peace, start})
            written.AddEvent(event);
        ASSERT_TRUE(written.Save());
    }
    ReportValue& value = Add("T", ReportTimeline);
    ASSERT_NE(value.TimelineObject(), nullptr);
    // As the file dialog of the inputs does: the path, then the file's content.
    value.TimelineObject()->SetPath(path.c_str());
    ASSERT_EQ(value.TimelineObject()->Load(path.c_str()), TimelineLoadResult::Loaded);

    const std::string file = path.str();
    const Case cases[] = {
        {"T.TITLE", S, "The war"},
        {"T.AUTHOR", S, "A. Writer"},
        {"T.DESCRIPTION", S, "Battles, sieges"},
        {"T.FILE", S, file.c_str()},
        {"T.NENTRIES", I, "I3"},
        // The entries stand in the order of their from-dates.
        {"T.TEXT(1)", S, "Start"},
        {"T.FROM(2).YEAR", I, "I1862"},
        {"T.TO(2).MONTH", I, "I7"},
        {"T.TO(3).YEAR", I, "I0"},
        {"T.FROM(3).FORMATTED", S, "09.04.1865"},
        {"T.STARTDATE.YEAR", I, "I1861"},
        // The latest date: the peace's from-date, as it has no to-date.
        {"T.ENDDATE.YEAR", I, "I1865"},
        {"T.ENDDATE.DAY", I, "I9"},
        {"T.TEXT(4)", S, "error 16"},
        {"T.FROM(0).YEAR", I, "error 16"},
    };
    Check(run_, cases);
}

TEST_F(ValueChains, MissingObjectsFailWithTheirTypesError)
{
    // Variables whose object could not be made hold none.
    const struct {
        const char* name;
        std::int32_t type;
        const char* property;
        const char* expected;
    } cases[] = {
        {"TL", ReportTimeline, "TL.TITLE", "error 14"},      {"CH", ReportChart, "CH.WIDTH", "error 15"},
        {"PI", ReportPictureType, "PI.TEXT", "error 21"},    {"PA", ReportParagraphType, "PA.TEXT", "error 25"},
        {"CA", ReportCalendar, "CA.DAY", "error 26"},        {"MS", ReportMapStringType, "MS.SIZE", "error 27"},
        {"MA", ReportMapType, "MA.SIZE", "error 29"},        {"SL", ReportSortListType, "SL.SIZE", "error 31"},
        {"ST", ReportStackType, "ST.SIZE", "error 115"},     {"PL", ReportPlace, "PL.PREFIX", "error 110"},
    };
    for (const auto& c : cases) {
        Add(c.name, c.type).Reset(c.type);
        EXPECT_EQ(run_.Evaluate(c.property, ReportString), c.expected) << c.property;
    }
}

} // namespace
