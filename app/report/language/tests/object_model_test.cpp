// The object model's frame without a database: missing objects fail with their own error numbers, and an
// object without a point is the object itself.
#include <gtest/gtest.h>

#include "report/language/tests/evaluator_support.h"

namespace {

using report_test::Case;

TEST(ObjectModelFrame, MissingObjectsFailWithTheirOwnNumbers)
{
    report_test::Evaluation run;
    ASSERT_NE(run.context.variables.Add("DATABASE", ReportDatabase, 0, 0, 0, run.host), nullptr);
    ASSERT_EQ(run.Declare("P", ReportPerson), 0);
    const Case cases[] = {
        {"DATABASE.NPERSONS", ReportInteger, "error 100"},
        {"DATABASE.PERSON(1).ID", ReportInteger, "error 100"},
        // An empty person: itself it is the id 0, and no chain goes on from it.
        {"P", ReportInteger, "I0"},
        {"P.ID", ReportInteger, "error 105"},
        {"P.NAME.FORMATTED", ReportString, "error 105"},
        {"P.NOSUCH", ReportInteger, "error 105"},
    };
    report_test::Check(run, cases);
}

TEST(ObjectModelFrame, SettingsAndSystemReadThePropertyAsAPrefix)
{
    report_test::Evaluation run;
    ASSERT_NE(run.context.variables.Add("SETTINGS", ReportSettingsType, 0, 0, 0, run.host), nullptr);
    ASSERT_NE(run.context.variables.Add("SYSTEM", ReportSystemType, 0, 0, 0, run.host), nullptr);
    run.context.showIds = true;
    const Case cases[] = {
        {"SETTINGS.SHOWID", ReportBoolean, "B1"},
        {"SETTINGS.SHOWIDX", ReportBoolean, "error 1"},
        {"SETTINGS.SHOW", ReportBoolean, "error 1"},
        {"SYSTEM.CURRENTDATE.DAY > 0", ReportBoolean, "B1"},
        {"SYSTEM.CURRENTDATE.DAYS", ReportInteger, "error 1"},
    };
    report_test::Check(run, cases);
}

} // namespace
