// The About box: product, version, language file, copyright.
#pragma once

#include <windows.h>

void ShowAboutBox(HWND owner);
