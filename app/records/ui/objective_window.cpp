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
#include "records/ui/task_dialog.h"
#include "res/frame_resource.h"
#include "res/research_resource.h"
#include "settings/settings.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/message_box.h"
#include "ui_common/private_messages.h"
#include "ui_common/question_box.h"
#include "ui_common/window_helpers.h"

namespace {

struct ObjectiveWindowState {
    std::unique_ptr<ObjectiveRecord> objective;
    HWND page = nullptr;
    bool changed = false;  // an edit not saved yet
    bool deleted = false;  // the objective is gone: nothing is saved or asked any more
    bool showing = false;  // the page itself is filling its fields
};

constexpr const char* PriorityKeys[] = {"RESEARCH_EDIT_PRIORITYLOW", "RESEARCH_EDIT_PRIORITYMEDIUM",
                                        "RESEARCH_EDIT_PRIORITYHIGH"};
constexpr std::size_t CaptionSize = 256;

ObjectiveWindowState* WindowState(HWND window)
{
    return reinterpret_cast<ObjectiveWindowState*>(GetWindowLongPtrA(window, 0));
}

ObjectiveWindowState* PageState(HWND page)
{
    return reinterpret_cast<ObjectiveWindowState*>(GetWindowLongPtrA(page, DWLP_USER));
}

std::string FixedText(const char* field, std::size_t size)
{
    return std::string(field, strnlen(field, size));
}

void SetCaption(HWND window, const ObjectiveRecord& objective)
{
    std::string caption = GetLanguageText("RESEARCH_EDIT_TITLE");
    caption += " - ";
    if (objective.Id() != 0)
        caption += FixedText(objective.row.title, sizeof objective.row.title) + " [#" + std::to_string(objective.Id()) + "]";
    else
        caption += GetLanguageText("RESEARCH_EDIT_NEW");
    if (caption.size() > CaptionSize - 1)
        caption.resize(CaptionSize - 1);
    SetWindowTextA(window, caption.c_str());
}

// ---- the page ----

HWND TaskList(HWND page)
{
    return GetDlgItem(page, IDC_OBJECTIVE_TASKS);
}

int SelectedEntry(HWND page, const ObjectiveWindowState& state)
{
    return SelectedListEntry(TaskList(page), state.objective->Tasks());
}

void EnableTaskButtons(HWND page, const ObjectiveWindowState& state)
{
    const bool selected = SelectedEntry(page, state) >= 0;
    EnableWindow(GetDlgItem(page, IDC_OBJECTIVE_EDIT_TASK), selected);
    EnableWindow(GetDlgItem(page, IDC_OBJECTIVE_DELETE_TASK), selected);
}

void UpdateFrameMenu(const ObjectiveWindowState& state)
{
    EnableFrameCommand(IDM_FILE_SAVE, state.changed && !state.deleted);
}

// The tasks of the list and the status they give the objective.
void ShowTasks(HWND page, ObjectiveWindowState& state)
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
void ReloadTasks(HWND page, ObjectiveWindowState& state)
{
    state.objective->Tasks().Clear();
    state.objective->LoadTasks();
    ShowTasks(page, state);
    UpdateFrameMenu(state);
}

void MarkChanged(HWND page, ObjectiveWindowState& state)
{
    if (state.showing || state.deleted)
        return;
    state.changed = true;
    UpdateFrameMenu(state);
}

BOOL InitObjectivePage(HWND page, LPARAM parameter)
{
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    auto* state = reinterpret_cast<ObjectiveWindowState*>(parameter);
    if (state == nullptr)
        return TRUE;
    ObjectiveRecord& objective = *state->objective;
    state->showing = true;
    TranslateDialog(page);
    HWND list = TaskList(page);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListViewColumn(list, 0, "RESEARCH_EDIT_TASKNAME", 160);
    AddListViewColumn(list, 1, "RESEARCH_EDIT_PERSON", 100);
    AddListViewColumn(list, 2, "RESEARCH_EDIT_SOURCE", 100);
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
    state->showing = false;
    state->changed = false;
    UpdateFrameMenu(*state);
    return TRUE;
}

// True when the objective is stored as shown.
bool SaveObjective(HWND page, ObjectiveWindowState& state)
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

void DeleteObjective(HWND page, ObjectiveWindowState& state)
{
    if (state.deleted)
        return;
    if (CurrentSettings.edit.DeleteObjectiveWarning &&
        AskQuestion(page, GetLanguageText("RESEARCH_DELETE_MSG"), GetLanguageText("RESEARCH_DELETE_TITLE"), IDNO,
                    &CurrentSettings.edit.DeleteObjectiveWarning, "Edit", "DeleteObjectiveWarning") != IDYES)
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
    state.changed = false;
    state.deleted = true;
    PostMessageA(GetParent(page), WM_CLOSE, 0, 0);
    if (id != 0) {
        PostNoticeToFrame(WM_OBJECTIVEDELETED, 0, id);
        PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
    }
}

void StoreTask(HWND page, TaskRecord& task)
{
    if (!task.Save()) {
        ShowWriteFailure(page);
        return;
    }
    PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
}

void AddTask(HWND page, ObjectiveWindowState& state)
{
    if (state.deleted)
        return;
    ObjectiveRecord& objective = *state.objective;
    if (objective.Id() == 0) {
        if (ShowMessageBox(page, GetLanguageText("RESEARCH_TASK_SAVE"), GetLanguageText("RESEARCH_SAVE_TITLE"),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        if (!SaveObjective(page, state))
            return;
    }
    TaskRecord task(objective.OwnerDatabase());
    task.row.objectiveId = objective.Id();
    task.LoadLinked();
    if (EditTaskDialog(page, task, false, true, true) == 1)
        StoreTask(page, task);
}

void EditTask(HWND page, ObjectiveWindowState& state)
{
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        return;
    TaskRecord& task = state.objective->Tasks()[static_cast<std::size_t>(entry)];
    if (EditTaskDialog(page, task, false, true, true) == 1)
        StoreTask(page, task);
}

void DeleteTask(HWND page, ObjectiveWindowState& state)
{
    const int entry = SelectedEntry(page, state);
    if (entry < 0)
        return;
    if (CurrentSettings.edit.DeleteTaskWarning &&
        AskQuestion(page, GetLanguageText("RESEARCH_DELTASK_MSG"), GetLanguageText("RESEARCH_DELTASK_TITLE"), IDNO,
                    &CurrentSettings.edit.DeleteTaskWarning, "Edit", "DeleteTaskWarning") != IDYES)
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

void ObjectivePageCommand(HWND page, ObjectiveWindowState& state, int command, int notification)
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
        ShowHelpTopic(HelpDisplayTopic, "Window_Objective.htm");
        break;
    default:
        break;
    }
}

INT_PTR ObjectivePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitObjectivePage(page, lParam);
    ObjectiveWindowState* state = PageState(page);
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
        ShowHelpTopic(HelpDisplayTopic, "Window_Objective.htm");
        return TRUE;
    default:
        return FALSE;
    }
}

// ---- the window ----

LRESULT CreateObjectiveWindow(HWND window, LPARAM lParam)
{
    if (CurrentDatabase == nullptr)
        return -1;
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* mdi = reinterpret_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
    const auto id = static_cast<std::int32_t>(mdi != nullptr ? mdi->lParam : 0);
    auto state = std::make_unique<ObjectiveWindowState>();
    Database& database = *CurrentDatabase;
    if (id != 0) {
        state->objective = std::make_unique<ObjectiveRecord>(id, database);
        if (state->objective->Id() != 0 && CurrentSettings.research.IncludeOpened)
            if (ResearchListState* list = ResearchListOf(database))
                list->AddOpened(*state->objective);
    } else {
        state->objective = std::make_unique<ObjectiveRecord>(database);
    }
    state->objective->LoadLinked();
    SetCaption(window, *state->objective);
    ObjectiveWindowState& kept = *state;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state.release()));
    kept.page = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_OBJECTIVE_PAGE), window, ObjectivePageDlgProc,
                                   reinterpret_cast<LPARAM>(&kept));
    if (kept.page == nullptr)
        return -1;
    ShowWindow(kept.page, SW_SHOW);
    return 0;
}

// 0 when the window closed, 1 when it stays open.
LRESULT CloseObjectiveWindow(HWND window, ObjectiveWindowState& state)
{
    if (state.changed && !state.deleted) {
        const int answer = ShowMessageBox(window, GetLanguageText("RESEARCH_SAVE_QUESTION"),
                                          GetLanguageText("RESEARCH_SAVE_TITLE"), MB_YESNOCANCEL | MB_ICONWARNING);
        if (answer == IDCANCEL)
            return 1;
        // A save that failed keeps the window and what was typed.
        if (answer == IDYES && !SaveObjective(state.page, state))
            return 1;
    }
    SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    return 0;
}

void ActivateObjectiveWindow(HWND window, bool active, const ObjectiveWindowState& state)
{
    if (active) {
        ActiveChild = window;
        ActiveDialogHost = window;
    } else if (ActiveChild == window) {
        ActiveChild = nullptr;
        ActiveDialogHost = nullptr;
    }
    EnableFrameCommand(IDM_FILE_SAVE, active && state.changed && !state.deleted);
    EnableFrameCommand(IDM_EDIT_DELRESEARCH, active);
    EnableFrameCommand(IDM_HELP_BUTTON, active);
}

LRESULT ObjectiveWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreateObjectiveWindow(window, lParam);
    ObjectiveWindowState* state = WindowState(window);
    if (state == nullptr)
        return DefMDIChildProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        if (state->page != nullptr)
            MoveWindow(state->page, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    case WM_MOUSEACTIVATE:
        return DefMDIChildProcA(window, WM_CHILDACTIVATE, 0, 0);
    case WM_CLOSE:
        return CloseObjectiveWindow(window, *state);
    case WM_QUERYCLOSECHILD:
        return SendMessageA(window, WM_CLOSE, 0, 0);
    case WM_SHOWSRECORD:
        if (wParam == RecordKindObjective && lParam != 0 && static_cast<std::int32_t>(lParam) == state->objective->Id()) {
            PostMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
            return 1;
        }
        return 0;
    case WM_GETCURRENTRECORD:
        return wParam == RecordKindObjective && !state->deleted ? state->objective->Id() : 0;
    case WM_OBJECTIVEDELETED:
        // Deleted elsewhere: there is nothing left to save, so the window closes without asking. Id 0 is no
        // objective and never this window's.
        if (lParam != 0 && static_cast<std::int32_t>(lParam) == state->objective->Id() && !state->deleted) {
            state->deleted = true;
            state->changed = false;
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_PERSONDELETED:
    case WM_SOURCEDELETED:
    case WM_TASKSCHANGED:
        if (state->page != nullptr)
            SendMessageA(state->page, message, wParam, lParam);
        return 0;
    case WM_COMMAND:
        if (state->page != nullptr)
            SendMessageA(state->page, WM_COMMAND, wParam, lParam);
        return 0;
    case WM_MDIACTIVATE:
        ActivateObjectiveWindow(window, reinterpret_cast<HWND>(lParam) == window, *state);
        break;
    case WM_DESTROY:
        if (ActiveChild == window)
            ActivateObjectiveWindow(window, false, *state);
        break;
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrA(window, 0, 0);
        break;
    default:
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
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
    if (MdiClient == nullptr || CurrentDatabase == nullptr)
        return nullptr;
    if (id != 0)
        for (HWND child = GetWindow(MdiClient, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if (SendMessageA(child, WM_SHOWSRECORD, RecordKindObjective, id) != 0)
                return child;
    MDICREATESTRUCTA create = {};
    create.szClass = ObjectiveWindowClass;
    create.szTitle = GetLanguageText("RESEARCH_EDIT_TITLE");
    create.hOwner = AppInstance;
    create.x = CW_USEDEFAULT;
    create.y = CW_USEDEFAULT;
    create.cx = CurrentSettings.edit.ResearchWindowX;
    create.cy = CurrentSettings.edit.ResearchWindowY;
    create.lParam = id;
    HWND window = reinterpret_cast<HWND>(SendMessageA(MdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (window != nullptr)
        ShowWindow(window, SW_SHOW);
    return window;
}
