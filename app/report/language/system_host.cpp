#include "report/language/system_host.h"

#include "language/language_table.h"
#include "platform/text_compare_cased.h"
#include "settings/settings.h"

const char* SystemReportHost::LanguageText(const char* key) const
{
    return GetLanguageText(key);
}

int SystemReportHost::CompareText(std::string_view a, std::string_view b) const
{
    return platform::CompareLocaleTextCased(a, b);
}

platform::LocalTime SystemReportHost::Now() const
{
    return platform::CurrentLocalTime();
}

std::uint32_t SystemReportHost::NormalFontColor() const
{
    return CurrentSettings.report.FontColors[ReportFontNormal];
}

std::uint32_t SystemReportHost::PictureFontColor() const
{
    return CurrentSettings.report.FontColors[ReportFontPicture];
}

std::int32_t SystemReportHost::PictureFontSize() const
{
    return CurrentSettings.report.FontSizes[ReportFontPicture];
}
