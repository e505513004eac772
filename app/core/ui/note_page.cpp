#include "core/ui/note_page.h"

#include <richedit.h>

#include "core/note_text.h"
#include "ui_common/private_messages.h"
#include "res/core_resource.h"
#include "ui_common/guarded_procedure.h"

namespace {

NoteText* PageNote(HWND page)
{
    return reinterpret_cast<NoteText*>(GetWindowLongPtrA(page, DWLP_USER));
}

// Shows a note's text without telling the host of a change: only the user's edits are changes.
void ShowNote(HWND page, const NoteText* note)
{
    HWND edit = GetDlgItem(page, IDC_NOTE_TEXT);
    LRESULT mask = SendMessageA(edit, EM_GETEVENTMASK, 0, 0);
    SendMessageA(edit, EM_SETEVENTMASK, 0, mask & ~ENM_CHANGE);
    SetWindowTextA(edit, note && note->Text() ? note->Text() : "");
    SendMessageA(edit, EM_SETEVENTMASK, 0, mask);
}

void FitToPage(HWND page, int width, int height)
{
    MoveWindow(GetDlgItem(page, IDC_NOTE_TEXT), 0, 0, width < 100 ? 100 : width, height < 50 ? 50 : height, TRUE);
}

} // namespace

void ReadNoteFromEdit(NoteText& note, HWND edit)
{
    // The length in bytes with CR LF line ends, so that the buffer holds every character fetched.
    GETTEXTLENGTHEX lengthOf = {GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
    LRESULT length = SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthOf), 0);
    if (length < 0)
        length = 0;
    const std::size_t size = static_cast<std::size_t>(length) + static_cast<std::size_t>(length) / 10 + 100;
    note.Reserve(size);
    GETTEXTEX fetch = {};
    fetch.cb = static_cast<DWORD>(size);
    fetch.flags = GT_USECRLF;
    fetch.codepage = CP_ACP;
    SendMessageA(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&fetch), reinterpret_cast<LPARAM>(note.Buffer()));
    note.Buffer()[size] = '\0';
}

void PrepareNoteEdit(HWND edit, const NoteText* note)
{
    // The text mode can change only while the control is empty and has nothing to undo; setting the
    // dialog font may already have left something to undo.
    SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageA(edit, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageA(edit, EM_EXLIMITTEXT, 0, NotePageTextLimit);
    // Showing the note is no change of the user's: the change notices come on afterwards.
    SetWindowTextA(edit, note != nullptr && note->Text() != nullptr ? note->Text() : "");
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    SendMessageA(edit, EM_SETEVENTMASK, 0, SendMessageA(edit, EM_GETEVENTMASK, 0, 0) | ENM_CHANGE);
}

namespace {

INT_PTR NotePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        PrepareNoteEdit(GetDlgItem(page, IDC_NOTE_TEXT), PageNote(page));
        return TRUE;
    }
    case WM_SIZE:
        FitToPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_NOTE_TEXT && HIWORD(wParam) == EN_CHANGE) {
            SendMessageA(GetParent(page), WM_PAGECHANGED, 0, 0);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK) {
            if (NoteText* note = PageNote(page))
                ReadNoteFromEdit(*note, GetDlgItem(page, IDC_NOTE_TEXT));
            return TRUE;
        }
        return FALSE;
    default:
        if (message == WM_PAGEREFRESH) {
            // A host that reloaded its record hands over the new note, which the page edits from now on.
            if (lParam != 0)
                SetWindowLongPtrA(page, DWLP_USER, lParam);
            ShowNote(page, PageNote(page));
            return TRUE;
        }
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK NotePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<NotePageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
