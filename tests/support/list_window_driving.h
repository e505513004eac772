// Driving a list window from a test: the page it shows, its tabs, and the rows of a page's list; and the rows
// of any report list view.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/lists_resource.h"

namespace dialog_test {

inline BOOL CALLBACK FindShownPage(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The page the list dialog shows.
inline HWND ShownPage(HWND dialog)
{
    HWND page = nullptr;
    EnumChildWindows(dialog, FindShownPage, reinterpret_cast<LPARAM>(&page));
    return page;
}

inline void ChooseTab(HWND dialog, int index)
{
    HWND tabs = GetDlgItem(dialog, IDC_LIST_TAB);
    NMHDR header = {tabs, IDC_LIST_TAB, static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageA(dialog, WM_NOTIFY, IDC_LIST_TAB, reinterpret_cast<LPARAM>(&header));
    SendMessageA(tabs, TCM_SETCURSEL, index, 0);
    header.code = TCN_SELCHANGE;
    SendMessageA(dialog, WM_NOTIFY, IDC_LIST_TAB, reinterpret_cast<LPARAM>(&header));
}

inline std::vector<std::string> ListTexts(HWND page)
{
    HWND list = GetDlgItem(page, IDC_LIST_VIEW);
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        LVITEMA item = {};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

inline void SelectRow(HWND page, const std::string& text)
{
    HWND list = GetDlgItem(page, IDC_LIST_VIEW);
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    const int index = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)));
    ASSERT_GE(index, 0) << text << " is not listed";
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

// The rows of a report list view, each its first `columns` texts joined by "|".
inline std::vector<std::string> ListViewRows(HWND list, int columns)
{
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string row;
        for (int column = 0; column < columns; ++column) {
            char text[256] = {};
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            row += (column > 0 ? "|" : "") + std::string(text);
        }
        rows.push_back(row);
    }
    return rows;
}

// Selects and focuses row `index` of a list view, as a click would.
inline void SelectListViewRow(HWND list, int index)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

} // namespace dialog_test
