// The place editor (dialog 276): builds a structured place name part by part (adds, deletes and moves
// parts, sets each part's type and text) on a working copy, and hands the result back to its caller, who
// writes the place.
#pragma once

#include <windows.h>

class PlaceRecord;

// Runs the editor over `owner` on `place`: 1 after OK, with the place's parts replaced by the edited ones
// (the place is not written); 0 after Cancel, with the place unchanged.
INT_PTR EditPlace(HWND owner, PlaceRecord& place);

// Its dialog procedure; the creation parameter is the address of the PlaceRecord.
INT_PTR CALLBACK PlaceEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
