// A run context on a test host, and the printed result of an expression: the text of a STRING, else the
// type's letter and the number, or "error N".
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "report/language/expression_reader.h"
#include "report/language/report_run_context.h"
#include "report/language/tests/test_host.h"

namespace report_test {

inline std::string Shown(const ReportValue& value)
{
    switch (value.Type()) {
    case ReportString:
        return value.TextOrEmpty();
    case ReportBoolean:
        return "B" + std::to_string(value.Boolean());
    case ReportInteger:
        return "I" + std::to_string(value.Integer());
    case ReportLong:
        return "L" + std::to_string(value.Long());
    case ReportReal:
        return "R" + FormatReportReal(value.Real());
    default:
        return "type " + std::to_string(value.Type());
    }
}

class Evaluation {
public:
    Evaluation() : context(host) {}

    // The expression evaluated with `wanted` as the wanted type.
    std::string Evaluate(const std::string& text, std::int32_t wanted)
    {
        ExpressionReader reader(context);
        reader.SetText(text.c_str(), 0);
        ReportValue value;
        value.Init(wanted);
        context.state.errorNumber = 99;
        if (!reader.Evaluate(value))
            return "error " + std::to_string(context.state.errorNumber);
        if (context.state.errorNumber != 0)
            return "success with error " + std::to_string(context.state.errorNumber);
        position = reader.Position();
        return Shown(value);
    }
    // What PRINT shows: the expression wanted as a text.
    std::string Print(const std::string& text) { return Evaluate(text, ReportString); }

    // Declares through the declaration statement; its error number (0 on success).
    int Declare(const std::string& text, std::int32_t type)
    {
        context.state.errorNumber = 0;
        int ok = DeclareVariable(context, text.c_str(), type);
        return ok ? 0 : context.state.errorNumber;
    }

    TestHost host;
    ReportRunContext context;
    std::uint32_t position = 0;
};

// One expression of a table, its wanted type and its printed result.
struct Case {
    const char* text;
    std::int32_t wanted;
    const char* expected;
};

template <std::size_t N> void Check(Evaluation& run, const Case (&cases)[N])
{
    for (const Case& c : cases)
        EXPECT_EQ(run.Evaluate(c.text, c.wanted), c.expected) << c.text << " wanted " << c.wanted;
}

constexpr std::int32_t B = ReportBoolean, I = ReportInteger, L = ReportLong, R = ReportReal, S = ReportString;

} // namespace report_test
