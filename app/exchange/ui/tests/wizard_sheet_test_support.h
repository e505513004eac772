// What the import and export wizard tests share: a fixture that holds a wizard sheet opened modeless, serves
// its messages and presses its buttons as a user would.
#pragma once

#include <prsht.h>

#include "tests/support/dialog_test_support.h"

namespace wizard_test {

// The sheet's Back, Next and Finish buttons.
constexpr int WizardBack = 0x3023;
constexpr int WizardNext = 0x3024;
constexpr int WizardFinish = 0x3025;

class WizardSheetTest : public dialog_test::DialogTest {
protected:
    static void SetUpTestSuite()
    {
        DialogTest::SetUpTestSuite();
        INITCOMMONCONTROLSEX controls {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override
    {
        if (sheet_ != nullptr)
            DestroyWindow(sheet_);
        DialogTest::TearDown();
    }
    HWND Page() { return PropSheet_GetCurrentPageHwnd(sheet_); }
    // The sheet carries out a pressed button, and sets its buttons, through posted messages.
    void Press(int button)
    {
        PropSheet_PressButton(sheet_, button);
        Pump();
    }
    void Pump()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!PropSheet_IsDialogMessage(sheet_, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    bool ButtonEnabled(int id)
    {
        Pump();
        return IsWindowEnabled(GetDlgItem(sheet_, id)) != FALSE;
    }

    HWND sheet_ = nullptr;
};

} // namespace wizard_test
