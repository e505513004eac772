// The report language's values: construction and release, setters, the conversion matrix, the lazy
// records and the type words.
#include "report/language/report_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "core/assertion_link.h"
#include "core/calendar_date.h"
#include "core/place_record.h"
#include "persons/person_record.h"
#include "records/timeline.h"
#include "report/language/collections.h"
#include "report/language/report_objects.h"
#include "report/language/tests/evaluator_support.h"
#include "tests/support/test_database.h"

namespace {

using report_test::Shown;
using report_test::TestHost;

void Make(ReportValue& value, int type, const char* text, std::int64_t whole, double real)
{
    value.Clear();
    value.Init(type);
    switch (type) {
    case ReportString:
        value.SetString(text);
        break;
    case ReportBoolean:
        value.SetBoolean(static_cast<std::int32_t>(whole));
        break;
    case ReportInteger:
        value.SetInteger(static_cast<std::int32_t>(whole));
        break;
    case ReportLong:
        value.SetLong(whole);
        break;
    case ReportReal:
        value.SetReal(real);
        break;
    }
}

struct ConversionCase {
    int from;
    const char* text;
    std::int64_t whole;
    double real;
    int to;
    const char* expected;
};

TEST(ReportValue, ConvertsBetweenTheNumberAndTextTypes)
{
    const ConversionCase cases[] = {
        {ReportBoolean, nullptr, 5, 0, ReportInteger, "I1"},
        {ReportBoolean, nullptr, 5, 0, ReportString, "5"},
        {ReportBoolean, nullptr, 5, 0, ReportLong, "L1"},
        {ReportBoolean, nullptr, 0, 0, ReportReal, "R0.000000"},
        {ReportBoolean, nullptr, 3, 0, ReportReal, "R1.000000"},
        {ReportInteger, nullptr, -42, 0, ReportString, "-42"},
        {ReportInteger, nullptr, -42, 0, ReportLong, "L-42"},
        {ReportInteger, nullptr, 7, 0, ReportBoolean, "B1"},
        {ReportInteger, nullptr, 0, 0, ReportBoolean, "B0"},
        {ReportInteger, nullptr, 7, 0, ReportReal, "R7.000000"},
        {ReportLong, nullptr, 4294967296LL, 0, ReportInteger, "I0"},
        {ReportLong, nullptr, 4294967296LL, 0, ReportBoolean, "B1"},
        {ReportLong, nullptr, 4294967297LL, 0, ReportInteger, "I1"},
        {ReportLong, nullptr, -9223372036854775807LL - 1, 0, ReportString, "-9223372036854775808"},
        {ReportReal, nullptr, 0, 2.9, ReportInteger, "I2"},
        {ReportReal, nullptr, 0, -2.9, ReportInteger, "I-2"},
        {ReportReal, nullptr, 0, -2.9, ReportLong, "L-2"},
        {ReportReal, nullptr, 0, 0.5, ReportBoolean, "B1"},
        {ReportReal, nullptr, 0, 0.0, ReportBoolean, "B0"},
        {ReportReal, nullptr, 0, 2.5, ReportString, "2.500000"},
        {ReportReal, nullptr, 0, 1e300, ReportString, "10000000000000000525047602552044202487044685811"},
        {ReportReal, nullptr, 0, 3e9, ReportInteger, "I-1294967296"},
        {ReportReal, nullptr, 0, 1e30, ReportLong, "L5076964154930102272"},
        {ReportString, "0.5", 0, 0, ReportBoolean, "B0"},
        {ReportString, "0.5", 0, 0, ReportReal, "R0.500000"},
        {ReportString, "12abc", 0, 0, ReportInteger, "I12"},
        {ReportString, "abc", 0, 0, ReportInteger, "I0"},
        {ReportString, " -7", 0, 0, ReportInteger, "I-7"},
        {ReportString, "", 0, 0, ReportBoolean, "B0"},
        {ReportString, "3", 0, 0, ReportBoolean, "B1"},
        {ReportString, "  +12345678901", 0, 0, ReportLong, "L12345678901"},
        {ReportString, "1.5e2x", 0, 0, ReportReal, "R150.000000"},
        {ReportString, "0x10", 0, 0, ReportReal, "R0.000000"},
        {ReportString, "inf", 0, 0, ReportReal, "R0.000000"},
        {ReportString, "-.25", 0, 0, ReportReal, "R-0.250000"},
    };
    ReportValue value;
    for (const auto& c : cases) {
        Make(value, c.from, c.text, c.whole, c.real);
        ASSERT_TRUE(value.ConvertTo(c.to)) << c.from << " to " << c.to;
        EXPECT_EQ(value.Type(), c.to);
        EXPECT_EQ(Shown(value), c.expected) << "from type " << c.from << " to " << c.to;
    }
}

TEST(ReportValue, RealTextIsThePercentFFormCutTo47Characters)
{
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {0.0, "0.000000"},
        {-0.0, "-0.000000"},
        {1.5, "1.500000"},
        {-1e-9, "-0.000000"},
        {0.0078125, "0.007812"}, // an exact tie rounds to even
        {0.0234375, "0.023438"},
        {0.1, "0.100000"},
        {123456789.987654321, "123456789.987654"},
        {9.9999995, "9.999999"},
        {9.99999951, "10.000000"},
        {4.9406564584124654e-324, "0.000000"},
        {1e21, "1000000000000000000000.000000"},
        {std::numeric_limits<double>::max(), "17976931348623157081452742373170435679807056752"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatReportReal(c.value), c.expected) << c.value;
}

TEST(ReportValue, RefusedConversionsLeaveTheValueAlone)
{
    TestHost host;
    ReportValue value;
    value.Init(ReportPerson);
    value.SetRecord(12, nullptr);
    EXPECT_FALSE(value.ConvertTo(ReportString));
    EXPECT_FALSE(value.ConvertTo(ReportReal));
    EXPECT_EQ(value.Type(), ReportPerson);
    EXPECT_EQ(value.RecordId(), 12u);

    const int refused[][2] = {
        {ReportDate, ReportLong},          {ReportDate, ReportString},     {ReportPeriod, ReportString},
        {ReportCalendar, ReportReal},      {ReportCalendar, ReportLong},   {ReportCalendar, ReportString},
        {ReportTimeline, ReportLong},      {ReportTimeline, ReportString}, {ReportPlace, ReportInteger},
        {ReportStackType, ReportInteger},  {ReportInteger, ReportPerson},  {ReportString, ReportDate},
        {ReportSystemType, ReportBoolean},
    };
    for (const auto& pair : refused) {
        value.Clear();
        value.Construct(pair[0], 0, 0, host);
        EXPECT_FALSE(value.ConvertTo(pair[1])) << pair[0] << " to " << pair[1];
        EXPECT_EQ(value.Type(), pair[0]);
    }
}

TEST(ReportValue, DatesCalendarsAndTimelinesConvertToNumbers)
{
    TestHost host;
    ReportValue value;

    value.Init(ReportDate);
    ASSERT_TRUE(value.ConvertTo(ReportBoolean)); // no block yet: an empty date, year 0
    EXPECT_EQ(value.Boolean(), 0);

    value.Clear();
    value.Init(ReportDate);
    DateValue date = *value.GetDate();
    EXPECT_EQ(date.modifier, 0xFF);
    EXPECT_EQ(date.calendar, 0xFF);
    EXPECT_EQ(date.day, 0);
    date.SetYear(1848);
    value.SetDate(date);
    ASSERT_TRUE(value.ConvertTo(ReportReal));
    EXPECT_EQ(value.Real(), 1848.0);

    value.Clear();
    value.Init(ReportPeriod);
    ReportPeriodBlock* period = value.GetPeriod();
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->range.type, DateRangeSingle);
    period->range.dates.first.SetYear(1901);
    ASSERT_TRUE(value.ConvertTo(ReportInteger));
    EXPECT_EQ(value.Integer(), 1901);

    value.Clear();
    value.Construct(ReportCalendar, 0, 0, host);
    ASSERT_NE(value.Calendar(), nullptr);
    EXPECT_EQ(value.Calendar()->DayNumber(), 1);
    value.SetCalendar(CalendarDate(CalendarGregorian, 5, 3, 1900));
    std::int32_t day = value.Calendar()->DayNumber();
    ReportValue copy;
    copy.Init(ReportBoolean);
    ASSERT_TRUE(copy.CopyFrom(value));
    ASSERT_TRUE(copy.ConvertTo(ReportBoolean));
    EXPECT_EQ(copy.Boolean(), 1);
    ASSERT_TRUE(value.ConvertTo(ReportInteger));
    EXPECT_EQ(value.Integer(), day);

    value.Clear();
    value.Construct(ReportTimeline, 0, 0, host);
    Timeline timeline;
    timeline.AddEvent(TimelineEvent{});
    timeline.AddEvent(TimelineEvent{});
    value.SetTimeline(timeline);
    ASSERT_TRUE(copy.CopyFrom(value));
    ASSERT_TRUE(value.ConvertTo(ReportReal));
    EXPECT_EQ(value.Real(), 2.0);
    ASSERT_TRUE(copy.ConvertTo(ReportBoolean));
    EXPECT_EQ(copy.Boolean(), 1);
}

TEST(ReportValue, SettersActOnlyOnTheirOwnType)
{
    ReportValue value;
    value.Init(ReportInteger);
    value.SetString("text");
    value.SetReal(2.5);
    value.SetBoolean(9);
    EXPECT_EQ(value.Integer(), 0);
    value.SetInteger(-3);
    EXPECT_EQ(value.Integer(), -3);

    value.Reset(ReportString);
    EXPECT_EQ(value.Text(), nullptr);
    EXPECT_STREQ(value.TextOrEmpty(), "");
    value.SetString(nullptr);
    EXPECT_STREQ(value.Text(), "");
    value.SetStringN("abcdef", 3);
    value.AppendString("XY");
    EXPECT_STREQ(value.Text(), "abcXY");
    value.Clear();
    value.Clear(); // a second clear finds nothing to free
    EXPECT_EQ(value.Type(), ReportEmpty);
}

TEST(ReportValue, ConstructMakesTheObjectsOfTheObjectTypes)
{
    TestHost host;
    host.normalColour = 0x123456;
    ReportValue value;
    value.Construct(ReportTableType, 40, 0, host);
    ASSERT_NE(value.Table(), nullptr);
    EXPECT_EQ(value.Table()->Columns(), 32);
    EXPECT_EQ(value.Table()->Rows(), 1);
    value.Clear();

    const int owning[] = {ReportParagraphType, ReportStackType,   ReportSortListType, ReportMapType,
                          ReportMapStringType, ReportTextBoxType, ReportSectorType,   ReportPictureType,
                          ReportSystemType,    ReportCalendar,    ReportChart,        ReportTimeline};
    for (int type : owning) {
        value.Construct(type, 0, 0, host);
        bool made = value.Paragraph() || value.Stack() || value.SortList() || value.Map() || value.MapString() ||
                    value.TextBox() || value.Sector() || value.Picture() || value.System() || value.Calendar() ||
                    value.ChartObject() || value.TimelineObject();
        EXPECT_TRUE(made) << type;
        value.Clear();
    }
    value.Construct(ReportTextBoxType, 0, 0, host);
    EXPECT_EQ(value.TextBox()->textColour, 0x123456u);
    value.Construct(ReportStackType, 0, 0, host); // the text box is freed (the leak check would tell)
    EXPECT_NE(value.Stack(), nullptr);
    value.Clear();
    value.Construct(ReportSystemType, 0, 0, host);
    EXPECT_EQ(value.System()->Time().year, 2026);
    EXPECT_EQ(value.System()->Time().milliseconds, 250);
    value.Clear();
    value.Construct(ReportChart, 0, 0, host);
    EXPECT_EQ(value.ChartObject()->width, 100);
    EXPECT_EQ(value.ChartObject()->marginLeft, 100);
    EXPECT_EQ(value.ChartObject()->marginBottom, 50);
    EXPECT_EQ(value.ChartObject()->type, 1);
}

TEST(ReportValue, TypeWordsNameTheirCodes)
{
    const struct {
        const char* name;
        int code;
    } cases[] = {
        {"MAP", 53},          {"MAPSTRING", 56},      {"PERSON.NAME", 13}, {"ATTRIBUTETYPE", 24},
        {"RELATIONSHIP", 31}, {"INFORMATION(2)", 28}, {"SYSTEM", 80},      {"PARAGRAPH", 0},
        {"SECTOR", 0},        {"person", 0},          {"MAPS", 0},         {"", 0},
        {"DATABASE", 10},     {"SETTINGS", 81},       {"TIMELINE", 60},    {"DATE2", 32},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetReportTypeCode(c.name), c.code) << c.name;
}

// Record values against a real database.
class ReportRecordValue : public ::testing::Test {
protected:
    std::int32_t AddPerson()
    {
        auto transaction = test_support::Transaction(*db_);
        PersonRecord person(*db_);
        person.NewId();
        EXPECT_EQ(person.Write(), 0);
        return person.Id();
    }

    // A principal's link to an event that is not stored; the link's id.
    std::int32_t AddEventLink(std::int32_t person)
    {
        auto transaction = test_support::Transaction(*db_);
        AssertionLink link(*db_);
        link.row = {AssertionEvent, 7, person, 0, 0};
        EXPECT_TRUE(link.Save());
        return link.Id();
    }
    void DeleteLink(std::int32_t id)
    {
        auto transaction = test_support::Transaction(*db_);
        ASSERT_EQ(tlvDeleteRecord(db_.Table(TableAssertionLink), id, db_.File()), 0);
    }

    test_support::TestDatabase db_;
};

TEST_F(ReportRecordValue, ARecordIsReadOnFirstUseAndConvertsToItsId)
{
    std::int32_t id = AddPerson();
    ASSERT_NE(id, 0);
    auto transaction = test_support::Transaction(*db_);

    ReportValue value;
    value.Init(ReportPerson);
    value.SetRecord(static_cast<std::uint32_t>(id), db_.get());
    EXPECT_FALSE(value.RecordLoaded());
    ASSERT_NE(value.GetPerson(nullptr), nullptr);
    EXPECT_EQ(value.GetPerson(nullptr)->Id(), id);
    ASSERT_TRUE(value.ConvertTo(ReportInteger));
    EXPECT_EQ(value.Integer(), id);

    // Reset keeps id and database: set again, the new record is read.
    value.Reset(ReportPerson);
    value.SetRecord(static_cast<std::uint32_t>(id) + 50, value.OwnerDatabase());
    EXPECT_EQ(value.GetPerson(nullptr), nullptr);
    ASSERT_TRUE(value.ConvertTo(ReportBoolean));
    EXPECT_EQ(value.Boolean(), 0);

    ReportValue missing;
    missing.Init(ReportSource);
    missing.SetRecord(3, db_.get());
    ASSERT_TRUE(missing.ConvertTo(ReportInteger));
    EXPECT_EQ(missing.Integer(), 0);

    ReportValue nothing;
    nothing.Init(ReportObject);
    EXPECT_EQ(nothing.GetMediaObject(), nullptr);
    ASSERT_TRUE(nothing.ConvertTo(ReportLong));
    EXPECT_EQ(nothing.Long(), 0);
}

TEST_F(ReportRecordValue, ADeletedPersonConvertsToFalseAndZero)
{
    std::int32_t id = AddPerson();
    {
        auto transaction = test_support::Transaction(*db_);
        ASSERT_EQ(tlvDeleteRecord(db_.Table(TablePerson), id, db_.File()), 0);
    }
    auto transaction = test_support::Transaction(*db_);
    for (int type : {ReportBoolean, ReportInteger}) {
        ReportValue value;
        value.Init(ReportPerson);
        value.SetRecord(static_cast<std::uint32_t>(id), db_.get());
        ASSERT_TRUE(value.ConvertTo(type));
        EXPECT_EQ(value.Integer(), 0);
    }
}

// Assertion links and places keep the id they were asked for even when their row is gone; a value must
// not take such a record for a read one.
TEST_F(ReportRecordValue, AnAssertionLinkOrPlaceWhoseRowIsGoneIsNoRecord)
{
    const std::int32_t person = AddPerson();
    const std::int32_t kept = AddEventLink(person);
    const std::int32_t deleted = AddEventLink(person);
    DeleteLink(deleted);
    std::int32_t place = 0;
    {
        auto transaction = test_support::Transaction(*db_);
        PlaceRecord stored(*db_);
        stored.Parse("Oslo");
        ASSERT_TRUE(stored.SaveOrDelete());
        place = stored.Id();
    }
    auto transaction = test_support::Transaction(*db_);
    const struct {
        std::int32_t type;
        std::int32_t id;
        bool read;
    } cases[] = {
        {ReportDetail, kept, true}, {ReportDetail, deleted, false},   {ReportDetail, deleted + 40, false},
        {ReportPlace, place, true}, {ReportPlace, place + 40, false},
    };
    for (const auto& c : cases) {
        ReportValue value;
        value.Init(c.type);
        value.SetRecord(static_cast<std::uint32_t>(c.id), db_.get());
        const void* record = c.type == ReportDetail ? static_cast<const void*>(value.GetDetail())
                                                    : static_cast<const void*>(value.GetPlace());
        EXPECT_EQ(record != nullptr, c.read) << "type " << c.type << " id " << c.id;
    }
    ReportValue detail;
    detail.Init(ReportDetail);
    detail.SetRecord(static_cast<std::uint32_t>(kept), db_.get());
    ASSERT_NE(detail.GetDetail(), nullptr);
    EXPECT_EQ(+detail.GetDetail()->row.personId, person);
}

TEST_F(ReportRecordValue, ADetailWhoseLinkIsGoneFailsAsAMissingDetail)
{
    const std::int32_t person = AddPerson();
    const std::int32_t kept = AddEventLink(person);
    const std::int32_t deleted = AddEventLink(person);
    DeleteLink(deleted);
    auto transaction = test_support::Transaction(*db_);

    report_test::Evaluation run;
    run.context.database = db_.get();
    const struct {
        const char* name;
        std::int32_t id;
    } variables[] = {{"KEPT", kept}, {"GONE", deleted}};
    for (const auto& v : variables) {
        ReportValue* variable = run.context.variables.Add(v.name, ReportDetail, 0, 0, 0, run.host);
        ASSERT_NE(variable, nullptr);
        variable->SetRecord(static_cast<std::uint32_t>(v.id), db_.get());
    }
    const report_test::Case cases[] = {
        {"KEPT.TYPE", ReportInteger, "I1"},
        {"KEPT.ROLE", ReportString, ""},
        {"GONE.TYPE", ReportInteger, "error 116"},
        {"GONE.EVENT.PRIVACY", ReportInteger, "error 116"},
        {"GONE.FORMATTED", ReportString, "error 116"},
    };
    report_test::Check(run, cases);
}

} // namespace
