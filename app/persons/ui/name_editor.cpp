#include "persons/ui/name_editor.h"

#include "core/name_record.h"
#include "language/language_table.h"
#include "persons/assertion_links.h"
#include "persons/ui/assertion_page_fields.h"
#include "persons/ui/structured_name_dialog.h"
#include "res/button_bitmaps.h"
#include "res/names_resource.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

NameEditor::NameEditor(std::int32_t id, Database& database) : name_(database)
{
    if (id != 0)
        name_.Read(id);
    name_.LoadLinked();
}

HWND NameEditor::CreateKindPage(HWND host)
{
    SetWindowTextA(host, GetLanguageText("NAME_TITLE"));
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_NAME_PAGE), host, NamePageDlgProc,
                              reinterpret_cast<LPARAM>(&name_));
}

bool NameEditor::Save(PendingNotices& notices)
{
    return GatherLinkNotices(name_.Links(), name_.OwnerDatabase(), notices) && name_.Save();
}

namespace {

// The structured-name button shares the date editor's picture.
constexpr BitmapButton NameButtons[] = {
    {IDC_NAME_DATECALC, IDB_BUTTON_DATECALC, "TOOLTIP_DATECALC"},
    {IDC_NAME_DATEEDIT, IDB_BUTTON_ADVANCED, "TOOLTIP_ADVANCEDDATE"},
    {IDC_NAME_STRUCTURED, IDB_BUTTON_ADVANCED, "TOOLTIP_ADVANCEDNAME"},
};

constexpr DateItems NameDate = {IDC_NAME_DATE, IDC_NAME_DATEFORMATTED};
// A name has no place: no command is the place editor's.
constexpr int NoPlaceControl = -1;
constexpr DatePlaceControls NameDateControls = {
    NameDate, IDC_NAME_DATEEDIT, IDC_NAME_DATECALC, {NoPlaceControl, NoPlaceControl}, NoPlaceControl};
constexpr int NameTextLimit = static_cast<int>(NamePartsSize) - 1;

NameAssertion* PageName(HWND page)
{
    return reinterpret_cast<NameAssertion*>(GetWindowLongPtrA(page, DWLP_USER));
}

// A name with parts the one line cannot carry (a title, a nickname, a second surname ...) is shown but
// can be changed only part by part.
void ShowName(HWND page, const NameRecord& name)
{
    char text[NamePartsSize];
    SetDlgItemTextA(page, IDC_NAME_NAME, name.FormatEditText(text, sizeof text));
    EnableWindow(GetDlgItem(page, IDC_NAME_NAME), name.IsSimple());
}

void ParseTypedName(HWND page, NameRecord& name)
{
    if (!IsWindowEnabled(GetDlgItem(page, IDC_NAME_NAME)))
        return;
    char text[NameTextLimit + 1];
    GetDlgItemTextA(page, IDC_NAME_NAME, text, sizeof text);
    name.ParseEditText(text);
}

BOOL InitNamePage(HWND page, LPARAM parameter)
{
    auto* assertion = reinterpret_cast<NameAssertion*>(parameter);
    TranslateDialog(page);
    AttachBitmapButtons(page, NameButtons);
    if (assertion == nullptr)
        return TRUE;
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    SendDlgItemMessageA(page, IDC_NAME_NAME, EM_LIMITTEXT, NameTextLimit, 0);
    if (NameRecord* name = assertion->Name())
        ShowName(page, *name);
    ShowDateFields(page, NameDate, assertion->Date());
    FillPrivacyList(GetDlgItem(page, IDC_NAME_PRIVACY), assertion->row.privacy);
    return TRUE;
}

void EditNameInParts(HWND page, NameRecord& name)
{
    ParseTypedName(page, name);
    if (EditStructuredName(page, name) == 1)
        ShowName(page, name);
}

BOOL NamePageCommand(HWND page, NameAssertion& assertion, int command, int notification)
{
    DateRange date = assertion.Date();
    switch (AnswerDatePlaceCommand(page, NameDateControls, command, notification, date, nullptr)) {
    case DatePlaceAnswer::DateChanged:
        assertion.SetDate(date);
        return TRUE;
    case DatePlaceAnswer::Answered:
        return TRUE;
    case DatePlaceAnswer::NotOurs:
        break;
    }
    switch (command) {
    case IDOK: {
        // What the page shows goes into the name assertion; the page never refuses the save.
        assertion.row.privacy = SelectedPrivacy(GetDlgItem(page, IDC_NAME_PRIVACY), assertion.row.privacy);
        if (NameRecord* name = assertion.Name())
            ParseTypedName(page, *name);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);
        return TRUE;
    }
    case IDHELP:
        ShowHelpTopic(HelpDisplayTopic, "DataName.htm");
        return TRUE;
    case IDC_NAME_STRUCTURED:
        if (NameRecord* name = assertion.Name())
            EditNameInParts(page, *name);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR NamePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (INT_PTR answer = FALSE; AnswerButtonPageLifetime(page, message, lParam, NameButtons, InitNamePage, answer))
        return answer;
    NameAssertion* assertion = PageName(page);
    if (assertion == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return NamePageCommand(page, *assertion, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return ColourTextDate(page, NameDate, assertion->Date(), wParam, lParam);
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK NamePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<NamePageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
