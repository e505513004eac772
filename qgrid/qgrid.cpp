// The grid-control library is loaded by the program at start-up and never called by name; this stand-in
// only has to load cleanly.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
