// The preferences sheet belongs to the frame, above the dialogs that offer its editing page on their own
// (the structured-name dialog's Options): the frame installs the opener at start-up.
#pragma once

#include <windows.h>

using EditingPreferencesOpener = void (*)(HWND owner);

// Null until installed: the dialogs then open nothing.
extern EditingPreferencesOpener OpenEditingPreferences;
