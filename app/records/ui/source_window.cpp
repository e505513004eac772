#include "records/ui/source_window.h"

#include <commctrl.h>

#include <iterator>
#include <memory>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/ui/note_page.h"
#include "language/language_table.h"
#include "records/record_lists.h"
#include "records/source_record.h"
#include "records/ui/excerpt_pages.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_list_windows.h"
#include "records/ui/record_window.h"
#include "records/ui/repository_refs_page.h"
#include "records/ui/task_dialog.h"
#include "res/core_resource.h"
#include "res/excerpts_resource.h"
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

constexpr const char* SourceHelpTopic = "Window_Source.htm";

// The editor's pages; a tab carries its page's kind.
enum SourcePage : int { PageText, PageExcerpts, PageRepositories, PageSubordinates, PageTasks, PageNote, PageCount };

struct SourceWindow : RecordWindow {
    HWND pages[PageCount] = {};
    std::unique_ptr<SourceRecord> source;

    WPARAM RecordKind() const override { return RecordKindSource; }
    std::int32_t RecordId() const override { return source->Id(); }
    UINT DeletedNotice() const override { return WM_SOURCEDELETED; }
    bool IsEditorNotice(UINT message) const override
    {
        return message == WM_SOURCEDELETED || message == WM_REPOSITORYDELETED || message == WM_TASKSCHANGED ||
               message == WM_REPREFSCHANGED || message == WM_SOURCESAVED;
    }
    HWND CurrentPage() const override;
    void EnableCommands() override { EnableSourceCommands(window); }
    void DisableCommands() override { DisableSourceCommands(); }
    bool Save() override;
    const char* SaveQuestionKey() const override { return "SOURCE_SAVE_QUESTION"; }
    const char* SaveTitleKey() const override { return "SOURCE_SAVE_TITLE"; }
    const char* HelpTopic() const override { return SourceHelpTopic; }
};

// A page is a child dialog over its object; one that cannot be made answers null and gets no tab.
HWND CreateDialogPage(HWND editor, int resource, DLGPROC procedure, void* parameter)
{
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(resource), editor, procedure,
                              reinterpret_cast<LPARAM>(parameter));
}

HWND CreateExcerptsPage(HWND editor, SourceRecord& source)
{
    return CreateDialogPage(editor, IDD_EXCERPTREF_PAGE, ExcerptListPageDlgProc, &source.Excerpts());
}

HWND CreateSourceTaskPage(HWND editor, SourceRecord& source)
{
    return CreateTaskPage(editor, source.Tasks());
}

struct TabPage {
    SourcePage page;
    const char* tabKey;
    HWND (*create)(HWND editor, SourceRecord& source);
};

const TabPage Pages[] = {
    {PageText, "SOURCE_EDIT_TEXT",
     [](HWND editor, SourceRecord& source) { return CreateDialogPage(editor, IDD_NOTE_PAGE, NotePageDlgProc, source.Text()); }},
    {PageExcerpts, "SOURCE_EDIT_EXCERPTS", CreateExcerptsPage},
    {PageRepositories, "SOURCE_EDIT_REPOSITORIES",
     [](HWND editor, SourceRecord& source) {
         return CreateDialogPage(editor, IDD_REPOSITORY_REFS, RepositoryRefsPageDlgProc, &source.RepositoryRefs());
     }},
    {PageSubordinates, "SOURCE_EDIT_SUBORDINATES",
     [](HWND editor, SourceRecord& source) {
         return CreateDialogPage(editor, IDD_SOURCE_SUBORDINATES, SubordinateSourcesPageDlgProc, &source.Subordinates());
     }},
    {PageTasks, "SOURCE_EDIT_TASKS", CreateSourceTaskPage},
    {PageNote, "SOURCE_EDIT_NOTE",
     [](HWND editor, SourceRecord& source) { return CreateDialogPage(editor, IDD_NOTE_PAGE, NotePageDlgProc, source.Note()); }},
};

const char* const ClassKeys[] = {
    "SOURCE_CLASS_BOOK",    "SOURCE_CLASS_SERIES",   "SOURCE_CLASS_ISSUE",   "SOURCE_CLASS_ARTICLE", "SOURCE_CLASS_PART",
    "SOURCE_CLASS_CHAPTER", "SOURCE_CLASS_DOCUMENT", "SOURCE_CLASS_SECTION", "SOURCE_CLASS_EXCERPT",
};
const char* const KindKeys[] = {"SOURCE_KIND_UNKNOWN", "SOURCE_KIND_ORIGINAL", "SOURCE_KIND_REPRINT", "SOURCE_KIND_COPY"};
const char* const MediaKeys[] = {
    "SOURCE_MEDIA_UNKNOWN",     "SOURCE_MEDIA_OTHER",     "SOURCE_MEDIA_AUDIO",     "SOURCE_MEDIA_DIGITAL",
    "SOURCE_MEDIA_FICHE",       "SOURCE_MEDIA_HANDWRITTEN", "SOURCE_MEDIA_INSCRIPTION", "SOURCE_MEDIA_MICROFILM",
    "SOURCE_MEDIA_PHOTO",       "SOURCE_MEDIA_PRINTED",   "SOURCE_MEDIA_VIDEO",
};

// What the row keeps of each text field.
constexpr int AuthorLimit = sizeof SourceRow::author - 1;
constexpr int TitleLimit = sizeof SourceRow::title - 1;
constexpr int ShortTitleLimit = sizeof SourceRow::shortTitle - 1;
constexpr int PublishedLimit = sizeof SourceRow::published - 1;
constexpr int SerialLimit = sizeof SourceRow::serialNumber - 1;

void FillCodeList(HWND editor, int item, const char* const* keys, std::size_t count)
{
    HWND list = GetDlgItem(editor, item);
    for (std::size_t i = 0; i < count; ++i)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(keys[i])));
}

// A stored code outside the list shows as its first entry, the text the code reads as.
void SelectCode(HWND editor, int item, std::uint8_t code, std::size_t count)
{
    SendDlgItemMessageA(editor, item, CB_SETCURSEL, code < count ? code : 0, 0);
}

std::uint8_t SelectedCode(HWND editor, int item)
{
    const LRESULT selected = SendDlgItemMessageA(editor, item, CB_GETCURSEL, 0, 0);
    return selected > 0 ? static_cast<std::uint8_t>(selected) : 0;
}

void ShowSourceFields(HWND editor, SourceWindow& state)
{
    const SourceRow& row = state.source->row;
    state.filling = true;
    SetDlgItemTextA(editor, IDC_SOURCE_AUTHOR, row.author);
    SetDlgItemTextA(editor, IDC_SOURCE_TITLE, row.title);
    SetDlgItemTextA(editor, IDC_SOURCE_SHORT, row.shortTitle);
    SetDlgItemTextA(editor, IDC_SOURCE_PUBLISHED, row.published);
    SendDlgItemMessageA(editor, IDC_SOURCE_SERIAL_TYPE, CB_SETCURSEL, row.serialType != SerialIsbn ? 1 : 0, 0);
    SetDlgItemTextA(editor, IDC_SOURCE_SERIAL, row.serialNumber);
    SelectCode(editor, IDC_SOURCE_CLASS, row.sourceClass, std::size(ClassKeys));
    SelectCode(editor, IDC_SOURCE_KIND, row.kind, std::size(KindKeys));
    SelectCode(editor, IDC_SOURCE_MEDIA, row.media, std::size(MediaKeys));
    SetDlgItemTextA(editor, IDC_SOURCE_SUPERIOR,
                    SourceTitleText(row.superiorId, state.source->OwnerDatabase()).c_str());
    state.filling = false;
}

void ReadSourceFields(HWND editor, SourceRecord& source)
{
    SourceRow& row = source.row;
    char text[sizeof row.title] = {};
    GetDlgItemTextA(editor, IDC_SOURCE_AUTHOR, text, AuthorLimit + 1);
    source.SetAuthor(text);
    GetDlgItemTextA(editor, IDC_SOURCE_TITLE, text, TitleLimit + 1);
    source.SetTitle(text);
    GetDlgItemTextA(editor, IDC_SOURCE_SHORT, text, ShortTitleLimit + 1);
    source.SetShortTitle(text);
    GetDlgItemTextA(editor, IDC_SOURCE_PUBLISHED, text, PublishedLimit + 1);
    StoreField(row.published, sizeof row.published, text);
    GetDlgItemTextA(editor, IDC_SOURCE_SERIAL, text, SerialLimit + 1);
    StoreField(row.serialNumber, sizeof row.serialNumber, text);
    row.serialType = SelectedCode(editor, IDC_SOURCE_SERIAL_TYPE) == 1 ? SerialIssn : SerialIsbn;
    row.sourceClass = SelectedCode(editor, IDC_SOURCE_CLASS);
    row.kind = SelectedCode(editor, IDC_SOURCE_KIND);
    row.media = SelectedCode(editor, IDC_SOURCE_MEDIA);
}

HWND TabsOf(HWND editor)
{
    return GetDlgItem(editor, IDC_SOURCE_TABS);
}

SourcePage CurrentPage(HWND editor)
{
    return static_cast<SourcePage>(SelectedTabData(TabsOf(editor), PageCount));
}

HWND SourceWindow::CurrentPage() const
{
    const SourcePage page = ::CurrentPage(editor);
    return page < PageCount ? pages[page] : nullptr;
}

void LayOutEditor(HWND editor, int w, int h)
{
    if (w < 380)
        w = 380;
    if (h < 250)
        h = 250;
    RECT button;
    GetWindowRect(GetDlgItem(editor, IDC_SOURCE_SUPERIOR_CLEAR), &button);
    const int b = button.right - button.left;
    const int bh = button.bottom - button.top;
    constexpr int ListDrop = 200; // a drop-down list's height with its list open
    struct Place {
        int item, x, y, width, height;
    };
    const int shortWidth = w - 362 < 170 ? w - 362 : 170;
    const Place places[] = {
        {IDC_SOURCE_SERIAL_LABEL, w - 222, 10, 72, 14},
        {IDC_SOURCE_CLASS_LABEL, w - 222, 36, 72, 14},
        {IDC_SOURCE_KIND_LABEL, w - 222, 62, 72, 14},
        {IDC_SOURCE_MEDIA_LABEL, w - 222, 88, 72, 14},
        {IDC_SOURCE_SERIAL_TYPE, w - 148, 7, 50, ListDrop},
        {IDC_SOURCE_SERIAL, w - 93, 7, 79, 20},
        {IDC_SOURCE_CLASS, w - 148, 33, 134, ListDrop},
        {IDC_SOURCE_KIND, w - 148, 59, 134, ListDrop},
        {IDC_SOURCE_MEDIA, w - 148, 85, 134, ListDrop},
        {IDC_SOURCE_AUTHOR_LABEL, 10, 10, 108, 14},
        {IDC_SOURCE_TITLE_LABEL, 10, 36, 108, 14},
        {IDC_SOURCE_SHORT_LABEL, 10, 62, 108, 14},
        {IDC_SOURCE_PUBLISHED_LABEL, 10, 88, 108, 14},
        {IDC_SOURCE_SUPERIOR_LABEL, 10, 114, 108, 14},
        {IDC_SOURCE_AUTHOR, 120, 7, w - 362, 20},
        {IDC_SOURCE_TITLE, 120, 33, w - 362, 20},
        {IDC_SOURCE_PUBLISHED, 120, 85, w - 362, 20},
        {IDC_SOURCE_SHORT, 120, 59, shortWidth, 20},
        {IDC_SOURCE_SUPERIOR, 120, 111, w - 2 * b - 154, 20},
        {IDC_SOURCE_SUPERIOR_CLEAR, w - b - 14, 109, b, bh},
        {IDC_SOURCE_SUPERIOR_SELECT, w - 2 * b - 24, 109, b, bh},
        {IDC_SOURCE_TABS, 10, 145, w - 24, h - 160},
    };
    ItemPlacement items(editor, static_cast<int>(std::size(places)));
    for (const Place& p : places)
        items.Place(p.item, p.x, p.y, p.width, p.height);
}

bool SaveSource(SourceWindow& state)
{
    SourceRecord& source = *state.source;
    ReadSourceFields(state.editor, source);
    for (SourcePage page : {PageText, PageNote})
        if (state.pages[page] != nullptr)
            SendMessageA(state.pages[page], WM_COMMAND, IDOK, 0);
    if (!source.Save()) {
        ShowWriteFailure(state.editor);
        return false;
    }
    SetSourceWindowCaption(state.window, source);
    state.changed = false;
    EnableSourceCommands(state.window);
    PostNoticeToFrame(WM_SOURCESAVED, 0, static_cast<LPARAM>(source.Id()));
    return true;
}

bool SourceWindow::Save()
{
    return SaveSource(*this);
}

void DeleteSource(SourceWindow& state)
{
    if (!ConfirmDeletion(state.editor, "SOURCE_DELETE_MSG", "SOURCE_DELETE_TITLE",
                         CurrentSettings.edit.DeleteSourceWarning, "DeleteSourceWarning"))
        return;
    const std::int32_t id = state.source->Id();
    if (id != 0 && !state.source->Delete()) {
        ShowWriteFailure(state.editor);
        return;
    }
    CloseAfterDeletion(state, id);
}

// A source gets children only once it is stored.
void NewItem(SourceWindow& state, UINT command, SourcePage page, const char* questionKey)
{
    if (state.pages[page] == nullptr)
        return;
    if (!EnsureRecordStored(state, questionKey, MB_ICONQUESTION))
        return;
    PassCommandToTab(state, TabsOf(state.editor), state.pages, page, command, 0);
}

// Shows the record again after a merge replaced its children and notes.
void RefreshAfterMerge(SourceWindow& state)
{
    SourceRecord& source = *state.source;
    source.Subordinates().Clear();
    source.LoadSubordinates();
    ShowSourceFields(state.editor, state);
    const std::pair<SourcePage, NoteText*> notes[] = {{PageText, source.Text()}, {PageNote, source.Note()}};
    for (const auto& [page, note] : notes)
        if (state.pages[page] != nullptr)
            SendMessageA(state.pages[page], WM_PAGEREFRESH, 0, reinterpret_cast<LPARAM>(note));
    for (SourcePage page : {PageExcerpts, PageRepositories, PageSubordinates})
        if (state.pages[page] != nullptr)
            SendMessageA(state.pages[page], WM_PAGEREFRESH, 0, 0);
    // The task page refills on the notice that its list was reloaded.
    if (state.pages[PageTasks] != nullptr)
        SendMessageA(state.pages[PageTasks], WM_TASKSCHANGED, 0, 0);
    SetSourceWindowCaption(state.window, source);
    state.changed = false;
    EnableSourceCommands(state.window);
}

void MergeSource(SourceWindow& state)
{
    if (!StoreBeforeMerge(state, "SOURCE_MERGE_SAVE"))
        return;
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SOURCE_MERGE), state.editor, MergeSourcesDlgProc,
                    reinterpret_cast<LPARAM>(state.source.get()));
    // Whatever the merge did, the record may have been reloaded: the pages are given its objects again.
    RefreshAfterMerge(state);
}

void ChooseSuperior(SourceWindow& state)
{
    if (CurrentDatabase == nullptr)
        return;
    const std::int32_t id = SelectSource(state.editor, *CurrentDatabase);
    if (id == 0 || id == state.source->Id())
        return;
    state.source->row.superiorId = id;
    SetDlgItemTextA(state.editor, IDC_SOURCE_SUPERIOR, SourceTitleText(id, state.source->OwnerDatabase()).c_str());
    MarkRecordChanged(state);
}

void ClearSuperior(SourceWindow& state)
{
    state.source->row.superiorId = 0;
    SetDlgItemTextA(state.editor, IDC_SOURCE_SUPERIOR, "");
    MarkRecordChanged(state);
}

void EditorCommand(SourceWindow& state, UINT command, UINT notification, LPARAM)
{
    switch (command) {
    case IDM_FILE_SAVE:
        SaveSource(state);
        return;
    case IDM_EDIT_DELSOURCE:
        DeleteSource(state);
        return;
    case IDM_INSERT_EXCERPTREF:
        NewItem(state, command, PageExcerpts, "SOURCE_EXCERPT_SAVE");
        return;
    case IDM_INSERT_REPREF:
        if (state.source->row.superiorId == 0)
            NewItem(state, command, PageRepositories, "SOURCE_REPREF_SAVE");
        return;
    case IDM_INSERT_TASK:
        NewItem(state, command, PageTasks, "SOURCE_TASK_SAVE");
        return;
    case IDM_EDIT_DELETE:
    case IDM_VIEW_DATA: {
        const SourcePage page = CurrentPage(state.editor);
        if (page == PageExcerpts || page == PageRepositories || page == PageSubordinates || page == PageTasks)
            if (HWND window = state.pages[page])
                SendMessageA(window, WM_COMMAND, command, 0);
        EnableSourceCommands(state.window);
        return;
    }
    case IDM_TOOLS_MERGE:
        MergeSource(state);
        return;
    case IDM_HELP_BUTTON:
        ShowHelpTopic(HelpDisplayTopic, SourceHelpTopic);
        return;
    case IDC_SOURCE_SUPERIOR_SELECT:
        ChooseSuperior(state);
        return;
    case IDC_SOURCE_SUPERIOR_CLEAR:
        ClearSuperior(state);
        return;
    case IDC_SOURCE_AUTHOR:
    case IDC_SOURCE_TITLE:
    case IDC_SOURCE_SHORT:
    case IDC_SOURCE_PUBLISHED:
    case IDC_SOURCE_SERIAL:
        if (notification == EN_CHANGE)
            MarkRecordChanged(state);
        return;
    case IDC_SOURCE_SERIAL_TYPE:
    case IDC_SOURCE_CLASS:
    case IDC_SOURCE_KIND:
    case IDC_SOURCE_MEDIA:
        if (notification == CBN_SELCHANGE)
            MarkRecordChanged(state);
        return;
    default:
        return;
    }
}

// A notice that replaced one of the source's lists: the list is loaded again and its page refills.
void ReloadForNotice(SourceWindow& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    SourceRecord& source = *state.source;
    SourcePage page = PageCount;
    if (message == WM_SOURCESAVED || message == WM_SOURCEDELETED) {
        source.Subordinates().Clear();
        source.LoadSubordinates();
        page = PageSubordinates;
    } else if (message == WM_REPREFSCHANGED || message == WM_REPOSITORYDELETED) {
        source.RepositoryRefs().Clear();
        source.LoadRepositoryRefs();
        page = PageRepositories;
    } else if (message == WM_TASKSCHANGED) {
        source.Tasks().Clear();
        source.LoadTasks();
        page = PageTasks;
    }
    if (page != PageCount && state.pages[page] != nullptr)
        SendMessageA(state.pages[page], message, wParam, lParam);
    // The excerpt page's rows name places in the excerpt list: a deletion elsewhere may have changed what
    // the list holds, so the page shows it afresh.
    if (message == WM_SOURCEDELETED && state.pages[PageExcerpts] != nullptr)
        SendMessageA(state.pages[PageExcerpts], message, wParam, lParam);
    EnableSourceCommands(state.window);
}

void InitEditor(HWND editor, SourceWindow& state)
{
    AttachEditor(editor, state);
    const std::pair<int, int> limits[] = {{IDC_SOURCE_AUTHOR, AuthorLimit},       {IDC_SOURCE_TITLE, TitleLimit},
                                          {IDC_SOURCE_SHORT, ShortTitleLimit},    {IDC_SOURCE_PUBLISHED, PublishedLimit},
                                          {IDC_SOURCE_SERIAL, SerialLimit}};
    for (const auto& [item, limit] : limits)
        SendDlgItemMessageA(editor, item, EM_LIMITTEXT, limit, 0);
    // The serial-number types are names of the standards, the same in every language.
    for (const char* type : {"ISBN", "ISSN"})
        SendDlgItemMessageA(editor, IDC_SOURCE_SERIAL_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    FillCodeList(editor, IDC_SOURCE_CLASS, ClassKeys, std::size(ClassKeys));
    FillCodeList(editor, IDC_SOURCE_KIND, KindKeys, std::size(KindKeys));
    FillCodeList(editor, IDC_SOURCE_MEDIA, MediaKeys, std::size(MediaKeys));
    ShowSourceFields(editor, state);

    HWND tabs = TabsOf(editor);
    for (const TabPage& entry : Pages) {
        state.pages[entry.page] = entry.create(editor, *state.source);
        if (state.pages[entry.page] != nullptr)
            AddTab(tabs, entry.tabKey, entry.page);
    }
    SendMessageA(tabs, TCM_SETCURSEL, 0, 0);
    RaisePages(state.pages);
    PlacePages(tabs, state.pages);
    state.changed = false;
    if (HWND page = state.CurrentPage())
        ShowWindow(page, SW_SHOW);
    EnableSourceCommands(state.window);
}

bool EditorNotice(SourceWindow& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAGECHANGED) {
        MarkRecordChanged(state);
        return true;
    }
    if (message == WM_SOURCESAVED || message == WM_SOURCEDELETED || message == WM_REPREFSCHANGED ||
        message == WM_REPOSITORYDELETED || message == WM_TASKSCHANGED) {
        ReloadForNotice(state, message, wParam, lParam);
        return true;
    }
    return false;
}

constexpr TabbedEditor<SourceWindow> SourceEditor = {
    IDC_SOURCE_TABS, InitEditor, [](const SourceWindow& state, int w, int h) { LayOutEditor(state.editor, w, h); },
    EditorCommand, EditorNotice};

INT_PTR EditorMessage(HWND editor, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerTabbedEditorMessage(SourceEditor, editor, message, wParam, lParam);
}

// Opens the source inside one transaction with its children and subordinate sources; a source that no
// longer reads opens as a new one.
std::unique_ptr<SourceRecord> LoadSource(std::int32_t id, Database& database)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    auto source = id != 0 ? std::make_unique<SourceRecord>(id, database) : std::make_unique<SourceRecord>(database);
    if (source->Id() != 0 && CurrentSettings.source.IncludeOpened != 0)
        if (SourceListState* list = SourceListOf(database))
            list->AddOpened(*source);
    source->LoadLinked();
    source->LoadSubordinates();
    return source;
}

LRESULT CreateSourceWindow(HWND window, LPARAM createStruct)
{
    if (CurrentDatabase == nullptr)
        return -1;
    auto state = std::make_unique<SourceWindow>();
    state->source = LoadSource(CreationRecordId(createStruct), *CurrentDatabase);
    return StartRecordWindow(
        window, std::move(state),
        [](HWND captioned, const SourceWindow& shown) { SetSourceWindowCaption(captioned, *shown.source); },
        IDD_SOURCE_EDIT, SourceEditDlgProc);
}

LRESULT SourceWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreateSourceWindow(window, lParam);
    return AnswerRecordWindowMessage(window, message, wParam, lParam);
}

// The subordinate-sources page.
using Subordinates = RecordList<SourceRecord>;

Subordinates* PageSubordinatesOf(HWND page)
{
    return reinterpret_cast<Subordinates*>(GetWindowLongPtrA(page, DWLP_USER));
}

void FillSubordinateList(HWND page)
{
    HWND list = GetDlgItem(page, IDC_RECORD_PAGE_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    Subordinates* subordinates = PageSubordinatesOf(page);
    if (subordinates == nullptr)
        return;
    for (std::size_t i = 0; i < subordinates->Count(); ++i) {
        const SourceRecord& source = (*subordinates)[i];
        const char* classText = source.row.sourceClass < std::size(ClassKeys) ? source.GetSourceClassText() : "";
        AppendListRow(list, i, {source.row.title, source.row.author, classText});
    }
}

void UpdateSubordinateCommands(HWND page, bool shown)
{
    if (!IsInActiveRecordWindow(page))
        return;
    Subordinates* subordinates = PageSubordinatesOf(page);
    EnableFrameCommand(IDM_VIEW_DATA, shown && subordinates != nullptr &&
                                          SelectedListEntry(GetDlgItem(page, IDC_RECORD_PAGE_LIST), *subordinates) >= 0);
}

void OpenSelectedSubordinate(HWND page)
{
    Subordinates* subordinates = PageSubordinatesOf(page);
    const int selected =
        subordinates != nullptr ? SelectedListEntry(GetDlgItem(page, IDC_RECORD_PAGE_LIST), *subordinates) : -1;
    if (selected < 0)
        return;
    if (const std::int32_t id = (*subordinates)[static_cast<std::size_t>(selected)].Id(); id != 0)
        OpenSourceWindow(id);
}

INT_PTR SubordinatePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpListColumns(GetDlgItem(page, IDC_RECORD_PAGE_LIST), {{"SOURCE_SUBORDINATE_HEADING1", 200},
                                                                   {"SOURCE_SUBORDINATE_HEADING2", 170},
                                                                   {"SOURCE_SUBORDINATE_HEADING3", 75}});
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        FillSubordinateList(page);
        return TRUE;
    case WM_SIZE:
        FitListToPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_SHOWWINDOW:
        UpdateSubordinateCommands(page, wParam != FALSE);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_VIEW_DATA)
            OpenSelectedSubordinate(page);
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_RECORD_PAGE_LIST)
            return FALSE;
        if (header->code == NM_DBLCLK)
            OpenSelectedSubordinate(page);
        else if (header->code == LVN_ITEMCHANGED && (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE))
            UpdateSubordinateCommands(page, IsWindowVisible(page) != FALSE);
        return TRUE;
    }
    default:
        if (message == WM_PAGEREFRESH || message == WM_SOURCESAVED || message == WM_SOURCEDELETED) {
            FillSubordinateList(page);
            UpdateSubordinateCommands(page, IsWindowVisible(page) != FALSE);
            return TRUE;
        }
        return FALSE;
    }
}

} // namespace

HWND OpenSourceWindow(std::int32_t id)
{
    return OpenRecordWindow(RecordKindSource, "SourceWClass", "SOURCE_TITLE", CurrentSettings.edit.SourceWindowX,
                            CurrentSettings.edit.SourceWindowY, id);
}

void SetSourceWindowCaption(HWND window, const SourceRecord& source)
{
    SetWindowTextA(window,
                   RecordWindowCaption("SOURCE_EDIT_TITLE", source.Title(), source.Id() == 0, "SOURCE_EDIT_NEW").c_str());
}

void EnableSourceCommands(HWND window)
{
    if (ActiveChild != window)
        return;
    SourceWindow* state = RecordWindowOf<SourceWindow>(window);
    if (state == nullptr || state->source == nullptr)
        return;
    SourceRecord& source = *state->source;
    EnableFrameCommand(IDM_FILE_SAVE, state->changed);
    EnableFrameCommand(IDM_TOOLS_MERGE, true);
    EnableFrameCommand(IDM_INSERT_EXCERPTREF, state->pages[PageExcerpts] != nullptr);
    EnableFrameCommand(IDM_INSERT_TASK, state->pages[PageTasks] != nullptr);
    // A source is either part of a superior source or held by repositories of its own, never both.
    EnableFrameCommand(IDM_INSERT_REPREF, source.row.superiorId == 0);
    bool hasReferences = false;
    const RecordList<RepositoryRef>& references = source.RepositoryRefs();
    for (std::size_t i = 0; i < references.Count(); ++i)
        hasReferences = hasReferences || !references.IsMarked(i);
    EnableWindow(GetDlgItem(state->editor, IDC_SOURCE_SUPERIOR_SELECT), !hasReferences);
    EnableWindow(GetDlgItem(state->editor, IDC_SOURCE_SUPERIOR_CLEAR), !hasReferences);
    EnableFrameCommand(IDM_EDIT_DELSOURCE, true);
    EnableFrameCommand(IDM_HELP_BUTTON, true);
}

void DisableSourceCommands()
{
    for (UINT command : {IDM_FILE_SAVE, IDM_INSERT_EXCERPTREF, IDM_INSERT_TASK, IDM_INSERT_REPREF, IDM_VIEW_DATA,
                         IDM_EDIT_DELETE, IDM_EDIT_DELSOURCE, IDM_TOOLS_MERGE, IDM_HELP_BUTTON})
        EnableFrameCommand(command, false);
}

LRESULT CALLBACK SourceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SourceWindowMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

INT_PTR CALLBACK SourceEditDlgProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<EditorMessage, DialogSafeAnswer>(editor, message, wParam, lParam);
}

INT_PTR CALLBACK SubordinateSourcesPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<SubordinatePageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}
