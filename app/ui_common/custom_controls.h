// The program's own controls, placed in dialog templates by class name:
//   PREVIEW            an image from a file, halved until it fits and centred; never enlarged
//   COLORVIEW          a colour swatch whose drop-down button opens the system colour dialog
//   DATEPICK           a date field with a drop-down month calendar (DATEPICK_CALENDAR)
// Each takes ControlSetMessage and ControlGetMessage:
//   PREVIEW    set: lParam = ANSI file name, or 0 to clear
//   COLORVIEW  set: lParam = colour (0x00BBGGRR); get: answers the colour
//   DATEPICK   set / get: lParam = a CalendarDate to copy in / out
// Nothing is told to the parent: a dialog reads the values when it saves.
#pragma once

#include <windows.h>

inline constexpr const char* PreviewClass = "PREVIEW";
inline constexpr const char* ColorViewClass = "COLORVIEW";
inline constexpr const char* DatePickClass = "DATEPICK";
inline constexpr const char* DatePickCalendarClass = "DATEPICK_CALENDAR";

inline constexpr UINT ControlSetMessage = WM_USER + 1;
inline constexpr UINT ControlGetMessage = WM_USER + 2;

// The drop-down button of COLORVIEW (a child window) and the command that opens DATEPICK's calendar.
inline constexpr int DropDownButtonId = 777;

// Window extra data, in LONG_PTR slots.
enum ColorViewSlot { ColorViewColor, ColorViewArrow, ColorViewSlots };
enum DatePickSlot { DatePickDate, DatePickArrow, DatePickCalendar, DatePickUnused, DatePickFont, DatePickSlots };
enum CalendarSlot { CalendarOwner, CalendarLeftArrow, CalendarRightArrow, CalendarSlots };

// The calendar pop-up: its size, the title row at its top with the arrows in its corners, and below it
// the days in 6 rows of 8 columns (the first column numbers the week of the year).
inline constexpr int CalendarWidth = 160;
inline constexpr int CalendarHeight = 200;
inline constexpr int CalendarTitleHeight = 16;
inline constexpr int CalendarArrowWidth = 16;
inline constexpr int CalendarRows = 6;
inline constexpr int CalendarColumns = 8;

// Registers the four classes; false when any fails.
bool RegisterCustomControls(HINSTANCE instance);

// Where PREVIEW draws an image of `width` x `height` in a client area of `clientWidth` x `clientHeight`:
// halved as often as it takes to fit, centred.
RECT PreviewImageRect(int width, int height, int clientWidth, int clientHeight);
