#include "records/ui/excerpt_pages.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/record_list_moves.h"
#include "language/language_table.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/source_record.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_window.h"
#include "res/button_bitmaps.h"
#include "res/excerpts_resource.h"
#include "res/frame_resource.h"
#include "ui_common/bitmap_buttons.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr BitmapButton PageButtons[] = {
    {IDC_EXCERPTS_NEW, IDB_BUTTON_NEW, "TOOLTIP_NEW"},
    {IDC_EXCERPTS_EDIT, IDB_BUTTON_EDIT, "TOOLTIP_EDIT"},
    {IDC_EXCERPTS_REMOVE, IDB_BUTTON_DELETE, "TOOLTIP_REMOVE"},
    {IDC_EXCERPTS_TOP, IDB_BUTTON_TOP, "TOOLTIP_TOP"},
    {IDC_EXCERPTS_UP, IDB_BUTTON_UP, "TOOLTIP_UP"},
    {IDC_EXCERPTS_DOWN, IDB_BUTTON_DOWN, "TOOLTIP_DOWN"},
    {IDC_EXCERPTS_BOTTOM, IDB_BUTTON_BOTTOM, "TOOLTIP_BOTTOM"},
};
constexpr int EditButtons[] = {IDC_EXCERPTS_NEW, IDC_EXCERPTS_EDIT, IDC_EXCERPTS_REMOVE};
constexpr int MoveButtons[] = {IDC_EXCERPTS_TOP, IDC_EXCERPTS_UP, IDC_EXCERPTS_DOWN, IDC_EXCERPTS_BOTTOM};
constexpr int ButtonSize = 16;
constexpr int SmallestListWidth = 100;
constexpr int SmallestListHeight = 50;

HWND PageList(HWND page)
{
    return GetDlgItem(page, IDC_EXCERPTS_LIST);
}

int RowCount(HWND page)
{
    return static_cast<int>(SendMessageA(PageList(page), LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND page)
{
    return static_cast<int>(SendMessageA(PageList(page), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND page, int row)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(PageList(page), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(PageList(page), LVM_ENSUREVISIBLE, row, FALSE);
}

void TellHost(HWND page)
{
    PostMessageA(GetParent(page), WM_PAGECHANGED, 0, 0);
}

// The buttons beside the list: new, edit and remove at the top (when shown), then the move buttons.
void ArrangePage(HWND page, int width, int height, bool withEditButtons, bool withMoveButtons)
{
    const int listWidth = std::max(width - ButtonSize, SmallestListWidth);
    const int listHeight = std::max(height, SmallestListHeight);
    MoveWindow(PageList(page), 0, 0, listWidth, listHeight, TRUE);
    int y = 0;
    if (withEditButtons)
        for (int item : EditButtons) {
            MoveWindow(GetDlgItem(page, item), listWidth, y, ButtonSize, ButtonSize, TRUE);
            y += ButtonSize;
        }
    if (withMoveButtons)
        for (int item : MoveButtons) {
            MoveWindow(GetDlgItem(page, item), listWidth, y, ButtonSize, ButtonSize, TRUE);
            y += ButtonSize;
        }
}

void ShowItems(HWND page, const int* items, std::size_t count, bool shown)
{
    for (std::size_t i = 0; i < count; ++i)
        ShowWindow(GetDlgItem(page, items[i]), shown ? SW_SHOW : SW_HIDE);
}

// The excerpt-reference page.

using References = RecordList<ExcerptRef>;

References* PageReferences(HWND page)
{
    return reinterpret_cast<References*>(GetWindowLongPtrA(page, DWLP_USER));
}

bool IsPersonList(const References& references)
{
    return references.ownerKind == OwnerPerson;
}

void FillReferences(HWND page, References& references)
{
    HWND list = PageList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    if (CurrentDatabase == nullptr)
        return;
    Database& database = *CurrentDatabase;
    EngineTransaction transaction(database.file, TLV_READWRITE);
    SourceRecord source(database);
    for (std::size_t i = 0; i < references.Count(); ++i) {
        if (references.IsMarked(i))
            continue;
        const ExcerptRecord* excerpt = references[i].Excerpt();
        if (excerpt == nullptr) {
            AppendListRow(list, i, {"", "", ""});
            continue;
        }
        // A source that cannot be read leaves an empty title.
        if (excerpt->row.sourceId == 0 || source.Read(excerpt->row.sourceId) != 0)
            source.row.title[0] = '\0';
        AppendListRow(list, i, {excerpt->row.page, excerpt->GetQualityText(), source.Title()});
    }
}

void UpdateReferenceButtons(HWND page)
{
    const int row = SelectedRow(page);
    const int rows = RowCount(page);
    const bool selected = row >= 0;
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_EDIT), selected);
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_REMOVE), selected);
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_UP), selected && row > 0);
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_TOP), selected && row > 0);
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_DOWN), selected && row < rows - 1);
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_BOTTOM), selected && row < rows - 1);
}

// A person's page follows the frame's commands while it is shown.
void UpdatePersonCommands(HWND page, bool shown)
{
    if (IsInActiveRecordWindow(page))
        EnableFrameEditAndDelete(shown && SelectedRow(page) >= 0);
}

void RefillReferences(HWND page, References& references)
{
    FillReferences(page, references);
    UpdateReferenceButtons(page);
    if (IsPersonList(references))
        UpdatePersonCommands(page, IsWindowVisible(page) != FALSE);
}

void AddReference(HWND page, References& references)
{
    if (CurrentDatabase == nullptr)
        return;
    ExcerptRecord scratch(*CurrentDatabase);
    scratch.EnsureText();
    scratch.EnsureNote();
    if (SelectExcerpt(page, scratch) != 1)
        return;
    if (scratch.Id() == 0) {
        if (EditExcerpt(page, scratch) != 1)
            return;
        // The new excerpt is stored at once: the reference only names it.
        if (!scratch.Save()) {
            ShowWriteFailure(page);
            return;
        }
    }
    auto reference = std::make_unique<ExcerptRef>(*CurrentDatabase);
    reference->row.excerptId = scratch.Id();
    reference->LoadExcerpt();
    references.Append(std::move(reference));
    RefillReferences(page, references);
    TellHost(page);
}

void EditSelectedReference(HWND page, References& references)
{
    const int entry = SelectedListEntry(PageList(page), references);
    if (entry < 0)
        return;
    ExcerptRef& reference = references[static_cast<std::size_t>(entry)];
    if (reference.Excerpt() == nullptr)
        reference.LoadExcerpt();
    // The dialog changes the excerpt only on OK; only then is the excerpt to be written with the reference,
    // so that a cancelled edit cannot overwrite changes made to the excerpt elsewhere.
    if (EditExcerpt(page, *const_cast<ExcerptRecord*>(reference.Excerpt())) != 1)
        return;
    reference.EditExcerpt();
    RefillReferences(page, references);
    SelectRow(page, RowOfEntry(references, static_cast<std::size_t>(entry)));
    if (IsPersonList(references))
        TellHost(page);
}

void RemoveSelectedReference(HWND page, References& references)
{
    const int entry = SelectedListEntry(PageList(page), references);
    if (entry < 0)
        return;
    references.SetMark(static_cast<std::size_t>(entry), 1);
    RefillReferences(page, references);
    TellHost(page);
}

void MoveSelectedReference(HWND page, References& references, int button)
{
    const int entry = SelectedListEntry(PageList(page), references);
    if (entry < 0)
        return;
    const auto from = static_cast<std::size_t>(entry);
    if ((button == IDC_EXCERPTS_UP || button == IDC_EXCERPTS_TOP) && SelectedRow(page) == 0)
        return; // nothing above the first row
    std::size_t to = from;
    switch (button) {
    case IDC_EXCERPTS_DOWN:
        to = MoveEntryDown(references, from);
        break;
    case IDC_EXCERPTS_UP:
        to = MoveEntryUp(references, from);
        break;
    case IDC_EXCERPTS_BOTTOM:
        to = MoveEntryToBottom(references, from);
        break;
    case IDC_EXCERPTS_TOP:
        to = MoveEntryToTop(references, from);
        break;
    default:
        return;
    }
    FillReferences(page, references);
    SelectRow(page, RowOfEntry(references, to));
    UpdateReferenceButtons(page);
    TellHost(page);
}

BOOL InitReferencePage(HWND page, LPARAM parameter)
{
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    AttachBitmapButtons(page, PageButtons);
    SetUpListColumns(PageList(page),
                     {{"EXCERPTREF_HEADING1", 160}, {"EXCERPTREF_HEADING2", 80}, {"EXCERPTREF_HEADING3", 230}});
    References* references = PageReferences(page);
    if (references == nullptr)
        return TRUE;
    if (IsPersonList(*references))
        ShowItems(page, EditButtons, std::size(EditButtons), false);
    FillReferences(page, *references);
    UpdateReferenceButtons(page);
    return TRUE;
}

BOOL ReferenceCommand(HWND page, References& references, int command)
{
    switch (command) {
    case IDC_EXCERPTS_NEW:
    case IDM_INSERT_EXCERPTREF:
        AddReference(page, references);
        return TRUE;
    case IDC_EXCERPTS_EDIT:
    case IDM_VIEW_DATA:
        EditSelectedReference(page, references);
        return TRUE;
    case IDC_EXCERPTS_REMOVE:
    case IDM_EDIT_DELETE:
        RemoveSelectedReference(page, references);
        return TRUE;
    case IDC_EXCERPTS_TOP:
    case IDC_EXCERPTS_UP:
    case IDC_EXCERPTS_DOWN:
    case IDC_EXCERPTS_BOTTOM:
        MoveSelectedReference(page, references, command);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL ReferenceNotice(HWND page, References& references, const NMHDR& header)
{
    if (header.idFrom != IDC_EXCERPTS_LIST)
        return FALSE;
    switch (header.code) {
    case NM_DBLCLK:
        EditSelectedReference(page, references);
        return TRUE;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            RemoveSelectedReference(page, references);
        return TRUE;
    case LVN_ITEMCHANGED:
        if ((reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE) != 0) {
            UpdateReferenceButtons(page);
            if (IsPersonList(references))
                UpdatePersonCommands(page, IsWindowVisible(page) != FALSE);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR ReferencePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (INT_PTR answer = FALSE; AnswerButtonPageLifetime(page, message, lParam, PageButtons, InitReferencePage, answer))
        return answer;
    References* references = PageReferences(page);
    if (references == nullptr)
        return FALSE;
    switch (message) {
    case WM_SIZE:
        ArrangePage(page, LOWORD(lParam), HIWORD(lParam), !IsPersonList(*references), true);
        return TRUE;
    case WM_SHOWWINDOW:
        if (IsPersonList(*references)) {
            UpdateReferenceButtons(page);
            UpdatePersonCommands(page, wParam != FALSE);
        }
        return FALSE;
    case WM_COMMAND:
        return ReferenceCommand(page, *references, LOWORD(wParam));
    case WM_NOTIFY:
        return ReferenceNotice(page, *references, *reinterpret_cast<const NMHDR*>(lParam));
    default:
        if (message == WM_PAGEREFRESH) {
            RefillReferences(page, *references);
            return TRUE;
        }
        return FALSE;
    }
}

// The excerpt page of a source.

using Excerpts = RecordList<ExcerptRecord>;

Excerpts* PageExcerpts(HWND page)
{
    return reinterpret_cast<Excerpts*>(GetWindowLongPtrA(page, DWLP_USER));
}

void FillExcerpts(HWND page, Excerpts& excerpts)
{
    HWND list = PageList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < excerpts.Count(); ++i) {
        if (excerpts.IsMarked(i))
            continue;
        ExcerptRecord& excerpt = excerpts[i];
        const char* cited = GetLanguageText(excerpt.Usage().Empty() ? "STANDARD_SNO" : "STANDARD_SYES");
        AppendListRow(list, i, {excerpt.row.page, excerpt.GetQualityText(), cited});
    }
}

void UpdateExcerptCommands(HWND page, bool shown)
{
    const bool selected = SelectedRow(page) >= 0;
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_EDIT), selected);
    EnableWindow(GetDlgItem(page, IDC_EXCERPTS_REMOVE), selected);
    if (IsInActiveRecordWindow(page))
        EnableFrameEditAndDelete(shown && selected);
}

void RefillExcerpts(HWND page, Excerpts& excerpts)
{
    FillExcerpts(page, excerpts);
    UpdateExcerptCommands(page, IsWindowVisible(page) != FALSE);
}

void AddExcerpt(HWND page, Excerpts& excerpts)
{
    if (CurrentDatabase == nullptr)
        return;
    auto excerpt = std::make_unique<ExcerptRecord>(*CurrentDatabase);
    excerpt->row.sourceId = excerpts.keyId;
    excerpt->EnsureText();
    excerpt->EnsureNote();
    if (EditExcerpt(page, *excerpt) != 1)
        return;
    const std::size_t entry = excerpts.Append(std::move(excerpt));
    RefillExcerpts(page, excerpts);
    SelectRow(page, RowOfEntry(excerpts, entry));
    TellHost(page);
}

void EditSelectedExcerpt(HWND page, Excerpts& excerpts)
{
    const int entry = SelectedListEntry(PageList(page), excerpts);
    if (entry < 0)
        return;
    if (EditExcerpt(page, excerpts[static_cast<std::size_t>(entry)]) != 1)
        return;
    RefillExcerpts(page, excerpts);
    SelectRow(page, RowOfEntry(excerpts, static_cast<std::size_t>(entry)));
    TellHost(page);
}

void RemoveSelectedExcerpt(HWND page, Excerpts& excerpts)
{
    const int entry = SelectedListEntry(PageList(page), excerpts);
    if (entry < 0)
        return;
    excerpts.SetMark(static_cast<std::size_t>(entry), 1);
    RefillExcerpts(page, excerpts);
    TellHost(page);
}

BOOL InitExcerptPage(HWND page, LPARAM parameter)
{
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    AttachBitmapButtons(page, PageButtons);
    ShowItems(page, MoveButtons, std::size(MoveButtons), false);
    SetUpListColumns(PageList(page), {{"EXCERPT_HEADING1", 200}, {"EXCERPT_HEADING2", 100}, {"EXCERPT_HEADING3", 40}});
    if (Excerpts* excerpts = PageExcerpts(page))
        RefillExcerpts(page, *excerpts);
    return TRUE;
}

BOOL ExcerptCommand(HWND page, Excerpts& excerpts, int command)
{
    switch (command) {
    case IDC_EXCERPTS_NEW:
        // A source takes excerpts once it is stored: its window asks to save a new one first and then
        // sends the command back.
        if (excerpts.keyId == 0)
            SendMessageA(GetParent(page), WM_COMMAND, IDM_INSERT_EXCERPTREF, 0);
        else
            AddExcerpt(page, excerpts);
        return TRUE;
    case IDM_INSERT_EXCERPTREF:
        AddExcerpt(page, excerpts);
        return TRUE;
    case IDC_EXCERPTS_EDIT:
    case IDM_VIEW_DATA:
        EditSelectedExcerpt(page, excerpts);
        return TRUE;
    case IDC_EXCERPTS_REMOVE:
    case IDM_EDIT_DELETE:
        RemoveSelectedExcerpt(page, excerpts);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR ExcerptPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (INT_PTR answer = FALSE; AnswerButtonPageLifetime(page, message, lParam, PageButtons, InitExcerptPage, answer))
        return answer;
    Excerpts* excerpts = PageExcerpts(page);
    if (excerpts == nullptr)
        return FALSE;
    switch (message) {
    case WM_SIZE:
        ArrangePage(page, LOWORD(lParam), HIWORD(lParam), true, false);
        return TRUE;
    case WM_SHOWWINDOW:
        UpdateExcerptCommands(page, wParam != FALSE);
        return FALSE;
    case WM_COMMAND:
        return ExcerptCommand(page, *excerpts, LOWORD(wParam));
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_EXCERPTS_LIST)
            return FALSE;
        if (PostListPageShortcut(page, header))
            return TRUE;
        if (header->code == LVN_ITEMCHANGED && (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE))
            UpdateExcerptCommands(page, IsWindowVisible(page) != FALSE);
        return TRUE;
    }
    default:
        // The rows carry positions in the list; whenever the host may have changed the list, they are
        // made again, so that no row names a position that now holds another excerpt or none.
        if (message == WM_PAGEREFRESH || message == WM_SOURCEDELETED) {
            RefillExcerpts(page, *excerpts);
            return TRUE;
        }
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK ExcerptRefPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ReferencePageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

HWND CreateExcerptRefPage(HWND host, RecordList<ExcerptRef>& references)
{
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_EXCERPTREF_PAGE), host, ExcerptRefPageDlgProc,
                              reinterpret_cast<LPARAM>(&references));
}

INT_PTR CALLBACK ExcerptListPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ExcerptPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
