// Screenshots of windows under test, taken by a script outside the test: with VESTRADA_SCREENSHOTS set to a
// folder (a Windows path), PauseForScreenshot leaves "<name>.ready" there and serves messages until the
// script, having taken the picture, removes the file (or 20 seconds pass). Without it nothing happens.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace test_support {

inline void PauseForScreenshot(const char* name)
{
    const char* folder = std::getenv("VESTRADA_SCREENSHOTS");
    if (folder == nullptr || *folder == '\0')
        return;
    const std::string marker = std::string(folder) + "\\" + name + ".ready";
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file);
    const DWORD until = GetTickCount() + 20000;
    MSG message;
    while (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES && GetTickCount() < until) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(50);
    }
}

} // namespace test_support
