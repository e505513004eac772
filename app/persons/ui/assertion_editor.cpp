#include "persons/ui/assertion_editor.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/database.h"
#include "core/notice_sink.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "persons/assertion_editing.h"
#include "persons/ui/assertion_editors.h"
#include "persons/ui/roles_page.h"
#include "records/ui/excerpt_pages.h"
#include "core/ui/address_page.h"
#include "core/ui/note_page.h"
#include "res/assertions_resource.h"
#include "res/core_resource.h"
#include "res/excerpts_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

namespace {

// The tab pages need at least this many dialog units of height: the address page's six rows.
constexpr int PageContentHeightUnits = 116;
// What the tab control takes above and below its pages (its tabs and the page margins).
constexpr int TabFrameHeight = 36;

struct EditorState {
    AssertionEditor* editor = nullptr;
    HWND kindPage = nullptr;
    std::vector<HWND> pages; // in creation order, one per tab
};

struct TabPage {
    int dialog;
    DLGPROC procedure;
    LPARAM parameter;
    const char* tabKey;
};

// The pages the kind has, in tab order.
std::vector<TabPage> PagesOf(AssertionEditor& editor)
{
    std::vector<TabPage> pages;
    if (editor.HasRolesPage())
        pages.push_back({IDD_ROLES_PAGE, RolesPageDlgProc, reinterpret_cast<LPARAM>(&editor), "ASSERTION_ROLES"});
    pages.push_back({IDD_EXCERPTREF_PAGE, ExcerptRefPageDlgProc, reinterpret_cast<LPARAM>(&editor.GetExcerptRefList()),
                     "ASSERTION_EXCERPTS"});
    if (AddressRecord* address = editor.GetAddress())
        pages.push_back({IDD_ADDRESS_PAGE, AddressPageDlgProc, reinterpret_cast<LPARAM>(address), "ADDRESS_TITLE"});
    pages.push_back({IDD_NOTE_PAGE, NotePageDlgProc, reinterpret_cast<LPARAM>(&editor.GetNote()), "ASSERTION_NOTE"});
    if (editor.HasFormattingPage())
        pages.push_back(
            {IDD_FORMATTING_PAGE, FormattingPageDlgProc, reinterpret_cast<LPARAM>(&editor), "ASSERTION_FORMATTING"});
    return pages;
}

int ClientHeight(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return client.bottom;
}

void PlaceItem(HWND dialog, int item, int x, int y)
{
    SetWindowPos(GetDlgItem(dialog, item), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowPage(EditorState& state, int index)
{
    for (std::size_t i = 0; i < state.pages.size(); ++i)
        ShowWindow(state.pages[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

void LayOut(HWND dialog, EditorState& state)
{
    RECT client{};
    GetClientRect(dialog, &client);
    RECT save{};
    GetWindowRect(GetDlgItem(dialog, IDOK), &save);
    RECT units{0, 0, 0, PageContentHeightUnits};
    MapDialogRect(dialog, &units);
    const int tabHeight = std::max(SmallestAssertionTabHeight, static_cast<int>(units.bottom) + TabFrameHeight);

    const int kindHeight = state.kindPage ? ClientHeight(state.kindPage) : 0;
    // A kind page wider than the dialog widens it, so that none of the page's controls is cut off.
    RECT kind{};
    if (state.kindPage)
        GetClientRect(state.kindPage, &kind);
    const int width = std::max(static_cast<int>(client.right), static_cast<int>(kind.right));
    const AssertionEditorLayout layout = LayOutAssertionEditor(kindHeight, width, save.right - save.left, tabHeight);
    HWND tabs = GetDlgItem(dialog, IDC_ASSERTION_TABS);
    SetWindowPos(tabs, nullptr, layout.tab.x, layout.tab.y, layout.tab.width, layout.tab.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceItem(dialog, IDCANCEL, layout.cancelX, layout.buttonY);
    PlaceItem(dialog, IDOK, layout.saveX, layout.buttonY);
    PlaceItem(dialog, IDHELP, layout.helpX, layout.buttonY);

    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    RECT display{};
    GetClientRect(tabs, &display);
    TabCtrl_AdjustRect(tabs, FALSE, &display);
    const LayoutBox box = AssertionPageBox(kindHeight, display.left, display.top, display.right, display.bottom);
    for (HWND page : state.pages)
        SetWindowPos(page, HWND_TOP, box.x, box.y, box.width, box.height, SWP_NOACTIVATE);
}

BOOL InitEditor(HWND dialog, LPARAM parameter)
{
    auto* editor = reinterpret_cast<AssertionEditor*>(parameter);
    if (editor == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    EditorState& state = AttachDialogState(dialog, std::make_unique<EditorState>());
    state.editor = editor;
    state.kindPage = editor->CreateKindPage(dialog);
    SetItemLanguageText(dialog, IDOK, "BUTTON_SAVE");
    SetItemLanguageText(dialog, IDCANCEL, "BUTTON_CANCEL");
    SetItemLanguageText(dialog, IDHELP, "BUTTON_HELP");

    HWND tabs = GetDlgItem(dialog, IDC_ASSERTION_TABS);
    for (const TabPage& entry : PagesOf(*editor)) {
        HWND page = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(entry.dialog), dialog, entry.procedure,
                                       entry.parameter);
        if (page == nullptr)
            continue;
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(GetLanguageText(entry.tabKey));
        SendMessageA(tabs, TCM_INSERTITEMA, state.pages.size(), reinterpret_cast<LPARAM>(&tab));
        state.pages.push_back(page);
    }
    LayOut(dialog, state);
    if (state.kindPage != nullptr)
        ShowWindow(state.kindPage, SW_SHOW);
    ShowPage(state, 0);
    CentreOnOwner(dialog);
    return TRUE;
}

// The kind page first: it may refuse. Then every page stores what it shows.
void SaveAndEnd(HWND dialog, EditorState& state)
{
    if (state.kindPage != nullptr && SendMessageA(state.kindPage, WM_COMMAND, IDOK, 0) == 0)
        return;
    for (HWND page : state.pages)
        SendMessageA(page, WM_COMMAND, IDOK, 0);
    EndDialog(dialog, 1);
}

INT_PTR EditorMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    EditorState* state = DialogStateOf<EditorState>(dialog);
    switch (message) {
    case WM_INITDIALOG:
        return InitEditor(dialog, lParam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (state == nullptr || header->idFrom != IDC_ASSERTION_TABS)
            return FALSE;
        if (header->code == TCN_SELCHANGING)
            ShowPage(*state, -1);
        else if (header->code == TCN_SELCHANGE)
            ShowPage(*state, TabCtrl_GetCurSel(header->hwndFrom));
        return TRUE;
    }
    case WM_HELP:
        return TRUE;
    case WM_COMMAND:
        if (state == nullptr)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            SaveAndEnd(dialog, *state);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDHELP:
            if (state->kindPage != nullptr)
                SendMessageA(state->kindPage, WM_COMMAND, IDHELP, 0);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_ASSERTIONTYPECHANGED:
        if (state != nullptr)
            for (HWND page : state->pages)
                SendMessageA(page, WM_ASSERTIONTYPECHANGED, wParam, lParam);
        return TRUE;
    case WM_NCDESTROY:
        DestroyDialogState<EditorState>(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

// The formatting page.

AssertionEditor* FormattingEditor(HWND page)
{
    return reinterpret_cast<AssertionEditor*>(GetWindowLongPtrA(page, DWLP_USER));
}

void ShowTemplate(HWND page, int item, const char* text)
{
    SetDlgItemTextA(page, item, text != nullptr ? text : "");
    SendDlgItemMessageA(page, item, EM_SETMODIFY, FALSE, 0);
}

bool IsModified(HWND page, int item)
{
    return SendDlgItemMessageA(page, item, EM_GETMODIFY, 0, 0) != 0;
}

// Edits the user has not touched follow the templates of the type now chosen.
void RefreshUntouchedTemplates(HWND page, AssertionEditor& editor)
{
    if (!IsModified(page, IDC_FORMATTING_PRINCIPAL))
        ShowTemplate(page, IDC_FORMATTING_PRINCIPAL, editor.GetPrincipalTemplate());
    if (editor.GetWitnessTemplate() != nullptr && !IsModified(page, IDC_FORMATTING_WITNESS))
        ShowTemplate(page, IDC_FORMATTING_WITNESS, editor.GetWitnessTemplate());
}

BOOL InitFormatting(HWND page, LPARAM parameter)
{
    auto* editor = reinterpret_cast<AssertionEditor*>(parameter);
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    TranslateDialog(page);
    SendDlgItemMessageA(page, IDC_FORMATTING_PRINCIPAL, EM_LIMITTEXT, TemplateEditLimit, 0);
    SendDlgItemMessageA(page, IDC_FORMATTING_WITNESS, EM_LIMITTEXT, TemplateEditLimit, 0);
    if (editor == nullptr)
        return TRUE;
    ShowTemplate(page, IDC_FORMATTING_PRINCIPAL, editor->GetPrincipalTemplate());
    if (const char* witness = editor->GetWitnessTemplate()) {
        ShowTemplate(page, IDC_FORMATTING_WITNESS, witness);
    } else {
        for (int item : {IDC_FORMATTING_WITNESS_LABEL, IDC_FORMATTING_WITNESS, IDC_FORMATTING_WITNESS_STANDARD})
            ShowWindow(GetDlgItem(page, item), SW_HIDE);
    }
    return TRUE;
}

void StoreModifiedTemplates(HWND page, AssertionEditor& editor)
{
    char text[TemplateEditLimit + 1];
    if (IsModified(page, IDC_FORMATTING_PRINCIPAL)) {
        GetDlgItemTextA(page, IDC_FORMATTING_PRINCIPAL, text, sizeof text);
        editor.SetPrincipalTemplate(text);
    }
    if (editor.GetWitnessTemplate() != nullptr && IsModified(page, IDC_FORMATTING_WITNESS)) {
        GetDlgItemTextA(page, IDC_FORMATTING_WITNESS, text, sizeof text);
        editor.SetWitnessTemplate(text);
    }
}

INT_PTR FormattingMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitFormatting(page, lParam);
    AssertionEditor* editor = FormattingEditor(page);
    if (editor == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            StoreModifiedTemplates(page, *editor);
            return TRUE;
        case IDC_FORMATTING_PRINCIPAL_STANDARD:
            editor->SetPrincipalTemplate("");
            ShowTemplate(page, IDC_FORMATTING_PRINCIPAL, editor->GetPrincipalTemplate());
            return TRUE;
        case IDC_FORMATTING_WITNESS_STANDARD:
            editor->SetWitnessTemplate("");
            ShowTemplate(page, IDC_FORMATTING_WITNESS, editor->GetWitnessTemplate());
            return TRUE;
        default:
            return FALSE;
        }
    case WM_ASSERTIONTYPECHANGED:
        RefreshUntouchedTemplates(page, *editor);
        return TRUE;
    default:
        return FALSE;
    }
}

// The first participant, which a new assertion's caller is told about.
void TellCallerTheNewRows(AssertionLink& link, AssertionEditor& editor)
{
    RecordList<AssertionLink>& links = editor.GetLinkList();
    if (link.row.assertionId != 0 || links.Empty())
        return;
    link.SetId(links[0].Id());
    link.row.assertionId = links[0].row.assertionId;
}

} // namespace

INT_PTR EditAssertion(HWND parent, AssertionLink& link)
{
    if (CurrentDatabase == nullptr)
        return 0;
    Database& database = *CurrentDatabase;
    std::unique_ptr<AssertionEditor> editor = CreateAssertionEditor(link.row.kind, link.row.assertionId, database);
    if (!editor)
        return 0;
    editor->initiatingLink = &link;
    if (editor->GetLinkList().Empty()) {
        auto first = std::make_unique<AssertionLink>(database);
        first->row.kind = link.row.kind;
        first->row.order = link.row.order;
        first->row.personId = link.row.personId;
        first->row.roleId = link.row.roleId;
        editor->GetLinkList().Append(std::move(first));
    }
    const INT_PTR result = DialogBoxParamA(AppInstance, "ASSERTION_EDIT", parent, AssertionEditDlgProc,
                                           reinterpret_cast<LPARAM>(editor.get()));
    if (result != 1)
        return 0;
    PendingNotices notices;
    if (!RunWriteTransaction(database, [&] { return editor->Save(notices); }, &notices)) {
        // The editor is gone with what the user entered: the box says the change was not saved.
        ShowMessageBox(parent, GetLanguageText("ASSERTION_WRITE_ERROR"), nullptr, MB_OK | MB_ICONERROR);
        return 0;
    }
    TellCallerTheNewRows(link, *editor);
    return 1;
}

INT_PTR CALLBACK AssertionEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<EditorMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK FormattingPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<FormattingMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
