// The repository window: an MDI child (class RepositoryWClass) hosting the repository dialog, which shows
// a repository's name, address, e-mail and web address above two tab pages, its note and the sources it
// holds, and saves, deletes and merges the repository.
#pragma once

#include <windows.h>

#include <cstdint>

class RepositoryRecord;

// Activates the window that shows repository `id`, or opens a new one (id 0: a new repository); the window.
HWND OpenRepositoryWindow(std::int32_t id);

LRESULT CALLBACK RepositoryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RepositoryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The sources page; its creation parameter is the repository's RecordList<RepositoryRef>.
INT_PTR CALLBACK RepositorySourcesPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The merge dialog over the repository of the window (its parameter): asks for the other repository
// first. Ends with 1 after a merge, 0 when nothing was merged.
INT_PTR CALLBACK RepositoryMergeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "<repository window title> - <name>", or the new-repository text for one without id.
void SetRepositoryWindowTitle(HWND window, const RepositoryRecord& repository);
// The frame's commands while the repository window `window` is active, and once it is not.
void UpdateRepositoryCommands(HWND window);
void DisableRepositoryCommands();
