// The media editor, the modal dialog that shows one media object (a preview, its file name and size) and
// edits its description and note, exports its file and edits it in the program Windows associates with
// it; and the media page, which lists a person's media beside a preview.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/record_list.h"

class MediaRecord;

// Runs the editor on `media` (its bytes and note loaded): 1 for OK, which puts the description and an edited
// note into the object, 0 for Cancel. Only an external edit writes to the database at once.
int RunMediaEditor(HWND owner, MediaRecord& media);

// The editor on the stored media of `id`, as the media list opens it: OK stores the changes. The editor's
// answer (0 also when the media cannot be read or the changes cannot be stored).
int OpenMediaDialog(HWND owner, std::int32_t id);

// Asks where to save the media's bytes and writes them there; false when the user cancelled or the file
// could not be written (which is reported).
bool ExportMediaFile(MediaRecord& media, HWND owner);
// Writes the media's bytes (loaded first when they are not held) to `path`; a failure is reported to the
// user. True when written.
bool ExportMediaToPath(HWND owner, MediaRecord& media, const std::string& path);

// Lets the user pick a file and adds it to the page's list through the editor (AddMediaFile).
bool AddMediaFromFile(HWND page, RecordList<MediaRecord>& list);
// Reads `path` into a new media named by the file's name, runs the editor on it and, on OK, appends it to
// `list`. True when the media was added; a file that cannot be read is reported.
bool AddMediaFile(HWND page, RecordList<MediaRecord>& list, const std::string& path);

// The media page: a child dialog of `host` that shows `media` (the person's list). The host forwards
// MENU_INSERT_ATTACHMENT, MENU_VIEW_DATA and MENU_EDIT_DELETE as WM_COMMAND; the page posts WM_PAGECHANGED to
// the host after each change and refills on WM_PAGEREFRESH.
HWND CreateMediaPage(HWND host, RecordList<MediaRecord>& media);
INT_PTR CALLBACK MediaPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MediaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
