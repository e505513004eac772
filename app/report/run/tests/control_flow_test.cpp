#include <gtest/gtest.h>

#include <string>

#include "report/run/tests/run_support.h"

namespace {

struct Case {
    const char* script; // lines separated by "|"
    const char* outcome;
};

void CheckCases(const Case* cases, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        run_test::ScriptRun run;
        EXPECT_EQ(run_test::Outcome(run, run_test::Script(cases[i].script)), cases[i].outcome) << cases[i].script;
    }
}

TEST(ControlFlow, Loops)
{
    const Case cases[] = {
        {"INTEGER I|FOR I = 1 TO 3|PRINT I|NEXT|PRINT I", "1,2,3,4"},
        {"INTEGER I|FOR I = 5 TO 1|PRINT I|NEXT|PRINT I", "5"},
        // The end is read again on every pass.
        {"INTEGER I, N = 5|FOR I = 1 TO N|PRINT I|N = 2|NEXT", "1,2"},
        {"INTEGER I = 0|WHILE (I < 3)|I = I + 1|PRINT I|WEND|PRINT \"x\"", "1,2,3,x"},
        {"WHILE (0 > 1)|PRINT \"in\"|WEND|PRINT \"out\"", "out"},
        {"INTEGER I = 0|REPEAT|I = I + 1|PRINT I|UNTIL (I = 2)|PRINT \"x\"", "1,2,x"},
        // Nested loops of the same kind.
        {"INTEGER I, J|FOR I = 1 TO 2|FOR J = 1 TO 2|PRINT I|PRINT J|NEXT|NEXT", "1,1,1,2,2,1,2,2"},
        {"INTEGER I = 0|WHILE (I < 2)|I = I + 1|WHILE (0 > 1)|WEND|PRINT I|WEND", "1,2"},
        // A loop on the first line of the script.
        {"WHILE (0 > 1)|WEND|PRINT \"after\"", "after"},
    };
    CheckCases(cases, std::size(cases));
}

TEST(ControlFlow, LoopOpenTestsTheKindOfTheEntry)
{
    // The GOSUB entry on top stands on the line before the WHILE: the WHILE still opens its own loop and
    // its WEND goes back to it, and the RETURN then finds the GOSUB.
    const Case cases[] = {
        {"INTEGER I = 0|GOSUB S|PRINT \"back\"|END|:S|GOSUB T|RETURN|:T|WHILE (I < 2)|I = I + 1|PRINT I|WEND|RETURN",
         "1,2,back"},
        {"INTEGER I, K = 0|GOSUB S|PRINT \"back\"|END|:S|GOSUB T|RETURN|:T|FOR I = 1 TO 2|PRINT I|NEXT|RETURN",
         "1,2,back"},
    };
    CheckCases(cases, std::size(cases));
}

TEST(ControlFlow, SubroutinesAndJumps)
{
    const Case cases[] = {
        {"GOSUB SUB|PRINT \"b\"|END|:SUB|PRINT \"a\"|RETURN", "a,b"},
        {"GOTO L|PRINT \"skipped\"|:L|PRINT \"l\"", "l"},
        {"GOTO MISSING|PRINT \"x\"", "x !1:REPORT_ERROR6"},
        {"GOSUB MISSING|RETURN", " !1:REPORT_ERROR6 !2:REPORT_ERROR23"},
        {"RETURN", " !1:REPORT_ERROR23"},
        {"REPEAT|RETURN", " !2:REPORT_ERROR34"},
        {"WHILE (1 = 1)|RETURN", " !2:REPORT_ERROR35"},
        {"INTEGER I|FOR I = 1 TO 2|RETURN", " !3:REPORT_ERROR48"},
        {"UNTIL (1 = 1)", " !1:REPORT_ERROR32"},
        {"WEND", " !1:REPORT_ERROR36"},
        {"NEXT", " !1:REPORT_ERROR47"},
        {"WHILE (0 > 1)|PRINT 1", "1 !1:REPORT_ERROR35"},
        {"INTEGER I|FOR I = 3 TO 1|PRINT 1", "1 !2:REPORT_ERROR48"},
        {"FOR J = 1 TO 2|NEXT", " !1:REPORT_ERROR45 !2:REPORT_ERROR47"},
        {"STRING S|FOR S = 1 TO 2", " !2:REPORT_ERROR46"},
        {"INTEGER I|FOR I 1 TO 2", " !2:REPORT_ERROR1"},
        {"INTEGER I|FOR I = 1 T 2", " !2:REPORT_ERROR1"},
        // A variable declared in a subroutine is gone after its RETURN.
        {"GOSUB S|PRINT X|END|:S|INTEGER X = 1|RETURN", " !2:REPORT_ERROR1"},
        // One declared in a WHILE body outlives the pass, not the loop.
        {"INTEGER I = 0|WHILE (I < 2)|I = I + 1|IF (I = 2) THEN|PRINT X|ENDIF|INTEGER X = 7|WEND|PRINT X",
         "7 !9:REPORT_ERROR1"},
    };
    CheckCases(cases, std::size(cases));
}

TEST(ControlFlow, Conditions)
{
    const Case cases[] = {
        {"IF (1 = 1) THEN|PRINT \"a\"|ELSE|PRINT \"b\"|ENDIF|PRINT \"c\"", "a,c"},
        {"IF (1 = 2) THEN|PRINT \"a\"|ELSE|PRINT \"b\"|ENDIF|PRINT \"c\"", "b,c"},
        {"IF (1 = 2) THEN|PRINT \"a\"|ELSEIF (2 = 2) THEN|PRINT \"b\"|ELSE|PRINT \"c\"|ENDIF", "b"},
        {"IF (1 = 2) THEN|PRINT \"a\"|ELSEIF (2 = 3) THEN|PRINT \"b\"|ELSE|PRINT \"c\"|ENDIF", "c"},
        // Nested blocks inside a skipped branch are passed over whole.
        {"IF (1 = 2) THEN|IF (1 = 1) THEN|PRINT \"n\"|ELSE|PRINT \"m\"|ENDIF|ELSE|PRINT \"e\"|ENDIF", "e"},
        // A false nested IF without ELSE inside a taken branch does not make the outer ELSEIF run.
        {"IF (1 = 1) THEN|IF (1 = 2) THEN|PRINT \"n\"|ENDIF|ELSEIF (1 = 1) THEN|PRINT \"wrong\"|ENDIF|PRINT \"x\"",
         "x"},
        {"IF (1 = 1) GOTO L|PRINT \"no\"|:L|PRINT \"yes\"", "yes"},
        // False with GOTO does nothing, whatever later lines hold.
        {"IF (1 = 2) GOTO L|PRINT \"then\"|:L|PRINT \"l\"", "then,l"},
        {"IF 1 = 1 THEN|ENDIF", " !1:REPORT_ERROR5"},
        {"IF (1 = 1) PRINT 1", " !1:REPORT_ERROR42"},
        {"IF (1 = 2) PRINT 1", " !1:REPORT_ERROR42"},
        {"IF (1 = 2) THEN|PRINT 1", "1 !1:REPORT_ERROR4"},
        {"ELSE|PRINT 1", "1 !1:REPORT_ERROR4"},
    };
    CheckCases(cases, std::size(cases));
}

TEST(ControlFlow, StackHolds256Constructs)
{
    std::string script;
    for (int i = 0; i < 256; ++i)
        script += "REPEAT\r\n";
    run_test::ScriptRun full;
    EXPECT_EQ(run_test::Outcome(full, script + "PRINT 1"), "1");
    run_test::ScriptRun over;
    EXPECT_EQ(run_test::Outcome(over, script + "REPEAT\r\nPRINT 1"), "1 !257:REPORT_ERROR22");
}

} // namespace
