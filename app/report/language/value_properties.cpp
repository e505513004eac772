// The properties of the value types (DATE, PERIOD, PLACE, ADDRESS, CALENDAR) and of the report objects
// (TIMELINE, PICTURE, PARAGRAPH, CHART, STACK, SORTLIST, MAP, MAPSTRING) that a script reads with a point.
#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/calendar_date.h"
#include "core/date_format.h"
#include "core/place_record.h"
#include "records/timeline.h"
#include "report/language/collections.h"
#include "report/language/expression_reader.h"
#include "report/language/property_results.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"
#include "settings/settings.h"

namespace {

// Day numbers of the astronomers' counts: the modified Julian day 0 is 17 November 1858, the truncated
// Julian day 0 is 24 May 1968.
constexpr std::int32_t ModifiedJulianDayOffset = 678576;
constexpr std::int32_t TruncatedJulianDayOffset = 718576;

// The longest texts the properties give, terminator included.
constexpr std::size_t DateTextSize = 32;
constexpr std::size_t PeriodTextSize = 64;
constexpr std::size_t CalendarTextSize = 64;
constexpr std::size_t PlaceTextSize = 256;

// Dates in report texts follow the report's date picture, with the time when the settings show it.
bool ReportShowsTime()
{
    return CurrentSettings.dateFormat.ShowTime != 0;
}

} // namespace

// Dates

int ExpressionReader::EvaluateDate(DateValue* date, ReportValue& result)
{
    if (!SkipPoint()) {
        result.Reset(ReportDate);
        if (date != nullptr)
            result.SetDate(*date);
        return 1;
    }
    // A date stands inside its period, so a missing one is reported as the period it belongs to.
    if (date == nullptr)
        return Fail(ReportErrorPeriodMissing);
    static const char* const names[] = {"FORMATTED", "YEAR",  "MONTH",    "DAY",
                                        "HOURS",     "MINUTES", "CALENDAR", "MODIFIER"};
    const int which = MatchProperty(names, PropertyCount(names));
    if (which < 0)
        return 0;
    if (which == 0) {
        char text[DateTextSize] = "";
        FormatShortDateValue(text, sizeof text, *date, ReportDatePicture(), ReportShowsTime());
        return SetStringResult(result, text);
    }
    // A missing hour or minute is -1.
    const std::int32_t numbers[] = {0,
                                    date->Year(),
                                    date->month,
                                    date->day,
                                    static_cast<std::int8_t>(date->hour),
                                    static_cast<std::int8_t>(date->minute),
                                    date->calendar,
                                    date->modifier};
    return SetIntegerResult(result, numbers[which]);
}

// A period used as a whole is a copy of it: as a number it gives its first year, as the other values do.
int ExpressionReader::EvaluatePeriod(DateRange* period, ReportValue& result)
{
    if (!SkipPoint()) {
        result.Reset(ReportPeriod);
        if (period != nullptr)
            if (ReportPeriodBlock* block = result.GetPeriod())
                block->range = *period;
        return 1;
    }
    if (period == nullptr)
        return Fail(ReportErrorPeriodMissing);
    static const char* const names[] = {"FORMATTED", "SDATE", "FDATE", "TDATE", "BDATE", "EDATE", "TEXT", "YEAR"};
    const std::uint8_t type = period->type;
    // The date a date property names, or none when the period is of another type.
    auto dateOf = [&](bool holds, DateValue& date) -> int {
        if (!holds)
            return SetIntegerResult(result, 0);
        return EvaluateDate(&date, result);
    };
    switch (MatchProperty(names, PropertyCount(names))) {
    case 0: {
        char text[PeriodTextSize] = "";
        FormatShortDateRange(text, sizeof text, *period, ReportDatePicture(), ReportShowsTime());
        return SetStringResult(result, text);
    }
    case 1:
        return dateOf(type == DateRangeSingle, period->dates.first);
    case 2:
        return dateOf(type == DateRangeFrom || type == DateRangeFromTo, period->dates.first);
    case 3:
        return dateOf(type == DateRangeTo || type == DateRangeFromTo,
                      type == DateRangeTo ? period->dates.first : period->dates.second);
    case 4:
        return dateOf(type == DateRangeBetween, period->dates.first);
    case 5:
        return dateOf(type == DateRangeBetween, period->dates.second);
    case 6:
        return SetStringResult(result, type == DateRangeText ? std::string(period->Text()) : std::string());
    case 7:
        return SetIntegerResult(result, type == DateRangeText ? 0 : period->dates.first.Year());
    default:
        return 0;
    }
}

// Places and addresses

int ExpressionReader::EvaluatePlace(PlaceRecord* place, ReportValue& result)
{
    if (!SkipPoint()) {
        if (place != nullptr)
            SetRecordResult(result, ReportPlace, place, &place->OwnerDatabase());
        return 1;
    }
    if (place == nullptr)
        return Fail(ReportErrorPlaceMissing);
    static const char* const names[] = {"FORMATTED", "PREFIX", "SIMPLE", "NPARTS", "PART(", "PARTTYPE("};
    const int which = MatchProperty(names, PropertyCount(names));
    switch (which) {
    case 0:
    case 2: {
        char parts[PlaceTextSize] = "";
        place->FormatFiltered(parts, sizeof parts);
        // The blank stands also without a prefix, so that the text can follow a word in a sentence.
        std::string text = which == 0 ? TextColumn(place->row.prefix) + ' ' + parts : std::string(parts);
        if (text.size() > PlaceTextSize - 1)
            text.resize(PlaceTextSize - 1);
        return SetStringResult(result, text);
    }
    case 1:
        return SetStringResult(result, TextColumn(place->row.prefix));
    case 3:
        return SetIntegerResult(result, place->CountParts());
    case 4:
    case 5: {
        std::int32_t n = 0;
        if (!ReadIndex(place->CountParts(), n))
            return 0;
        if (which == 4)
            SetStringResult(result, place->GetPartText(n - 1));
        else
            SetIntegerResult(result, place->GetPartType(n - 1));
        return 1;
    }
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateAddress(AddressRecord* address, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (address == nullptr)
        return Fail(ReportErrorAddressMissing);
    const AddressRow& row = address->row;
    static const char* const names[] = {"INLINE", "LINE1", "LINE2", "CITY", "COUNTRY", "PHONE", "FAX"};
    const int which = MatchProperty(names, PropertyCount(names));
    if (which < 0)
        return 0;
    const std::string line1 = TextColumn(row.line1), line2 = TextColumn(row.line2), city = TextColumn(row.city),
                      country = TextColumn(row.country);
    // Every separator stands, also around empty lines, so that the parts keep their places.
    const std::string texts[] = {line1 + ", " + line2 + ", " + city + ", " + country,
                                 line1,
                                 line2,
                                 city,
                                 country,
                                 TextColumn(row.phone),
                                 TextColumn(row.fax)};
    return SetStringResult(result, texts[which]);
}

// Calendars and timelines

int ExpressionReader::EvaluateCalendar(CalendarDate* calendar, ReportValue& result)
{
    if (!SkipPoint()) {
        result.Reset(ReportCalendar);
        if (calendar != nullptr)
            result.SetCalendar(*calendar);
        return 1;
    }
    if (calendar == nullptr)
        return Fail(ReportErrorCalendarMissing);
    static const char* const names[] = {"DAYSPERWEEK", "CALENDAR", "DAY", "MONTH",   "YEAR",
                                        "RATADIE",     "TJD",      "MJD", "WEEKDAY", "FORMATTED"};
    const int which = MatchProperty(names, PropertyCount(names));
    if (which < 0)
        return 0;
    if (which == 9) {
        char text[CalendarTextSize] = "";
        FormatShortDateValue(text, sizeof text, calendar->ToDateValue(), ReportDatePicture(), false);
        return SetStringResult(result, text);
    }
    const std::int32_t day = calendar->DayNumber();
    const std::int32_t numbers[] = {calendar->GetDaysPerWeek(),
                                    calendar->Calendar(),
                                    calendar->Day(),
                                    calendar->Month(),
                                    calendar->Year(),
                                    day,
                                    day - TruncatedJulianDayOffset,
                                    day - ModifiedJulianDayOffset,
                                    calendar->GetWeekday()};
    return SetIntegerResult(result, numbers[which]);
}

int ExpressionReader::EvaluateTimeline(Timeline* timeline, ReportValue& result)
{
    if (!SkipPoint()) {
        result.Reset(ReportTimeline);
        if (timeline != nullptr)
            result.SetTimeline(*timeline);
        return 1;
    }
    if (timeline == nullptr)
        return Fail(ReportErrorTimelineMissing);
    static const char* const names[] = {"TITLE", "AUTHOR",    "DESCRIPTION", "FILE",   "FROM(",
                                        "TO(",   "TEXT(",     "STARTDATE",   "ENDDATE", "NENTRIES"};
    const auto count = static_cast<std::int32_t>(timeline->Count());
    const int which = MatchProperty(names, PropertyCount(names));
    switch (which) {
    case 0:
        return SetStringResult(result, timeline->Title());
    case 1:
        return SetStringResult(result, timeline->Author());
    case 2:
        return SetStringResult(result, timeline->Description());
    case 3:
        return SetStringResult(result, timeline->Path());
    case 4:
    case 5:
    case 6: {
        std::int32_t n = 0;
        if (!ReadIndex(count, n))
            return 0;
        TimelineEvent& event = timeline->EventAt(static_cast<std::size_t>(n - 1));
        if (which == 6)
            return SetStringResult(result, TextColumn(event.text));
        return EvaluateDate(which == 4 ? &event.from : &event.to, result);
    }
    case 7:
    case 8: {
        // A timeline without entries has neither a first nor a last date.
        if (count == 0)
            return Fail(ReportErrorRange);
        DateValue date = which == 7 ? timeline->EventAt(0).from : *timeline->GetLatestDate();
        return EvaluateDate(&date, result);
    }
    case 9:
        return SetIntegerResult(result, count);
    default:
        return 0;
    }
}

// Pictures, paragraphs and charts

int ExpressionReader::EvaluatePicture(ReportPicture* picture, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (picture == nullptr)
        return Fail(ReportErrorPictureMissing);
    static const char* const names[] = {"ALIGN", "BORDERCOLOR", "BORDER", "MAXHEIGHT", "MAXWIDTH", "RESIZE", "TEXT"};
    const int which = MatchProperty(names, PropertyCount(names));
    if (which < 0)
        return 0;
    if (which == 6)
        return SetStringResult(result, picture->Caption() != nullptr ? picture->Caption() : "");
    const std::int32_t numbers[] = {picture->align,     static_cast<std::int32_t>(picture->borderColour),
                                    picture->border,    picture->maxHeight,
                                    picture->maxWidth,  picture->resize};
    return SetIntegerResult(result, numbers[which]);
}

int ExpressionReader::EvaluateParagraph(ReportParagraph* paragraph, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (paragraph == nullptr)
        return Fail(ReportErrorParagraphMissing);
    static const char* const names[] = {"ALIGN", "TEXT", "STYLE", "FONT", "COLOR"};
    const int which = MatchProperty(names, PropertyCount(names));
    if (which < 0)
        return 0;
    if (which == 1)
        return SetStringResult(result, paragraph->Text() != nullptr ? paragraph->Text() : "");
    const std::int32_t numbers[] = {paragraph->align, 0, paragraph->style, paragraph->font, paragraph->colour};
    return SetIntegerResult(result, numbers[which]);
}

// A chart is only drawn: it has nothing to read.
int ExpressionReader::EvaluateChart(Chart* chart, ReportValue& result)
{
    if (!SkipPoint()) {
        result.Reset(ReportChart);
        result.SetChart();
        return 1;
    }
    return Fail(chart == nullptr ? ReportErrorChartMissing : ReportErrorSyntax);
}

// The collections

int ExpressionReader::EvaluateStack(ReportStack* stack, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (stack == nullptr)
        return Fail(ReportErrorStackMissing);
    static const char* const names[] = {"TOP", "BOTTOM", "GET(", "SIZE"};
    const auto size = static_cast<std::int32_t>(stack->Count());
    switch (MatchProperty(names, PropertyCount(names))) {
    case 0:
        return SetIntegerResult(result, static_cast<std::int32_t>(stack->Pop()));
    case 1:
        return SetIntegerResult(result, static_cast<std::int32_t>(stack->TakeFirst()));
    case 2: {
        std::int32_t n = 0;
        if (!ReadIndex(size, n))
            return 0;
        return SetIntegerResult(result, static_cast<std::int32_t>(stack->At(static_cast<std::size_t>(n - 1))));
    }
    case 3:
        return SetIntegerResult(result, size);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateSortList(ReportSortList* list, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (list == nullptr)
        return Fail(ReportErrorSortListMissing);
    static const char* const names[] = {"FIRST", "LAST", "NEXT(", "PREVIOUS(", "ITEM(", "DATA(", "SIZE", "FIND("};
    const int which = MatchProperty(names, PropertyCount(names));
    switch (which) {
    case 0:
        return SetIntegerResult(result, list->First());
    case 1:
        return SetIntegerResult(result, list->Last());
    case 2:
    case 3:
    case 4:
    case 5: {
        std::int32_t n = 0;
        if (!ReadIndex(list->Count(), n))
            return 0;
        if (which == 2)
            SetIntegerResult(result, list->Next(n));
        else if (which == 3)
            SetIntegerResult(result, list->Previous(n));
        else if (which == 4)
            SetStringResult(result, list->Item(n));
        else
            SetIntegerResult(result, static_cast<std::int32_t>(list->Data(n)));
        return 1;
    }
    case 6:
        return SetIntegerResult(result, list->Count());
    case 7: {
        ReportValue key;
        key.Init(ReportString);
        if (!Evaluate(key))
            return 0;
        return SetIntegerResult(result, list->Find(key.TextOrEmpty()));
    }
    default:
        return 0;
    }
}

namespace {

enum MapProperty { MapData, MapSize, MapExist };

} // namespace

// MAP and MAPSTRING share their names, and DATA( and EXIST( take a key: the property, or -1 on failure.
int ExpressionReader::ReadMapProperty(std::int32_t& key)
{
    static const char* const names[] = {"DATA(", "SIZE", "EXIST("};
    const int which = MatchProperty(names, PropertyCount(names));
    if (which < 0 || which == MapSize)
        return which;
    return ReadIntegerArgument(key) ? which : -1;
}

int ExpressionReader::EvaluateMap(ReportMap* map, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (map == nullptr)
        return Fail(ReportErrorMapMissing);
    std::int32_t key = 0;
    switch (ReadMapProperty(key)) {
    case MapData:
        return SetIntegerResult(result, static_cast<std::int32_t>(map->Get(key)));
    case MapSize:
        return SetIntegerResult(result, map->Count());
    case MapExist:
        return SetBooleanResult(result, map->Find(key) != 0);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateMapString(ReportMapString* map, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (map == nullptr)
        return Fail(ReportErrorMapStringMissing);
    std::int32_t key = 0;
    switch (ReadMapProperty(key)) {
    case MapData:
        // An absent key gives a text value that holds no text.
        result.Reset(ReportString);
        if (const char* text = map->Get(key))
            result.SetString(text);
        return 1;
    case MapSize:
        return SetIntegerResult(result, map->Count());
    case MapExist:
        return SetBooleanResult(result, map->Find(key) != 0);
    default:
        return 0;
    }
}
