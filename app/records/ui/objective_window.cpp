#include "records/ui/objective_window.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/ui/note_page.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "records/objective_record.h"
#include "records/record_lists.h"
#include "records/task_record.h"
#include "records/ui/record_list_view.h"
#include "records/ui/record_window.h"
#include "records/ui/task_dialog.h"
#include "res/frame_resource.h"
#include "res/research_resource.h"
#include "settings/settings.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/question_box.h"
#include "ui_common/window_helpers.h"

namespace {

constexpr const char* ObjectiveHelpTopic = "Window_Objective.htm";

// The window's editor is the objective page; it has no tab pages. Unlike the other record windows it
// leaves the focus, F1 and mouse activation to the MDI child's default, activates itself later when an
// opener asks for its objective, asks the save question with a warning, and no longer names its objective
// once it is deleted.
struct ObjectiveWindow : RecordWindow {
    std::unique_ptr<ObjectiveRecord> objective;

    WPARAM RecordKind() const override { return RecordKindObjective; }
    std::int32_t RecordId() const override { return objective->Id(); }
    UINT DeletedNotice() const override { return WM_OBJECTIVEDELETED; }
    bool IsEditorNotice(UINT message) const override
    {
        return message == WM_PERSONDELETED || message == WM_SOURCEDELETED || message == WM_TASKSCHANGED;
    }
    HWND CurrentPage() const override { return nullptr; }
    void EnableCommands() override;
    void DisableCommands() override;
    bool Save() override;
    const char* SaveQuestionKey() const override { return "RESEARCH_SAVE_QUESTION"; }
    const char* SaveTitleKey() const override { return "RESEARCH_SAVE_TITLE"; }
    UINT SaveQuestionIcon() const override { return MB_ICONWARNING; }
    const char* HelpTopic() const override { return ObjectiveHelpTopic; }
};

constexpr const char* PriorityKeys[] = {"RESEARCH_EDIT_PRIORITYLOW", "RESEARCH_EDIT_PRIORITYMEDIUM",
                                        "RESEARCH_EDIT_PRIORITYHIGH"};

std::string FixedText(const char* field, std::size_t size)
{
    return std::string(field, strnlen(field, size));
}

void SetCaption(HWND window, const ObjectiveRecord& objective)
{
    const std::string title =
        FixedText(objective.row.title, sizeof objective.row.title) + " [#" + std::to_string(objective.Id()) + "]";
    SetWindowTextA(
        window,
        RecordWindowCaption("RESEARCH_EDIT_TITLE", title.c_str(), objective.Id() == 0, "RESEARCH_EDIT_NEW").c_str());
}

// ---- the page ----

HWND TaskList(HWND page)
{
    return GetDlgItem(page, IDC_OBJECTIVE_TASKS);
}

int SelectedEntry(HWND page, const ObjectiveWindow& state)
{
    return SelectedListEntry(TaskList(page), state.objective->Tasks());
}

void EnableTaskButtons(HWND page, const ObjectiveWindow& state)
{
    const bool selected = SelectedEntry(page, state) >= 0;
    EnableWindow(GetDlgItem(page, IDC_OBJECTIVE_EDIT_TASK), selected);
    EnableWindow(GetDlgItem(page, IDC_OBJECTIVE_DELETE_TASK), selected);
}

void UpdateFrameMenu(const ObjectiveWindow& state)
{
    EnableFrameCommand(IDM_FILE_SAVE, state.changed && !state.deleted);
}

// The tasks of the list and the status they give the objective.
void ShowTasks(HWND page, ObjectiveWindow& state)
{
    HWND list = TaskList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    Database& database = state.objective->OwnerDatabase();
    RecordList<TaskRecord>& tasks = state.objective->Tasks();
    for (std::size_t i = 0; i < tasks.Count(); ++i) {
        if (tasks.IsMarked(i))
            continue;
        const TaskRecord& task = tasks[i];
        AppendListRow(list, i,
                      {FixedText(task.row.title, sizeof task.row.title), PersonNameText(task.row.personId, database),
                       SourceTitleText(task.row.sourceId, database)});
    }
    SetDlgItemTextA(page, IDC_OBJECTIVE_STATUS, state.objective->GetTaskStatusText());
    EnableTaskButtons(page, state);
}

// The tasks as they are stored now: tasks are written at once by the task buttons and by the task pages of
// persons and sources, each of which posts WM_TASKSCHANGED.
void ReloadTasks(HWND page, ObjectiveWindow& state)
{
    state.objective->Tasks().Clear();
    state.objective->LoadTasks();
    ShowTasks(page, state);
    UpdateFrameMenu(state);
}

void MarkChanged(HWND page, ObjectiveWindow& state)
{
    if (state.filling || state.deleted)
        return;
    state.changed = true;
    UpdateFrameMenu(state);
}

BOOL InitObjectivePage(HWND page, LPARAM parameter)
{
    auto* state = reinterpret_cast<ObjectiveWindow*>(parameter);
    if (state == nullptr)
        return TRUE;
    ObjectiveRecord& objective = *state->objective;
    state->filling = true;
    AttachEditor(page, *state);
    SetUpListColumns(TaskList(page),
                     {{"RESEARCH_EDIT_TASKNAME", 160}, {"RESEARCH_EDIT_PERSON", 100}, {"RESEARCH_EDIT_SOURCE", 100}});
    HWND priority = GetDlgItem(page, IDC_OBJECTIVE_PRIORITY);
    for (const char* key : PriorityKeys)
        SendMessageA(priority, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    if (objective.Id() == 0)
        objective.row.created = ResearchDateNow();
    SendDlgItemMessageA(page, IDC_OBJECTIVE_TITLE, EM_LIMITTEXT, ResearchTitleSize - 1, 0);
    SetDlgItemTextA(page, IDC_OBJECTIVE_TITLE, FixedText(objective.row.title, sizeof objective.row.title).c_str());
    // A priority outside the list shows as high, as its text does.
    const int shown = objective.row.priority >= PriorityLow && objective.row.priority <= PriorityHigh
                          ? objective.row.priority
                          : static_cast<int>(PriorityHigh);
    SendMessageA(priority, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
    PrepareNoteEdit(GetDlgItem(page, IDC_OBJECTIVE_PROBLEM), objective.Problem());
    PrepareNoteEdit(GetDlgItem(page, IDC_OBJECTIVE_SOLUTION), objective.Solution());
    ShowTasks(page, *state);
    state->filling = false;
    state->changed = false;
    UpdateFrameMenu(*state);
    return TRUE;
}

// True when the objective is stored as shown.
bool SaveObjective(HWND page, ObjectiveWindow& state)
{
    if (state.deleted)
        return false;
    ObjectiveRecord& objective = *state.objective;
    char title[ResearchTitleSize] = {};
    GetDlgItemTextA(page, IDC_OBJECTIVE_TITLE, title, sizeof title);
    StoreField(objective.row.title, sizeof objective.row.title, title);
    const LRESULT priority = SendDlgItemMessageA(page, IDC_OBJECTIVE_PRIORITY, CB_GETCURSEL, 0, 0);
    if (priority >= PriorityLow && priority <= PriorityHigh)
        objective.row.priority = static_cast<std::int8_t>(priority);
    if (objective.Problem() != nullptr)
        ReadNoteFromEdit(*objective.Problem(), GetDlgItem(page, IDC_OBJECTIVE_PROBLEM));
    if (objective.Solution() != nullptr)
        ReadNoteFromEdit(*objective.Solution(), GetDlgItem(page, IDC_OBJECTIVE_SOLUTION));
    const std::int32_t idBefore = objective.Id();
    if (!RunWriteTransaction(objective.OwnerDatabase(), [&] { return objective.Save(); })) {
        // The discarded transaction took back any id the save handed out.
        objective.SetId(idBefore);
        ShowWriteFailure(page);
        return false;
    }
    SetCaption(GetParent(page), objective);
    state.changed = false;
    UpdateFrameMenu(state);
    return true;
}

void DeleteObjective(HWND page, ObjectiveWindow& state)
{
    if (state.deleted)
        return;
    if (!ConfirmDeletion(page, "RESEARCH_DELETE_MSG", "RESEARCH_DELETE_TITLE",
                         CurrentSettings.edit.DeleteObjectiveWarning, "DeleteObjectiveWarning"))
        return;
    ObjectiveRecord& objective = *state.objective;
    const std::int32_t id = objective.Id();
    if (id != 0) {
        if (!objective.Delete()) {
            ShowWriteFailure(page);
            return;
        }
        if (ResearchListState* list = ResearchListOf(objective.OwnerDatabase()))
            list->RemoveOpened(id);
    }
    CloseAfterDeletion(state, id);
    if (id != 0)
        PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
}

void StoreTask(HWND page, TaskRecord& task)
{
    if (!task.Save()) {
        ShowWriteFailure(page);
        return;
    }
    PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
}

void AddTask(HWND page, ObjectiveWindow& state)
{
    if (state.deleted)
        return;
    if (!EnsureRecordStored(state, "RESEARCH_TASK_SAVE", MB_ICONQUESTION))
        return;
    ObjectiveRecord& objective = *state.objective;
    TaskRecord task(objective.OwnerDatabase());
    task.row.objectiveId = objective.Id();
    task.LoadLinked();
    if (EditTaskDialog(page, task, false, true, true) == 1)
        StoreTask(page, task);
}

void EditTask(HWND page, ObjectiveWindow& state)
{
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        return;
    TaskRecord& task = state.objective->Tasks()[static_cast<std::size_t>(entry)];
    if (EditTaskDialog(page, task, false, true, true) == 1)
        StoreTask(page, task);
}

void DeleteTask(HWND page, ObjectiveWindow& state)
{
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        return;
    if (!ConfirmDeletion(page, "RESEARCH_DELTASK_MSG", "RESEARCH_DELTASK_TITLE", CurrentSettings.edit.DeleteTaskWarning,
                         "DeleteTaskWarning"))
        return;
    RecordList<TaskRecord>& tasks = state.objective->Tasks();
    TaskRecord& task = tasks[static_cast<std::size_t>(entry)];
    if (!task.Delete()) {
        ShowWriteFailure(page);
        return;
    }
    // Until the notice comes back the entry stays, marked and without the freed id, which a newer task
    // may be given: the objective's save must not delete that one.
    tasks.SetMark(static_cast<std::size_t>(entry), 1);
    task.SetId(0);
    ShowTasks(page, state);
    PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
}

// Places the controls for a page of `width` x `height` pixels.
void LayOutPage(HWND page, int width, int height)
{
    const int w = width < 300 ? 400 : width;
    const int h = height < 300 ? 300 : height;
    RECT button;
    GetWindowRect(GetDlgItem(page, IDC_OBJECTIVE_ADD_TASK), &button);
    const int bw = button.right - button.left;
    const int bh = button.bottom - button.top;
    const int half = (h - 3 * bh - 130) / 2;
    auto place = [page](int item, int x, int y, int cx, int cy) { MoveWindow(GetDlgItem(page, item), x, y, cx, cy, FALSE); };
    place(IDC_OBJECTIVE_TITLE_LABEL, 10, 12, 80, 16);
    place(IDC_OBJECTIVE_TITLE, 100, 10, w - 110, 20);
    place(IDC_OBJECTIVE_PRIORITY_LABEL, 10, 42, 80, 16);
    // A drop-down list's height includes its list.
    place(IDC_OBJECTIVE_PRIORITY, 100, 38, 90, 100);
    place(IDC_OBJECTIVE_STATUS_LABEL, 200, 42, 80, 16);
    place(IDC_OBJECTIVE_STATUS, 290, 38, 90, 20);
    place(IDC_OBJECTIVE_PROBLEM_LABEL, 10, 68, 200, 20);
    place(IDC_OBJECTIVE_PROBLEM, 10, 90, w - 20, half - 16);
    place(IDC_OBJECTIVE_SOLUTION_LABEL, 10, half + 84, 200, 20);
    place(IDC_OBJECTIVE_SOLUTION, 10, half + 106, w - 20, half - 16);
    place(IDC_OBJECTIVE_TASKS, 10, h - 3 * bh - 30, w - bw - 36, 3 * bh + 20);
    place(IDC_OBJECTIVE_ADD_TASK, w - bw - 10, h - 3 * bh - 30, bw, bh);
    place(IDC_OBJECTIVE_EDIT_TASK, w - bw - 10, h - 2 * bh - 20, bw, bh);
    place(IDC_OBJECTIVE_DELETE_TASK, w - bw - 10, h - bh - 10, bw, bh);
    InvalidateRect(page, nullptr, TRUE);
}

void ObjectivePageCommand(HWND page, ObjectiveWindow& state, int command, int notification)
{
    switch (command) {
    case IDC_OBJECTIVE_TITLE:
    case IDC_OBJECTIVE_PROBLEM:
    case IDC_OBJECTIVE_SOLUTION:
        if (notification == EN_CHANGE)
            MarkChanged(page, state);
        break;
    case IDC_OBJECTIVE_PRIORITY:
        if (notification == CBN_SELCHANGE)
            MarkChanged(page, state);
        break;
    case IDM_FILE_SAVE:
        SaveObjective(page, state);
        break;
    case IDM_EDIT_DELRESEARCH:
        DeleteObjective(page, state);
        break;
    case IDC_OBJECTIVE_ADD_TASK:
        AddTask(page, state);
        break;
    case IDC_OBJECTIVE_EDIT_TASK:
        EditTask(page, state);
        break;
    case IDC_OBJECTIVE_DELETE_TASK:
        DeleteTask(page, state);
        break;
    case IDM_HELP_BUTTON:
        ShowHelpTopic(HelpDisplayTopic, ObjectiveHelpTopic);
        break;
    default:
        break;
    }
}

INT_PTR ObjectivePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitObjectivePage(page, lParam);
    ObjectiveWindow* state = DialogStateOf<ObjectiveWindow>(page);
    if (state == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        ObjectivePageCommand(page, *state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_OBJECTIVE_TASKS)
            return FALSE;
        if (header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (change->iSubItem == 0 && (change->uChanged & LVIF_STATE) != 0)
                EnableTaskButtons(page, *state);
        } else if (header->code == NM_DBLCLK) {
            SendMessageA(page, WM_COMMAND, IDC_OBJECTIVE_EDIT_TASK, 0);
        }
        return TRUE;
    }
    case WM_PERSONDELETED:
    case WM_SOURCEDELETED:
    case WM_TASKSCHANGED:
        ReloadTasks(page, *state);
        return TRUE;
    case WM_SIZE:
        LayOutPage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_HELP:
        ShowHelpTopic(HelpDisplayTopic, ObjectiveHelpTopic);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---- the window ----

bool ObjectiveWindow::Save()
{
    return SaveObjective(editor, *this);
}

void ObjectiveWindow::EnableCommands()
{
    EnableFrameCommand(IDM_FILE_SAVE, changed && !deleted);
    EnableFrameCommand(IDM_EDIT_DELRESEARCH, true);
    EnableFrameCommand(IDM_HELP_BUTTON, true);
}

void ObjectiveWindow::DisableCommands()
{
    for (UINT command : {IDM_FILE_SAVE, IDM_EDIT_DELRESEARCH, IDM_HELP_BUTTON})
        EnableFrameCommand(command, false);
}

std::unique_ptr<ObjectiveRecord> LoadObjective(std::int32_t id, Database& database)
{
    auto objective =
        id != 0 ? std::make_unique<ObjectiveRecord>(id, database) : std::make_unique<ObjectiveRecord>(database);
    if (objective->Id() != 0 && CurrentSettings.research.IncludeOpened)
        if (ResearchListState* list = ResearchListOf(database))
            list->AddOpened(*objective);
    objective->LoadLinked();
    return objective;
}

LRESULT CreateObjectiveWindow(HWND window, LPARAM createStruct)
{
    if (CurrentDatabase == nullptr)
        return -1;
    auto state = std::make_unique<ObjectiveWindow>();
    state->objective = LoadObjective(CreationRecordId(createStruct), *CurrentDatabase);
    return StartRecordWindow(
        window, std::move(state),
        [](HWND captioned, const ObjectiveWindow& shown) { SetCaption(captioned, *shown.objective); },
        IDD_OBJECTIVE_PAGE, ObjectivePageDlgProc);
}

LRESULT ObjectiveWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreateObjectiveWindow(window, lParam);
    const auto* state = RecordWindowOf<ObjectiveWindow>(window);
    if (state == nullptr || state->editor == nullptr)
        return AnswerRecordWindowMessage(window, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return DefMDIChildProcA(window, WM_CHILDACTIVATE, 0, 0);
    case WM_SETFOCUS:
    case WM_HELP:
        return DefMDIChildProcA(window, message, wParam, lParam);
    case WM_SHOWSRECORD:
        if (wParam != RecordKindObjective || lParam == 0 || static_cast<std::int32_t>(lParam) != state->objective->Id())
            return 0;
        PostMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
        return 1;
    case WM_GETCURRENTRECORD:
        return wParam == RecordKindObjective && !state->deleted ? state->objective->Id() : 0;
    default:
        return AnswerRecordWindowMessage(window, message, wParam, lParam);
    }
}

} // namespace

INT_PTR CALLBACK ObjectivePageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ObjectivePageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

LRESULT CALLBACK ObjectiveWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<ObjectiveWindowMessage, WindowSafeAnswer>(window, message, wParam, lParam);
}

HWND OpenObjectiveWindow(std::int32_t id)
{
    if (CurrentDatabase == nullptr)
        return nullptr;
    return OpenRecordWindow(RecordKindObjective, ObjectiveWindowClass, "RESEARCH_EDIT_TITLE",
                            CurrentSettings.edit.ResearchWindowX, CurrentSettings.edit.ResearchWindowY, id, SW_SHOW);
}
