// The frame window (class MoravikWClass): layout, command dispatch and the relay of notices.
#pragma once

#include <windows.h>

LRESULT CALLBACK FrameWndProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the frame's and the document windows' classes; false when one fails.
bool RegisterWindowClasses(HINSTANCE instance);

// Creates the frame window at the saved position; null on failure.
HWND CreateFrameWindow();

// The frame's own commands and the forwarding of the others (WM_COMMAND).
// False for an id the frame leaves to default processing (the Window menu's child entries among them).
bool HandleFrameCommand(HWND frame, WPARAM wParam, LPARAM lParam);

// Whether a command belongs to the active document window.
bool IsForwardedCommand(UINT command);

// Closes the open database unless a child window refuses; true when none is open afterwards.
bool CloseCurrentDatabase(HWND frame);

// Opens the database file and shows it; false when it could not be opened.
bool OpenAndShowDatabase(HWND frame, const char* path);
