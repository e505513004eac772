// A frame window of the test's own with an MDI client, for the tests of document windows: it relays the
// change notices to its children as the program's frame does and keeps them in RelayedNotices; its menu
// holds the commands whose greying the test reads.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "core/notice_sink.h"
#include "res/frame_resource.h"
#include "tests/support/dialog_driving.h"
#include "ui_common/frame_globals.h"
#include "ui_common/private_messages.h"

namespace test_support {

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

// The notices the test frame relayed, in order.
inline std::vector<Posted> RelayedNotices;

inline LRESULT CALLBACK MdiTestFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsRelayedNotice(message)) {
        RelayedNotices.push_back({message, wParam, lParam});
        if (MdiClient != nullptr)
            RelayNotice(MdiClient, message, wParam, lParam);
        return 0;
    }
    return DefFrameProcA(frame, MdiClient, message, wParam, lParam);
}

inline void RegisterTestWindowClass(const char* name, WNDPROC procedure, int extraBytes)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

// Makes FrameWindow (of the class `className`, which MdiTestFrameProc serves) with a menu of `commands`,
// and MdiClient in it, and has notices posted to the frame.
inline void OpenMdiTestFrame(const char* className, std::initializer_list<UINT> commands)
{
    RelayedNotices.clear();
    RegisterTestWindowClass(className, MdiTestFrameProc, 0);
    HMENU menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    for (UINT command : commands)
        AppendMenuA(popup, MF_STRING, command, "command");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Commands");
    FrameWindow = CreateWindowExA(0, className, "Vestrada", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 700,
                                  nullptr, menu, AppInstance, nullptr);
    CLIENTCREATESTRUCT client = {};
    client.idFirstChild = FIRST_MDI_CHILD_ID;
    MdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                880, 640, FrameWindow, nullptr, AppInstance, &client);
    ShowWindow(FrameWindow, SW_SHOW);
    InstallFrameNoticeSink();
}

// Lets every posted message (the notices, their relays, posted closes) be handled.
inline void PumpMessages()
{
    for (int round = 0; round < 4; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Closes the frame with its windows and takes its notice sink away.
inline void CloseMdiTestFrame()
{
    PumpMessages();
    DestroyWindow(FrameWindow);
    FrameWindow = nullptr;
    MdiClient = nullptr;
    CurrentNoticeSink = nullptr;
}

// Whether the frame's menu offers `command`, not greyed.
inline bool FrameCommandEnabled(UINT command)
{
    return (GetMenuState(GetMenu(FrameWindow), command, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

// A test of record windows in the test frame, which the test opens over the database it makes current:
// the controls the windows are made of are there; the frame, the database and any dialog action still
// waiting go at the end.
class RecordWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LoadLibraryA("Riched20.dll");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        AppInstance = GetModuleHandleA(nullptr);
    }

    void TearDown() override
    {
        CloseMdiTestFrame();
        CurrentDatabase = nullptr;
        dialog_test::CancelPendingAction();
    }

    static void Pump() { PumpMessages(); }
};

} // namespace test_support
