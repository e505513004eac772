#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "report/run/tests/run_support.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

TEST(ReportRun, EmptyScriptEndsWithThreeZeroBytesAndOpensAWindow)
{
    run_test::ScriptRun run;
    EXPECT_EQ(run.Run(""), 0);
    EXPECT_TRUE(run.ui.opened);
    ASSERT_GE(run.ui.document.size(), 3u);
    EXPECT_EQ(run.ui.document.substr(run.ui.document.size() - 3), std::string(3, '\0'));
    EXPECT_EQ(run.ui.dialogs, 1);
}

TEST(ReportRun, StopAfterAnErrorAnswersTheLineAndLeavesNoDocument)
{
    run_test::ScriptRun run;
    run.ui.stopOnError = true;
    EXPECT_EQ(run.Run("PRINT 1\r\n'\r\n\r\n:L\r\n  \r\nPRINT 2\r\nNOSUCH = 1\r\nPRINT 3"), 7);
    EXPECT_FALSE(run.ui.opened);
    ASSERT_EQ(run.ui.errors.size(), 1u);
    EXPECT_EQ(run.ui.errors[0], "Line 7:\r\nREPORT_ERROR2\r\nStop?");
}

TEST(ReportRun, GoingOnAfterAnErrorClearsIt)
{
    run_test::ScriptRun run;
    run.ui.stopOnError = false;
    EXPECT_EQ(run.Run("NOSUCH = 1\r\nPRINT 3"), 0);
    EXPECT_TRUE(run.ui.opened);
    EXPECT_EQ(run.Printed(), std::vector<std::string>{"3"});
}

TEST(ReportRun, CancelDeletesTheDocument)
{
    run_test::ScriptRun run;
    run.ui.cancelAtStep = 1;
    EXPECT_EQ(run.Run("PRINT 1\r\nPRINT 2"), 0);
    EXPECT_FALSE(run.ui.opened);
}

TEST(ReportRun, CancelledInputsCreateNothing)
{
    run_test::ScriptRun run;
    run.ui.acceptInputs = false;
    EXPECT_EQ(run.Run("PRINT 1"), 0);
    EXPECT_EQ(run.ui.dialogs, 0);
    EXPECT_FALSE(run.ui.opened);
}

TEST(ReportRun, EndStopsTheRun)
{
    run_test::ScriptRun run;
    run.Run("PRINT 1\r\nEND\r\nPRINT 2");
    EXPECT_EQ(run.Printed(), std::vector<std::string>{"1"});
}

TEST(ReportRun, PredefinedObjectsExist)
{
    run_test::ScriptRun run;
    run.ui.stopOnError = false;
    run.Run("PRINT SYSTEM.CURRENTDATE.YEAR\r\nSETTINGS.SHOWID = 1 = 1\r\nPRINT SETTINGS.SHOWID");
    EXPECT_TRUE(run.ui.errors.empty());
    EXPECT_EQ(run.Printed(), (std::vector<std::string>{"2026", "1"}));
}

// The debugger's resumes: each one a dialog of its own on the same run.
class DebugUi : public run_test::TestUi {
public:
    int Generate(ReportRun& run) override
    {
        GenerationSteps steps(run, *this);
        int result;
        while ((result = steps.Step()) < 0) {
        }
        return result;
    }
};

// A run held open by the debugger on a script.
struct DebuggedRun {
    explicit DebuggedRun(const char* script)
    {
        type.SetScript(script);
        EXPECT_TRUE(run.PrepareRun(ui));
        run.debugging = true;
    }
    // The line of each pause while resuming in one mode, up to the end or 20 resumes.
    std::vector<std::int32_t> Pauses(std::uint32_t mode)
    {
        run.debugMode = mode;
        std::vector<std::int32_t> lines;
        for (int i = 0; i < 20 && run.ContinueRun(ui) == GenerationPaused; ++i)
            lines.push_back(run.Context().state.currentLine);
        return lines;
    }

    report_test::TestHost host;
    ReportType type;
    DebugUi ui;
    ReportRun run{nullptr, host, type};
};

constexpr const char* Subroutine = "INTEGER I = 0\r\nGOSUB S\r\nPRINT I\r\nEND\r\n:S\r\nI = I + 1\r\nRETURN";

TEST(ReportRun, StepIntoRunsOneLinePerResume)
{
    DebuggedRun debugged(Subroutine);
    EXPECT_EQ(debugged.Pauses(DebugStepInto), (std::vector<std::int32_t>{1, 5, 6, 2, 3}));
    EXPECT_EQ(debugged.run.FinishRun(debugged.ui), 0);
    EXPECT_TRUE(debugged.ui.opened);
}

TEST(ReportRun, StepOverRunsASubroutineWhole)
{
    DebuggedRun debugged(Subroutine);
    EXPECT_EQ(debugged.Pauses(DebugStepOver), (std::vector<std::int32_t>{1, 2, 3}));
    debugged.run.FinishRun(debugged.ui);
}

TEST(ReportRun, BreakpointsAndRunToCursor)
{
    DebuggedRun debugged("PRINT 1\r\nPRINT 2\r\nPRINT 3\r\nPRINT 4");
    ReportRun& run = debugged.run;
    DebugUi& ui = debugged.ui;
    std::int32_t breakpoints[4] = {1, 0, 1, 0};
    run.Context().breakpoints = breakpoints;
    // Run mode does not stop on the breakpoint of the line it resumes at, only at the next.
    run.debugMode = DebugRun;
    EXPECT_EQ(run.ContinueRun(ui), GenerationPaused);
    EXPECT_EQ(run.Context().state.currentLine, 2);
    // Run to the cursor on the paused line ends at once.
    run.debugMode = DebugRunToCursor;
    run.Context().stopLine = 2;
    EXPECT_EQ(run.ContinueRun(ui), GenerationPaused);
    EXPECT_EQ(run.Context().state.currentLine, 2);
    run.Context().stopLine = 3;
    EXPECT_EQ(run.ContinueRun(ui), GenerationPaused);
    EXPECT_EQ(run.Context().state.currentLine, 3);
    run.debugMode = DebugRun;
    EXPECT_EQ(run.ContinueRun(ui), GenerationEnded);
    run.FinishRun(ui);
    EXPECT_TRUE(ui.opened);
}

TEST(ReportRun, ResumeAtLineZeroWritesTheStartOnce)
{
    run_test::ScriptRun empty;
    empty.Run("");
    // The WEND sends the run back before line 0; in step-into mode every other resume starts there.
    DebuggedRun debugged("WHILE (1 = 1)\r\nWEND");
    std::vector<std::int32_t> pauses = debugged.Pauses(DebugStepInto);
    EXPECT_GE(std::count(pauses.begin(), pauses.end(), 0), 2);
    debugged.run.FinishRun(debugged.ui);
    // Stopped while paused: the start of the document and the one byte of the finish.
    EXPECT_EQ(debugged.ui.document, empty.ui.document.substr(0, empty.ui.document.size() - 2));
}

TEST(ReportRun, AFailingWriteStopsTheRunAndDeletesTheDocument)
{
    run_test::ScriptRun run;
    std::string path;
    // The first write of the document fails (no header is written by an empty start then).
    platform::SetFileFault(platform::FileFaultMode::FailFromNth, 1);
    run.Run("PRINT 1\r\nPRINT 2");
    platform::SetFileFault(platform::FileFaultMode::Off, 0);
    EXPECT_FALSE(run.ui.opened);
    EXPECT_EQ(run.ui.fileErrors, std::vector<std::string>{"REPORT_ERRORWRITE"});
}

} // namespace

namespace {

TEST(ReportRun, DocumentOfAnEmptyScriptIsHeaderStylesAndThreeZeroBytes)
{
    CurrentSettings.report.IncludeTitle = 0;
    run_test::ScriptRun run;
    run.Run("");
    ASSERT_EQ(run.ui.document.size(), 315u);
    EXPECT_EQ(run.ui.document.substr(0, 8), std::string("\x05VESRPT\0", 8));
    EXPECT_EQ(run.ui.document.substr(312), std::string(3, '\0'));
}

TEST(ReportRun, PrintBoldItalicExample)
{
    run_test::ScriptRun run;
    run.host.normalColour = 0;
    run.Run("PRINT BOLD ITALIC \"Hi\"");
    EXPECT_EQ(run.Body(), run_test::Bytes({4, 1, 0, 0, 0, 0, 0, 3, 0, 'H', 'i', 0, 0, 0, 0}));
}

// The title template expanded over two text inputs.
std::string Title(const char* templateText, const char* first, const char* second)
{
    report_test::TestHost host;
    ReportRunContext context(host);
    context.variables.Add("A", ReportString, 0, 0, 0, host)->SetString(first);
    context.variables.Add("B", ReportString, 0, 0, 0, host)->SetString(second);
    std::snprintf(context.title, sizeof context.title, "%s", templateText);
    context.ExpandTitle();
    return context.title;
}

TEST(ReportRunContext, ExpandsTheTitleTemplate)
{
    EXPECT_EQ(Title("List of %1[%2? (%2)]", "Ann", ""), "List of Ann");
    EXPECT_EQ(Title("List of %1[%2? (%2)]", "Ann", "Bo"), "List of Ann (Bo)");
    EXPECT_EQ(Title("X[ (%2)]", "Ann", "Bo"), "X");
    EXPECT_EQ(Title("X[!%1 none]", "", "Bo"), "X none");
    EXPECT_EQ(Title("X[!%1 none]", "Ann", "Bo"), "X");
    EXPECT_EQ(Title("%0%3%12|%%%[%]", "Ann", "Bo"), "|%[]");
    EXPECT_EQ(Title("[%2 [%1] x]y", "Ann", ""), "y");
    // Cut at 63 characters.
    EXPECT_EQ(Title("%1%1%1%1%1%1%1", "abcdefghij", ""), std::string(
        "abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabc"));
}

TEST(ReportRun, InputsBecomeVariablesAndTheTitleIsExpanded)
{
    run_test::ScriptRun run;
    ReportTypeHeader& header = run.type.Header();
    header.inputCount = 3;
    header.inputs[0].kind = InputInteger;
    std::strcpy(header.inputs[0].variableName, "N");
    header.inputs[0].initialValue = 7;
    header.inputs[1].kind = 99; // makes no variable
    std::strcpy(header.inputs[1].variableName, "X");
    header.inputs[2].kind = InputString;
    std::strcpy(header.inputs[2].variableName, "S");
    std::strcpy(header.reportTitle, "N=%1 [%2?S]");
    run.ui.stopOnError = false;
    run.Run("PRINT N\r\nS = \"t\"\r\nPRINT S");
    EXPECT_TRUE(run.ui.errors.empty());
    EXPECT_EQ(run.Printed(), (std::vector<std::string>{"7", "t"}));
}

} // namespace
