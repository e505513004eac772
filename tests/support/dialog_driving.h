// Driving dialogs as a user would: reading their items, choosing list entries, clicking, and acting on a
// modal dialog that another one opens, once it is up.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace dialog_test {

inline std::string WindowText(HWND window)
{
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

inline std::string ItemText(HWND dialog, int item)
{
    return WindowText(GetDlgItem(dialog, item));
}

inline std::string ComboText(HWND dialog, int item, int index)
{
    HWND combo = GetDlgItem(dialog, item);
    int length = static_cast<int>(SendMessageA(combo, CB_GETLBTEXTLEN, index, 0));
    if (length < 0)
        return "<none>";
    std::string text(length + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

inline int ComboCount(HWND dialog, int item)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, item, CB_GETCOUNT, 0, 0));
}

inline int ComboSelection(HWND dialog, int item)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, item, CB_GETCURSEL, 0, 0));
}

// Chooses an entry as a user would: the selection, then the notice the dialog gets.
inline void ChooseComboEntry(HWND dialog, int item, int index)
{
    HWND combo = GetDlgItem(dialog, item);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

inline void Click(HWND dialog, int item)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
}

inline bool IsItemEnabled(HWND dialog, int item)
{
    return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE;
}

// Runs `action` on the dialog window (class #32770) of this thread that `owner` owns, once it is up: a modal
// dialog runs its own message loop, which serves the thread timer that finds it.
inline std::function<void(HWND)> PendingAction;
inline HWND PendingOwner = nullptr;
inline UINT_PTR PendingTimer = 0;

inline BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && GetWindow(window, GW_OWNER) == PendingOwner && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK DriveOwnedDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || !PendingAction)
        return;
    KillTimer(nullptr, PendingTimer);
    auto action = std::move(PendingAction);
    PendingAction = nullptr;
    action(dialog);
}

inline void WhenDialogOpens(HWND owner, std::function<void(HWND)> action)
{
    PendingOwner = owner;
    PendingAction = std::move(action);
    PendingTimer = SetTimer(nullptr, 0, 50, DriveOwnedDialog);
}

// Drops an action whose dialog never opened, so that it cannot act in a later test.
inline void CancelPendingAction()
{
    if (PendingTimer != 0)
        KillTimer(nullptr, PendingTimer);
    PendingAction = nullptr;
    PendingTimer = 0;
}

// A plain window, never shown, to own the message boxes and common dialogs a test opens.
class OwnerWindow {
public:
    OwnerWindow()
        : window_(CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

} // namespace dialog_test
