// What the record windows (MDI children that host one modeless editor dialog) and their list pages
// share: opening a record in the window that shows it already or in a new one, the caption, the
// activation bookkeeping of the frame, and the list views of the pages whose items carry an index.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

// Asks each MDI child in turn whether it shows the record (WM_SHOWSRECORD); true when one answered that
// it does (it has activated itself).
bool ActivateWindowShowing(WPARAM kind, std::int32_t id);
// Creates and shows an MDI child of `className` titled by the language text of `titleKey`, at the
// system's default position with the given size, passing `id` as its creation parameter.
HWND CreateRecordWindow(const char* className, const char* titleKey, int width, int height, std::int32_t id);
// The id passed to CreateRecordWindow, from the WM_CREATE of the MDI child.
std::int32_t CreationRecordId(LPARAM createStruct);
// Closes an MDI child at once, asking nothing.
void DestroyRecordWindow(HWND window);

// "<text of titleKey> - <name>", or the text of `newKey` in place of the name for a record without id;
// at most 255 characters.
std::string RecordWindowCaption(const char* titleKey, const char* name, bool isNew, const char* newKey);

// The frame's active document window and the window whose dialog gets the keyboard: set on activation,
// cleared when `window` loses it.
void SetActiveRecordWindow(HWND window, bool active);
// Whether `control` lies in the active document window, so that it may set the frame's commands.
bool IsInActiveRecordWindow(HWND control);

// The display area of a tab control in its parent's coordinates: where its pages lie.
RECT TabPageArea(HWND tabs);
// Adds a tab of the language text of `key` carrying `data`.
void AddTab(HWND tabs, const char* key, LPARAM data);
// The data of the selected tab, or `none`.
LPARAM SelectedTabData(HWND tabs, LPARAM none);
// Selects the tab carrying `data`; false when there is none.
bool SelectTabByData(HWND tabs, LPARAM data);

// Full-row selection and the columns (language key, width).
void SetUpListColumns(HWND list, std::initializer_list<std::pair<const char*, int>> columns);
// A list view filling its page, at least 100 by 50 pixels.
void FitListToPage(HWND page, int width, int height);
