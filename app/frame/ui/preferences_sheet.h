// The preferences: a modal property sheet of six pages (editing, dates, date formats, other, report
// types, report-type editor) over the settings block. OK stores what each page shows, writes it and posts
// the change notices; Cancel leaves the settings as they were, but for date pictures that the date
// formats page's own button saved at once.
#pragma once

#include <windows.h>

inline constexpr int PreferencesAllPages = 0;
inline constexpr int PreferencesEditingPage = 3; // the editing page alone

// Runs the sheet; afterwards shows the open database again (menus, recent list, caption, notice) so
// that a changed caption setting shows at once, and fills the Report submenus again.
void ShowPreferences(HWND owner, int subset);
// The same sheet without its own message loop, for a caller that drives it (PropSheet messages).
HWND OpenPreferencesModeless(HWND owner, int subset);
