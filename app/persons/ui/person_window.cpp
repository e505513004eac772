#include "persons/ui/person_window.h"

#include <commctrl.h>

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/ui/note_page.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "persons/name_list_state.h"
#include "persons/person_record.h"
#include "persons/ui/pedigree_window.h"
#include "persons/ui/person_data_page.h"
#include "persons/ui/structured_name_dialog.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"
#include "records/ui/excerpt_pages.h"
#include "records/ui/media_editor.h"
#include "records/ui/record_window.h"
#include "records/ui/task_dialog.h"
#include "res/core_resource.h"
#include "res/frame_resource.h"
#include "res/person_window_resource.h"
#include "settings/settings.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/question_box.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* PersonHelpTopic = "DataPerson.htm";
constexpr int NameEditLimit = 127;

enum PersonTab : int { TabPersonal, TabMultimedia, TabExcerpts, TabComments, TabResearch, TabCount };

const char* const TabKeys[TabCount] = {"PERSON_DATA_PERSONAL", "PERSON_DATA_MULTIMEDIA", "PERSON_DATA_EXCERPTS",
                                       "PERSON_DATA_COMMENTS", "PERSON_DATA_RESEARCH"};

const char* const SexKeys[] = {"PERSON_SEX_UNKNOWN", "PERSON_SEX_MALE", "PERSON_SEX_FEMALE"};

// The commands the window serves while it is active.
constexpr UINT PersonCommands[] = {
    IDM_FILE_SAVE,        IDM_TOOLS_MERGE,      IDM_TOOLS_CONVTIMELINE, IDM_INSERT_NAME,        IDM_INSERT_EVENT,
    IDM_INSERT_ATTRIBUTE, IDM_INSERT_PARENT,    IDM_INSERT_CHILD,       IDM_INSERT_INFO,        IDM_INSERT_ATTACHMENT,
    IDM_INSERT_EXCERPTREF, IDM_INSERT_TASK,     IDM_EDIT_DELPERSON,     IDM_VIEW_PEDIGREE,      IDM_HELP_BUTTON,
};

struct PersonWindow : RecordWindow {
    std::unique_ptr<PersonRecord> person;
    HWND pages[TabCount] = {};

    WPARAM RecordKind() const override { return RecordKindPerson; }
    std::int32_t RecordId() const override { return person->Id(); }
    UINT DeletedNotice() const override { return WM_PERSONDELETED; }
    bool IsEditorNotice(UINT message) const override
    {
        return message == WM_ASSERTIONLINKCHANGED || message == WM_ASSERTIONLINKADDED ||
               message == WM_ASSERTIONLINKREMOVED || message == WM_SOURCEDELETED || message == WM_TASKSCHANGED ||
               message == WM_DATEFORMATCHANGED;
    }
    HWND CurrentPage() const override;
    void EnableCommands() override { UpdatePersonMenus(window); }
    void DisableCommands() override { DisablePersonMenus(); }
    bool Save() override;
    const char* SaveQuestionKey() const override { return "PERSON_SAVE_QUESTION"; }
    const char* SaveTitleKey() const override { return "PERSON_SAVE_TITLE"; }
    const char* HelpTopic() const override { return PersonHelpTopic; }
};

HWND TabsOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_PERSON_TABS);
}

PersonTab CurrentTab(HWND dialog)
{
    return static_cast<PersonTab>(SelectedTabData(TabsOf(dialog), TabPersonal));
}

HWND PersonWindow::CurrentPage() const
{
    return pages[CurrentTab(editor)];
}

// The name's edit form in the name field, disabled when the form would lose parts of the name.
void ShowNameField(PersonWindow& state)
{
    const bool filling = state.filling;
    state.filling = true;
    char text[NameEditLimit + 1] = {};
    const NameRecord* name = state.person->Name();
    if (name != nullptr)
        name->FormatEditText(text, sizeof text);
    HWND field = GetDlgItem(state.editor, IDC_PERSON_NAME);
    SendMessageA(field, EM_LIMITTEXT, NameEditLimit, 0);
    SetWindowTextA(field, text);
    SendMessageA(field, EM_SETMODIFY, FALSE, 0);
    EnableWindow(field, name == nullptr || name->IsSimple());
    state.filling = filling;
}

// A name field the user may type in holds the name: its text goes into the name object.
void TakeNameField(PersonWindow& state)
{
    HWND field = GetDlgItem(state.editor, IDC_PERSON_NAME);
    if (IsWindowEnabled(field) && state.person->Name() != nullptr) {
        char text[NameEditLimit + 1] = {};
        GetWindowTextA(field, text, sizeof text);
        state.person->Name()->ParseEditText(text);
    }
}

// The name and the sex.
void ShowPersonFields(PersonWindow& state)
{
    PersonRecord& person = *state.person;
    state.filling = true;
    ShowNameField(state);
    const int sex = person.row.sex <= SexFemale ? int {person.row.sex} : int {SexUnknown};
    SendDlgItemMessageA(state.editor, IDC_PERSON_SEX, CB_SETCURSEL, static_cast<WPARAM>(sex), 0);
    state.filling = false;
}

bool SavePerson(PersonWindow& state)
{
    PersonRecord& person = *state.person;
    TakeNameField(state);
    const LRESULT sex = SendDlgItemMessageA(state.editor, IDC_PERSON_SEX, CB_GETCURSEL, 0, 0);
    person.row.sex = static_cast<std::uint8_t>(sex >= SexUnknown && sex <= SexFemale ? sex : LRESULT {SexUnknown});
    if (state.pages[TabComments] != nullptr)
        SendMessageA(state.pages[TabComments], WM_COMMAND, IDOK, 0);
    if (!RunWriteTransaction(person.OwnerDatabase(), [&] { return person.Save(); })) {
        ShowWriteFailure(state.editor);
        return false;
    }
    ShowPersonFields(state);
    state.changed = false;
    UpdatePersonMenus(state.window);
    SetPersonWindowTitle(state.window, person);
    return true;
}

bool PersonWindow::Save()
{
    return SavePerson(*this);
}

void PassToTab(PersonWindow& state, PersonTab tab, UINT command, LPARAM parameter)
{
    PassCommandToTab(state, TabsOf(state.editor), state.pages, tab, command, parameter);
}

void NewAssertion(PersonWindow& state, UINT command)
{
    if (!EnsureRecordStored(state, "PERSON_ASSERTION_SAVE", MB_ICONQUESTION))
        return;
    PassToTab(state, TabPersonal, command, static_cast<LPARAM>(state.person->Id()));
}

void DeletePerson(PersonWindow& state)
{
    if (!ConfirmDeletion(state.editor, "PERSON_DELETEWARNING", "PERSON_DELETETITLE",
                         CurrentSettings.edit.DeletePersonWarning, "DeletePersonWarning"))
        return;
    PersonRecord& person = *state.person;
    const std::int32_t id = person.Id();
    if (id != 0 && !person.Delete()) {
        ShowWriteFailure(state.editor);
        return;
    }
    CloseAfterDeletion(state, id);
}

// The merge, or one the engine refused, read the person's lists and note again: every page is given the
// person's objects anew.
void RefreshAfterMerge(PersonWindow& state)
{
    PersonRecord& person = *state.person;
    ShowPersonFields(state);
    for (PersonTab tab : {TabPersonal, TabMultimedia, TabExcerpts})
        if (state.pages[tab] != nullptr)
            SendMessageA(state.pages[tab], WM_PAGEREFRESH, 0, 0);
    if (state.pages[TabComments] != nullptr)
        SendMessageA(state.pages[TabComments], WM_PAGEREFRESH, 0, reinterpret_cast<LPARAM>(person.Note()));
    if (state.pages[TabResearch] != nullptr)
        SendMessageA(state.pages[TabResearch], WM_TASKSCHANGED, static_cast<WPARAM>(person.Id()), 0);
    SetPersonWindowTitle(state.window, person);
    state.changed = false;
    UpdatePersonMenus(state.window);
}

void MergePerson(PersonWindow& state)
{
    if (!StoreBeforeMerge(state, "PERSON_MERGE_SAVE"))
        return;
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_PERSON_MERGE), state.editor, PersonMergeDlgProc,
                    reinterpret_cast<LPARAM>(state.person.get()));
    RefreshAfterMerge(state);
}

// The structured-name dialog edits the name part by part; the field then shows what it made of it.
void EditNameStructure(PersonWindow& state)
{
    NameRecord* name = state.person->Name();
    if (name == nullptr)
        return;
    TakeNameField(state);
    if (EditStructuredName(state.editor, *name) != 1)
        return;
    ShowNameField(state);
    MarkRecordChanged(state);
}

void DialogCommand(PersonWindow& state, UINT command, UINT notification, LPARAM parameter)
{
    switch (command) {
    case IDM_HELP_BUTTON:
        ShowHelpTopic(HelpDisplayTopic, PersonHelpTopic);
        return;
    case IDM_EDIT_DELETE:
    case IDM_VIEW_DATA:
        if (CurrentTab(state.editor) != TabComments)
            if (HWND page = state.CurrentPage())
                SendMessageA(page, WM_COMMAND, command, parameter);
        return;
    case IDM_EDIT_DELPERSON:
        DeletePerson(state);
        return;
    case IDM_INSERT_NAME:
    case IDM_INSERT_EVENT:
    case IDM_INSERT_ATTRIBUTE:
    case IDM_INSERT_CHILD:
    case IDM_INSERT_INFO:
    case IDM_INSERT_PARENT:
        NewAssertion(state, command);
        return;
    case IDM_FILE_SAVE:
        SavePerson(state);
        return;
    case IDM_INSERT_ATTACHMENT:
        PassToTab(state, TabMultimedia, command, 0);
        return;
    case IDM_INSERT_EXCERPTREF:
        PassToTab(state, TabExcerpts, command, 0);
        return;
    case IDM_INSERT_TASK:
        if (EnsureRecordStored(state, "PERSON_TASK_SAVE", MB_ICONQUESTION))
            PassToTab(state, TabResearch, command, 0);
        return;
    case IDM_TOOLS_MERGE:
        MergePerson(state);
        return;
    case IDM_VIEW_PEDIGREE:
        // A person not yet saved has no place in the family tree; the pedigree opens nothing for it.
        OpenPedigreeWindow(state.person->Id());
        return;
    case IDC_PERSON_ADVANCED:
        EditNameStructure(state);
        return;
    case IDC_PERSON_NAME:
        if (notification == EN_CHANGE)
            MarkRecordChanged(state);
        return;
    case IDC_PERSON_SEX:
        if (notification == CBN_SELCHANGE)
            MarkRecordChanged(state);
        return;
    default:
        return;
    }
}

int ControlWidth(HWND dialog, int item)
{
    RECT box;
    GetWindowRect(GetDlgItem(dialog, item), &box);
    return box.right - box.left;
}

void LayOutDialog(const PersonWindow& state, int w, int h)
{
    if (w < 350)
        w = 350;
    if (h < 250)
        h = 250;
    const int buttonWidth = ControlWidth(state.editor, IDC_PERSON_ADVANCED);
    const int sexWidth = ControlWidth(state.editor, IDC_PERSON_SEX);
    ItemPlacement items(state.editor, 6);
    items.Place(IDC_PERSON_NAME_LABEL, 10, 13, 68, 16);
    items.Place(IDC_PERSON_NAME, 80, 10, w - buttonWidth - 100, 20);
    items.Place(IDC_PERSON_ADVANCED, w - buttonWidth - 10, 8, buttonWidth, 24);
    items.Place(IDC_PERSON_SEX_LABEL, 10, 43, 68, 16);
    items.Place(IDC_PERSON_SEX, 80, 40, sexWidth, 120);
    items.Place(IDC_PERSON_TABS, 10, 70, w - 20, h - 80);
}

HWND CreateNotePage(HWND dialog, NoteText* note)
{
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_NOTE_PAGE), dialog, NotePageDlgProc,
                              reinterpret_cast<LPARAM>(note));
}

void InitDialog(HWND dialog, PersonWindow& state)
{
    AttachEditor(dialog, state);
    for (const char* key : SexKeys)
        SendDlgItemMessageA(dialog, IDC_PERSON_SEX, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    ShowPersonFields(state);
    HWND tabs = TabsOf(dialog);
    for (int tab = 0; tab < TabCount; ++tab)
        AddTab(tabs, TabKeys[tab], tab);
    PersonRecord& person = *state.person;
    state.pages[TabPersonal] = CreatePersonDataPage(dialog, person.Links());
    state.pages[TabMultimedia] = CreateMediaPage(dialog, person.Media());
    state.pages[TabExcerpts] = CreateExcerptRefPage(dialog, person.ExcerptRefs());
    state.pages[TabComments] = CreateNotePage(dialog, person.Note());
    state.pages[TabResearch] = CreateTaskPage(dialog, person.Tasks());
    RaisePages(state.pages);
    PlacePages(tabs, state.pages);
    SendMessageA(tabs, TCM_SETCURSEL, TabPersonal, 0);
    ShowWindow(state.pages[TabPersonal], SW_SHOW);
    state.changed = false;
}

// A deleted source takes its excerpts along: the references to them leave the person's list.
void DropReferencesOfSource(PersonWindow& state, std::int32_t sourceId)
{
    RecordList<ExcerptRef>& references = state.person->ExcerptRefs();
    bool dropped = false;
    for (std::size_t i = references.Count(); i-- > 0;) {
        const ExcerptRecord* excerpt = references[i].Excerpt();
        if (excerpt != nullptr && excerpt->row.sourceId == sourceId) {
            references.Remove(i);
            dropped = true;
        }
    }
    if (dropped && state.pages[TabExcerpts] != nullptr)
        SendMessageA(state.pages[TabExcerpts], WM_PAGEREFRESH, 0, 0);
}

bool DialogNotice(PersonWindow& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAGECHANGED) {
        MarkRecordChanged(state);
        return true;
    }
    if (message == WM_ASSERTIONLINKCHANGED || message == WM_ASSERTIONLINKADDED || message == WM_ASSERTIONLINKREMOVED) {
        const std::int32_t id = state.person->Id();
        if (id != 0 && static_cast<std::int32_t>(wParam) == id)
            SendMessageA(state.pages[TabPersonal], message, wParam, lParam);
        return true;
    }
    if (message == WM_DATEFORMATCHANGED) {
        SendMessageA(state.pages[TabPersonal], message, wParam, lParam);
        return true;
    }
    if (message == WM_SOURCEDELETED) {
        DropReferencesOfSource(state, static_cast<std::int32_t>(lParam));
        return true;
    }
    if (message == WM_TASKSCHANGED) {
        state.person->Tasks().Clear();
        state.person->LoadTasks();
        if (state.pages[TabResearch] != nullptr)
            SendMessageA(state.pages[TabResearch], message, wParam, lParam);
        return true;
    }
    return false;
}

constexpr TabbedEditor<PersonWindow> PersonEditor = {IDC_PERSON_TABS, InitDialog, LayOutDialog, DialogCommand,
                                                     DialogNotice};

INT_PTR DialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerTabbedEditorMessage(PersonEditor, dialog, message, wParam, lParam);
}

std::unique_ptr<PersonRecord> LoadPerson(std::int32_t id, Database& database)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    auto person = std::make_unique<PersonRecord>(database);
    // A person that cannot be read is shown as a new one.
    if (id != 0)
        person->Read(id);
    person->LoadLinked();
    if (person->Id() != 0 && person->Name() != nullptr && CurrentSettings.name.IncludeOpened != 0)
        if (NameListState* names = NameListOf(database))
            names->AddToSelection(*person->Name());
    return person;
}

LRESULT CreatePersonWindow(HWND window, LPARAM createStruct)
{
    if (CurrentDatabase == nullptr)
        return -1;
    auto state = std::make_unique<PersonWindow>();
    state->person = LoadPerson(CreationRecordId(createStruct), *CurrentDatabase);
    if (state->person->Name() == nullptr || state->person->Note() == nullptr)
        return -1;
    return StartRecordWindow(
        window, std::move(state),
        [](HWND captioned, const PersonWindow& shown) { SetPersonWindowTitle(captioned, *shown.person); }, IDD_PERSON,
        PersonDlgProc);
}

LRESULT PersonWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreatePersonWindow(window, lParam);
    return AnswerRecordWindowMessage(window, message, wParam, lParam);
}

} // namespace

HWND OpenPersonWindow(std::int32_t id)
{
    return OpenRecordWindow(RecordKindPerson, "PersonWClass", "PERSON_TITLE", CurrentSettings.edit.PersonWindowX,
                            CurrentSettings.edit.PersonWindowY, id);
}

void SetPersonWindowTitle(HWND window, const PersonRecord& person)
{
    char name[256] = {};
    if (const NameRecord* primary = person.Name())
        primary->Format(name, sizeof name, person.Id());
    SetWindowTextA(window, RecordWindowCaption("PERSON_TITLE", name, person.Id() == 0, "PERSON_NEW").c_str());
}

void UpdatePersonMenus(HWND window)
{
    if (ActiveChild != window)
        return;
    const PersonWindow* state = RecordWindowOf<PersonWindow>(window);
    if (state == nullptr)
        return;
    for (UINT command : PersonCommands)
        EnableFrameCommand(command, true);
    EnableFrameCommand(IDM_FILE_SAVE, state->changed);
    EnableFrameCommand(IDM_INSERT_EXCERPTREF, state->pages[TabExcerpts] != nullptr);
    // The program has no timeline window to show a person's life in.
    EnableFrameCommand(IDM_TOOLS_CONVTIMELINE, false);
}

void DisablePersonMenus()
{
    for (UINT command : PersonCommands)
        EnableFrameCommand(command, false);
    EnableFrameCommand(IDM_EDIT_DELETE, false);
    EnableFrameCommand(IDM_VIEW_DATA, false);
}

LRESULT CALLBACK PersonWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<PersonWindowMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

INT_PTR CALLBACK PersonDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<DialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}
