// The note page (dialog 239): edits a NoteText in a plain-text rich-edit control inside an editor. The
// page's creation parameter is the NoteText; command IDOK from the host stores the control's text into
// it; WM_PAGEREFRESH (0, NoteText or 0) shows a note again. Needs Riched20.dll loaded.
#pragma once

#include <windows.h>

class NoteText;

// Takes the whole text of a rich-edit control into `note`, lines ended by CR LF.
void ReadNoteFromEdit(NoteText& note, HWND edit);

// Makes a rich-edit control a plain-text note field of NotePageTextLimit characters showing `note` (null:
// empty), unmodified, that tells its parent of the user's changes (EN_CHANGE).
void PrepareNoteEdit(HWND edit, const NoteText* note);

INT_PTR CALLBACK NotePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The largest note the page edits, in characters.
inline constexpr LPARAM NotePageTextLimit = 1048576;
