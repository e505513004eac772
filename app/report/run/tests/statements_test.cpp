#include <gtest/gtest.h>

#include <string>

#include "report/run/tests/run_support.h"
#include "settings/settings.h"

namespace {

using run_test::Bytes;

// The body a script writes, after the start of the document and before the closing zero bytes.
std::string Written(const std::string& script, bool graphics = false, std::vector<std::string>* errors = nullptr)
{
    run_test::ScriptRun run;
    run.ui.stopOnError = false;
    run.host.normalColour = 0x00030201;
    run.Run(script, graphics);
    if (errors != nullptr)
        *errors = run.ui.errors;
    std::string body = run.Body();
    EXPECT_GE(body.size(), 3u);
    return body.substr(0, body.size() - 3);
}

TEST(OutputStatements, PrintWritesStyledTextRuns)
{
    EXPECT_EQ(Written("PRINT BOLD ITALIC \"Hi\""), Bytes({4, 1, 0, 1, 2, 3, 0, 3, 0, 'H', 'i', 0}));
    EXPECT_EQ(Written("PRINT underline strikeout 12"), Bytes({4, 1, 0, 1, 2, 3, 0, 12, 0, '1', '2', 0}));
    // A failed PRINT writes nothing, not even its header.
    std::vector<std::string> errors;
    EXPECT_EQ(Written("PRINT ITALIC BOLD 1", false, &errors), "");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(Written("PRINT 1", true, &errors), "");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("REPORT_ERROR49"), std::string::npos);
}

TEST(OutputStatements, BreaksAndDrawing)
{
    EXPECT_EQ(Written("NEWPAGE\r\nNEWLINE\r\nNEWPAR"), Bytes({12, 11, 14}));
    EXPECT_EQ(Written("MOVE -5, 10", true), Bytes({2, 1, 0, 0, 0, 0, 10, 0, 0, 0}));
    EXPECT_EQ(Written("CIRCLE 30", true), Bytes({2, 4, 30, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Written("DRAW 1, 2, 3", true), Bytes({2, 3, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(Written("RECTANGLE 4, 5", true), Bytes({2, 5, 4, 0, 5, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0}));
    EXPECT_EQ(Written("RECTANGLE 4, 5, 6, 1", true), Bytes({2, 5, 4, 0, 5, 0, 6, 0, 0, 0, 1}));
    EXPECT_EQ(Written("SYSTEM.GRAPHICS.PENWIDTH = 3", true), Bytes({2, 8, 3, 0, 0, 0}));
    std::vector<std::string> errors;
    EXPECT_EQ(Written("MOVE 5", true, &errors), "");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("REPORT_ERROR20"), std::string::npos);
    EXPECT_EQ(Written("MOVE 5, 10", false, &errors), "");
    EXPECT_NE(errors[0].find("REPORT_ERROR50"), std::string::npos);
    EXPECT_EQ(Written("SYSTEM.GRAPHICS.PENWIDTH = 3", false, &errors), "");
    EXPECT_NE(errors[0].find("REPORT_ERROR50"), std::string::npos);
}

TEST(OutputStatements, ObjectsPrintTheirRecords)
{
    // A table of two columns and one row: the second cell never got a value.
    std::string table = Written("TABLE T(2, 1)\r\nT.WIDTH(1) = 300\r\nT.VALUE(1, 1) = \"x\"\r\nT.BORDER = 2\r\nT.PRINT");
    std::string expected = Bytes({1, 0, 2, 2, 0, 16, 0, 0, 0, 12, 0, 0, 0, 16, 0, 0, 0, 12, 0, 0, 0});
    expected += Bytes({44, 1, 0, 0});
    expected += Bytes({3, 0xFF, 0xFF, 0xFF, 0xFF, 4, 1, 0, 1, 2, 3, 0, 0, 0, 'x', 0});
    expected += Bytes({3, 0xFF, 0xFF, 0xFF, 0xFF, 4, 1, 0, 1, 2, 3, 0, 0, 0, 0});
    expected += Bytes({21});
    EXPECT_EQ(table, expected);

    std::string paragraph = Written("PARAGRAPH P\r\nP.TEXT = \"ab\"\r\nP.ALIGN = 2\r\nP.FONT = 3\r\nP.PRINT");
    EXPECT_EQ(paragraph, Bytes({22, 2, 0, 1, 2, 3, 0, 0, 3, 'a', 'b', 0}));
    EXPECT_EQ(Written("PARAGRAPH P\r\nP.PRINT"), Bytes({22, 1, 0, 1, 2, 3, 0, 0, 0, 14}));

    std::string chart = Written("CHART C\r\nC.ADDPOINT(\"a\", 1.5)\r\nC.WIDTH = 200\r\nC.PRINT");
    ASSERT_EQ(chart.size(), 22u + 41u + 1u);
    EXPECT_EQ(chart.substr(0, 6), Bytes({23, 1, (200 & 0xFF), 0, 100, 0}));
    EXPECT_EQ(static_cast<unsigned char>(chart[21]), 1);
    EXPECT_EQ(chart[22], 25);
    EXPECT_EQ(chart.substr(23, 2), Bytes({'a', 0}));
    EXPECT_EQ(chart.back(), 24);

    std::string box = Written("TEXTBOX B\r\nB.WIDTHX = 5\r\nB.HEIGHT = 6\r\nB.VALUE = \"t\"\r\nB.PRINT", true);
    ASSERT_EQ(box.size(), 40u + 2u);
    EXPECT_EQ(box.substr(0, 6), Bytes({2, 2, 5, 0, 6, 0}));
    EXPECT_EQ(box.substr(40), Bytes({'t', 0}));
    std::string sector = Written("SECTOR S\r\nS.OUTERRADIUS = 10\r\nS.BORDER = 2\r\nS.PRINT", true);
    ASSERT_EQ(sector.size(), 42u + 1u);
    EXPECT_EQ(sector.substr(0, 3), Bytes({2, 6, 2}));
    EXPECT_EQ(sector.substr(18, 2), Bytes({10, 0}));
    EXPECT_EQ(Written("SECTOR S\r\nS.PRINT", true), ""); // outer radius 0
    // A picture without an image writes nothing.
    EXPECT_EQ(Written("PICTURE P\r\nP.TEXT = \"c\"\r\nP.PRINT"), "");
}

TEST(OutputStatements, AddIndexOnlyWhenTheReportHasAnIndex)
{
    CurrentSettings.report.PersonIndex = 0;
    EXPECT_EQ(Written("ADDINDEX nonsense ,,"), "");
    CurrentSettings.report.PersonIndex = 1;
    EXPECT_EQ(Written("ADDINDEX \"Ann\", -1, 2"), Bytes({15, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'A', 'n', 'n', 0}));
    std::vector<std::string> errors;
    EXPECT_EQ(Written("ADDINDEX \"Ann\")", false, &errors), "");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("REPORT_ERROR20"), std::string::npos);
    CurrentSettings.report.PersonIndex = 0;
}

// The error of each statement that fails, "" when none does.
std::string Errors(const std::string& script, bool graphics = false)
{
    std::vector<std::string> errors;
    Written(script, graphics, &errors);
    std::string all;
    for (const std::string& e : errors) {
        std::size_t start = e.find("REPORT_ERROR");
        all += (all.empty() ? "" : " ") + e.substr(start, e.find('\r', start) - start);
    }
    return all;
}

TEST(Assignment, TargetsAndErrors)
{
    const struct {
        const char* script;
        bool graphics;
        const char* errors;
    } cases[] = {
        {"INTEGER A[3]\r\nA[0] = 1", false, "REPORT_ERROR2"},
        {"INTEGER A[3]\r\nA[4] = 1", false, "REPORT_ERROR16"},
        {"INTEGER A[3]\r\nA[3] = 1", false, ""},
        {"B = 1", false, "REPORT_ERROR2"},
        {"print 1", false, "REPORT_ERROR2"},
        {"DATE D", false, "REPORT_ERROR2"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF = 1", false, "REPORT_ERROR2"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFG = 1", false, "REPORT_ERROR1"},
        {"TABLE T(3, 3)\r\nT.VALUE(2 3) = \"x\"", false, "REPORT_ERROR1"},
        {"TABLE T(3, 3)\r\nT.VALUE(2, 3) = \"x\"", false, ""},
        {"PICTURE P\r\nP.ALIGN = 1", false, ""},
        {"PICTURE P\r\nP.ALIGN = 1", true, "REPORT_ERROR1"},
        {"TIMELINE TL\r\nTL.ANYTHING = 1", false, ""},
        {"INTEGER I\r\nI.X = 1", false, "REPORT_ERROR1"},
        {"TEXTBOX B\r\nB.NOSUCH = 1", true, "REPORT_ERROR1"},
        {"SORTLIST L\r\nL.INSERT(\"a\", 5)\r\nL.DATA(1) = 7\r\nL.DATA(2) = 7", false, "REPORT_ERROR16"},
        {"SETTINGS.SHOWID = 1 = 1", false, ""},
        {"ENDING = 1\r\nB = 1", false, ""}, // ENDING matches END: the run ends there
        {"ATTRIBUTES = 1", false, "REPORT_ERROR2"},
        {"MSGBOX \"only a text\"", false, "REPORT_ERROR1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Errors(c.script, c.graphics), c.errors) << c.script;
}

TEST(Assignment, ValuesReachVariablesAndObjects)
{
    run_test::ScriptRun run;
    run.Run("INTEGER A[3], X\r\nA[2] = 5\r\nX = A[2] + 1\r\nPRINT X\r\nSTACK S\r\nS.INSERT(4)\r\n"
            "SORTLIST L\r\nL.INSERT(\"b\", 1)\r\nL.INSERT(\"a\", 2)\r\nL.DATA(1) = 9\r\n"
            "MESSAGE \"working\"\r\nMSGBOX 0, \"hello\"");
    EXPECT_TRUE(run.ui.errors.empty()) << run.ui.errors[0];
    ASSERT_EQ(run.Printed().size(), 1u);
    EXPECT_EQ(run.Printed()[0], "6");
    EXPECT_EQ(run.ui.statuses, std::vector<std::string>{"working"});
    EXPECT_EQ(run.ui.messages, std::vector<std::string>{"0:hello"});
}

} // namespace
