// What the dialog tests share: an open test database made current, a language of the tests' own
// texts, recorded message boxes, and a way to drive a modal dialog that another dialog opens.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"

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

// A test with a current database (set up by the test) and recorded message boxes.
class DialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LoadLibraryA("Riched20.dll");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        AppInstance = GetModuleHandleA(nullptr);
    }
    void TearDown() override
    {
        if (dialog_ != nullptr)
            DestroyWindow(dialog_);
        if (PendingTimer != 0)
            KillTimer(nullptr, PendingTimer);
        PendingAction = nullptr;
        PendingTimer = 0;
        CurrentDatabase = nullptr;
    }

    // Opens a dialog modeless over no owner, so that the test can drive it directly.
    HWND Open(const char* resource, DLGPROC procedure, LPARAM parameter = 0)
    {
        dialog_ = CreateDialogParamA(AppInstance, resource, nullptr, procedure, parameter);
        EXPECT_NE(dialog_, nullptr);
        return dialog_;
    }

    HWND dialog_ = nullptr;
    test_support::AnsweredBoxes boxes_;
};

} // namespace dialog_test
