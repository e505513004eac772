// The frame of the object model: the chain steps that every property evaluator shares, and the objects
// that every run has (DATABASE, SYSTEM and SETTINGS).
#include <cstring>

#include "report/language/expression_reader.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"

bool ExpressionReader::SkipPoint()
{
    if (text_[position_] != '.')
        return false;
    ++position_;
    return true;
}

int ExpressionReader::MatchProperty(const char* const* names, int count)
{
    for (int i = 0; i < count; ++i) {
        std::size_t length = std::strlen(names[i]);
        if (std::strncmp(text_ + position_, names[i], length) == 0) {
            position_ += static_cast<std::uint32_t>(length);
            return i;
        }
    }
    Fail(ReportErrorSyntax);
    return -1;
}

int ExpressionReader::ReadIntegerArgument(std::int32_t& value)
{
    ReportValue argument;
    argument.Init(ReportInteger);
    if (!Evaluate(argument))
        return 0;
    value = argument.Integer();
    return 1;
}

int ExpressionReader::ReadIndex(std::int32_t count, std::int32_t& index)
{
    if (!ReadIntegerArgument(index))
        return 0;
    if (index < 1 || index > count)
        return Fail(ReportErrorRange);
    return 1;
}

int ExpressionReader::EvaluateSystem(const ReportSystem* system, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (system == nullptr)
        return Fail(ReportErrorSystemMissing);
    static const char* const dateProperty[] = {"CURRENTDATE."};
    if (MatchProperty(dateProperty, 1) < 0)
        return 0;
    static const char* const parts[] = {"YEAR", "MONTH", "DAY"};
    const platform::LocalTime& time = system->Time();
    const std::uint16_t values[] = {time.year, time.month, time.day};
    int part = MatchProperty(parts, 3);
    if (part < 0)
        return 0;
    result.Reset(ReportInteger);
    result.SetInteger(values[part]);
    return 1;
}

int ExpressionReader::EvaluateSettings(ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    static const char* const names[] = {"SHOWID"};
    if (MatchProperty(names, 1) < 0)
        return 0;
    result.Reset(ReportBoolean);
    result.SetBoolean(context_->showIds ? 1 : 0);
    return 1;
}
