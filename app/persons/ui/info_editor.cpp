#include "persons/ui/info_editor.h"

#include "core/note_text.h"
#include "core/ui/note_page.h"
#include "language/language_table.h"
#include "persons/ui/assertion_page_fields.h"
#include "res/kind_pages_resource.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

InfoEditor::InfoEditor(std::int32_t id, Database& database) : info_(database)
{
    if (id != 0)
        info_.Read(id);
    info_.LoadLinked();
}

HWND InfoEditor::CreateKindPage(HWND host)
{
    SetWindowTextA(host, GetLanguageText("INFO_TITLE"));
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_INFO_PAGE), host, InfoPageDlgProc,
                              reinterpret_cast<LPARAM>(&info_));
}

namespace {

InfoAssertion* PageInfo(HWND page)
{
    return reinterpret_cast<InfoAssertion*>(GetWindowLongPtrA(page, DWLP_USER));
}

BOOL InitInfoPage(HWND page, LPARAM parameter)
{
    auto* info = reinterpret_cast<InfoAssertion*>(parameter);
    TranslateDialog(page);
    if (info == nullptr)
        return TRUE;
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    PrepareNoteEdit(GetDlgItem(page, IDC_INFO_TEXT), info->Text());
    FillPrivacyList(GetDlgItem(page, IDC_INFO_PRIVACY), info->row.privacy);
    return TRUE;
}

// The text is taken only when the user changed it, so that opening and closing an information note
// leaves its text chain alone. The page never refuses the save.
void StoreInfoPage(HWND page, InfoAssertion& info)
{
    info.row.privacy = SelectedPrivacy(GetDlgItem(page, IDC_INFO_PRIVACY), info.row.privacy);
    HWND text = GetDlgItem(page, IDC_INFO_TEXT);
    if (info.Text() != nullptr && SendMessageA(text, EM_GETMODIFY, 0, 0) != 0)
        ReadNoteFromEdit(*info.Text(), text);
}

INT_PTR InfoPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitInfoPage(page, lParam);
    InfoAssertion* info = PageInfo(page);
    if (info == nullptr || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        StoreInfoPage(page, *info);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);
        return TRUE;
    case IDHELP:
        ShowHelpTopic(HelpDisplayTopic, "DataInfo.htm");
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK InfoPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<InfoPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
