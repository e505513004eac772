// What the dialog tests share: an open test database made current, a language of the tests' own
// texts, recorded message boxes, and a way to drive a modal dialog that another dialog opens.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "language/language_table.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"

namespace dialog_test {

// Runs `action` while another program holds the file at `path`, sharing it with nobody, so that the
// database in it can be neither read nor written.
template <typename Action> void WhileFileIsHeld(const std::string& path, Action action)
{
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    action();
    CloseHandle(holder);
}

// The boxes shown are exactly the one that says a change could not be written.
inline void ExpectOnlyWriteFailureBox(const test_support::AnsweredBoxes& boxes)
{
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, GetLanguageText("DATABASE_WRITE_ERROR"));
    EXPECT_EQ(boxes.boxes[0].caption, "<null>");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
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
        CancelPendingAction();
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
