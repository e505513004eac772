// The named constants: the table's size and uniqueness, sample values of every family, exact matching.
#include "report/language/named_constants.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "report/language/tests/evaluator_support.h"

namespace {

TEST(NamedConstants, HoldEachNameOnce)
{
    std::set<std::string> names;
    for (const NamedConstant& entry : NamedConstantTable) {
        EXPECT_LT(std::strlen(entry.name), sizeof entry.name);
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    }
    EXPECT_EQ(names.size(), 277u);
    EXPECT_STREQ(NamedConstantTable[0].name, "FALSE");
    EXPECT_STREQ(NamedConstantTable[137].name, "AliceBlue");
    EXPECT_STREQ(NamedConstantTable[276].name, "YellowGreen");
}

TEST(NamedConstants, EvaluateToTheirIntegers)
{
    report_test::Evaluation run;
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"SexFemale", "I2"},
        {"SexFemale + 1", "I3"},
        {"DarkSeaGreen", "I9157775"},
        {"PenStyleDashDot", "I3"},
        {"PlaceTypeUnknown", "I1"},
        {"NameTypeUnknown", "I1"},
        {"PrivacyPublic", "I0"},
        {"TRUE", "I1"},
        {"FALSE", "I0"},
        {"Black", "I0"},
        {"White", "I16777215"},
        {"Red", "I255"},
        {"Lime", "I65280"},
        {"Blue", "I16711680"},
        {"NavajoWhite", "I11394815"},
        {"Aqua", "I16776960"},
        {"Fuchsia", "I16711935"},
        {"Gray", "I8421504"},
        {"Green", "I32768"},
        {"CornflowerBlue", "I15570276"},
        {"MsgTypeQuestion", "I32"},
        {"CalendarJulian", "I8"},
        {"StyleStrikeout", "I8"},
        {"FontHeading4", "I6"},
        {"SourceMediumVideo", "I10"},
        {"ISSN", "I1"},
        {"AssertionAlias", "I5"},
        {"NameTypeTeknonymic", "I16"},
        {"PlaceTypeCemetery", "I18"},
        {"StatusRejected", "I4"},
        {"sexmale", "error 1"},
        {"SexMal", "error 1"},
        {"SexMale2", "error 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run.Evaluate(c.text, ReportInteger), c.expected) << c.text;
    EXPECT_EQ(run.Evaluate("TRUE", ReportBoolean), "B1");
    EXPECT_TRUE(IsNamedConstant("Teal"));
    EXPECT_FALSE(IsNamedConstant("Grey"));
}

} // namespace
