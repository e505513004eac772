// The language dialog (a list of the language files of the program folder).
#pragma once

#include <windows.h>

// Lets the user pick a language file; its full path goes into `path` (LanguagePathSize characters).
// 1 when one was chosen, 0 on Cancel or when there is no language file.
int RunLanguageDialog(HWND owner, char* path);
