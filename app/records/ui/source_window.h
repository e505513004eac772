// The source window: an MDI child (class SourceWClass) hosting the source editor, which shows a source's
// fields above tab pages of the source text, its repository references, its subordinate sources, its
// research tasks and its note, and saves, deletes and merges the source.
#pragma once

#include <windows.h>

#include <cstdint>

class SourceRecord;

// Activates the window that shows source `id` or opens a new one (id 0: a new source); the window.
HWND OpenSourceWindow(std::int32_t id);

LRESULT CALLBACK SourceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SourceEditDlgProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);
// The subordinate-sources page; its creation parameter is the source's RecordList<SourceRecord> of them.
INT_PTR CALLBACK SubordinateSourcesPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The merge dialog over the kept source (its parameter): asks for the other source first. Ends with 1
// after a merge, 0 when nothing was merged.
INT_PTR CALLBACK MergeSourcesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "<source window title> - <title>", or the new-source text for a source without id.
void SetSourceWindowCaption(HWND window, const SourceRecord& source);
// The frame's commands while the source window `window` is active, and once it is not.
void EnableSourceCommands(HWND window);
void DisableSourceCommands();
