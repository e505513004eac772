#include "persons/ui/event_type_dialogs.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <utility>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"
#include "core/event_type.h"
#include "ui_common/dialog_state.h"
#include "res/persons_resource.h"
#include "ui_common/combo_box.h"
#include "ui_common/dialog_position.h"
#include "ui_common/guarded_procedure.h"

namespace {

constexpr int ListColumnWidths[] = {120, 60, 90, 80};
const char* const ListColumnKeys[] = {LanguageKey("EVENTTYPE_LIST_HEADING1"), LanguageKey("EVENTTYPE_LIST_HEADING2"),
                                      LanguageKey("EVENTTYPE_LIST_HEADING3"), LanguageKey("EVENTTYPE_LIST_HEADING4")};
const char* const PrincipalChoices[] = {"-", "1", "2"};

const char* KindText(int kind)
{
    return kind == EventTypeKindAttribute ? GetLanguageText("EVENTTYPE_ATTRIBUTE") : GetLanguageText("EVENTTYPE_EVENT");
}

// ---- the list ----

void SetListItemText(HWND list, int item, int column, const char* text)
{
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
}

// Stops a window drawing while it is refilled, and has it drawn once afterwards.
class RedrawPause {
public:
    explicit RedrawPause(HWND window) : window_(window) { SendMessageA(window_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawPause()
    {
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND window_;
};

// Shares the list's width among the columns in the proportions of their designed widths, room kept for
// the vertical scroll bar, so that no horizontal one is ever needed.
void FitColumns(HWND list)
{
    RECT client{};
    GetClientRect(list, &client);
    int width = client.right - client.left;
    if ((GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) == 0)
        width -= GetSystemMetrics(SM_CXVSCROLL);
    int designed = 0;
    for (int columnWidth : ListColumnWidths)
        designed += columnWidth;
    int left = width;
    constexpr int columns = static_cast<int>(std::size(ListColumnWidths));
    for (int column = 0; column < columns; ++column) {
        int share = column + 1 < columns ? width * ListColumnWidths[column] / designed : left;
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, share > 0 ? share : 0);
        left -= share;
    }
}

void FillTypeList(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_EVENTTYPE_LIST);
    RedrawPause pause(list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_EDIT), FALSE);
    FitColumns(list);
    if (CurrentDatabase == nullptr)
        return;
    Database& database = *CurrentDatabase;
    EngineTransaction transaction(database.file, TLV_READ);
    if (!transaction.Running())
        return;
    VisitEventTypes(database, [&](std::int32_t id, const EventTypeRow& row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char*>(row.name);
        item.lParam = id;
        int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        SetListItemText(list, index, 1, KindText(row.kind));
        SetListItemText(list, index, 2, GetEventClassKeyword(row.classCode, row.kind, row.attributeKind));
        if (const char* tag = GedcomTagText(row.gedcomTag))
            SetListItemText(list, index, 3, tag);
        return false;
    });
    FitColumns(list);
}

// The id of the selected type, 0 when none is selected.
std::int32_t SelectedTypeId(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_EVENTTYPE_LIST);
    int selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected < 0)
        return 0;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = selected;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::int32_t>(item.lParam);
}

void EditType(HWND dialog, std::int32_t id)
{
    if (DialogBoxParamA(AppInstance, EventTypeEditResource, dialog, EventTypeEditDlgProc, id) > 0)
        FillTypeList(dialog);
}

void InitTypeList(HWND dialog)
{
    TranslateDialog(dialog);
    HWND list = GetDlgItem(dialog, IDC_EVENTTYPE_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNA header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.cx = ListColumnWidths[column];
        header.pszText = const_cast<char*>(GetLanguageText(ListColumnKeys[column]));
        header.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
    }
    FillTypeList(dialog);
    CentreOnOwner(dialog);
}

// ---- the editor ----

struct EditorState {
    explicit EditorState(Database& database) : type(database), builtIn(database) {}
    EventType type;
    EventType builtIn; // the built-in type of the same name, class, principals and tag, when there is one
    bool isNew = true;
    bool builtInFound = false;
};

int SelectedKind(HWND dialog)
{
    return static_cast<int>(SelectedComboValue(dialog, IDC_EVENTTYPE_KIND));
}

int SelectedAttributeKind(HWND dialog)
{
    int selection = ComboSelection(dialog, IDC_EVENTTYPE_ATTRIBUTEKIND);
    return selection < 0 ? AttributeKindText : selection;
}

void FillClassList(HWND dialog, int kind, int attributeKind, int classCode)
{
    HWND combo = GetDlgItem(dialog, IDC_EVENTTYPE_CLASS);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    KeywordTable table = EventClassTable(kind, attributeKind);
    for (int i = 0; i < table.count; ++i)
        AddComboItem(combo, table.words[i], i);
    SendMessageA(combo, CB_SETCURSEL, classCode >= 0 && classCode < table.count ? classCode : 0, 0);
}

// "(none)", then the tags offered for the kind; a stored tag that is not offered is listed too, so that OK
// keeps it.
void FillGedcomList(HWND dialog, int kind, int gedcomTag)
{
    HWND combo = GetDlgItem(dialog, IDC_EVENTTYPE_GEDCOM);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    AddComboItem(combo, GetLanguageText("EVENTTYPE_EDIT_GEDCOMNONE"), NoGedcomTag);
    KeywordTable offered = OfferedGedcomTags(kind);
    for (int i = 0; i < offered.count; ++i)
        AddComboItem(combo, offered.words[i], FindGedcomTag(offered.words[i]));
    if (!SelectComboValue(combo, gedcomTag)) {
        if (const char* tag = GedcomTagText(gedcomTag))
            SendMessageA(combo, CB_SETCURSEL, AddComboItem(combo, tag, gedcomTag), 0);
        else
            SendMessageA(combo, CB_SETCURSEL, 0, 0);
    }
}

// Shows the kind-dependent fields: for attribute types one principal and no witness template.
void ShowKindFields(HWND dialog, bool isNew, int kind)
{
    bool attribute = kind == EventTypeKindAttribute;
    EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_ATTRIBUTEKIND), isNew && attribute);
    EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_WTEMPLATE), !attribute);
    EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_PRINCIPALS), !attribute);
    if (attribute)
        SendDlgItemMessageA(dialog, IDC_EVENTTYPE_PRINCIPALS, CB_SETCURSEL, 1, 0);
}

void SwitchNewTypeKind(HWND dialog)
{
    int kind = SelectedKind(dialog);
    if (kind == EventTypeKindAttribute) {
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_PTEMPLATE, GetLanguageText("STANDARD_ATTR_FORMATTING"));
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_WTEMPLATE, "");
    } else {
        SendDlgItemMessageA(dialog, IDC_EVENTTYPE_ATTRIBUTEKIND, CB_SETCURSEL, AttributeKindText, 0);
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_PTEMPLATE, GetLanguageText("STANDARD_PEVENT_PFORMATTING"));
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_WTEMPLATE, GetLanguageText("STANDARD_PEVENT_WFORMATTING"));
    }
    ShowKindFields(dialog, true, kind);
    FillClassList(dialog, kind, SelectedAttributeKind(dialog), 0);
    FillGedcomList(dialog, kind, NoGedcomTag);
}

// Offers the current language's templates of the matching built-in type when they differ from the stored.
void OfferBuiltInTemplates(HWND dialog, EditorState& state)
{
    const EventTypeRow& row = state.type.row;
    if (row.kind == EventTypeKindAttribute)
        state.builtInFound =
            state.builtIn.FindBuiltInAttribute(row.name, row.attributeKind, row.classCode, row.gedcomTag);
    else
        state.builtInFound = state.builtIn.FindBuiltInEvent(row.name, row.classCode, row.principals, row.gedcomTag);
    const EventTypeRow& builtIn = state.builtIn.row;
    bool principal = state.builtInFound && builtIn.principalTemplate[0] != 0 &&
                     std::strcmp(builtIn.principalTemplate, row.principalTemplate) != 0;
    bool witness = state.builtInFound && row.kind != EventTypeKindAttribute && builtIn.witnessTemplate[0] != 0 &&
                   std::strcmp(builtIn.witnessTemplate, row.witnessTemplate) != 0;
    EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_PUPDATE), principal);
    EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_WUPDATE), witness);
}

BOOL InitEditor(HWND dialog, std::int32_t id)
{
    if (CurrentDatabase == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    auto state = std::make_unique<EditorState>(*CurrentDatabase);
    state->isNew = id == 0;
    if (!state->isNew) {
        EngineTransaction transaction(CurrentDatabase->file, TLV_READWRITE);
        if (!transaction.Running() || state->type.Read(id) != 0) {
            EndDialog(dialog, 0);
            return TRUE;
        }
    }
    EditorState& s = AttachDialogState(dialog, std::move(state));
    const EventTypeRow& row = s.type.row;
    int kind = row.kind == EventTypeKindAttribute ? EventTypeKindAttribute : EventTypeKindEvent;

    TranslateDialog(dialog);
    if (s.isNew)
        SetWindowTextA(dialog, GetLanguageText("EVENTTYPE_NEW_NAME"));
    else if (kind == EventTypeKindAttribute)
        SetWindowTextA(dialog, GetLanguageText("EVENTTYPE_CHANGE_ATTRTYPE"));
    else
        SetWindowTextA(dialog, GetLanguageText("EVENTTYPE_CHANGE_EVENTTYPE"));

    SendDlgItemMessageA(dialog, IDC_EVENTTYPE_NAME, EM_LIMITTEXT, EventTypeNameSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_EVENTTYPE_PTEMPLATE, EM_LIMITTEXT, EventTypeTemplateSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_EVENTTYPE_WTEMPLATE, EM_LIMITTEXT, EventTypeTemplateSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_EVENTTYPE_NAME, row.name);

    HWND kinds = GetDlgItem(dialog, IDC_EVENTTYPE_KIND);
    AddComboItem(kinds, GetLanguageText("EVENTTYPE_EVENT"), EventTypeKindEvent);
    AddComboItem(kinds, GetLanguageText("EVENTTYPE_ATTRIBUTE"), EventTypeKindAttribute);
    SelectComboValue(kinds, kind);
    EnableWindow(kinds, s.isNew);

    HWND attributeKinds = GetDlgItem(dialog, IDC_EVENTTYPE_ATTRIBUTEKIND);
    AddComboItem(attributeKinds, GetLanguageText("EVENTTYPE_ATTRIBUTEKIND_TEXT"), AttributeKindText);
    AddComboItem(attributeKinds, GetLanguageText("EVENTTYPE_ATTRIBUTEKIND_NUMERIC"), AttributeKindNumeric);
    AddComboItem(attributeKinds, GetLanguageText("EVENTTYPE_ATTRIBUTEKIND_FLAG"), AttributeKindFlag);
    int attributeKind = kind == EventTypeKindAttribute && row.attributeKind <= AttributeKindFlag ? row.attributeKind
                                                                                                 : AttributeKindText;
    SendMessageA(attributeKinds, CB_SETCURSEL, attributeKind, 0);

    FillClassList(dialog, kind, attributeKind, row.classCode);
    FillGedcomList(dialog, kind, row.gedcomTag);
    HWND principals = GetDlgItem(dialog, IDC_EVENTTYPE_PRINCIPALS);
    for (int i = 0; i < 3; ++i)
        AddComboItem(principals, PrincipalChoices[i], i);
    SendMessageA(principals, CB_SETCURSEL, row.principals > 2 ? 2 : row.principals, 0);
    CheckDlgButton(dialog, IDC_EVENTTYPE_PRINT, row.print != 0 ? BST_CHECKED : BST_UNCHECKED);

    if (s.isNew) {
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_PTEMPLATE, GetLanguageText("STANDARD_PEVENT_PFORMATTING"));
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_WTEMPLATE, GetLanguageText("STANDARD_PEVENT_WFORMATTING"));
    } else {
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_PTEMPLATE, row.principalTemplate);
        SetDlgItemTextA(dialog, IDC_EVENTTYPE_WTEMPLATE, row.witnessTemplate);
        OfferBuiltInTemplates(dialog, s);
    }
    ShowKindFields(dialog, s.isNew, kind);
    CentreOnOwner(dialog);
    return TRUE;
}

// Takes the fields into the type and writes it; false (after telling the user) when the engine failed.
bool SaveEditor(HWND dialog, EditorState& state)
{
    // Every list holds a selection by construction; a missing one must never be stored as an id of -1.
    for (int item : {IDC_EVENTTYPE_CLASS, IDC_EVENTTYPE_GEDCOM, IDC_EVENTTYPE_PRINCIPALS, IDC_EVENTTYPE_KIND}) {
        if (ComboSelection(dialog, item) < 0)
            return false;
    }
    EventTypeRow& row = state.type.row;
    if (state.isNew) {
        row.kind = static_cast<std::uint8_t>(SelectedKind(dialog));
        row.attributeKind = static_cast<std::uint8_t>(row.kind == EventTypeKindAttribute ? SelectedAttributeKind(dialog)
                                                                                         : AttributeKindText);
    }
    GetDlgItemTextA(dialog, IDC_EVENTTYPE_NAME, row.name, sizeof row.name);
    GetDlgItemTextA(dialog, IDC_EVENTTYPE_PTEMPLATE, row.principalTemplate, sizeof row.principalTemplate);
    GetDlgItemTextA(dialog, IDC_EVENTTYPE_WTEMPLATE, row.witnessTemplate, sizeof row.witnessTemplate);
    row.classCode = static_cast<std::int16_t>(ComboSelection(dialog, IDC_EVENTTYPE_CLASS));
    row.gedcomTag = static_cast<std::int16_t>(SelectedComboValue(dialog, IDC_EVENTTYPE_GEDCOM));
    row.principals = static_cast<std::uint8_t>(ComboSelection(dialog, IDC_EVENTTYPE_PRINCIPALS));
    row.print = IsDlgButtonChecked(dialog, IDC_EVENTTYPE_PRINT) == BST_CHECKED ? 1 : 0;

    Database& database = state.type.OwnerDatabase();
    EngineTransaction transaction(database.file, TLV_READWRITE);
    const bool isNew = state.type.Id() == 0;
    bool written = transaction.Running() && state.type.Save();
    written = transaction.End(written) == 0 && written;
    if (!written) {
        // The discarded transaction took the new id with it.
        if (isNew)
            state.type.SetId(0);
        ShowWriteFailure(dialog);
        return false;
    }
    return true;
}

void EditorCommand(HWND dialog, EditorState& state, int command, int notification)
{
    switch (command) {
    case IDC_EVENTTYPE_KIND:
        if (notification == CBN_SELCHANGE && state.isNew)
            SwitchNewTypeKind(dialog);
        break;
    case IDC_EVENTTYPE_ATTRIBUTEKIND:
        if (notification == CBN_SELCHANGE)
            FillClassList(dialog, SelectedKind(dialog), SelectedAttributeKind(dialog),
                          ComboSelection(dialog, IDC_EVENTTYPE_CLASS));
        break;
    case IDC_EVENTTYPE_PUPDATE:
        if (state.builtInFound)
            SetDlgItemTextA(dialog, IDC_EVENTTYPE_PTEMPLATE, state.builtIn.row.principalTemplate);
        break;
    case IDC_EVENTTYPE_WUPDATE:
        if (state.builtInFound)
            SetDlgItemTextA(dialog, IDC_EVENTTYPE_WTEMPLATE, state.builtIn.row.witnessTemplate);
        break;
    case IDOK:
        if (SaveEditor(dialog, state))
            EndDialog(dialog, 1);
        break;
    default:
        break;
    }
}

INT_PTR EventTypeListMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitTypeList(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EVENTTYPE_NEW:
            EditType(dialog, 0);
            return TRUE;
        case IDC_EVENTTYPE_EDIT:
            if (std::int32_t id = SelectedTypeId(dialog))
                EditType(dialog, id);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_EVENTTYPE_LIST)
            return FALSE;
        if (header->code == NM_DBLCLK) {
            if (std::int32_t id = SelectedTypeId(dialog))
                EditType(dialog, id);
            return TRUE;
        }
        if (header->code == LVN_ITEMCHANGED) {
            EnableWindow(GetDlgItem(dialog, IDC_EVENTTYPE_EDIT), SelectedTypeId(dialog) != 0);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

INT_PTR EventTypeEditMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<EditorState>(
        dialog, message, wParam, lParam, "EventTypeWindow.htm",
        [](HWND d, LPARAM id) { return InitEditor(d, static_cast<std::int32_t>(id)); }, EditorCommand);
}

} // namespace

INT_PTR CALLBACK EventTypeListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<EventTypeListMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK EventTypeEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<EventTypeEditMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
