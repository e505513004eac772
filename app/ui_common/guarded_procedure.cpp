#include "ui_common/guarded_procedure.h"

#include "language/language_table.h"
#include "ui_common/message_box.h"

namespace {

bool Reporting = false;

// Before a language is loaded (the language dialog at the first start) the key would be all there is to show.
constexpr const char* EnglishProgramError =
    "Vestrada met an error it could not handle and did not finish what it was doing. Please save your work "
    "and restart Vestrada.";

} // namespace

void ReportProgramError(HWND window) noexcept
{
    if (Reporting)
        return;
    Reporting = true;
    try {
        const char* key = LanguageKey("PROGRAM_ERROR");
        const char* text = GetLanguageText(key);
        ShowMessageBox(IsWindow(window) ? window : nullptr, text != key ? text : EnglishProgramError, nullptr,
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
