#include "ui_common/guarded_procedure.h"

#include "frame/language_table.h"
#include "frame/ui/message_box.h"

namespace {

bool Reporting = false;

} // namespace

void ReportProgramError(HWND window) noexcept
{
    if (Reporting)
        return;
    Reporting = true;
    try {
        ShowMessageBox(IsWindow(window) ? window : nullptr, GetLanguageText("PROGRAM_ERROR"), nullptr,
                       MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing more can be said; the guard still answers the message safely.
    }
    Reporting = false;
}

LRESULT DialogSafeAnswer(HWND, UINT, WPARAM, LPARAM) noexcept
{
    return FALSE;
}

LRESULT WindowSafeAnswer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE)
        return FALSE;
    if (message == WM_CREATE)
        return -1;
    return DefWindowProcA(window, message, wParam, lParam);
}
