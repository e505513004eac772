// The event-type list (dialog resource "EVENTTYPE_LIST") and its editor ("EVENTTYPE_EDIT"), both modal
// over the open database (CurrentDatabase):
//   DialogBoxParamA(AppInstance, "EVENTTYPE_LIST", owner, EventTypeListDlgProc, 0);
// The editor's parameter is the record id of the type to change, 0 for a new one; it ends with 1 when it
// wrote the type, else 0.
#pragma once

#include <windows.h>

inline constexpr const char* EventTypeListResource = "EVENTTYPE_LIST";
inline constexpr const char* EventTypeEditResource = "EVENTTYPE_EDIT";

INT_PTR CALLBACK EventTypeListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EventTypeEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
