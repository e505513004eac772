// The language dialog: every *.lan file of the program folder, by name.
#include "frame/ui/language_dialog.h"

#include "language/language_table.h"
#include "settings/settings.h"
#include "ui_common/frame_globals.h"
#include "ui_common/window_helpers.h"
#include "res/frame_resource.h"
#include "ui_common/guarded_procedure.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Fills the list with the language files' names; false when there is none.
bool FillLanguageList(HWND list)
{
    std::string pattern = std::string(CurrentSettings.AppDir) + "\\*.lan";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        std::string name = found.cFileName;
        std::size_t dot = name.rfind('.');
        if (dot != std::string::npos)
            name.resize(dot);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

void AcceptSelection(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    char name[MAX_PATH] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0) >= static_cast<LRESULT>(sizeof name))
        return;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name));
    auto* result = reinterpret_cast<char*>(GetWindowLongPtrA(dialog, DWLP_USER));
    std::snprintf(result, LanguagePathSize, "%s\\%s.lan", CurrentSettings.AppDir, name);
    EndDialog(dialog, 1);
}

INT_PTR LanguageDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        if (CurrentLanguageTable) {
            SetItemLanguageText(dialog, IDOK, LanguageKey("BUTTON_OK"));
            SetItemLanguageText(dialog, IDCANCEL, LanguageKey("BUTTON_CANCEL"));
            SetItemLanguageText(dialog, IDC_DIALOG_TEXT, LanguageKey("LANGUAGE_TEXT"));
        }
        if (!FillLanguageList(GetDlgItem(dialog, IDC_LANGUAGE_LIST)))
            EndDialog(dialog, 0); // nothing to choose from
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LANGUAGE_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
            else if (HIWORD(wParam) == LBN_DBLCLK)
                AcceptSelection(dialog);
            return TRUE;
        case IDOK:
            AcceptSelection(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK LanguageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<LanguageDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

} // namespace

int RunLanguageDialog(HWND owner, char* path)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_LANGUAGE), owner, LanguageDlgProc,
                           reinterpret_cast<LPARAM>(path)) == 1
               ? 1
               : 0;
}
