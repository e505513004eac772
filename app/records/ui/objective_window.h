// The research objective window: the MDI child in which one research objective is edited, with its
// title, priority, problem and solution, its status (from its tasks) and its tasks.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr const char* ObjectiveWindowClass = "ObjectiveWClass";
// The window keeps its state in its first extra slot.
inline constexpr int ObjectiveWindowExtraBytes = sizeof(LONG_PTR);

LRESULT CALLBACK ObjectiveWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ObjectivePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Activates the window that shows objective `id` when there is one, else opens a window on it in the
// frame's MDI client (id 0: a new objective). The window, or null when none could be made.
HWND OpenObjectiveWindow(std::int32_t id);
