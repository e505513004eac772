#include "frame/ui/about_box.h"

#include "language/language_table.h"
#include "ui_common/frame_globals.h"
#include "ui_common/window_helpers.h"
#include "res/frame_resource.h"
#include "ui_common/guarded_procedure.h"

#include <cstring>
#include <string>

namespace {

INT_PTR AboutBoxMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowTextA(dialog, GetLanguageText("ABOUT_TITLE"));
        SetDlgItemTextA(dialog, IDC_ABOUT_PRODUCT, (std::string(ProductName) + " " + ProductVersion).c_str());
        const char* slash = std::strrchr(LanguagePath, '\\');
        std::string file =
            std::string(GetLanguageText("ABOUT_LANGUAGEFILE")) + " " + (slash ? slash + 1 : LanguagePath);
        if (file.size() > 127)
            file.resize(127);
        SetDlgItemTextA(dialog, IDC_ABOUT_LANGUAGEFILE, file.c_str());
        SetItemLanguageText(dialog, IDC_ABOUT_COPYRIGHT, LanguageKey("COPYRIGHT"));
        SetItemLanguageText(dialog, IDC_DIALOG_TEXT, LanguageKey("ABOUT_TEXT"));
        SetItemLanguageText(dialog, IDOK, LanguageKey("BUTTON_OK"));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<AboutBoxMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

} // namespace

void ShowAboutBox(HWND owner)
{
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDlgProc, 0);
}
