// Citing excerpts and keeping them: the excerpt-reference page of a record (an assertion or a person),
// the excerpt page of a source, the excerpt dialog and the excerpt selection dialog. The pages change
// only the lists their host gives them; the host's save writes the lists.
#pragma once

#include <windows.h>

#include "core/record_list.h"

class ExcerptRecord;
class ExcerptRef;

// The excerpt-reference page (dialog IDD_EXCERPTREF_PAGE); its creation parameter is the owner's
// RecordList<ExcerptRef>. A person's list (owner kind OwnerPerson) has no new, edit and remove buttons:
// the person window's frame commands serve instead. Posts WM_PAGECHANGED to its host after a change;
// refills on WM_PAGEREFRESH.
INT_PTR CALLBACK ExcerptRefPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The excerpt-reference page as a hidden child dialog of `host`, over the owner's list.
HWND CreateExcerptRefPage(HWND host, RecordList<ExcerptRef>& references);
// The excerpt page of a source (dialog IDD_EXCERPTREF_PAGE, without move buttons); its creation
// parameter is the source's RecordList<ExcerptRecord>, whose key id is the source's id.
INT_PTR CALLBACK ExcerptListPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The excerpt dialog on `excerpt` (whose text and note objects are made when absent): 1 after OK, which
// took the fields into the excerpt (nothing is written), 0 after Cancel, which changed nothing.
INT_PTR EditExcerpt(HWND owner, ExcerptRecord& excerpt);
// The excerpt selection dialog: 1 after OK, with `scratch` holding the chosen excerpt's row, or id 0 and
// the chosen source for a new excerpt; 0 after Cancel.
INT_PTR SelectExcerpt(HWND owner, ExcerptRecord& scratch);

INT_PTR CALLBACK ExcerptEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ExcerptSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
