#include "persons/ui/relationship_editor.h"

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "language/language_table.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "persons/relationship_sides.h"
#include "persons/ui/assertion_page_fields.h"
#include "persons/ui/person_list.h"
#include "res/kind_pages_resource.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/window_helpers.h"

RelationshipEditor::RelationshipEditor(std::int32_t id, Database& database) : relationship_(database)
{
    if (id != 0)
        relationship_.Read(id);
    relationship_.LoadLinked();
}

HWND RelationshipEditor::CreateKindPage(HWND host)
{
    SetWindowTextA(host, GetLanguageText("RELATIONSHIP_TITLE"));
    RecordList<AssertionLink>& links = relationship_.Links();
    if (links.Empty() && initiatingLink != nullptr)
        links.Append(std::make_unique<AssertionLink>(*initiatingLink));
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_RELATIONSHIP_PAGE), host, RelationshipPageDlgProc,
                              reinterpret_cast<LPARAM>(&relationship_));
}

bool RelationshipEditor::Save(PendingNotices& notices)
{
    return GatherLinkNotices(relationship_.Links(), relationship_.OwnerDatabase(), notices) && relationship_.Save();
}

namespace {

constexpr const char* RelationKeys[] = {
    LanguageKey("RELATIONSHIP_RELATION_BIOLOGICAL"), LanguageKey("RELATIONSHIP_RELATION_ADOPTIVE"),
    LanguageKey("RELATIONSHIP_RELATION_FOSTER"), LanguageKey("RELATIONSHIP_RELATION_OTHER")};

constexpr std::size_t PersonNameSize = 128;

struct RelationshipPage {
    Relationship* relationship = nullptr;
    RelationshipSides sides;
};

int NameItemOf(std::int32_t role)
{
    return role == RelationshipParentRole ? IDC_RELATIONSHIP_PARENT : IDC_RELATIONSHIP_CHILD;
}

// The name of the side's person followed by its id; empty when the person cannot be read.
void ShowSide(HWND page, const RelationshipPage& state, int position)
{
    if (position < 0)
        return;
    const AssertionLink& link = state.relationship->Links()[static_cast<std::size_t>(position)];
    char name[PersonNameSize];
    WritePersonNameField(name, sizeof name, link.row.personId, state.relationship->OwnerDatabase(), true);
    SetDlgItemTextA(page, NameItemOf(link.row.roleId), name);
}

BOOL InitRelationshipPage(HWND page, LPARAM parameter)
{
    auto* relationship = reinterpret_cast<Relationship*>(parameter);
    TranslateDialog(page);
    if (relationship == nullptr)
        return TRUE;
    RelationshipPage& state = AttachDialogState(page, std::make_unique<RelationshipPage>());
    state.relationship = relationship;

    HWND relations = GetDlgItem(page, IDC_RELATIONSHIP_RELATION);
    for (const char* key : RelationKeys)
        SendMessageA(relations, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    SendMessageA(relations, CB_SETCURSEL, relationship->row.relation, 0);
    FillPrivacyList(GetDlgItem(page, IDC_RELATIONSHIP_PRIVACY), relationship->row.privacy);

    state.sides = FindRelationshipSides(relationship->Links());
    Database& database = relationship->OwnerDatabase();
    EngineTransaction transaction(database.file, TLV_READWRITE);
    ShowSide(page, state, state.sides.parent);
    ShowSide(page, state, state.sides.child);
    return TRUE;
}

void ChooseSide(HWND page, RelationshipPage& state, std::int32_t role)
{
    Database& database = state.relationship->OwnerDatabase();
    const std::int32_t person =
        SelectPersonTitled(page, database,
                           role == RelationshipParentRole ? LanguageKey("RELATIONSHIP_SELECTPARENT")
                                                          : LanguageKey("RELATIONSHIP_SELECTCHILD"));
    if (person == 0)
        return;
    ReplaceRelationshipSide(state.relationship->Links(), state.sides, role, person, database);
    ShowSide(page, state, role == RelationshipParentRole ? state.sides.parent : state.sides.child);
}

// Both sides must be there; then the two lists go into the row. 1 accepts the save, 0 keeps the editor open.
LRESULT StoreRelationshipPage(HWND page, RelationshipPage& state)
{
    if (const char* missing = MissingRelationshipSide(state.sides)) {
        ShowMessageBox(page, GetLanguageText(missing), nullptr, MB_OK | MB_ICONSTOP);
        return 0;
    }
    RelationshipRow& row = state.relationship->row;
    row.privacy = SelectedPrivacy(GetDlgItem(page, IDC_RELATIONSHIP_PRIVACY), row.privacy);
    const auto relation = SendDlgItemMessageA(page, IDC_RELATIONSHIP_RELATION, CB_GETCURSEL, 0, 0);
    if (relation >= 0)
        row.relation = static_cast<std::int8_t>(relation);
    return 1;
}

INT_PTR RelationshipPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitRelationshipPage(page, lParam);
    if (message == WM_NCDESTROY) {
        DestroyDialogState<RelationshipPage>(page);
        return FALSE;
    }
    RelationshipPage* state = DialogStateOf<RelationshipPage>(page);
    if (state == nullptr || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        SetWindowLongPtrA(page, DWLP_MSGRESULT, StoreRelationshipPage(page, *state));
        return TRUE;
    case IDHELP:
        ShowHelpTopic(HelpDisplayTopic, "DataRelationship.htm");
        return TRUE;
    case IDC_RELATIONSHIP_SELECTPARENT:
        ChooseSide(page, *state, RelationshipParentRole);
        return TRUE;
    case IDC_RELATIONSHIP_SELECTCHILD:
        ChooseSide(page, *state, RelationshipChildRole);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK RelationshipPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RelationshipPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
