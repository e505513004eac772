// The repository-references page of the source editor: the repositories that hold the source, each with
// its call number. Adding, editing and deleting a reference is written at once and announced with
// WM_REPREFSCHANGED; the host then reloads the source's list and passes the notice on, and the page
// refills. The reference dialog edits one reference.
#pragma once

#include <windows.h>

#include "core/record_list.h"

class RepositoryRef;

// The page (dialog IDD_REPOSITORY_REFS); its creation parameter is the source's RecordList<RepositoryRef>.
// Takes the commands MENU_INSERT_REPREF (new), MENU_VIEW_DATA (edit) and MENU_EDIT_DELETE (delete).
INT_PTR CALLBACK RepositoryRefsPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The reference dialog (IDD_REPOSITORY_REF) over a reference: it works on a copy of the repository, the
// call number and the note, which go into the reference only on OK. Ends with 1 when the user confirmed
// a reference that has a repository, else 0.
INT_PTR CALLBACK RepositoryRefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A new reference of the list's source, edited in the reference dialog and saved when confirmed; the
// notice WM_REPREFSCHANGED (repository, source) follows. True when one was saved.
bool AddRepositoryRef(HWND owner, RecordList<RepositoryRef>& references);

// Enables the edit and delete commands while a reference is selected on the page.
void UpdateRepositoryRefCommands(HWND page);
