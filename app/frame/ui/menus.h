// The frame's menu bar: language texts for its items, their status-bar help and the Report submenus.
#pragma once

#include "frame/report_menus.h"

#include <windows.h>

// Position of the Report menu in the menu bar and of the frame's File and Window menus.
inline constexpr int FileMenuPosition = 0;
inline constexpr int ViewMenuPosition = 2;
inline constexpr int ReportMenuPosition = 4;
inline constexpr int WindowMenuPosition = 6;

// The entries of the six Report submenus, by submenu and command offset.
extern ReportMenuEntry ReportMenuEntries[ReportSubmenuCount][ReportMenuCapacity];

// Replaces every item text of `menu` and its submenus (a language key) by the key's text, and keeps the
// text of key + "_HELP", when there is one, as the item's data.
void TranslateMenu(HMENU menu);
// WM_MENUSELECT: the selected item's data (its help text, a recent path, a report description) in part 0
// of the status bar.
void ShowMenuHelp(UINT item, UINT flags, HMENU menu);
// Shows the ready text in part 0 of the status bar.
void ShowStatusReady();
// (Re)builds the six Report submenus of the frame's menu from the language texts and the settings.
void FillReportSubmenus(HWND frame);
