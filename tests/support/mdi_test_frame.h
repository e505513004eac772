// What the tests of document windows share: their window classes registered as the program registers
// them, and a pump that lets every posted message (notices, relays, posted closes) be handled.
#pragma once

#include <windows.h>

namespace test_support {

inline void RegisterTestWindowClass(const char* name, WNDPROC procedure, int extraBytes)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

// A few rounds, as handling one posted message may post the next.
inline void PumpPostedMessages()
{
    for (int round = 0; round < 4; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

} // namespace test_support
