// The program's report host: texts from the current language table, the locale order of the platform
// (CompareStringA on Windows), the platform's clock and the settings block.
#pragma once

#include "report/language/report_host.h"

class SystemReportHost : public ReportHost {
public:
    const char* LanguageText(const char* key) const override;
    int CompareText(std::string_view a, std::string_view b) const override;
    platform::LocalTime Now() const override;
    std::uint32_t NormalFontColor() const override;
    std::uint32_t PictureFontColor() const override;
    std::int32_t PictureFontSize() const override;
};
