// The person window: an MDI child (class PersonWClass) hosting the person dialog, which shows the primary
// name, the sex and five tab pages (personal data, multimedia, excerpts, comments, research) and saves,
// deletes and merges the person.
#pragma once

#include <windows.h>

#include <cstdint>

class PersonRecord;

// Activates the window that shows person `id`, or opens a new one (id 0: a new person); the window.
HWND OpenPersonWindow(std::int32_t id);

// "<PERSON_TITLE> - <name [#id]>", or PERSON_NEW in place of the name for a person without id.
void SetPersonWindowTitle(HWND window, const PersonRecord& person);
// The frame's commands while the person window `window` is active, and once it is not.
void UpdatePersonMenus(HWND window);
void DisablePersonMenus();

LRESULT CALLBACK PersonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PersonDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The merge dialog over the kept person (its parameter, stored and loaded): asks for the other person
// first. Ends with 1 after a merge, 0 when nothing was merged.
INT_PTR CALLBACK PersonMergeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
