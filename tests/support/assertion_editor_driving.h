// Finding the pages of the assertion editor that a test drives.
#pragma once

#include <windows.h>

namespace dialog_test {

// The child dialog of the editor that holds `item`: the kind page or one of the tab pages.
inline HWND PageWith(HWND editor, int item)
{
    for (HWND child = FindWindowExA(editor, nullptr, "#32770", nullptr); child != nullptr;
         child = FindWindowExA(editor, child, "#32770", nullptr))
        if (GetDlgItem(child, item) != nullptr)
            return child;
    return nullptr;
}

} // namespace dialog_test
