// The structured-name dialog: the typed parts of one name edited part by part, with the formatted name
// shown while typing. A name without parts starts from the standard structure chosen in the settings.
#pragma once

#include <windows.h>

class NameRecord;

// Runs the modal dialog over `owner` on a copy of the name's parts. 1 after OK: the name's parts are then
// the edited ones, split at blanks and without empty parts (the caller saves the name); 0 otherwise, with
// the name as it was.
INT_PTR EditStructuredName(HWND owner, NameRecord& name);

INT_PTR CALLBACK StructuredNameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
