#include "records/ui/repository_window.h"

#include <commctrl.h>

#include <iterator>
#include <memory>

#include "core/address_record.h"
#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/ui/note_page.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "records/record_lists.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_window.h"
#include "records/ui/source_window.h"
#include "res/core_resource.h"
#include "res/frame_resource.h"
#include "res/sources_resource.h"
#include "settings/settings.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/question_box.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* RepositoryHelpTopic = "Window_Repository.htm";

enum RepositoryTab : int { TabNote, TabSources, TabCount };

struct RepositoryWindow : RecordWindow {
    HWND pages[TabCount] = {};
    std::unique_ptr<RepositoryRecord> repository;

    WPARAM RecordKind() const override { return RecordKindRepository; }
    std::int32_t RecordId() const override { return repository->Id(); }
    UINT DeletedNotice() const override { return WM_REPOSITORYDELETED; }
    // A deleted source took its references along; a saved one may have a new title.
    bool IsEditorNotice(UINT message) const override
    {
        return message == WM_SOURCEDELETED || message == WM_REPREFSCHANGED || message == WM_SOURCESAVED;
    }
    HWND CurrentPage() const override;
    void EnableCommands() override { UpdateRepositoryCommands(window); }
    void DisableCommands() override { DisableRepositoryCommands(); }
    bool Save() override;
    const char* SaveQuestionKey() const override { return "REPOS_SAVE_QUESTION"; }
    const char* SaveTitleKey() const override { return "REPOS_SAVE_TITLE"; }
    const char* HelpTopic() const override { return RepositoryHelpTopic; }
};

// The nine fields: where each is kept and how many characters it keeps.
struct Field {
    int item;
    char* (*text)(RepositoryRecord& repository);
    int limit;
};

const Field Fields[] = {
    {IDC_REPOSITORY_NAME, [](RepositoryRecord& r) { return r.row.name; }, sizeof RepositoryRow::name - 1},
    {IDC_REPOSITORY_LINE1, [](RepositoryRecord& r) { return r.Address()->row.line1; }, sizeof AddressRow::line1 - 1},
    {IDC_REPOSITORY_LINE2, [](RepositoryRecord& r) { return r.Address()->row.line2; }, sizeof AddressRow::line2 - 1},
    {IDC_REPOSITORY_CITY, [](RepositoryRecord& r) { return r.Address()->row.city; }, sizeof AddressRow::city - 1},
    {IDC_REPOSITORY_COUNTRY, [](RepositoryRecord& r) { return r.Address()->row.country; }, sizeof AddressRow::country - 1},
    {IDC_REPOSITORY_PHONE, [](RepositoryRecord& r) { return r.Address()->row.phone; }, sizeof AddressRow::phone - 1},
    {IDC_REPOSITORY_FAX, [](RepositoryRecord& r) { return r.Address()->row.fax; }, sizeof AddressRow::fax - 1},
    {IDC_REPOSITORY_EMAIL, [](RepositoryRecord& r) { return r.row.email; }, sizeof RepositoryRow::email - 1},
    {IDC_REPOSITORY_URL, [](RepositoryRecord& r) { return r.row.url; }, sizeof RepositoryRow::url - 1},
};

void FillRepositoryFields(RepositoryWindow& state)
{
    state.filling = true;
    for (const Field& field : Fields)
        SetDlgItemTextA(state.editor, field.item, field.text(*state.repository));
    state.filling = false;
}

void ReadRepositoryFields(RepositoryWindow& state)
{
    for (const Field& field : Fields) {
        char* stored = field.text(*state.repository);
        char text[RepositoryTextSize] = {};
        GetDlgItemTextA(state.editor, field.item, text, field.limit + 1);
        StoreField(stored, static_cast<std::size_t>(field.limit) + 1, text);
    }
}

HWND TabsOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_REPOSITORY_TABS);
}

HWND RepositoryWindow::CurrentPage() const
{
    return SelectedTabData(TabsOf(editor), TabNote) == TabSources ? pages[TabSources] : pages[TabNote];
}

void LayOutDialog(const RepositoryWindow& state, int w, int h)
{
    if (w < 200)
        w = 200;
    if (h < 350)
        h = 350;
    constexpr int LabelWidth = 100;
    constexpr int FieldLeft = 115;
    constexpr int RowHeight = 26;
    ItemPlacement items(state.editor, 24);
    int y = 10;
    for (std::size_t i = 0; i < std::size(Fields); ++i) {
        const bool inAddress = i >= 1 && i <= 6;
        if (i == 1) {
            items.Place(IDC_REPOSITORY_ADDRESS_GROUP, 10, y, w - 20, 6 * RowHeight + 24);
            y += 20;
        }
        const int labelLeft = inAddress ? 20 : 10;
        const int fieldWidth = inAddress ? w - FieldLeft - 20 : w - FieldLeft - 10;
        items.Place(Fields[i].item + IDC_REPOSITORY_FIELD_LABEL_OFFSET, labelLeft, y + 3, LabelWidth - labelLeft + 10,
                    14);
        items.Place(Fields[i].item, FieldLeft, y, fieldWidth, 20);
        y += RowHeight;
        if (i == 6)
            y += 10;
    }
    items.Place(IDC_REPOSITORY_TABS, 10, 300 - 10, w - 24, h - 300);
}

bool SaveRepository(RepositoryWindow& state)
{
    RepositoryRecord& repository = *state.repository;
    ReadRepositoryFields(state);
    SendMessageA(state.pages[TabNote], WM_COMMAND, IDOK, 0);
    if (!RunWriteTransaction(repository.OwnerDatabase(), [&] { return repository.Save(); })) {
        ShowWriteFailure(state.editor);
        return false;
    }
    if (CurrentSettings.repository.IncludeNew != 0)
        if (RepositoryListState* list = RepositoryListOf(repository.OwnerDatabase()))
            list->AddOpened(repository);
    SetRepositoryWindowTitle(state.window, repository);
    state.changed = false;
    UpdateRepositoryCommands(state.window);
    return true;
}

bool RepositoryWindow::Save()
{
    return SaveRepository(*this);
}

void DeleteRepository(RepositoryWindow& state)
{
    if (!ConfirmDeletion(state.editor, "REPOS_DELETE_MSG", "REPOS_DELETE_TITLE",
                         CurrentSettings.edit.DeleteRepositoryWarning, "DeleteRepositoryWarning"))
        return;
    RepositoryRecord& repository = *state.repository;
    const std::int32_t id = repository.Id();
    if (id != 0 && !repository.Delete()) {
        ShowWriteFailure(state.editor);
        return;
    }
    if (id != 0)
        if (RepositoryListState* list = RepositoryListOf(repository.OwnerDatabase()))
            list->RemoveOpened(id);
    CloseAfterDeletion(state, id);
}

void MergeRepository(RepositoryWindow& state)
{
    RepositoryRecord& repository = *state.repository;
    if (!StoreBeforeMerge(state, "REPOS_MERGE_SAVE"))
        return;
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_REPOSITORY_MERGE), state.editor, RepositoryMergeDlgProc,
                    reinterpret_cast<LPARAM>(&repository));
    // A merge, or one the engine refused, may have given the repository new objects: show them again.
    FillRepositoryFields(state);
    SendMessageA(state.pages[TabNote], WM_PAGEREFRESH, 0, reinterpret_cast<LPARAM>(repository.Note()));
    SendMessageA(state.pages[TabSources], WM_PAGEREFRESH, 0, 0);
    SetRepositoryWindowTitle(state.window, repository);
    state.changed = false;
    UpdateRepositoryCommands(state.window);
}

void DialogCommand(RepositoryWindow& state, UINT command, UINT notification, LPARAM)
{
    switch (command) {
    case IDM_FILE_SAVE:
        SaveRepository(state);
        return;
    case IDM_EDIT_DELREPOSITORY:
        DeleteRepository(state);
        return;
    case IDM_TOOLS_MERGE:
        MergeRepository(state);
        return;
    case IDM_HELP_BUTTON:
        ShowHelpTopic(HelpDisplayTopic, RepositoryHelpTopic);
        return;
    default:
        for (const Field& field : Fields)
            if (field.item == static_cast<int>(command) && notification == EN_CHANGE)
                MarkRecordChanged(state);
        return;
    }
}

void InitDialog(HWND dialog, RepositoryWindow& state)
{
    AttachEditor(dialog, state);
    for (const Field& field : Fields)
        SendDlgItemMessageA(dialog, field.item, EM_LIMITTEXT, field.limit, 0);
    FillRepositoryFields(state);
    HWND tabs = TabsOf(dialog);
    AddTab(tabs, "REPOS_NOTE", TabNote);
    AddTab(tabs, "REPOS_SOURCES", TabSources);
    state.pages[TabNote] = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_NOTE_PAGE), dialog, NotePageDlgProc,
                                              reinterpret_cast<LPARAM>(state.repository->Note()));
    state.pages[TabSources] =
        CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_REPOSITORY_REFS), dialog, RepositorySourcesPageDlgProc,
                           reinterpret_cast<LPARAM>(&state.repository->References()));
    RaisePages(state.pages);
    PlacePages(tabs, state.pages);
    SendMessageA(tabs, TCM_SETCURSEL, TabNote, 0);
    ShowWindow(state.pages[TabNote], SW_SHOW);
    state.changed = false;
}

void ReloadReferences(RepositoryWindow& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    state.repository->References().Clear();
    state.repository->LoadReferences();
    SendMessageA(state.pages[TabSources], message, wParam, lParam);
}

bool DialogNotice(RepositoryWindow& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAGECHANGED) {
        MarkRecordChanged(state);
        return true;
    }
    // A deleted source took its references along; a saved one may have a new title.
    if (message == WM_REPREFSCHANGED || message == WM_SOURCEDELETED || message == WM_SOURCESAVED) {
        ReloadReferences(state, message, wParam, lParam);
        return true;
    }
    return false;
}

constexpr TabbedEditor<RepositoryWindow> RepositoryEditor = {IDC_REPOSITORY_TABS, InitDialog, LayOutDialog,
                                                             DialogCommand, DialogNotice};

INT_PTR DialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerTabbedEditorMessage(RepositoryEditor, dialog, message, wParam, lParam);
}

std::unique_ptr<RepositoryRecord> LoadRepository(std::int32_t id, Database& database)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    auto repository = id != 0 ? std::make_unique<RepositoryRecord>(id, database)
                              : std::make_unique<RepositoryRecord>(database);
    if (repository->Id() != 0 && CurrentSettings.repository.IncludeOpened != 0)
        if (RepositoryListState* list = RepositoryListOf(database))
            list->AddOpened(*repository);
    repository->LoadLinked();
    return repository;
}

LRESULT CreateRepositoryWindow(HWND window, LPARAM createStruct)
{
    if (CurrentDatabase == nullptr)
        return -1;
    auto state = std::make_unique<RepositoryWindow>();
    state->repository = LoadRepository(CreationRecordId(createStruct), *CurrentDatabase);
    if (state->repository->Address() == nullptr || state->repository->Note() == nullptr)
        return -1;
    return StartRecordWindow(
        window, std::move(state),
        [](HWND captioned, const RepositoryWindow& shown) { SetRepositoryWindowTitle(captioned, *shown.repository); },
        IDD_REPOSITORY, RepositoryDlgProc);
}

LRESULT RepositoryWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreateRepositoryWindow(window, lParam);
    return AnswerRecordWindowMessage(window, message, wParam, lParam);
}

// The sources page.
using References = RecordList<RepositoryRef>;

References* PageReferences(HWND page)
{
    return reinterpret_cast<References*>(GetWindowLongPtrA(page, DWLP_USER));
}

void FillSourcesList(HWND page)
{
    HWND list = GetDlgItem(page, IDC_RECORD_PAGE_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    References* references = PageReferences(page);
    if (references == nullptr || CurrentDatabase == nullptr)
        return;
    EngineTransaction transaction(CurrentDatabase->file, TLV_READWRITE);
    SourceRecord source(*CurrentDatabase);
    for (std::size_t i = 0; i < references->Count(); ++i) {
        if (references->IsMarked(i))
            continue;
        const RepositoryRef& reference = (*references)[i];
        if (source.Read(reference.row.sourceId) != 0)
            source.row = {};
        AppendListRow(list, i, {source.row.title, source.row.author, reference.row.callNumber});
    }
}

void OpenSelectedSource(HWND page)
{
    References* references = PageReferences(page);
    const int selected = references != nullptr ? SelectedListEntry(GetDlgItem(page, IDC_RECORD_PAGE_LIST), *references) : -1;
    if (selected < 0)
        return;
    if (const std::int32_t id = (*references)[static_cast<std::size_t>(selected)].row.sourceId; id != 0)
        OpenSourceWindow(id);
}

INT_PTR SourcesPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpListColumns(GetDlgItem(page, IDC_RECORD_PAGE_LIST), {{"REPOS_SOURCES_TITLE", 150},
                                                                   {"REPOS_SOURCES_AUTHOR", 150},
                                                                   {"REPOS_SOURCES_CALLNUMBER", 100}});
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        FillSourcesList(page);
        return TRUE;
    case WM_SIZE:
        FitListToPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_RECORD_PAGE_LIST && header->code == NM_DBLCLK)
            OpenSelectedSource(page);
        return TRUE;
    }
    default:
        if (message == WM_PAGEREFRESH || message == WM_REPREFSCHANGED || message == WM_SOURCEDELETED ||
            message == WM_SOURCESAVED) {
            FillSourcesList(page);
            return TRUE;
        }
        return FALSE;
    }
}

} // namespace

HWND OpenRepositoryWindow(std::int32_t id)
{
    return OpenRecordWindow(RecordKindRepository, "RepositoryWClass", "REPOSITORY_TITLE",
                            CurrentSettings.edit.RepositoryWindowX, CurrentSettings.edit.RepositoryWindowY, id);
}

void SetRepositoryWindowTitle(HWND window, const RepositoryRecord& repository)
{
    SetWindowTextA(window, RecordWindowCaption("REPOS_EDIT_TITLE", repository.row.name, repository.Id() == 0,
                                               "REPOS_EDIT_NEW")
                               .c_str());
}

void UpdateRepositoryCommands(HWND window)
{
    if (ActiveChild != window)
        return;
    const RepositoryWindow* state = RecordWindowOf<RepositoryWindow>(window);
    if (state == nullptr)
        return;
    EnableFrameCommand(IDM_TOOLS_MERGE, true);
    EnableFrameCommand(IDM_EDIT_DELREPOSITORY, true);
    EnableFrameCommand(IDM_FILE_SAVE, state->changed);
    EnableFrameCommand(IDM_HELP_BUTTON, true);
}

void DisableRepositoryCommands()
{
    for (UINT command : {IDM_FILE_SAVE, IDM_EDIT_DELREPOSITORY, IDM_TOOLS_MERGE, IDM_HELP_BUTTON})
        EnableFrameCommand(command, false);
}

LRESULT CALLBACK RepositoryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<RepositoryWindowMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

INT_PTR CALLBACK RepositoryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<DialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK RepositorySourcesPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SourcesPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
