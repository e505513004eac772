// The guard every window and dialog procedure of the program runs its handler in. A C++ exception (a
// std::bad_alloc from a growing vector, say) must never unwind into USER32, which would end the program
// with whatever the user had open: the guard catches it, shows the program's error message and answers
// the message the way that is safe for the kind of window.
//
//   INT_PTR CALLBACK RolesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
//   {
//       return GuardedProcedure<RolesDialog, DialogSafeAnswer>(dialog, message, wParam, lParam);
//   }
#pragma once

#include <windows.h>

// Shows the program's error message (language key PROGRAM_ERROR; its English text while no language has
// it) over `window` through the message-box seam. A fault while that box is up (a handler that throws again on the WM_PAINT the box causes, say)
// is not reported a second time. Never throws.
void ReportProgramError(HWND window) noexcept;

// A dialog procedure answers FALSE: the message was not handled, the dialog manager does the default.
LRESULT DialogSafeAnswer(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A window procedure answers what DefWindowProc answers, but fails its creation (WM_NCCREATE, WM_CREATE)
// rather than leave a window its handler did not finish setting up.
LRESULT WindowSafeAnswer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// Runs `Handler` (a procedure without the calling convention) for one message; when it throws, reports
// the error and returns `SafeAnswer`'s answer in the handler's own result type.
template <auto Handler, auto SafeAnswer>
auto GuardedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    -> decltype(Handler(window, message, wParam, lParam))
{
    using Result = decltype(Handler(window, message, wParam, lParam));
    try {
        return Handler(window, message, wParam, lParam);
    } catch (...) {
        ReportProgramError(window);
    }
    return static_cast<Result>(SafeAnswer(window, message, wParam, lParam));
}
