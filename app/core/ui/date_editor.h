// The date editor behind the advanced-date buttons of the name, attribute and event pages: one DateRange,
// edited as free text or field by field (dialog IDD_DATE_EDIT).
#pragma once

#include <windows.h>

struct DateRange;

// Runs the editor over `owner` on `range`; 1 after OK (the range holds what the fields say), 0 after
// Cancel (the range untouched).
INT_PTR EditDateRange(HWND owner, DateRange& range);

// Its dialog procedure; the creation parameter is the address of the DateRange.
INT_PTR CALLBACK DateEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
