// The report host of the report fuzz targets: keys for texts, byte order, a fixed clock, black text.
#pragma once

#include <cstdint>
#include <string_view>

#include "report/language/report_host.h"

class FuzzReportHost : public ReportHost {
public:
    const char* LanguageText(const char* key) const override { return key; }
    int CompareText(std::string_view a, std::string_view b) const override { return a.compare(b); }
    platform::LocalTime Now() const override { return {2000, 1, 6, 1, 0, 0, 0, 0}; }
    std::uint32_t NormalFontColor() const override { return 0; }
    std::uint32_t PictureFontColor() const override { return 0; }
    std::int32_t PictureFontSize() const override { return 10; }
};
