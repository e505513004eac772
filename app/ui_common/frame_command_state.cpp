#include "ui_common/frame_command_state.h"

#include <commctrl.h>

#include "ui_common/frame_globals.h"

void EnableFrameCommand(UINT command, bool enable)
{
    if (FrameWindow == nullptr)
        return;
    if (HMENU menu = GetMenu(FrameWindow))
        EnableMenuItem(menu, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    if (RebarWindow == nullptr)
        return;
    // A toolbar without a button of that command ignores the message.
    for (HWND toolbar = GetWindow(RebarWindow, GW_CHILD); toolbar != nullptr; toolbar = GetWindow(toolbar, GW_HWNDNEXT))
        SendMessageA(toolbar, TB_ENABLEBUTTON, command, MAKELPARAM(enable ? TRUE : FALSE, 0));
}

void PostNoticeToFrame(UINT notice, WPARAM wParam, LPARAM lParam)
{
    if (FrameWindow != nullptr)
        PostMessageA(FrameWindow, notice, wParam, lParam);
}
