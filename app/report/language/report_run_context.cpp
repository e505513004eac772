#include "report/language/report_run_context.h"

#include <cstring>
#include <string>

namespace {

// The variable number after a "%": one digit, or two. Every character counts as a digit by its code.
int ReadNumber(const char* text, std::size_t& i)
{
    int n = text[i] - '0';
    ++i;
    if (text[i] >= '0' && text[i] <= '9') {
        n = n * 10 + (text[i] - '0');
        ++i;
    }
    return n;
}

} // namespace

void ReportRunContext::ExpandTitle()
{
    const std::size_t limit = TitleSize - 1;
    std::string templateText(title);
    const char* t = templateText.c_str();
    std::string out;
    auto append = [&](const std::string& text) {
        if (out.size() < limit)
            out += text.substr(0, limit - out.size());
    };
    auto variableAt = [&](int n) -> ReportValue* {
        return n >= 1 && n <= variables.Count() ? variables.At(n - 1) : nullptr;
    };
    auto textOf = [&](ReportValue* value) -> std::string {
        if (value == nullptr)
            return "";
        switch (value->Type()) {
        case ReportInteger:
            return std::to_string(value->Integer());
        case ReportString:
            return value->TextOrEmpty();
        default:
            return "";
        }
    };
    auto hasValue = [&](ReportValue* value) {
        if (value == nullptr)
            return false;
        switch (value->Type()) {
        case ReportInteger:
        case ReportCalendar:
            return true;
        case ReportString:
            return value->TextOrEmpty()[0] != '\0';
        case ReportRepository:
        case ReportSource:
        case ReportPerson:
        case ReportObjective:
        case ReportObject:
            return value->RecordId() != 0;
        default:
            return false;
        }
    };

    std::size_t i = 0;
    while (t[i] != '\0') {
        char c = t[i];
        if (c == ']') {
            ++i;
        } else if (c == '%') {
            ++i;
            if (t[i] == '\0')
                break;
            if (t[i] == '%' || t[i] == '[' || t[i] == ']') {
                append(std::string(1, t[i]));
                ++i;
            } else {
                append(textOf(variableAt(ReadNumber(t, i))));
            }
        } else if (c == '[') {
            ++i;
            bool negate = t[i] == '!';
            if (negate)
                ++i;
            if (t[i] == '%')
                ++i;
            bool holds = false;
            if (t[i] >= '0' && t[i] <= '9')
                holds = hasValue(variableAt(ReadNumber(t, i)));
            if (t[i] == '?')
                ++i;
            if (holds != negate)
                continue; // expanded: read on as normal text
            // Skipped up to the matching "]".
            int depth = 1;
            while (t[i] != '\0' && depth > 0) {
                if (t[i] == '%') {
                    ++i;
                    if (t[i] == '\0')
                        break;
                } else if (t[i] == '[') {
                    ++depth;
                } else if (t[i] == ']') {
                    --depth;
                }
                ++i;
            }
        } else {
            append(std::string(1, c));
            ++i;
        }
    }
    std::memset(title, 0, sizeof title);
    std::memcpy(title, out.data(), out.size());
}
