#include "ui_common/dialog_position.h"

#include <algorithm>

void CentreOnOwner(HWND dialog)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    HMONITOR monitor = MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    if (!GetMonitorInfoA(monitor, &screen))
        return;
    const RECT& work = screen.rcWork;
    RECT around = work;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    RECT own{};
    GetWindowRect(dialog, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int left = around.left + ((around.right - around.left) - width) / 2;
    int top = around.top + ((around.bottom - around.top) - height) / 2;
    // Inside the work area, its top-left corner first, so that a dialog larger than the screen keeps its
    // caption reachable.
    left = std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
    top = std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
