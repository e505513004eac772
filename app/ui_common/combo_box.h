// Drop-down lists whose entries carry a value of their own (a calendar code, a record id, ...).
#pragma once

#include <windows.h>

// Appends an entry of `text` carrying `value`; its index.
int AddComboItem(HWND combo, const char* text, LPARAM value);
// Selects the entry carrying `value`; false (and the selection unchanged) when there is none.
bool SelectComboValue(HWND combo, LPARAM value);
// The selected entry of a dialog's list, -1 when none is selected.
int ComboSelection(HWND dialog, int item);
// The value of the selected entry, `none` when no entry is selected.
LPARAM SelectedComboValue(HWND dialog, int item, LPARAM none = CB_ERR);
