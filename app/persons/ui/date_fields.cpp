#include "persons/ui/date_fields.h"

#include "core/date_format.h"
#include "core/date_parser.h"
#include "core/date_pictures.h"
#include "core/ui/date_calculator.h"
#include "core/ui/date_editor.h"
#include "persons/assertion_fields.h"
#include "settings/settings.h"

namespace {

// The typed date is read up to this many characters.
constexpr int DateTextSize = 256;
constexpr COLORREF TextDateColour = RGB(128, 0, 0);

} // namespace

void ShowDateFields(HWND page, const DateFieldItems& items, const DateRange& date)
{
    char text[DateTextSize];
    WriteDateField(text, sizeof text, date);
    SetDlgItemTextA(page, items.formatted, text);
    FormatDateRange(text, sizeof text, date, CurrentInputDatePicture(), CurrentSettings.dateFormat.ShowTime != 0,
                    true);
    SetDlgItemTextA(page, items.typed, text);
}

DateRange ParseTypedDate(HWND page, const DateFieldItems& items)
{
    char text[DateTextSize];
    GetDlgItemTextA(page, items.typed, text, sizeof text);
    DateRange date{};
    ParseDateRange(text, date, CurrentInputDatePicture());
    char shown[DateTextSize];
    WriteDateField(shown, sizeof shown, date);
    SetDlgItemTextA(page, items.formatted, shown);
    return date;
}

bool EditDateInDetail(HWND page, const DateFieldItems& items, DateRange& date)
{
    DateRange edited = date;
    if (EditDateRange(page, edited) != 1)
        return false;
    date = edited;
    ShowDateFields(page, items, date);
    return true;
}

bool CalculateDate(HWND page, const DateFieldItems& items, DateRange& date)
{
    DateRange calculated = date;
    if (calculated.type == 0) {
        // A free-text or missing date has no first date: the calculator starts empty, and its result
        // becomes a single date instead of being written over the text's characters.
        calculated = DateRange{};
        calculated.type = DateRangeSingle;
        calculated.dates.first = EmptyDateValue();
        calculated.dates.second = EmptyDateValue();
    }
    if (OpenDateCalculator(page, &calculated.dates.first, true) == 0)
        return false;
    date = calculated;
    ShowDateFields(page, items, date);
    return true;
}

INT_PTR ColourOfDateField(HWND page, const DateFieldItems& items, const DateRange& date, WPARAM wParam,
                          LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != GetDlgItem(page, items.formatted) || date.type != 0)
        return FALSE;
    auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, TextDateColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}
