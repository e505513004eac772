#include <gtest/gtest.h>

#include <string>

#include "report/language/tests/date_settings.h"
#include "report/run/tests/model_records.h"
#include "report/run/tests/run_support.h"

namespace {

struct Case {
    const char* script; // lines separated by "|"
    const char* outcome;
};

template <std::size_t N> void CheckCases(const Case (&cases)[N])
{
    for (const Case& c : cases) {
        run_test::ScriptRun run;
        EXPECT_EQ(run_test::Outcome(run, run_test::Script(c.script)), c.outcome) << c.script;
    }
}

TEST(ValueProperties, CalendarCountsItsDays)
{
    const Case cases[] = {
        // The day the modified Julian count starts, a Wednesday.
        {"CALENDAR C|C.YEAR = 1858|C.MONTH = 11|C.DAY = 17|PRINT C.MJD|PRINT C.RATADIE|PRINT C.TJD|PRINT C.WEEKDAY",
         "0,678576,-40000,3"},
        {"CALENDAR C|PRINT C.DAY|PRINT C.MONTH|PRINT C.YEAR|PRINT C.CALENDAR|PRINT C.RATADIE|PRINT C.DAYSPERWEEK",
         "1,1,1,4,1,7"},
        // DAYSPERWEEK is matched before DAY, which begins it.
        {"CALENDAR C|C.CALENDAR = 3|PRINT C.DAYSPERWEEK|PRINT C.CALENDAR", "10,3"},
        {"CALENDAR C|C.YEAR = 1968|C.MONTH = 5|C.DAY = 24|PRINT C.TJD|PRINT C.MJD", "0,40000"},
        {"CALENDAR C|PRINT C.WEEK", " !2:REPORT_ERROR1"},
        {"CALENDAR C|PRINT C.mjd", " !2:REPORT_ERROR1"},
    };
    CheckCases(cases);
}

TEST(ValueProperties, CalendarTextsUseTheReportPicture)
{
    report_test::ReportDatePictures pictures;
    const Case cases[] = {
        // The report's picture, and no calendar word although the settings show it on screen.
        {"CALENDAR C|C.YEAR = 1858|C.MONTH = 11|C.DAY = 17|PRINT C.FORMATTED", "17.11.1858"},
    };
    CheckCases(cases);
}

TEST(ValueProperties, StackReadsAndTakes)
{
    const Case cases[] = {
        // TOP takes the element it gives.
        {"STACK S|S.INSERT(5)|PRINT S.TOP|PRINT S.TOP|PRINT S.SIZE", "5,0,0"},
        // GET(1) is the bottom and takes nothing; BOTTOM takes it and moves the others down.
        {"STACK S|S.INSERT(1)|S.INSERT(2)|S.INSERT(3)|PRINT S.GET(1)|PRINT S.GET(3)|PRINT S.SIZE|PRINT S.BOTTOM|"
         "PRINT S.GET(1)|PRINT S.SIZE",
         "1,3,3,1,2,2"},
        {"STACK S|PRINT S.BOTTOM|PRINT S.SIZE", "0,0"},
        {"STACK S|S.INSERT(1)|PRINT S.GET(2)", " !3:REPORT_ERROR16"},
        {"STACK S|S.INSERT(1)|PRINT S.GET(0)", " !3:REPORT_ERROR16"},
        {"STACK S|PRINT S.PEEK", " !2:REPORT_ERROR1"},
    };
    CheckCases(cases);
}

TEST(ValueProperties, SortListWalksInKeyOrder)
{
    // Elements: 1 "pear", 2 "apple", 3 "Pear"; the test host orders a lower-case letter before its capital.
    const char* list = "SORTLIST L|L.INSERT(\"pear\", 10)|L.INSERT(\"apple\", 20)|L.INSERT(\"Pear\", 30)|";
    struct {
        const char* lines;
        const char* outcome;
    } const cases[] = {
        {"PRINT L.FIRST|PRINT L.LAST|PRINT L.SIZE", "2,3,3"},
        {"PRINT L.NEXT(2)|PRINT L.NEXT(1)|PRINT L.NEXT(3)", "1,3,0"},
        {"PRINT L.PREVIOUS(3)|PRINT L.PREVIOUS(2)", "1,0"},
        {"PRINT L.ITEM(3)|PRINT L.DATA(2)", "Pear,20"},
        {"INTEGER I|I = L.FIRST|WHILE (I <> 0)|PRINT L.ITEM(I)|I = L.NEXT(I)|WEND", "apple,pear,Pear"},
        // The key is compared with its case: a text that differs only in case is not found.
        {"PRINT L.FIND(\"Pear\")|PRINT L.FIND(\"APPLE\")|PRINT L.FIND(\"app\" + \"le\")", "3,0,2"},
        {"STRING S|PRINT L.FIND(S)", "0"},
        {"PRINT L.NEXT(4)", " !5:REPORT_ERROR16"},
        {"PRINT L.ITEM(0)", " !5:REPORT_ERROR16"},
        {"PRINT L.DATA(L.SIZE + 1)", " !5:REPORT_ERROR16"},
    };
    for (const auto& c : cases) {
        run_test::ScriptRun run;
        EXPECT_EQ(run_test::Outcome(run, run_test::Script((std::string(list) + c.lines).c_str())), c.outcome)
            << c.lines;
    }
    const Case empty[] = {
        {"SORTLIST L|PRINT L.FIRST|PRINT L.LAST|PRINT L.SIZE|PRINT L.FIND(\"x\")", "0,0,0,0"},
        {"SORTLIST L|PRINT L.PREVIOUS(1)", " !2:REPORT_ERROR16"},
    };
    CheckCases(empty);
}

TEST(ValueProperties, MapsAnswerByKey)
{
    const Case cases[] = {
        {"MAP M|M.INSERT(7, 70)|M.INSERT(-2, 5)|PRINT M.DATA(7)|PRINT M.DATA(-2)|PRINT M.DATA(8)|PRINT M.SIZE",
         "70,5,0,2"},
        {"MAP M|M.INSERT(7, 70)|PRINT M.EXIST(7)|PRINT M.EXIST(3 + 5)", "1,0"},
        {"MAPSTRING M|M.INSERT(7, \"seven\")|PRINT M.DATA(7)|PRINT M.DATA(8)|PRINT M.SIZE", "seven,,1"},
        {"MAPSTRING M|M.INSERT(7, \"seven\")|PRINT M.EXIST(7)|PRINT M.EXIST(8)", "1,0"},
        {"MAP M|PRINT M.COUNT", " !2:REPORT_ERROR1"},
    };
    CheckCases(cases);
}

TEST(ValueProperties, ParagraphPictureAndChartShowWhatWasSet)
{
    const Case cases[] = {
        {"PARAGRAPH P|PRINT P.ALIGN|PRINT P.STYLE|PRINT P.FONT|PRINT P.COLOR|PRINT P.TEXT", "1,0,0,-1,"},
        {"PARAGRAPH P|P.TEXT = \"ab\"|P.ALIGN = 2|P.STYLE = 3|P.FONT = 4|P.COLOR = 255|"
         "PRINT P.TEXT|PRINT P.ALIGN|PRINT P.STYLE|PRINT P.FONT|PRINT P.COLOR",
         "ab,2,3,4,255"},
        {"PICTURE X|PRINT X.ALIGN|PRINT X.BORDER|PRINT X.BORDERCOLOR|PRINT X.MAXHEIGHT|PRINT X.MAXWIDTH|"
         "PRINT X.RESIZE|PRINT X.TEXT",
         "0,0,0,1000,1000,1,"},
        // BORDERCOLOR is matched before BORDER, which begins it.
        {"PICTURE X|X.BORDER = 1|X.BORDERCOLOR = 65280|X.MAXWIDTH = 300|X.TEXT = \"cap\"|"
         "PRINT X.BORDERCOLOR|PRINT X.BORDER|PRINT X.MAXWIDTH|PRINT X.TEXT",
         "65280,1,300,cap"},
        {"PARAGRAPH P|PRINT P.SIZE", " !2:REPORT_ERROR1"},
        // A chart has nothing to read.
        {"CHART C|C.WIDTH = 200|PRINT C.WIDTH", " !3:REPORT_ERROR1"},
    };
    CheckCases(cases);
}

TEST(ValueProperties, EmptyTimelineHasNoDates)
{
    const Case cases[] = {
        {"TIMELINE T|PRINT T.NENTRIES|PRINT T.TITLE|PRINT T.AUTHOR|PRINT T.DESCRIPTION|PRINT T.FILE", "0,,,,"},
        {"TIMELINE T|PRINT T.STARTDATE.YEAR", " !2:REPORT_ERROR16"},
        {"TIMELINE T|PRINT T.ENDDATE.YEAR", " !2:REPORT_ERROR16"},
        {"TIMELINE T|PRINT T.FROM(1).YEAR", " !2:REPORT_ERROR16"},
        {"TIMELINE T|PRINT T.TEXT(1)", " !2:REPORT_ERROR16"},
        {"TIMELINE T|PRINT T.NAME", " !2:REPORT_ERROR1"},
    };
    CheckCases(cases);
}

// The dates, places and addresses of a person's events, reached through chains from the database.
class ValueChainScripts : public model_test::ModelScriptTest {
protected:
    void SetUp() override
    {
        const std::int32_t anna = records.Person("Anna/Berg/", SexFemale);
        const std::int32_t census = records.Type("Census", EventTypeKindEvent, 7);
        model_test::AssertionFields counted;
        counted.date.type = DateRangeFromTo;
        counted.date.dates.first = EmptyDateValue();
        counted.date.dates.first.SetYear(1850);
        counted.date.dates.second = EmptyDateValue();
        counted.date.dates.second.SetYear(1860);
        counted.place = "Ely, Cambs";
        counted.addressCity = "Bergen";
        records.Event(census, {{anna}}, counted);
        model_test::AssertionFields spring;
        spring.date = {};
        spring.date.SetText("in the spring");
        records.Event(census, {{anna}}, spring);
    }
};

TEST_F(ValueChainScripts, PeriodsOfEvents)
{
    const std::string counted = "DATABASE.PERSON(1).DETAIL(1).EVENT.DATE.";
    const std::string spring = "DATABASE.PERSON(1).DETAIL(2).EVENT.DATE.";
    Check({
        {(counted + "FDATE.YEAR").c_str(), "1850"},
        {(counted + "TDATE.YEAR").c_str(), "1860"},
        {(counted + "SDATE").c_str(), "0"},
        {(counted + "BDATE").c_str(), "0"},
        {(counted + "EDATE").c_str(), "0"},
        {(counted + "YEAR").c_str(), "1850"},
        {(counted + "TEXT").c_str(), ""},
        {(counted + "FDATE.FORMATTED").c_str(), "00.00.1850"},
        {(spring + "TEXT").c_str(), "in the spring"},
        {(spring + "YEAR").c_str(), "0"},
        {(spring + "FDATE").c_str(), "0"},
        {(counted + "LENGTH").c_str(), "error 1"},
    });
    // A period used as a whole is a copy of it, which counts as its first year.
    EXPECT_EQ(Print("Y", "INTEGER Y\r\nY = DATABASE.PERSON(1).DETAIL(1).EVENT.DATE\r\n"), "1850");
}

TEST_F(ValueChainScripts, PlacesAndAddressesOfEvents)
{
    const std::string event = "DATABASE.PERSON(1).DETAIL(1).EVENT.";
    Check({
        // No prefix: the blank stands all the same.
        {(event + "PLACE.FORMATTED").c_str(), " Ely, Cambs"},
        {(event + "PLACE.SIMPLE").c_str(), "Ely, Cambs"},
        {(event + "PLACE.NPARTS").c_str(), "2"},
        {(event + "PLACE.PART(2)").c_str(), "Cambs"},
        {(event + "PLACE.PARTTYPE(1)").c_str(), "1"},
        {(event + "PLACE.PART(3)").c_str(), "error 16"},
        // An address of a city alone keeps every separator.
        {(event + "ADDRESS.INLINE").c_str(), ", , Bergen, "},
        {(event + "ADDRESS.CITY").c_str(), "Bergen"},
        {(event + "ADDRESS.LINE1").c_str(), ""},
        {(event + "ADDRESS.ZIP").c_str(), "error 1"},
    });
    // Switched off, places and addresses are missing.
    CurrentSettings.report.IncludePlaces = 0;
    CurrentSettings.report.IncludeAddresses = 0;
    Check({
        {(event + "PLACE.NPARTS").c_str(), "error 110"},
        {(event + "ADDRESS.CITY").c_str(), "error 111"},
    });
}

} // namespace
