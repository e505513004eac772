#include "persons/ui/roles_dialog.h"

#include <richedit.h>

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "ui_common/frame_globals.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"
#include "core/role.h"
#include "core/ui/note_page.h"
#include "ui_common/dialog_state.h"
#include "res/persons_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/guarded_procedure.h"

namespace {

constexpr std::size_t TypedNameSize = 31; // a typed name keeps its first 30 characters
constexpr int NameFieldLimit = 32;
constexpr LPARAM NoteFieldLimit = 1048576;

struct RolesState {
    std::unique_ptr<RoleRecord> chosen; // the role shown; id 0 for a new one
    bool showing = false;               // set while the dialog itself fills the fields
};

void EnableApply(HWND dialog, bool enable)
{
    EnableWindow(GetDlgItem(dialog, IDC_ROLES_APPLY), enable);
}

void ShowFields(HWND dialog, RolesState& state, const char* name, const char* note)
{
    state.showing = true;
    SetDlgItemTextA(dialog, IDC_ROLES_NAME, name);
    SetDlgItemTextA(dialog, IDC_ROLES_NOTE, note != nullptr ? note : "");
    state.showing = false;
    EnableApply(dialog, false);
}

// Reads the role of `id` as it is stored (a new one for id 0) into the state.
void LoadRole(RolesState& state, std::int32_t id)
{
    Database& database = *CurrentDatabase;
    state.chosen = std::make_unique<RoleRecord>(database);
    if (id == 0)
        return;
    {
        EngineTransaction transaction(database.file, TLV_READ);
        if (transaction.Running())
            state.chosen->Read(id);
    }
    state.chosen->LoadNote();
}

// Shows the role of `id`, or empty fields for a new role (id 0).
void ChooseRole(HWND dialog, RolesState& state, std::int32_t id)
{
    LoadRole(state, id);
    if (id == 0)
        ShowFields(dialog, state, "", "");
    else
        ShowFields(dialog, state, state.chosen->row.name, state.chosen->Note()->Text());
}

// New role first, then every role that can be read, in id order.
void FillRoles(HWND dialog, RolesState& state)
{
    HWND list = GetDlgItem(dialog, IDC_ROLES_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    int index =
        static_cast<int>(SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText("ROLES_NEW"))));
    SendMessageA(list, CB_SETITEMDATA, index, 0);
    Database& database = *CurrentDatabase;
    {
        EngineTransaction transaction(database.file, TLV_READWRITE);
        RoleRecord role(database);
        std::int32_t highest =
            transaction.Running() ? tlvNumberOfRecords(database.TableId(TableRole), database.file) : 0;
        for (std::int32_t id = 1; id <= highest; ++id) {
            if (role.Read(id) != 0)
                continue;
            index = static_cast<int>(SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(role.row.name)));
            SendMessageA(list, CB_SETITEMDATA, index, id);
        }
    }
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    ChooseRole(dialog, state, 0);
}

// The id of the chosen entry, or -1 when nothing is chosen.
std::int32_t SelectedRoleId(HWND dialog)
{
    int selection = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ROLES_LIST, CB_GETCURSEL, 0, 0));
    if (selection < 0)
        return -1;
    return static_cast<std::int32_t>(SendDlgItemMessageA(dialog, IDC_ROLES_LIST, CB_GETITEMDATA, selection, 0));
}

void ApplyRole(HWND dialog, RolesState& state)
{
    std::int32_t id = SelectedRoleId(dialog);
    if (id < 0 || !state.chosen)
        return;
    char name[TypedNameSize];
    GetDlgItemTextA(dialog, IDC_ROLES_NAME, name, sizeof name);
    Database& database = *CurrentDatabase;

    bool inUse = false;
    bool done = false;
    {
        EngineTransaction transaction(database.file, TLV_READWRITE);
        done = transaction.Running();
        if (done && id != 0 && name[0] == 0) {
            RoleDeletion deletion = DeleteRole(id, database);
            inUse = deletion == RoleDeletion::InUse;
            done = deletion == RoleDeletion::Deleted;
        } else if (done) {
            RoleRecord& role = *state.chosen;
            role.SetName(name);
            if (role.Note() == nullptr)
                role.LoadNote();
            ReadNoteFromEdit(*role.Note(), GetDlgItem(dialog, IDC_ROLES_NOTE));
            done = role.Save();
        }
        done = transaction.End(done) == 0 && done;
    }
    if (inUse) {
        ShowMessageBox(dialog, GetLanguageText("ROLES_INUSE"), GetLanguageText("ROLES_TITLE"),
                       MB_OK | MB_ICONEXCLAMATION);
        // Nothing was changed: show the role as it is stored.
        ChooseRole(dialog, state, id);
        return;
    }
    if (!done) {
        // The discarded transaction took whatever ids the save handed out: the role is read again as it is
        // stored, and what was typed stays in the fields to be applied again.
        LoadRole(state, id);
        ShowWriteFailure(dialog);
        return;
    }
    FillRoles(dialog, state);
}

BOOL InitRoles(HWND dialog)
{
    if (CurrentDatabase == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    RolesState& s = AttachDialogState(dialog, std::make_unique<RolesState>());
    TranslateDialog(dialog);
    SendDlgItemMessageA(dialog, IDC_ROLES_NAME, EM_LIMITTEXT, NameFieldLimit, 0);
    HWND note = GetDlgItem(dialog, IDC_ROLES_NOTE);
    SendMessageA(note, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageA(note, EM_EXLIMITTEXT, 0, NoteFieldLimit);
    SendMessageA(note, EM_SETEVENTMASK, 0, ENM_CHANGE);
    FillRoles(dialog, s);
    CentreOnOwner(dialog);
    return TRUE;
}

void RolesCommand(HWND dialog, RolesState& state, int command, int notification)
{
    switch (command) {
    case IDC_ROLES_LIST:
        if (notification == CBN_SELCHANGE) {
            std::int32_t id = SelectedRoleId(dialog);
            if (id >= 0)
                ChooseRole(dialog, state, id);
            else
                EnableApply(dialog, false);
        }
        break;
    case IDC_ROLES_NAME:
    case IDC_ROLES_NOTE:
        if (notification == EN_CHANGE && !state.showing)
            EnableApply(dialog, SelectedRoleId(dialog) >= 0);
        break;
    case IDC_ROLES_APPLY:
        ApplyRole(dialog, state);
        break;
    default:
        break;
    }
}


INT_PTR RolesDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<RolesState>(dialog, message, wParam, lParam, "Roles.htm",
                                            [](HWND d, LPARAM) { return InitRoles(d); }, RolesCommand);
}

} // namespace

INT_PTR CALLBACK RolesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RolesDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
