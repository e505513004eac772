// A script line through the expression evaluator and the declaration statement, over a run that holds
// variables of every kind an expression reads. The first byte picks the wanted type (and the declared
// type); the rest is the line. Whatever the line, the evaluation ends with success and error 0, or with
// failure and an error number.
#include "report/language/expression_reader.h"
#include "report/language/report_run_context.h"
#include "report/language/variables.h"
#include "fuzz/report_fuzz_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const std::int32_t WantedTypes[] = {ReportBoolean, ReportInteger, ReportString, ReportReal, ReportLong,
                                    ReportPerson,  ReportDate,    ReportCalendar, ReportTableType, ReportEmpty};

void Declare(ReportRunContext& context, const char* text, std::int32_t type)
{
    if (!DeclareVariable(context, text, type))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    FuzzReportHost host;
    ReportRunContext context(host);
    Declare(context, "b = 1, i = -5, r = 2.5, s = \"text\", a[4]", ReportInteger);
    Declare(context, "x[3]", ReportReal);
    Declare(context, "p", ReportPerson);
    Declare(context, "c", ReportCalendar);
    Declare(context, "t(2, 2)", ReportTableType);
    Declare(context, "l", ReportSortListType);
    context.variables.Add("SYSTEM", ReportSystemType, 0, 0, 0, host);
    context.variables.Add("SETTINGS", ReportSettingsType, 0, 0, 0, host);

    std::int32_t wanted = WantedTypes[data[0] % (sizeof WantedTypes / sizeof WantedTypes[0])];
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);

    ExpressionReader reader(context);
    reader.SetText(line.c_str(), 0);
    ReportValue value;
    value.Init(wanted);
    int ok = reader.Evaluate(value);
    if ((ok != 0) != (context.state.errorNumber == 0))
        std::abort();
    if (ok && reader.Position() > line.size())
        std::abort();

    context.depth = 1;
    context.state.errorNumber = 0;
    int declared = DeclareVariable(context, line.c_str(), wanted);
    if ((declared != 0) != (context.state.errorNumber == 0))
        std::abort();
    return 0;
}
