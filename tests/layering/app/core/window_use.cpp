#include <windows.h>
/* a block comment: HWND
   and HINSTANCE */
void Show(HWND window);
#ifdef _WIN32
DWORD WindowsOnly();
#else
int Portable(UINT flags);
#endif
#ifndef _WIN32
int PortableToo();
#else
HANDLE WindowsToo();
#endif
