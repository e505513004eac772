// Variables and the declaration statement: the tables' limits and scopes, arrays and their bounds, and the
// declaration's forms and errors.
#include "report/language/variables.h"

#include <gtest/gtest.h>

#include <string>

#include "report/language/collections.h"
#include "report/language/tests/evaluator_support.h"

namespace {

using report_test::Evaluation;

TEST(VariableTable, FindsTheNewestAndDropsScopes)
{
    report_test::TestHost host;
    VariableTable table;
    table.Add("x", ReportInteger, 0, 0, 0, host)->SetInteger(1);
    table.Add("y", ReportString, 0, 0, 0, host);
    table.Add("x", ReportInteger, 1, 0, 0, host)->SetInteger(2);
    table.Add("z", ReportInteger, 2, 0, 0, host);
    EXPECT_EQ(table.Find("x", -1), 2);
    EXPECT_EQ(table.Find("x", 0), 0);
    EXPECT_EQ(table.Find("x", 2), -1);
    EXPECT_EQ(table.Find("X", -1), -1);
    EXPECT_EQ(table.Get("x")->Integer(), 2);
    table.DropLevel(1);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Get("x")->Integer(), 1);
    table.Remove("y", 0);
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Get("y"), nullptr);
    table.Add(std::string(40, 'n').c_str(), ReportInteger, 0, 0, 0, host);
    EXPECT_EQ(std::string(table.NameAt(1)), std::string(32, 'n'));
}

TEST(ArrayElements, KeepTheirTypeAndBounds)
{
    const int types[] = {ReportBoolean, ReportInteger, ReportReal, ReportLong};
    for (int type : types) {
        auto array = ArrayElements::Create(type, 10);
        ASSERT_NE(array, nullptr);
        ReportValue value;
        ASSERT_TRUE(array->Get(10, value));
        EXPECT_EQ(value.Type(), type);
        EXPECT_EQ(value.Long() & 0xFF, 0);
        EXPECT_FALSE(array->Get(0, value));
        EXPECT_FALSE(array->Get(11, value));

        ReportValue stored;
        stored.Init(type);
        stored.SetBoolean(1);
        stored.SetInteger(-5);
        stored.SetReal(2.5);
        stored.SetLong(1LL << 40);
        EXPECT_TRUE(array->Set(3, stored));
        EXPECT_FALSE(array->Set(11, stored));
        EXPECT_FALSE(array->Set(0, stored));
        ASSERT_TRUE(array->Get(3, value));
        EXPECT_EQ(report_test::Shown(value), report_test::Shown(stored));

        ReportValue other;
        other.Init(type == ReportInteger ? ReportLong : ReportInteger);
        EXPECT_FALSE(array->Set(1, other)); // no conversion here
    }
    ReportValue big;
    big.Init(ReportBoolean);
    big.SetBoolean(0x101);
    auto flags = ArrayElements::Create(ReportBoolean, 1);
    ASSERT_TRUE(flags->Set(1, big));
    ReportValue back;
    flags->Get(1, back);
    EXPECT_EQ(back.Boolean(), 1); // its low byte
    EXPECT_EQ(ArrayElements::Create(ReportString, 3), nullptr);
    EXPECT_EQ(ArrayElements::Create(ReportInteger, 0), nullptr);
    EXPECT_EQ(ArrayElements::Create(ReportInteger, -4), nullptr);
}

TEST(DeclareVariable, DeclaresEveryFormWithItsInitialValue)
{
    Evaluation run;
    EXPECT_EQ(run.Declare("a, b = 3, c", ReportInteger), 0);
    EXPECT_EQ(run.Print("a"), "0");
    EXPECT_EQ(run.Print("b"), "3");
    EXPECT_EQ(run.Print("c"), "0");
    EXPECT_EQ(run.Declare("X = \" -7\"", ReportInteger), 0);
    EXPECT_EQ(run.Evaluate("X", ReportInteger), "I-7");
    EXPECT_EQ(run.Declare("Y = -2.9", ReportInteger), 0);
    EXPECT_EQ(run.Evaluate("Y", ReportInteger), "I-2");
    EXPECT_EQ(run.Declare("r = 7 / 2", ReportReal), 0);
    EXPECT_EQ(run.Evaluate("r", ReportReal), "R3.500000");
    EXPECT_EQ(run.Declare("s = \"n=\" + 5, t", ReportString), 0);
    EXPECT_EQ(run.Print("s + \"|\" + t"), "n=5|");
    EXPECT_EQ(run.Declare("f = 2 > 1", ReportBoolean), 0);
    EXPECT_EQ(run.Evaluate("f", ReportBoolean), "B1");
    EXPECT_EQ(run.Declare("x[10], y[2]", ReportInteger), 0);
    EXPECT_EQ(run.Evaluate("x[10]", ReportInteger), "I0");
    EXPECT_EQ(run.Evaluate("x[11]", ReportInteger), "error 1");
    EXPECT_EQ(run.Evaluate("x[1 + 1] + 1", ReportInteger), "I1");
    EXPECT_EQ(run.Declare("t(40, 0)", ReportTableType), 0);
    const ReportValue* table = run.context.variables.Get("t");
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->Table(), nullptr);
    EXPECT_EQ(table->Table()->Columns(), 32);
    EXPECT_EQ(table->Table()->Rows(), 1);
    EXPECT_EQ(run.Declare("u(3)", ReportTableType), 0);
    EXPECT_EQ(run.context.variables.Get("u")->Table()->Rows(), 1);
    EXPECT_EQ(run.Declare(" list \t", ReportSortListType), 0);
    EXPECT_NE(run.context.variables.Get("list")->SortList(), nullptr);
    EXPECT_EQ(run.Declare("", ReportInteger), 0);
}

TEST(DeclareVariable, RefusesWhatItCannotDeclare)
{
    const struct {
        const char* text;
        std::int32_t type;
        bool graphics;
        int error;
    } cases[] = {
        {"9a", ReportInteger, false, 18},
        {"_a", ReportInteger, false, 18},
        {"abcdefghijklmnopqrstuvwxyz012345", ReportInteger, false, 17},
        {"Red", ReportInteger, false, 40},
        {"PRINT", ReportString, false, 40},
        {"UROMAN", ReportString, false, 40},
        {"n = 5", ReportLong, false, 51},
        {"p = 1", ReportPerson, false, 51},
        {"a[3] = 5", ReportInteger, false, 39},
        {"a b", ReportInteger, false, 39},
        {"a; b", ReportInteger, false, 39},
        {"s[3]", ReportString, false, 1},
        {"a[3", ReportInteger, false, 1},
        {"a[0]", ReportInteger, false, 1},
        {"a[-5]", ReportInteger, false, 1},
        {"t", ReportTableType, false, 1},
        {"t(3", ReportTableType, false, 1},
        {"s(3)", ReportStackType, false, 1},
        {"t(2)", ReportTableType, true, 49},
        {"p", ReportParagraphType, true, 49},
        {"b", ReportTextBoxType, false, 50},
        {"s", ReportSectorType, false, 50},
        {"a = \"x", ReportString, false, 12},
        {"a[\"x]", ReportInteger, false, 12},
    };
    for (const auto& c : cases) {
        Evaluation run;
        run.context.graphics = c.graphics;
        EXPECT_EQ(run.Declare(c.text, c.type), c.error) << c.text;
    }
    Evaluation overlong;
    EXPECT_EQ(overlong.Declare("a" + std::string(255, ' '), ReportInteger), 1);
    EXPECT_EQ(overlong.context.variables.Count(), 0);
    EXPECT_EQ(overlong.Declare("a" + std::string(254, ' '), ReportInteger), 0);

    Evaluation graphics;
    graphics.context.graphics = true;
    EXPECT_EQ(graphics.Declare("box", ReportTextBoxType), 0);
    EXPECT_EQ(graphics.Declare("sector", ReportSectorType), 0);
}

TEST(DeclareVariable, ANameBeforeTheFailingOneStaysDeclared)
{
    Evaluation run;
    EXPECT_EQ(run.Declare("good = 4, 9bad", ReportInteger), 18);
    EXPECT_EQ(run.Print("good"), "4");
    EXPECT_EQ(run.context.arrays.Count(), 0);
    EXPECT_EQ(run.Declare("big[0], after", ReportInteger), 1);
    EXPECT_EQ(run.context.arrays.Count(), 0);
    EXPECT_EQ(run.context.variables.Get("after"), nullptr);
}

TEST(DeclareVariable, AtMost127OfEachKind)
{
    Evaluation run;
    for (int i = 1; i <= 127; ++i) {
        ASSERT_EQ(run.Declare("v" + std::to_string(i), ReportInteger), 0) << i;
        ASSERT_EQ(run.Declare("a" + std::to_string(i) + "[2]", ReportReal), 0) << i;
    }
    EXPECT_EQ(run.Declare("v128", ReportInteger), 24);
    EXPECT_EQ(run.Declare("a128[2]", ReportReal), 24);
    EXPECT_EQ(run.Declare("v5 = 9", ReportInteger), 0); // a redeclaration replaces
    EXPECT_EQ(run.Print("v5"), "9");
}

TEST(DeclareVariable, RedeclaringReplacesAtTheSameLevelAndHidesDeeper)
{
    Evaluation run;
    EXPECT_EQ(run.Declare("x = 1", ReportInteger), 0);
    EXPECT_EQ(run.Declare("x = \"text\"", ReportString), 0);
    EXPECT_EQ(run.context.variables.Count(), 1);
    EXPECT_EQ(run.Print("x"), "text");
    run.context.depth = 1;
    EXPECT_EQ(run.Declare("x = 2", ReportInteger), 0);
    EXPECT_EQ(run.Evaluate("x", ReportInteger), "I2");
    run.context.variables.DropLevel(1);
    run.context.depth = 0;
    EXPECT_EQ(run.Print("x"), "text");
    // an array of the same name at the same level goes too
    EXPECT_EQ(run.Declare("x[2]", ReportInteger), 0);
    EXPECT_EQ(run.context.variables.Get("x"), nullptr);
    EXPECT_EQ(run.Declare("x", ReportInteger), 0);
    EXPECT_EQ(run.context.arrays.Get("x"), nullptr);
}

TEST(ExpressionReader, ReadsVariablesAndArrayElements)
{
    Evaluation run;
    ASSERT_EQ(run.Declare("A = 5", ReportInteger), 0);
    ASSERT_EQ(run.Declare("B[3]", ReportLong), 0);
    ASSERT_EQ(run.Declare("S", ReportString), 0);
    ReportValue element;
    element.Init(ReportLong);
    element.SetLong(40);
    static const std::string name31(31, 'q'), name32(32, 'q');
    run.context.arrays.Get("B")->Set(2, element);
    const struct {
        const char* text;
        std::int32_t wanted;
        const char* expected;
    } cases[] = {
        {"A[0]", ReportInteger, "I5"},
        {"B[2] + A", ReportInteger, "I45"},
        {"B[2]", ReportString, "40"},
        {"B[0]", ReportInteger, "error 1"},
        {"C[0]", ReportInteger, "error 1"},
        {"B[4]", ReportInteger, "error 1"},
        {"B[\"x]", ReportInteger, "error 1"},
        {"S", ReportString, ""},
        {"S + \"x\"", ReportString, "x"},
        {name31.c_str(), ReportInteger, "error 1"},
        {name32.c_str(), ReportInteger, "error 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run.Evaluate(c.text, c.wanted), c.expected) << c.text;
    ASSERT_EQ(run.Declare(std::string(31, 'q') + " = 8", ReportInteger), 0);
    EXPECT_EQ(run.Evaluate(std::string(31, 'q'), ReportInteger), "I8");
}

TEST(ExpressionReader, ObjectVariablesStandForThemselvesOrTheirProperties)
{
    Evaluation run;
    run.context.showIds = true;
    ReportValue* system = run.context.variables.Add("SYSTEM", ReportSystemType, 0, 0, 0, run.host);
    ASSERT_NE(system, nullptr);
    run.context.variables.Add("SETTINGS", ReportSettingsType, 0, 0, 0, run.host);
    run.context.variables.Add("T", ReportTableType, 0, 1, 1, run.host);
    run.context.variables.Add("L", ReportSortListType, 0, 0, 0, run.host);
    ASSERT_EQ(run.Declare("P", ReportPerson), 0);
    const struct {
        const char* text;
        std::int32_t wanted;
        const char* expected;
    } cases[] = {
        {"SYSTEM.CURRENTDATE.YEAR", ReportInteger, "I2026"},
        {"SYSTEM.CURRENTDATE.MONTH + 1", ReportInteger, "I13"},
        {"SYSTEM.CURRENTDATE.DAY", ReportString, "11"},
        {"SYSTEM.YEAR", ReportInteger, "error 1"},
        {"SYSTEM.CURRENTDATE.SECOND", ReportInteger, "error 1"},
        {"SETTINGS.SHOWID", ReportBoolean, "B1"},
        {"SETTINGS.showid", ReportBoolean, "error 1"},
        {"T", ReportInteger, "error 1"}, // a TABLE cannot stand in an expression
        {"L", ReportInteger, "error 7"}, // the object itself, which no number can be made of
        {"P", ReportInteger, "I0"},      // a person without a record
        {"P = 0", ReportBoolean, "B1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run.Evaluate(c.text, c.wanted), c.expected) << c.text;
}

} // namespace
