// Where a dialog opens: over the middle of the window it belongs to, never off its screen.
#pragma once

#include <windows.h>

// Moves `dialog` so that its centre lies on its owner's centre (the screen's work area when it has no
// owner), then pulls it inside the work area of the owner's monitor. Called from WM_INITDIALOG.
void CentreOnOwner(HWND dialog);
