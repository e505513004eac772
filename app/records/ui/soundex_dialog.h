// The Soundex calculator: a modal dialog that shows the code of the name typed into it.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SoundexDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the calculator over `owner`.
void ShowSoundexCalculator(HWND owner);
