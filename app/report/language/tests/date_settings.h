// Date settings of a test's own: two pictures, the screen's "{yyyy}-{mm}-{dd}" and the report's
// "[d?{dd}.][m?{mm}.]{yyy}", so that a test sees which one a text took; the calendar shown on screen, the time
// not. The settings are put back when the object goes.
#pragma once

#include <cstring>

#include "settings/settings.h"

namespace report_test {

class ReportDatePictures {
public:
    ReportDatePictures()
    {
        DateFormatSettings& dates = CurrentSettings.dateFormat;
        std::strcpy(dates.Formats[0], "{yyyy}-{mm}-{dd}");
        std::strcpy(dates.Formats[1], "[d?{dd}.][m?{mm}.]{yyy}");
        dates.FormatCount = 2;
        dates.OutputFormat = 0;
        dates.PrintFormat = 1;
        dates.ShowCalendar = 1;
        dates.ShowTime = 0;
        dates.TimeFormat = 0;
    }
    ~ReportDatePictures() { CurrentSettings.dateFormat = saved_; }
    ReportDatePictures(const ReportDatePictures&) = delete;
    ReportDatePictures& operator=(const ReportDatePictures&) = delete;

private:
    DateFormatSettings saved_ = CurrentSettings.dateFormat;
};

} // namespace report_test
