// The pedigree window: an MDI child (class PedigreeWClass) showing one person with the children, the
// parents and the grandparents. Double-clicking an entry moves the chart to that person; the frame's
// MENU_VIEW_PERSON opens the selected one in a person window.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr int PedigreeWindowExtraBytes = 16;

// Opens a new pedigree window centred on the person; every call makes a new window. Null for id 0 or
// when the window cannot be made.
HWND OpenPedigreeWindow(std::int32_t personId);

// How the pedigree opens a person's window (the person windows live beside it); none: the command does
// nothing.
using PersonWindowOpener = HWND (*)(std::int32_t personId);
void SetPedigreePersonOpener(PersonWindowOpener opener);

LRESULT CALLBACK PedigreeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog (IDD_PEDIGREE) that fills the window; its creation parameter is the window's state.
INT_PTR CALLBACK PedigreeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
