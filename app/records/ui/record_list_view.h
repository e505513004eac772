// The list views in which the record windows and pages show a RecordList: each item's data is its entry's
// place in the list, and marked entries are not shown.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <initializer_list>
#include <string>

#include "core/record_list.h"

// The place in the list of the selected item's entry; -1 when nothing is selected or the entry is marked.
template <class T> int SelectedListEntry(HWND list, const RecordList<T>& entries)
{
    const int item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (item < 0)
        return -1;
    LVITEMA entry = {};
    entry.mask = LVIF_PARAM;
    entry.iItem = item;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)))
        return -1;
    if (entry.lParam < 0 || static_cast<std::size_t>(entry.lParam) >= entries.Count() ||
        entries.IsMarked(static_cast<std::size_t>(entry.lParam)))
        return -1;
    return static_cast<int>(entry.lParam);
}

// Appends an item for the list's entry `entry`, with one text per column.
void AppendListRow(HWND list, std::size_t entry, std::initializer_list<std::string> cells);

// The frame's Edit/Delete shortcuts of a list page: a double click posts the page MENU_VIEW_DATA and the
// Delete key MENU_EDIT_DELETE. True when `header` was one of them.
bool PostListPageShortcut(HWND page, const NMHDR* header);

// The WM_NOTIFY of a list page whose list is the item `listId`: a change of an item's state goes to
// `stateChanged(const NMLISTVIEW&)`, the other notices are the shortcuts of PostListPageShortcut. FALSE
// for the notices of the page's other controls.
template <class StateChanged>
INT_PTR AnswerListPageNotice(HWND page, int listId, LPARAM lParam, StateChanged stateChanged)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != static_cast<UINT_PTR>(listId))
        return FALSE;
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change->iSubItem == 0 && (change->uChanged & LVIF_STATE) != 0)
            stateChanged(*change);
    } else {
        PostListPageShortcut(page, header);
    }
    return TRUE;
}

// Enables the frame's MENU_VIEW_DATA and MENU_EDIT_DELETE while a page has a selected entry.
void EnableFrameEditAndDelete(bool selected);
