#include "records/ui/soundex_dialog.h"

#include "records/soundex.h"
#include "res/lists_resource.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/dialog_position.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr int NameLimit = 31;

INT_PTR SoundexMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        TranslateDialog(dialog);
        SendDlgItemMessageA(dialog, IDC_SOUNDEX_NAME, EM_LIMITTEXT, NameLimit, 0);
        CentreOnOwner(dialog);
        return TRUE;
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, "SoundexCalculator.htm");
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SOUNDEX_NAME:
            if (HIWORD(wParam) == EN_CHANGE) {
                char name[NameLimit + 1] = {};
                GetDlgItemTextA(dialog, IDC_SOUNDEX_NAME, name, sizeof name);
                char code[SoundexSize];
                SetDlgItemTextA(dialog, IDC_SOUNDEX_CODE, ComputeSoundex(name, code));
            }
            return TRUE;
        case IDCANCEL:
        case IDOK:
            EndDialog(dialog, 0);
            return TRUE;
        case IDHELP:
            ShowHelpTopic(HelpDisplayTopic, "SoundexCalculator.htm");
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK SoundexDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SoundexMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

void ShowSoundexCalculator(HWND owner)
{
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SOUNDEX), owner, SoundexDlgProc, 0);
}
