// The splitter bars a dialog puts between two panes: VSPLITTER is dragged left and right, HSPLITTER up
// and down. A bar only reports the mouse while it is dragged; the parent moves the bar and the panes.
//
// While the left button, pressed on the bar, is held, every mouse move sends the parent WM_COMMAND with
// wParam = the bar's control id (notification code 0) and lParam = the signed mouse coordinate in the
// bar's client coordinates: x for VSPLITTER, y for HSPLITTER.
#pragma once

#include <windows.h>

inline constexpr const char* VerticalSplitterClass = "VSPLITTER";
inline constexpr const char* HorizontalSplitterClass = "HSPLITTER";

// Registers both classes; false when either fails.
bool RegisterSplitters(HINSTANCE instance);
