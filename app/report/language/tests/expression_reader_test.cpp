// The expression evaluator: tables of expressions with their wanted type and their exact result or error.
#include "report/language/expression_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "report/language/tests/evaluator_support.h"

namespace {

using namespace report_test;

TEST(ExpressionReader, PrecedenceAndAssociativity)
{
    Evaluation run;
    const Case cases[] = {
        {"1 + 2 * 3", I, "I7"},
        {"10 - 4 - 3", I, "I3"},
        {"2 ** 3 ** 2", I, "I64"},
        {"2 ** 3 ** 2", S, "64"},
        {"-2 ** 2", I, "I4"},
        {"(1 + 2) * 3", I, "I9"},
        {"2 * (3 + 4) - 1", L, "L13"},
        {"1 + 2 = 3", B, "B1"},
        {"5 & 3 = 3", I, "I1"}, // = before &: 5 & (3 = 3)
        {"6 & 3", I, "I2"},
        {"5 | 2 ^ 1", I, "I6"},               // left to right within the pass
        {"TRUE OR FALSE AND FALSE", B, "B0"}, // (TRUE OR FALSE) AND FALSE
        {"TRUE XOR TRUE", B, "B0"},
        {"TRUE XOR FALSE", B, "B1"},
        {"1 < 2 AND 3 > 2", B, "B1"},
        {"(1 + 2", I, "I3"},
        {"  1+2  ", I, "I3"},
        {"\t1\t+\t2", I, "I3"},
    };
    Check(run, cases);
}

TEST(ExpressionReader, TheWantedTypeShapesTheEvaluation)
{
    Evaluation run;
    const Case cases[] = {
        {"1 + 2.5", S, "12.500000"},
        {"7 / 2.5", S, "error 3"},
        {"\"10\" < 9", S, "1"},
        {"10 < \"9\"", S, "0"},
        {"7 / 2", I, "I3"},
        {"7 / 2", R, "R3.500000"},
        {"(7 / 2.5) * 2", I, "I6"},
        {"(7 / 2.5) * 2", R, "R5.600000"},
        {"\"ab\" + \"cd\"", S, "abcd"},
        {"\"n=\" + 5", S, "n=5"},
        {"\"12\" + 5", I, "I17"},
        {"TRUE + 1", I, "I2"},
        {"1.5 + 1", S, "1.5000001"},
        {"1 + 2.5", I, "I3"},
        {"1 + 2.5", R, "R3.500000"},
        {"1 + 2.5", B, "error 3"},
        {"5 - TRUE", I, "I4"},
        {"\"a\" - 1", S, "error 3"},
        {"2 * 3", S, "6"},
        {"2 * 1.5", S, "error 3"},
        {"7", R, "R7.000000"},
        {"7", I, "I7"},
        {"7", B, "B1"},
        {"1.2.3", R, "R1.200000"},
        {".5", R, "R0.500000"},
        {"3", S, "3"},
        {"2 ** 0.5", R, "R1.414214"},
        {"2 ** -1", I, "I0"},
        {"2.0 ** 2", I, "I4"},
        {"\"abc\"", I, "I0"},
        {"\"abc\"", B, "B0"},
    };
    Check(run, cases);
}

TEST(ExpressionReader, Comparisons)
{
    Evaluation run;
    const Case cases[] = {
        {"\"abc\" < \"abd\"", B, "B1"},
        {"\"B\" < \"a\"", B, "B1"},
        {"\"Z\" = \"z\"", B, "B0"},
        {"\"ab\" < \"abc\"", B, "B1"},
        {"\"\xE6\" > \"z\"", B, "B1"}, // unsigned bytes
        {"1 <> 2", B, "B1"},
        {"1 != 1", B, "B0"},
        {"2 >= 2", B, "B1"},
        {"2 <= 1", B, "B0"},
        {"1.5 > 1", B, "B1"},
        {"1 = 1.5", B, "B1"}, // 1.5 made LONG: 1
        {"-1 < 0", B, "B1"},
        {"Aqua = Cyan", B, "B1"},
        {"1 = 1", S, "1"},
        {"SQRT(-1) = SQRT(-1)", B, "B0"},
        {"SQRT(-1) <> SQRT(-1)", B, "B1"},
    };
    Check(run, cases);
}

TEST(ExpressionReader, IntegerArithmeticWrapsAndDivisionByZeroFails)
{
    Evaluation run;
    const Case cases[] = {
        {"2147483647 + 1", I, "I-2147483648"},
        {"INTEGER(2147483647) + INTEGER(1)", I, "I-2147483648"},
        {"INTEGER(0) - INTEGER(2147483647) - INTEGER(2)", I, "I2147483647"},
        {"INTEGER(65536) * INTEGER(65536)", I, "I0"},
        {"9223372036854775807 + 1", L, "L-9223372036854775808"},
        {"0 - 9223372036854775807 - 2", L, "L9223372036854775807"},
        {"4294967296 * 4294967296", L, "L0"},
        {"18446744073709551617", L, "L1"}, // more digits than fit wrap
        {"-INTEGER(0 - 2147483647 - 1)", I, "I-2147483648"},
        {"-(0 - 9223372036854775807 - 1)", L, "L-9223372036854775808"},
        {"INTEGER(0 - 2147483647 - 1) / INTEGER(0 - 1)", I, "I-2147483648"},
        {"(0 - 9223372036854775807 - 1) / (0 - 1)", L, "L-9223372036854775808"},
        {"7 / 0", I, "error 7"},
        {"7 / 0", L, "error 7"},
        {"INTEGER(7) / INTEGER(0)", I, "error 7"},
        {"7 / 0", R, "Rinf"},
        {"-7 / 2", I, "I-3"},
        {"2 ** 62", L, "L4611686018427387904"},
        {"2 ** 64", L, "L0"},
        {"INTEGER(2) ** INTEGER(32)", I, "I0"},
        {"10 ** 400", L, "L0"},
        {"INTEGER(3000000000.0)", I, "I-1294967296"},
    };
    Check(run, cases);
}

TEST(ExpressionReader, SyntaxErrors)
{
    Evaluation run;
    const Case cases[] = {
        {"\"abc", S, "error 12"},    {"a b", I, "error 1"},
        {"1 and 2", I, "error 1"},   {"TRUE AND(FALSE)", B, "error 1"},
        {"TRUE AND", B, "error 1"},  {"", I, "error 1"},
        {"1 +", I, "error 1"},       {"* 2", I, "error 1"},
        {"1E5", R, "error 1"},       {"1 + * 2", I, "error 1"},
        {"-\"a\"", S, "error 3"},    {"-(1 = 1)", B, "error 3"},
        {"-TRUE", I, "I-1"},         {"+\"a\"", S, "a"},
        {"undefined", I, "error 1"}, {"sexfemale", I, "error 1"},
        {"Red(", I, "error 1"},      {"\"a\" * 2", S, "error 3"},
        {"\"a\" & 1", I, "error 3"}, {"1.5 & 1", I, "error 3"},
        {"\"x\" AND TRUE", B, "B0"}, {"1 ** \"2\"", I, "error 3"},
    };
    Check(run, cases);
}

TEST(ExpressionReader, ThirtyOperandsPerLevelAndNoMore)
{
    Evaluation run;
    std::string thirty = "1";
    for (int i = 1; i < 30; ++i)
        thirty += " + 1";
    EXPECT_EQ(run.Evaluate(thirty, ReportInteger), "I30");
    EXPECT_EQ(run.Evaluate(thirty + " + 1", ReportInteger), "error 1");
    // a parenthesised part has a list of its own
    EXPECT_EQ(run.Evaluate("(" + thirty + ") + (" + thirty + ")", ReportInteger), "I60");
    EXPECT_EQ(run.Evaluate("(" + thirty + ") + (" + thirty + " + (1))", ReportInteger), "error 1");
}

TEST(ExpressionReader, LinesOfMoreThan255CharactersFail)
{
    Evaluation run;
    std::string exact = "1" + std::string(253, ' ') + "+1"; // 256 characters
    EXPECT_EQ(run.Evaluate(exact, ReportInteger), "error 1");
    EXPECT_EQ(run.Evaluate(std::string(254, ' ') + "7", ReportInteger), "I7"); // 255 characters
    EXPECT_EQ(run.Evaluate(std::string(255, ' ') + "7", ReportInteger), "error 1");
    EXPECT_EQ(run.Evaluate(std::string(254, ' ') + "7\r" + std::string(300, 'x'), ReportInteger), "I7");
}

TEST(ExpressionReader, StopsWhereTheStatementGoesOn)
{
    Evaluation run;
    const struct {
        const char* text;
        const char* expected;
        std::uint32_t position;
    } cases[] = {
        {"1 + 2) * 3", "I3", 6}, {"I TO 10", "error 1", 0}, {"1 TO 10", "I1", 2},    {"5, 6", "I5", 1},
        {"4] rest", "I4", 2},    {"1 +2 \r more", "I3", 5}, {"3 TOP", "error 1", 0},
    };
    for (const auto& c : cases) {
        run.position = 0;
        EXPECT_EQ(run.Evaluate(c.text, ReportInteger), c.expected) << c.text;
        EXPECT_EQ(run.position, c.position) << c.text;
    }
}

TEST(ExpressionReader, ScansOperatorsByTheirLongestForm)
{
    Evaluation run;
    ExpressionReader reader(run.context);
    const struct {
        const char* text;
        std::uint8_t code;
        std::uint32_t after;
    } cases[] = {
        {"AND x", OperatorAnd, 4},    {"OR x", OperatorOr, 3},     {"XOR x", OperatorXor, 4},
        {"!=", OperatorNotEqual, 2},  {"<>", OperatorNotEqual, 2}, {">=", OperatorGreaterEqual, 2},
        {"<=", OperatorLessEqual, 2}, {"**", OperatorPower, 2},    {"  +", OperatorAdd, 3},
        {"-", OperatorSubtract, 1},   {"*", OperatorMultiply, 1},  {"/", OperatorDivide, 1},
        {"=", OperatorEqual, 1},      {"&", OperatorBitAnd, 1},    {"|", OperatorBitOr, 1},
        {"^", OperatorBitXor, 1},     {">", OperatorGreater, 1},   {"<", OperatorLess, 1},
        {"ANDY", OperatorNone, 0},    {"\t x", OperatorNone, 2},   {"", OperatorNone, 0},
        {"and ", OperatorNone, 0},
    };
    for (const auto& c : cases) {
        reader.SetText(c.text, 0);
        EXPECT_EQ(reader.ScanOperator(), c.code) << c.text;
        EXPECT_EQ(reader.Position(), c.after) << c.text;
    }
}

} // namespace
