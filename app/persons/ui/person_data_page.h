// The personal-data page: the first tab of the person dialog, one row per assertion link of the person
// (kind image, kind, date, description). New, edit and delete go through the frame's commands, which the
// person dialog passes on; four buttons set the order, which the person's save writes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/assertion_link.h"
#include "core/record_list.h"

// A child dialog of `host` (the person dialog) over the person's link list, which it edits in place. It
// takes the new-assertion commands (with the person id as the command's parameter), MENU_VIEW_DATA and
// MENU_EDIT_DELETE as WM_COMMAND, the link notices of its person (person id, link id) and
// WM_DATEFORMATCHANGED; it posts WM_PAGECHANGED to the host after a new name, attribute or information and
// after every move.
HWND CreatePersonDataPage(HWND host, RecordList<AssertionLink>& links);

INT_PTR CALLBACK PersonDataPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
