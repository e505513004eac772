#include "records/ui/repository_refs_page.h"

#include <commctrl.h>
#include <richedit.h>

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/note_text.h"
#include "core/ui/note_page.h"
#include "core/write_transaction.h"
#include "records/repository_record.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_list_windows.h"
#include "records/ui/record_window.h"
#include "res/frame_resource.h"
#include "res/sources_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* ReferenceHelpTopic = "Window_RepositoryReference.htm";

using References = RecordList<RepositoryRef>;

References* PageReferences(HWND page)
{
    return reinterpret_cast<References*>(GetWindowLongPtrA(page, DWLP_USER));
}

HWND PageList(HWND page)
{
    return GetDlgItem(page, IDC_RECORD_PAGE_LIST);
}

void FillReferences(HWND page)
{
    HWND list = PageList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    References* references = PageReferences(page);
    if (references == nullptr || CurrentDatabase == nullptr)
        return;
    Database& database = *CurrentDatabase;
    EngineTransaction transaction(database.file, TLV_READWRITE);
    RepositoryRecord repository(database);
    for (std::size_t i = 0; i < references->Count(); ++i) {
        if (references->IsMarked(i))
            continue;
        const RepositoryRef& reference = (*references)[i];
        // A reference whose repository is gone is listed without a name.
        repository.Read(reference.row.repositoryId);
        AppendListRow(list, i, {repository.row.name, reference.row.callNumber});
    }
}

// The selected entry's reference, or null.
RepositoryRef* SelectedReference(HWND page, std::size_t* index = nullptr)
{
    References* references = PageReferences(page);
    const int selected = references != nullptr ? SelectedListEntry(PageList(page), *references) : -1;
    if (selected < 0)
        return nullptr;
    if (index != nullptr)
        *index = static_cast<std::size_t>(selected);
    return &(*references)[static_cast<std::size_t>(selected)];
}

bool SaveReference(HWND owner, RepositoryRef& reference)
{
    if (RunWriteTransaction(reference.OwnerDatabase(), [&] { return reference.Save(); }))
        return true;
    ShowWriteFailure(owner);
    return false;
}

void EditSelectedReference(HWND page)
{
    RepositoryRef* reference = SelectedReference(page);
    if (reference == nullptr)
        return;
    if (reference->Note() == nullptr)
        reference->LoadNote();
    if (DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_REPOSITORY_REF), page, RepositoryRefDlgProc,
                        reinterpret_cast<LPARAM>(reference)) != 1)
        return;
    if (SaveReference(page, *reference))
        PostNoticeToFrame(WM_REPREFSCHANGED, 0, 0);
}

void DeleteSelectedReference(HWND page)
{
    std::size_t index = 0;
    RepositoryRef* reference = SelectedReference(page, &index);
    if (reference == nullptr)
        return;
    if (reference->Id() != 0 &&
        !RunWriteTransaction(reference->OwnerDatabase(), [&] { return reference->Delete(); })) {
        ShowWriteFailure(page);
        return;
    }
    // Until the host reloads the list the entry stays in it: marked and without an id, so that no later
    // save of the source writes it again under an id that may be another reference's by then.
    reference->SetId(0);
    PageReferences(page)->SetMark(index, 1);
    FillReferences(page);
    UpdateRepositoryRefCommands(page);
    PostNoticeToFrame(WM_REPREFSCHANGED, 0, 0);
}

void EnableItemCommands(HWND page, bool enable)
{
    if (IsInActiveRecordWindow(page))
        EnableFrameEditAndDelete(enable);
}

INT_PTR PageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpListColumns(PageList(page), {{"SOURCE_REPREF_HEADING1", 200}, {"SOURCE_REPREF_HEADING2", 150}});
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        FillReferences(page);
        return TRUE;
    case WM_SIZE:
        FitListToPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam)
            UpdateRepositoryRefCommands(page);
        else
            EnableItemCommands(page, false);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_INSERT_REPREF:
            if (References* references = PageReferences(page))
                AddRepositoryRef(page, *references);
            return TRUE;
        case IDM_VIEW_DATA:
            EditSelectedReference(page);
            return TRUE;
        case IDM_EDIT_DELETE:
            DeleteSelectedReference(page);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_RECORD_PAGE_LIST)
            return FALSE;
        if (PostListPageShortcut(page, header))
            return TRUE;
        if (header->code == LVN_ITEMCHANGED) {
            if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)
                UpdateRepositoryRefCommands(page);
        }
        return TRUE;
    }
    default:
        if (message == WM_PAGEREFRESH || message == WM_REPREFSCHANGED || message == WM_REPOSITORYDELETED) {
            FillReferences(page);
            UpdateRepositoryRefCommands(page);
            return TRUE;
        }
        return FALSE;
    }
}

// The reference dialog's copy of what it edits.
struct ReferenceEdit {
    RepositoryRef* reference;
    std::int32_t repositoryId;
};

void ShowRepositoryName(HWND dialog, std::int32_t repositoryId)
{
    RepositoryRecord repository(repositoryId, *CurrentDatabase);
    SetDlgItemTextA(dialog, IDC_REPREF_REPOSITORY, repository.row.name);
    EnableWindow(GetDlgItem(dialog, IDOK), repositoryId != 0);
}

INT_PTR InitReferenceDialog(HWND dialog, LPARAM parameter)
{
    TranslateDialog(dialog);
    CentreOnOwner(dialog);
    auto* reference = reinterpret_cast<RepositoryRef*>(parameter);
    ReferenceEdit& edit = AttachDialogState(dialog, std::make_unique<ReferenceEdit>(ReferenceEdit{reference, 0}));
    if (reference == nullptr || CurrentDatabase == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    edit.repositoryId = reference->row.repositoryId;
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    if (edit.repositoryId != 0)
        ShowRepositoryName(dialog, edit.repositoryId);
    SendDlgItemMessageA(dialog, IDC_REPREF_CALLNUMBER, EM_LIMITTEXT, CallNumberSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_REPREF_CALLNUMBER, reference->row.callNumber);
    HWND note = GetDlgItem(dialog, IDC_REPREF_NOTE);
    SendMessageA(note, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageA(note, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageA(note, EM_EXLIMITTEXT, 0, NotePageTextLimit);
    const NoteText* text = reference->Note();
    SetWindowTextA(note, text != nullptr && text->Text() != nullptr ? text->Text() : "");
    return TRUE;
}

void ReferenceCommand(HWND dialog, ReferenceEdit& edit, int command, int)
{
    switch (command) {
    case IDC_REPREF_SELECT:
        if (const std::int32_t id = SelectRepository(dialog, *CurrentDatabase); id != 0) {
            edit.repositoryId = id;
            ShowRepositoryName(dialog, id);
        }
        return;
    case IDOK: {
        if (edit.repositoryId == 0) {
            EndDialog(dialog, 0);
            return;
        }
        RepositoryRef& reference = *edit.reference;
        reference.row.repositoryId = edit.repositoryId;
        char callNumber[CallNumberSize] = {};
        GetDlgItemTextA(dialog, IDC_REPREF_CALLNUMBER, callNumber, sizeof callNumber);
        reference.SetCallNumber(callNumber);
        ReadNoteFromEdit(reference.EnsureNote(), GetDlgItem(dialog, IDC_REPREF_NOTE));
        EndDialog(dialog, 1);
        return;
    }
    default:
        return;
    }
}

INT_PTR ReferenceDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<ReferenceEdit>(dialog, message, wParam, lParam, ReferenceHelpTopic,
                                               InitReferenceDialog, ReferenceCommand);
}

} // namespace

bool AddRepositoryRef(HWND owner, RecordList<RepositoryRef>& references)
{
    if (CurrentDatabase == nullptr)
        return false;
    auto reference = std::make_unique<RepositoryRef>(*CurrentDatabase);
    reference->LoadNote();
    reference->row.sourceId = references.keyId;
    if (DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_REPOSITORY_REF), owner, RepositoryRefDlgProc,
                        reinterpret_cast<LPARAM>(reference.get())) != 1)
        return false;
    if (!SaveReference(owner, *reference))
        return false;
    PostNoticeToFrame(WM_REPREFSCHANGED, static_cast<WPARAM>(reference->row.repositoryId),
                      static_cast<LPARAM>(reference->row.sourceId));
    return true;
}

void UpdateRepositoryRefCommands(HWND page)
{
    EnableItemCommands(page, SelectedReference(page) != nullptr);
}

INT_PTR CALLBACK RepositoryRefsPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

INT_PTR CALLBACK RepositoryRefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ReferenceDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
