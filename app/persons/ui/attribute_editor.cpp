#include "persons/ui/attribute_editor.h"

#include <string>
#include <vector>

#include "core/event_type_tables.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/ui/note_page.h"
#include "language/language_table.h"
#include "persons/attribute_value.h"
#include "persons/sentence_format.h"
#include "persons/ui/assertion_page_fields.h"
#include "res/button_bitmaps.h"
#include "res/kind_pages_resource.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

AttributeEditor::AttributeEditor(std::int32_t id, Database& database) : attribute_(database)
{
    if (id != 0)
        attribute_.Read(id);
    attribute_.LoadLinked();
}

HWND AttributeEditor::CreateKindPage(HWND host)
{
    SetWindowTextA(host, GetLanguageText("ATTRIBUTE_TITLE"));
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_ATTRIBUTE_PAGE), host, AttributePageDlgProc,
                              reinterpret_cast<LPARAM>(&attribute_));
}

void AttributeEditor::SetPrincipalTemplate(const char* text)
{
    if (FormattingText* formatting = attribute_.Formatting())
        formatting->SetText(text);
}

namespace {

constexpr BitmapButton AttributeButtons[] = {
    {IDC_ATTRIBUTE_DATECALC, IDB_BUTTON_DATECALC, "TOOLTIP_DATECALC"},
    {IDC_ATTRIBUTE_DATEEDIT, IDB_BUTTON_ADVANCED, "TOOLTIP_ADVANCEDDATE"},
    {IDC_ATTRIBUTE_PLACEEDIT, IDB_BUTTON_ADVANCED, "TOOLTIP_ADVANCEDPLACE"},
};

constexpr DateItems AttributeDate = {IDC_ATTRIBUTE_DATE, IDC_ATTRIBUTE_DATEFORMATTED};
constexpr PlaceItems AttributePlace = {IDC_ATTRIBUTE_PREFIX, IDC_ATTRIBUTE_PLACE};
constexpr DatePlaceControls AttributeFields = {AttributeDate, IDC_ATTRIBUTE_DATEEDIT, IDC_ATTRIBUTE_DATECALC,
                                               AttributePlace, IDC_ATTRIBUTE_PLACEEDIT};

// The number edit holds a signed 32-bit number: a sign and ten digits.
constexpr int NumberTextSize = 16;

AttributeAssertion* PageAttribute(HWND page)
{
    return reinterpret_cast<AttributeAssertion*>(GetWindowLongPtrA(page, DWLP_USER));
}

void ShowItem(HWND page, int item, bool shown)
{
    ShowWindow(GetDlgItem(page, item), shown ? SW_SHOWNA : SW_HIDE);
}

// The value controls of the type's attribute kind, holding what the attribute holds. The value text was
// put into its field when the page was made, and keeps what the user typed there across type changes.
void ShowAttributeValueControls(HWND page, AttributeAssertion& attribute)
{
    const int kind = attribute.AttributeKind();
    HWND choices = GetDlgItem(page, IDC_ATTRIBUTE_CHOICE);
    SendMessageA(choices, CB_RESETCONTENT, 0, 0);
    for (const char* key : ValueChoiceKeys(kind))
        SendMessageA(choices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    SendMessageA(choices, CB_SETCURSEL, ValueChoiceOf(attribute, kind), 0);
    SetDlgItemTextA(page, IDC_ATTRIBUTE_NUMBER, std::to_string(attribute.row.value).c_str());

    const AttributeValueControls shown = ValueControlsOf(kind);
    ShowItem(page, IDC_ATTRIBUTE_TEXT, shown.text);
    ShowItem(page, IDC_ATTRIBUTE_CHOICE, shown.choices);
    ShowItem(page, IDC_ATTRIBUTE_NUMBER, shown.number);
}

// A new attribute takes the attribute type of the lowest id; a stored type that is not listed stays the
// attribute's type, with nothing selected, until the user picks one.
void FillTypes(HWND page, AttributeAssertion& attribute)
{
    HWND types = GetDlgItem(page, IDC_ATTRIBUTE_TYPE);
    const std::vector<std::int32_t> listed = FillTypeList(types, attribute.OwnerDatabase(), EventTypeKindAttribute);
    if (const auto chosen = ChooseAttributeType(listed, attribute.row.typeId)) {
        attribute.row.typeId = *chosen;
        SendMessageA(types, CB_SETCURSEL, FindTypeEntry(types, *chosen), 0);
    }
    attribute.LoadType();
}

BOOL InitAttributePage(HWND page, LPARAM parameter)
{
    auto* attribute = reinterpret_cast<AttributeAssertion*>(parameter);
    TranslateDialog(page);
    AttachBitmapButtons(page, AttributeButtons);
    SendDlgItemMessageA(page, IDC_ATTRIBUTE_NUMBER, EM_LIMITTEXT, NumberTextSize - 1, 0);
    if (attribute == nullptr)
        return TRUE;
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    if (PlaceRecord* place = attribute->Place())
        ShowPlaceField(page, AttributePlace, *place);
    ShowDateFields(page, AttributeDate, attribute->Date());
    PrepareNoteEdit(GetDlgItem(page, IDC_ATTRIBUTE_TEXT), attribute->ValueText());
    FillTypes(page, *attribute);
    ShowAttributeValueControls(page, *attribute);
    FillPrivacyList(GetDlgItem(page, IDC_ATTRIBUTE_PRIVACY), attribute->row.privacy);
    if (PlaceRecord* place = attribute->Place())
        FillPlacePrefixes(page, AttributePlace, *place);
    return TRUE;
}

// What the page shows goes into the attribute; the page never refuses the save. A value text is taken
// only when the user changed it, so that opening and closing an attribute leaves its text chain alone.
void StoreAttributePage(HWND page, AttributeAssertion& attribute)
{
    attribute.row.privacy = SelectedPrivacy(GetDlgItem(page, IDC_ATTRIBUTE_PRIVACY), attribute.row.privacy);
    const int kind = attribute.AttributeKind();
    HWND text = GetDlgItem(page, IDC_ATTRIBUTE_TEXT);
    if (kind == AttributeKindText && attribute.ValueText() != nullptr && SendMessageA(text, EM_GETMODIFY, 0, 0) != 0)
        ReadNoteFromEdit(*attribute.ValueText(), text);
    char number[NumberTextSize];
    GetDlgItemTextA(page, IDC_ATTRIBUTE_NUMBER, number, sizeof number);
    const int choice = static_cast<int>(SendDlgItemMessageA(page, IDC_ATTRIBUTE_CHOICE, CB_GETCURSEL, 0, 0));
    StoreAttributeValue(attribute, kind, choice, number);
    if (PlaceRecord* place = attribute.Place())
        StorePlaceFields(page, AttributePlace, *place);
}

BOOL AttributePageCommand(HWND page, AttributeAssertion& attribute, int command, int notification)
{
    switch (command) {
    case IDOK:
        StoreAttributePage(page, attribute);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);
        return TRUE;
    case IDHELP:
        ShowHelpTopic(HelpDisplayTopic, "DataAttribute.htm");
        return TRUE;
    case IDC_ATTRIBUTE_TYPE:
        if (notification == CBN_SELCHANGE) {
            attribute.row.typeId = SelectedTypeId(GetDlgItem(page, IDC_ATTRIBUTE_TYPE), attribute.row.typeId);
            attribute.LoadType();
            ShowAttributeValueControls(page, attribute);
            PostMessageA(GetParent(page), WM_ASSERTIONTYPECHANGED, 0, 0);
        }
        return TRUE;
    default: {
        DateRange date = attribute.Date();
        const DatePlaceAnswer answer =
            AnswerDatePlaceCommand(page, AttributeFields, command, notification, date, attribute.Place());
        if (answer == DatePlaceAnswer::DateChanged)
            attribute.SetDate(date);
        return answer != DatePlaceAnswer::NotOurs;
    }
    }
}

INT_PTR AttributePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (INT_PTR answer = FALSE;
        AnswerButtonPageLifetime(page, message, lParam, AttributeButtons, InitAttributePage, answer))
        return answer;
    AttributeAssertion* attribute = PageAttribute(page);
    if (attribute == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return AttributePageCommand(page, *attribute, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return ColourTextDate(page, AttributeDate, attribute->Date(), wParam, lParam);
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK AttributePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<AttributePageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
