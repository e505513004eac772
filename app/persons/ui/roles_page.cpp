#include "persons/ui/roles_page.h"

#include <commctrl.h>

#include <cstdint>
#include <memory>

#include "core/assertion_link.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/role.h"
#include "language/language_table.h"
#include "persons/assertion_editing.h"
#include "persons/assertion_fields.h"
#include "persons/event_assertion.h"
#include "persons/ui/event_editor.h"
#include "persons/ui/person_list.h"
#include "res/assertions_resource.h"
#include "res/button_bitmaps.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr BitmapButton RoleButtons[] = {
    {IDC_ROLESPAGE_NEW, IDB_BUTTON_NEW, "TOOLTIP_NEW"},
    {IDC_ROLESPAGE_EDIT, IDB_BUTTON_EDIT, "TOOLTIP_EDIT"},
    {IDC_ROLESPAGE_REMOVE, IDB_BUTTON_DELETE, "TOOLTIP_DELETE"},
};
constexpr int RoleButtonItems[] = {IDC_ROLESPAGE_NEW, IDC_ROLESPAGE_EDIT, IDC_ROLESPAGE_REMOVE};

constexpr int RoleColumnWidth = 100;
constexpr int NameColumnWidth = 280;
constexpr std::size_t PersonNameSize = 128;

// The role a new participant gets when the principal role is not offered: the first role.
constexpr std::int32_t FirstRoleId = 1;

EventAssertion* PageEvent(HWND page)
{
    auto* editor = reinterpret_cast<EventEditor*>(GetWindowLongPtrA(page, DWLP_USER));
    return editor != nullptr ? &editor->Event() : nullptr;
}

void PersonName(char* out, std::size_t size, std::int32_t personId, Database& database)
{
    WritePersonNameField(out, size, personId, database, false);
}

// The number of principals the event's type allows.
int AllowedPrincipals(EventAssertion& event)
{
    Database& database = event.OwnerDatabase();
    EngineTransaction transaction(database.file, TLV_READ);
    if (!transaction.Running())
        return 0;
    EventType type(database);
    return type.Read(event.row.typeId) == 0 ? type.row.principals : 0;
}

int CountPrincipals(RecordList<AssertionLink>& links, bool includingRemoved)
{
    int count = 0;
    for (std::size_t i = 0; i < links.Count(); ++i)
        if ((includingRemoved || !links.IsMarked(i)) && links[i].row.roleId == 0)
            ++count;
    return count;
}

HWND RoleList(HWND page)
{
    return GetDlgItem(page, IDC_ROLESPAGE_LIST);
}

// The participant-list position of the selected row, or -1.
int SelectedEntry(HWND page)
{
    HWND list = RoleList(page);
    const int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return -1;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void UpdateRoleButtons(HWND page)
{
    const bool selected = SelectedEntry(page) >= 0;
    EnableWindow(GetDlgItem(page, IDC_ROLESPAGE_EDIT), selected);
    EnableWindow(GetDlgItem(page, IDC_ROLESPAGE_REMOVE), selected);
}

void AddParticipant(HWND page, EventAssertion& event)
{
    Database& database = event.OwnerDatabase();
    RecordList<AssertionLink>& links = event.Links();
    const int allowed = AllowedPrincipals(event);
    const bool principalAllowed = allowed == 0 || allowed - CountPrincipals(links, false) > 0;
    const std::int32_t personId = SelectPerson(page, database);
    if (personId == 0)
        return;
    auto link = std::make_unique<AssertionLink>(database);
    link->row.personId = personId;
    link->row.roleId = principalAllowed ? 0 : FirstRoleId;
    RoleChoice choice{link.get(), principalAllowed};
    if (ChooseRole(page, choice) != 1)
        return;
    links.Append(std::move(link));
    FillRolesList(page, event);
}

void EditParticipant(HWND page, EventAssertion& event)
{
    const int entry = SelectedEntry(page);
    if (entry < 0)
        return;
    RecordList<AssertionLink>& links = event.Links();
    const int allowed = AllowedPrincipals(event);
    RoleChoice choice{&links[entry], allowed > 0 && allowed - CountPrincipals(links, true) > 0};
    if (ChooseRole(page, choice) == 1)
        FillRolesList(page, event);
}

void RemoveParticipant(HWND page, EventAssertion& event)
{
    const int entry = SelectedEntry(page);
    if (entry < 0)
        return;
    event.Links().SetMark(entry, 1);
    FillRolesList(page, event);
    if (SendMessageA(RoleList(page), LVM_GETITEMCOUNT, 0, 0) == 0)
        ShowMessageBox(page, GetLanguageText("ASSERTION_NOROLES_TEXT"), GetLanguageText("ASSERTION_NOROLES_TITLE"),
                       MB_OK | MB_ICONEXCLAMATION);
}

void ArrangeRolesPage(HWND page, int width, int height)
{
    const RolesPageLayout layout = LayOutRolesPage(width, height);
    MoveWindow(RoleList(page), layout.list.x, layout.list.y, layout.list.width, layout.list.height, TRUE);
    for (int i = 0; i < 3; ++i) {
        const LayoutBox& box = layout.buttons[i];
        MoveWindow(GetDlgItem(page, RoleButtonItems[i]), box.x, box.y, box.width, box.height, TRUE);
    }
}

BOOL InitRolesPage(HWND page, LPARAM parameter)
{
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    AttachBitmapButtons(page, RoleButtons);
    SetUpListColumns(RoleList(page),
                     {{"ASSERTION_ROLE_HEADING1", RoleColumnWidth}, {"ASSERTION_ROLE_HEADING2", NameColumnWidth}});
    if (EventAssertion* event = PageEvent(page))
        FillRolesList(page, *event);
    return TRUE;
}

BOOL RolesPageNotify(HWND page, EventAssertion& event, const NMHDR& header)
{
    if (header.idFrom != IDC_ROLESPAGE_LIST)
        return FALSE;
    switch (header.code) {
    case LVN_ITEMCHANGED:
        if ((reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE) != 0)
            UpdateRoleButtons(page);
        return TRUE;
    case NM_DBLCLK:
        EditParticipant(page, event);
        return TRUE;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            RemoveParticipant(page, event);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR RolesPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (INT_PTR answer = FALSE; AnswerButtonPageLifetime(page, message, lParam, RoleButtons, InitRolesPage, answer))
        return answer;
    if (message == WM_SIZE) {
        ArrangeRolesPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    }
    EventAssertion* event = PageEvent(page);
    if (event == nullptr)
        return FALSE;
    switch (message) {
    case WM_NOTIFY:
        return RolesPageNotify(page, *event, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ROLESPAGE_NEW:
            AddParticipant(page, *event);
            return TRUE;
        case IDC_ROLESPAGE_EDIT:
            EditParticipant(page, *event);
            return TRUE;
        case IDC_ROLESPAGE_REMOVE:
            RemoveParticipant(page, *event);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// The role dialog.

int SelectedRoleIndex(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_ROLE_ROLE, CB_GETCURSEL, 0, 0));
}

int AddRoleEntry(HWND roles, const char* text, std::int32_t id)
{
    const auto index = SendMessageA(roles, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(roles, CB_SETITEMDATA, index, id);
    return static_cast<int>(index);
}

BOOL InitRole(HWND dialog, LPARAM parameter)
{
    auto* choice = reinterpret_cast<RoleChoice*>(parameter);
    if (choice == nullptr || choice->link == nullptr || CurrentDatabase == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    SetWindowLongPtrA(dialog, DWLP_USER, parameter);
    TranslateDialog(dialog);
    Database& database = *CurrentDatabase;
    AssertionLink& link = *choice->link;
    HWND roles = GetDlgItem(dialog, IDC_ROLE_ROLE);
    // The sorted list moves entries as others are added: the selection is found by item data at the end.
    {
        EngineTransaction transaction(database.file, TLV_READ);
        if (choice->principalAllowed || link.row.roleId == 0)
            AddRoleEntry(roles, GetLanguageText("ASSERTION_ROLE_PRINCIPAL"), 0);
        if (transaction.Running()) {
            const std::int32_t highest = tlvNumberOfRecords(database.TableId(TableRole), database.file);
            RoleRecord role(database);
            for (std::int32_t id = 1; id <= highest; ++id)
                if (role.Read(id) == 0)
                    AddRoleEntry(roles, role.row.name, id);
        }
    }
    const int count = static_cast<int>(SendMessageA(roles, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(roles, CB_GETITEMDATA, i, 0) == link.row.roleId)
            SendMessageA(roles, CB_SETCURSEL, i, 0);
    if (SelectedRoleIndex(dialog) < 0 && count == 1)
        SendMessageA(roles, CB_SETCURSEL, 0, 0);
    EnableWindow(GetDlgItem(dialog, IDOK), SelectedRoleIndex(dialog) >= 0);

    char name[PersonNameSize];
    PersonName(name, sizeof name, link.row.personId, database);
    SetDlgItemTextA(dialog, IDC_ROLE_NAME, name);
    CentreOnOwner(dialog);
    return TRUE;
}

INT_PTR RoleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitRole(dialog, lParam);
    case WM_COMMAND: {
        auto* choice = reinterpret_cast<RoleChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
        switch (LOWORD(wParam)) {
        case IDOK: {
            const int index = SelectedRoleIndex(dialog);
            if (choice == nullptr || index < 0)
                return TRUE; // nothing chosen: OK stays disabled
            choice->link->row.roleId =
                static_cast<std::int32_t>(SendDlgItemMessageA(dialog, IDC_ROLE_ROLE, CB_GETITEMDATA, index, 0));
            EndDialog(dialog, 1);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_ROLE_ROLE:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                EnableWindow(GetDlgItem(dialog, IDOK), SelectedRoleIndex(dialog) >= 0);
            return TRUE;
        default:
            return FALSE;
        }
    }
    default:
        return FALSE;
    }
}

} // namespace

void FillRolesList(HWND page, EventAssertion& event)
{
    HWND list = RoleList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    Database& database = event.OwnerDatabase();
    RecordList<AssertionLink>& links = event.Links();
    // Read-write: the name reads nest their own transactions in it.
    EngineTransaction transaction(database.file, TLV_READWRITE);
    RoleRecord role(database);
    int row = 0;
    for (std::size_t i = 0; i < links.Count(); ++i) {
        if (links.IsMarked(i))
            continue;
        const AssertionLink& link = links[i];
        const char* roleName = GetLanguageText("ASSERTION_ROLE_PRINCIPAL");
        if (link.row.roleId != 0)
            roleName = transaction.Running() && role.Read(link.row.roleId) == 0 ? role.row.name : "";
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<char*>(roleName);
        item.lParam = static_cast<LPARAM>(i);
        const int inserted = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        char name[PersonNameSize];
        PersonName(name, sizeof name, link.row.personId, database);
        LVITEMA column{};
        column.iSubItem = 1;
        column.pszText = name;
        SendMessageA(list, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&column));
        ++row;
    }
    UpdateRoleButtons(page);
}

INT_PTR CALLBACK RolesPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RolesPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

INT_PTR ChooseRole(HWND owner, RoleChoice& choice)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ROLE), owner, RoleDlgProc,
                           reinterpret_cast<LPARAM>(&choice));
}

INT_PTR CALLBACK RoleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RoleMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
