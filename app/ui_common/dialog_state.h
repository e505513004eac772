// The state object a modal dialog keeps in its DWLP_USER slot from WM_INITDIALOG until
// WM_NCDESTROY, which deletes it.
#pragma once

#include <windows.h>

#include <memory>

#include "ui_common/window_helpers.h"

template <typename State> State* DialogStateOf(HWND dialog)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The dialog takes the state over; answers it.
template <typename State> State& AttachDialogState(HWND dialog, std::unique_ptr<State> state)
{
    State& attached = *state;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state.release()));
    return attached;
}

template <typename State> void DestroyDialogState(HWND dialog)
{
    delete DialogStateOf<State>(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

// The messages a modal dialog with a state answers alike: WM_INITDIALOG through `init` (dialog, creation
// parameter); Cancel, which ends it with 0; Help and WM_HELP, which open `helpTopic`; every other
// WM_COMMAND through `command` (dialog, state, command id, notification) once the state is there; and
// WM_NCDESTROY, which deletes the state.
template <typename State, typename Init, typename Command>
INT_PTR AnswerStatefulDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const char* helpTopic,
                             Init init, Command command)
{
    switch (message) {
    case WM_INITDIALOG:
        return init(dialog, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        else if (LOWORD(wParam) == IDHELP)
            ShowHelpTopic(HelpDisplayTopic, helpTopic);
        else if (State* state = DialogStateOf<State>(dialog))
            command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, helpTopic);
        return TRUE;
    case WM_NCDESTROY:
        DestroyDialogState<State>(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
