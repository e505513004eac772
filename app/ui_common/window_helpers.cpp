#include "ui_common/window_helpers.h"

#include "language/language_table.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"
#include "res/frame_resource.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// HTML Help is loaded on first use; a system without it simply shows no help.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFunction HtmlHelp()
{
    static HtmlHelpFunction function = [] {
        HMODULE module = LoadLibraryA("hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")))
                      : nullptr;
    }();
    return function;
}

// The keyword-lookup structure of HTML Help (HH_AKLINK), 32 bytes in the 32-bit program.
struct HelpKeywordLink {
    int size;
    BOOL reserved;
    LPCSTR keywords;
    LPCSTR url;
    LPCSTR messageText;
    LPCSTR messageTitle;
    LPCSTR window;
    BOOL indexOnFail;
};

void SetStatusText(int part, const char* text)
{
    if (StatusBarWindow)
        SendMessageA(StatusBarWindow, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

} // namespace

void HelpFilePath(char* path, std::size_t size)
{
    std::snprintf(path, size, "%s\\%s", CurrentSettings.AppDir, GetLanguageText("HELPFILE_MAIN"));
}

std::string HelpTopicTarget(const char* topic)
{
    char path[MAX_PATH];
    HelpFilePath(path, sizeof path);
    std::string target = path;
    if (topic)
        target += std::string("::/") + topic + ">standard";
    return target;
}

int ShowHelpTopic(UINT command, const char* topic)
{
    char path[MAX_PATH];
    HelpFilePath(path, sizeof path);
    HtmlHelpFunction help = HtmlHelp();
    if (command == HelpKeywordLookup) {
        HelpKeywordLink link{};
        link.size = sizeof link;
        link.keywords = topic;
        link.indexOnFail = FALSE;
        if (!help || !help(nullptr, path, HelpKeywordLookup, reinterpret_cast<DWORD_PTR>(&link)))
            return 0;
        return 1;
    }
    std::string target = HelpTopicTarget(topic);
    if (help)
        help(nullptr, target.c_str(), HelpDisplayTopic, 0);
    return 1;
}

void AddTooltip(HWND control, const char* text)
{
    if (!TooltipWindow)
        return;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = 0;
    tool.hinst = nullptr;
    tool.lpszText = const_cast<char*>(text);
    GetClientRect(control, &tool.rect);
    SendMessageA(TooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void RemoveTooltip(HWND control)
{
    if (!TooltipWindow)
        return;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = control;
    tool.uId = 0;
    SendMessageA(TooltipWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ShowEditorCaretPosition()
{
    if (!EditorWindow)
        return;
    LRESULT line = SendMessageA(EditorWindow, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0) + 1;
    DWORD selectionStart = 0;
    SendMessageA(EditorWindow, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), 0);
    LRESULT lineStart = SendMessageA(EditorWindow, EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    long column = static_cast<long>(selectionStart) - static_cast<long>(lineStart) + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%s %i", GetLanguageText("STATUSBAR_LINE"), static_cast<int>(line));
    SetStatusText(1, text);
    std::snprintf(text, sizeof text, "%s %i", GetLanguageText("STATUSBAR_COLUMN"), static_cast<int>(column));
    SetStatusText(2, text);
}

void ClearEditorCaretPosition()
{
    SetStatusText(1, "");
    SetStatusText(2, "");
}

void ShowSystemError(HWND owner, const char* caption, DWORD errorCode)
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, errorCode,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    ShowMessageBox(owner, text, caption, MB_OK | MB_ICONERROR);
}

namespace {

void TranslateWindowText(HWND window)
{
    char key[LanguageKeySize];
    if (GetWindowTextA(window, key, sizeof key) <= 0)
        return;
    const char* text = GetLanguageText(key);
    if (text != key)
        SetWindowTextA(window, text);
}

BOOL CALLBACK TranslateChild(HWND child, LPARAM)
{
    TranslateWindowText(child);
    return TRUE;
}

} // namespace

void TranslateDialog(HWND dialog)
{
    TranslateWindowText(dialog);
    EnumChildWindows(dialog, TranslateChild, 0);
}

void SetItemLanguageText(HWND dialog, int item, const char* key)
{
    SetDlgItemTextA(dialog, item, GetLanguageText(key));
}

void AddListViewColumn(HWND list, int index, const char* key, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(GetLanguageText(key));
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void SetUpListColumns(HWND list, std::initializer_list<std::pair<const char*, int>> columns)
{
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const auto& [key, width] : columns)
        AddListViewColumn(list, index++, key, width);
}

void ShowWriteFailure(HWND owner)
{
    ShowMessageBox(owner, GetLanguageText("DATABASE_WRITE_ERROR"), nullptr, MB_OK | MB_ICONERROR);
}
