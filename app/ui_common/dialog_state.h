// The state object a modal dialog of this area keeps in its DWLP_USER slot from WM_INITDIALOG until
// WM_NCDESTROY, which deletes it.
#pragma once

#include <windows.h>

#include <memory>

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
