// The address page (dialog 240): edits an AddressRecord inside the assertion editor. The page's creation
// parameter is the AddressRecord; command IDOK from the host reads the six fields back into its row.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AddressPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
