// The built-in constants and functions: each with its arguments, results, edges and errors.
#include <gtest/gtest.h>

#include <string>

#include "report/language/tests/evaluator_support.h"

namespace {

using namespace report_test;

TEST(Builtins, NumberingAndText)
{
    Evaluation run;
    const Case cases[] = {
        {"UROMAN(1994)", S, "MCMXCIV"},
        {"UROMAN(4000)", S, "MMMM"},
        {"UROMAN(3999)", S, "MMMCMXCIX"},
        {"UROMAN(4001)", S, "OVERFLOW"},
        {"LROMAN(4001)", S, "OVERFLOW"},
        {"LROMAN(14)", S, "xiv"},
        {"UROMAN(0)", S, ""},
        {"UROMAN(-5)", S, ""},
        {"UROMAN(8)", S, "VIII"},
        {"UALPHA(1)", S, "A"},
        {"UALPHA(26)", S, "Z"},
        {"UALPHA(27)", S, "AA"},
        {"UALPHA(52)", S, "AZ"},
        {"UALPHA(53)", S, "BA"},
        {"UALPHA(702)", S, "ZZ"},
        {"UALPHA(703)", S, "AAA"},
        {"LALPHA(28)", S, "ab"},
        {"UALPHA(0)", S, ""},
        {"UALPHA(-3)", S, ""},
        {"UALPHA(2147483647)", S, "XSHRXW"}, // its six lowest places
        {"UALPHA(321272406)", S, "ZZZZZZ"},
        {"UALPHA(321272407)", S, "AAAAAA"},
        {"UCASE(\"\xE6rlig abc\")", S, "\xE6RLIG ABC"},
        {"LCASE(\"MiXeD \xC6\")", S, "mixed \xC6"},
        {"UCASEFIRST(\"abc\")", S, "Abc"},
        {"LCASEFIRST(\"ABC\")", S, "aBC"},
        {"UCASEFIRST(\"\")", S, ""},
        {"LENGTH(\"abc\")", I, "I3"},
        {"LENGTH(\"\")", I, "I0"},
        {"LEFT(\"abc\", 5)", S, "abc"},
        {"LEFT(\"abc\", 0)", S, ""},
        {"LEFT(\"abc\", 2)", S, "ab"},
        {"LEFT(\"abc\", -1)", S, ""},
        {"RIGHT(\"abc\", 5)", S, ""},
        {"RIGHT(\"abc\", 3)", S, "abc"},
        {"RIGHT(\"abc\", 1)", S, "c"},
        {"RIGHT(\"abc\", -2)", S, ""},
        {"MID(\"abcdef\", 3, 2)", S, "cd"},
        {"MID(\"abc\", 4, 1)", S, ""},
        {"MID(\"abc\", 2, 9)", S, "bc"},
        {"MID(\"abc\", 1, -1)", S, ""},
        {"MID(\"abc\", 0, 1)", S, "error 16"},
        {"MID(\"abc\", -3, 1)", S, "error 16"},
        {"MID(\"abc\", -3)", S, "error 1"}, // the comma is required before the start is tested
        {"MID(\"abc\" 1, 1)", S, "error 1"},
        {"INSTRING(\"abc\", \"B\")", B, "B0"},
        {"INSTRING(\"abc\", \"bc\")", B, "B1"},
        {"INSTRING(\"abc\", \"\")", B, "B1"},
        {"FIND(\"abcabc\", \"ca\")", I, "I3"},
        {"FIND(\"abc\", \"\")", I, "I1"},
        {"FIND(\"abc\", \"x\")", I, "I0"},
        {"SOUNDEX(\"Robert\")", S, "R163"},
        {"SOUNDEX(\"Lee\")", S, "L000"},
        {"SOUNDEX(\"Pfister\")", S, "P123"},
        // Characters from 128 on stay as they are: no case is made of a code page's accented letters.
        {"SOUNDEX(\"\xE9tienne Smith\")", S,
         "\xE9"
         "355"},
        {"SOUNDEX(\" x\")", S, ""},
        {"SOUNDEX(\"\")", S, ""},
        {"NEWLINE", S, "\x0B"},
        {"NEWPAR", S, "\x0E"},
        {"NEWPAGE", S, "\x0C"},
        {"\"a\" + NEWLINE + \"b\"", S,
         "a\x0B"
         "b"},
        {"NEWLINE(", S, "error 1"},
        {"LENGTH (\"abc\")", I, "error 1"},
        {"length(\"abc\")", I, "error 1"},
        {"LEFT(\"abc\" 2)", S, "error 1"},
    };
    Check(run, cases);
}

TEST(Builtins, NumbersColoursAndConversions)
{
    Evaluation run;
    const Case cases[] = {
        {"RGB(255, 0, 0) = Red", B, "B1"},
        {"RGB(256, 0, 0)", I, "I0"},
        {"RGB(1, 2, 3)", I, "I197121"},
        {"RGB(1)", I, "error 1"},
        {"RGB(1, 2", I, "error 1"},
        {"SQRT(16)", R, "R4.000000"},
        {"SQRT(-1)", S, "-nan"},
        {"SIN(0)", R, "R0.000000"},
        {"COS(0)", R, "R1.000000"},
        {"TAN(0)", R, "R0.000000"},
        {"MAX(2, 3)", R, "R3.000000"},
        {"MAX(2, 3)", I, "I3"},
        {"MIN(2, 3)", S, "2.000000"},
        {"MAX(-1.5, -2)", R, "R-1.500000"},
        {"REAL(7 / 2)", R, "R3.500000"},
        {"INTEGER(7 / 2.5)", I, "I3"},
        {"INTEGER(\" -7\")", I, "I-7"},
        {"STRING(1 + 2.5)", S, "12.500000"},
        {"LONG(2 ** 40)", L, "L1099511627776"},
        {"BOOLEAN(\"0.5\")", B, "B0"},
        {"BOOLEAN(5)", S, "1"},
        {"NOT(TRUE)", B, "B0"},
        {"NOT(0)", B, "B1"},
        {"NOT(\"x\")", B, "B1"},
        {"LENGTH(\"ab\" + STRING(12))", I, "I4"},
        {"UROMAN(4000 + 1)", S, "OVERFLOW"},
        {"LEFT(\"abcdef\", 2), 9", S, "ab"},
    };
    Check(run, cases);
}

TEST(Builtins, WeekdaysAndMonthsByCalendar)
{
    Evaluation run;
    static const std::string longName(31, 'c');
    run.host.texts = {{"WEEKDAY_SUNDAY", "Sunday"},       {"WEEKDAY_SATURDAY", "Saturday"},
                      {"DATE_MONTH1", "January"},         {"DATE_MONTH12", "December"},
                      {"DATE_FRENCH1", "Vend\xE9miaire"}, {"DATE_FRENCH13", std::string(40, 'c')}};
    const Case cases[] = {
        {"WEEKDAY(4, 0)", S, "Sunday"},
        {"WEEKDAY(8, 13)", S, "Saturday"},
        {"WEEKDAY(3, 9)", S,
         "d\xE9"
         "cadi"},
        {"WEEKDAY(3, 10)", S, "primidi"},
        {"WEEKDAY(4, -1)", S, ""},
        {"WEEKDAY(4, 2)", S, "WEEKDAY_TUESDAY"},
        {"MONTH(4, 1)", S, "January"},
        {"MONTH(4, 12)", S, "December"},
        {"MONTH(4, 0)", S, "December"},
        {"MONTH(4, 13)", S, "January"},
        {"MONTH(4, -11)", S, "January"},
        {"MONTH(4, 2147483647)", S, "DATE_MONTH7"},
        {"MONTH(4, 0 - 2147483647 - 1)", S, "DATE_MONTH4"},
        {"MONTH(3, 1)", S, "Vend\xE9miaire"},
        {"MONTH(3, 14)", S, "Vend\xE9miaire"},
        {"MONTH(3, 0)", S, longName.c_str()},
        {"MONTH(3, 5)", S, "DATE_FRENCH5"},
    };
    Check(run, cases);
}

} // namespace
