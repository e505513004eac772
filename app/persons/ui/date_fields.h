// The date of an assertion's kind page: an edit for the typed text, which is parsed on every change, and a
// read-only field with the display form, drawn in dark red while the text is no date the parser knows;
// the date editor and the date calculator replace the typed text by the input form of their date.
#pragma once

#include <windows.h>

#include "core/date_value.h"

struct DateFieldItems {
    int typed;
    int formatted;
};

// Both fields from the date: the display form, then the input form.
void ShowDateFields(HWND page, const DateFieldItems& items, const DateRange& date);
// The date of the typed text; the display form follows it, the typed text is left as the user typed it.
DateRange ParseTypedDate(HWND page, const DateFieldItems& items);
// The date editor, then the calculator on the first date: true when the user changed the date (both
// fields then show it).
bool EditDateInDetail(HWND page, const DateFieldItems& items, DateRange& date);
bool CalculateDate(HWND page, const DateFieldItems& items, DateRange& date);
// The page's answer to WM_CTLCOLORSTATIC for the display field of a text date (a brush), or FALSE.
INT_PTR ColourOfDateField(HWND page, const DateFieldItems& items, const DateRange& date, WPARAM wParam,
                          LPARAM lParam);
