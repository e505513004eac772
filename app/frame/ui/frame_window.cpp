#include "frame/ui/frame_window.h"

#include "core/database.h"
#include "core/open_create.h"
#include "exchange/demonstration.h"
#include "persons/upgrade.h"
#include "platform/file.h"
#include "frame/command_line.h"
#include "frame/frame_layout.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "frame/ui/database_display.h"
#include "ui_common/frame_globals.h"
#include "frame/ui/menus.h"
#include "ui_common/private_messages.h"
#include "frame/ui/startup.h"
#include "frame/ui/toolbars.h"
#include "res/frame_resource.h"
#include "ui_common/guarded_procedure.h"

#include <commctrl.h>

#include <string>

namespace {

int RebarHeight()
{
    if (!RebarWindow)
        return 0;
    RECT rebar;
    GetWindowRect(RebarWindow, &rebar);
    return rebar.bottom - rebar.top;
}

void SetStatusBarParts(int width)
{
    std::array<int, 3> ends = StatusBarPartEnds(width);
    SendMessageA(StatusBarWindow, SB_SETPARTS, ends.size(), reinterpret_cast<LPARAM>(ends.data()));
}

void PlaceMdiClient(int width, int height)
{
    int top = RebarHeight() + MdiClientGapBelowRebar;
    MoveWindow(MdiClient, 0, top, width, height - top - StatusBarHeight, TRUE);
}

void LayOut(int width, int height)
{
    HDWP positions = BeginDeferWindowPos(5);
    if (StatusBarWindow)
        positions = DeferWindowPos(positions, StatusBarWindow, nullptr, 0, height - StatusBarHeight, width,
                                   StatusBarHeight, SWP_NOZORDER);
    if (RebarWindow)
        positions =
            DeferWindowPos(positions, RebarWindow, nullptr, 0, 0, width, RebarHeight(), SWP_NOZORDER | SWP_NOMOVE);
    if (positions)
        EndDeferWindowPos(positions);
    if (StatusBarWindow)
        SetStatusBarParts(width);
    // The rebar may have wrapped to another height for the new width.
    if (MdiClient)
        PlaceMdiClient(width, height);
}

LRESULT OnCreate(HWND frame)
{
    FrameWindow = frame;
    InstallFrameNoticeSink();
    StatusBarWindow =
        CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FRAME_STATUSBAR)), AppInstance, nullptr);
    ShowStatusReady();
    CreateToolbars(frame);
    FillReportSubmenus(frame);

    RECT client;
    GetClientRect(frame, &client);
    CLIENTCREATESTRUCT mdi{};
    mdi.hWindowMenu = GetSubMenu(GetMenu(frame), WindowMenuPosition);
    mdi.idFirstChild = FIRST_MDI_CHILD_ID;
    int rebarHeight = RebarHeight();
    MdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, rebarHeight, client.right,
                                client.bottom - rebarHeight - StatusBarHeight, frame, nullptr, AppInstance, &mdi);
    if (!MdiClient)
        return -1;
    ShowWindow(MdiClient, SW_SHOW);
    PostMessageA(frame, WM_REOPENDATABASE, 0, 0);
    return 0;
}

void OnInitMenuPopup(WPARAM menu)
{
    if (ActiveChild)
        SendMessageA(ActiveChild, WM_INITMENUPOPUP, menu, 0);
    bool anyChild = MdiClient && GetWindow(MdiClient, GW_CHILD) != nullptr;
    HMENU bar = GetMenu(FrameWindow);
    for (UINT command :
         {IDM_WINDOW_CASCADE, IDM_WINDOW_TILE, IDM_WINDOW_ARRANGE, IDM_WINDOW_CLOSE, IDM_WINDOW_CLOSEALL})
        EnableMenuItem(bar, command, MF_BYCOMMAND | (anyChild ? MF_ENABLED : MF_GRAYED));
}

// The start-up reopen: only when the program was started without an argument, and never over a
// database that is open already. A first start, with no database to reopen, opens the demonstration
// database, made from the shipped family file the first time; so does a start whose last database was
// the demonstration and is gone (a program folder staged anew).
void ReopenLastDatabase(HWND frame)
{
    if (CommandLineNamesFile(GetCommandLineA()))
        return;
    if (CurrentDatabase)
        return;
    const std::string demonstration = DemonstrationDatabasePath(CurrentSettings.AppDir);
    const char* last = CurrentSettings.edit.LastDatabase;
    const bool lastIsGoneDemonstration = last[0] != '\0' && lstrcmpiA(last, demonstration.c_str()) == 0 &&
                                         !platform::FileExists(demonstration);
    if (last[0] != '\0' && !lastIsGoneDemonstration) {
        if (CurrentSettings.edit.ReopenDatabase)
            OpenAndShowDatabase(frame, last);
        return;
    }
    if (platform::FileExists(demonstration) ||
        CreateDemonstrationDatabase(DemonstrationGedcomPath(CurrentSettings.AppDir), demonstration))
        OpenAndShowDatabase(frame, demonstration.c_str());
}

} // namespace

HWND CreateFrameWindow()
{
    const GeneralSettings& general = CurrentSettings.general;
    FramePosition position = SanitizeFramePosition(general.AppPosX, general.AppPosY);
    return CreateWindowExA(0, FrameClassName, ProductName, WS_OVERLAPPEDWINDOW, position.x, position.y,
                           general.AppWidth, general.AppHeight, nullptr, nullptr, AppInstance, nullptr);
}

bool OpenAndShowDatabase(HWND frame, const char* path)
{
    Database* database = OpenDatabase(frame, path, UpgradeOlderDatabase);
    if (!database)
        return false;
    CurrentDatabase = database;
    ShowOpenedDatabase(*database);
    return true;
}

namespace {

LRESULT FrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(frame);
    case WM_SIZE:
        LayOut(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == RebarWindow && header->code == RBN_HEIGHTCHANGE) {
            RECT client;
            GetClientRect(frame, &client);
            if (MdiClient)
                PlaceMdiClient(client.right, client.bottom);
        } else if (header->code == TTN_NEEDTEXTA || header->code == TTN_NEEDTEXTW) {
            GetToolbarTooltipText(header);
        }
        return 0;
    }
    case WM_MENUSELECT:
        if (lParam)
            ShowMenuHelp(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        else
            ShowStatusReady();
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(wParam);
        return 0;
    case WM_COMMAND:
        if (HandleFrameCommand(frame, wParam, lParam))
            return 0;
        return DefFrameProcA(frame, MdiClient, message, wParam, lParam);
    case WM_CLOSE:
        ShutDown(frame);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        // The child windows are gone now; so are the toolbars that used these images.
        DestroyToolbarImages();
        return DefFrameProcA(frame, nullptr, message, wParam, lParam);
    case WM_REOPENDATABASE:
        ReopenLastDatabase(frame);
        return 0;
    case WM_GETCURRENTRECORD:
        return MdiClient ? AskChildrenForCurrentRecord(MdiClient, wParam) : 0;
    default:
        if (IsRelayedNotice(message)) {
            if (MdiClient)
                RelayNotice(MdiClient, message, wParam, lParam);
            return 0;
        }
        return DefFrameProcA(frame, MdiClient, message, wParam, lParam);
    }
}

// A frame whose creation failed is not shown half made. A command or a close that failed halfway is not
// carried on by the default processing, which would hand the command to the active child or destroy the
// frame; the user can try again. Everything else gets the MDI frame's default.
LRESULT FrameSafeAnswer(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_CREATE:
        return -1;
    case WM_COMMAND:
    case WM_CLOSE:
        return 0;
    default:
        return DefFrameProcA(frame, MdiClient, message, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK FrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<FrameMessage, FrameSafeAnswer>(frame, message, wParam, lParam);
}
