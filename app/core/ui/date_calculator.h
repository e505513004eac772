// The date calculator (dialog IDD_DATE_CALCULATOR): converts a date between the Gregorian, Julian and
// French republican calendars and moves it by days, months and years.
#pragma once

#include <windows.h>

struct DateValue;

// Runs the calculator over `owner` on `value`. Editable, its buttons are OK and Cancel, and OK writes the
// result's calendar, day, month and year into `value` (no alternate year; modifier and time kept) and
// answers 1. For looking up only, its one button is Close and the answer is 0.
INT_PTR OpenDateCalculator(HWND owner, DateValue* value, bool editable);

// Its dialog procedure; the creation parameter is a DateCalculatorRequest.
INT_PTR CALLBACK DateCalculatorDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct DateCalculatorRequest {
    DateValue* value;
    bool editable;
};
