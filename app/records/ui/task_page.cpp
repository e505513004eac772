// The task page: the tasks of a person or a source, in the list that its host keeps. Tasks are written at
// once; the host reloads its list on WM_TASKSCHANGED and passes the notice on, and the page shows it again.
#include "records/ui/task_dialog.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "records/task_record.h"
#include "records/ui/record_list_view.h"
#include "res/frame_resource.h"
#include "res/research_resource.h"
#include "ui_common/frame_command_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/private_messages.h"
#include "ui_common/window_helpers.h"

namespace {

RecordList<TaskRecord>* PageTasks(HWND page)
{
    return reinterpret_cast<RecordList<TaskRecord>*>(GetWindowLongPtrA(page, DWLP_USER));
}

HWND PageList(HWND page)
{
    return GetDlgItem(page, IDC_TASK_PAGE_LIST);
}

int SelectedEntry(HWND page)
{
    const RecordList<TaskRecord>* tasks = PageTasks(page);
    return tasks != nullptr ? SelectedListEntry(PageList(page), *tasks) : -1;
}

void UpdateFrameCommands(HWND page)
{
    EnableFrameEditAndDelete(IsWindowVisible(page) && SelectedEntry(page) >= 0);
}

void FillTasks(HWND page)
{
    HWND list = PageList(page);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    RecordList<TaskRecord>* tasks = PageTasks(page);
    if (tasks == nullptr || CurrentDatabase == nullptr)
        return;
    EngineTransaction transaction(CurrentDatabase->file, TLV_READWRITE);
    for (std::size_t i = 0; i < tasks->Count(); ++i) {
        if (tasks->IsMarked(i))
            continue;
        const TaskRecord& task = (*tasks)[i];
        AppendListRow(list, i, {std::string(task.row.title, strnlen(task.row.title, sizeof task.row.title)),
                                task.GetTaskStatusLabel()});
    }
}

// Stores a task the dialog changed; a refused write is reported.
void StoreTask(HWND page, TaskRecord& task)
{
    if (!task.Save()) {
        ShowWriteFailure(page);
        return;
    }
    PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
}

void AddTask(HWND page)
{
    RecordList<TaskRecord>* tasks = PageTasks(page);
    if (tasks == nullptr || CurrentDatabase == nullptr)
        return;
    const bool forPerson = tasks->ownerKind == TaskOwnerPerson;
    if (!forPerson && tasks->ownerKind != TaskOwnerSource)
        return;
    TaskRecord task(*CurrentDatabase);
    task.LoadLinked();
    if (forPerson)
        task.row.personId = tasks->keyId;
    else
        task.row.sourceId = tasks->keyId;
    if (EditTaskDialog(page, task, true, !forPerson, forPerson) == 1)
        StoreTask(page, task);
}

void EditTask(HWND page)
{
    RecordList<TaskRecord>* tasks = PageTasks(page);
    const int entry = SelectedEntry(page);
    if (tasks == nullptr || entry < 0)
        return;
    const bool forPerson = tasks->ownerKind == TaskOwnerPerson;
    TaskRecord& task = (*tasks)[static_cast<std::size_t>(entry)];
    if (EditTaskDialog(page, task, true, !forPerson, forPerson) == 1)
        StoreTask(page, task);
}

void DeleteTask(HWND page)
{
    RecordList<TaskRecord>* tasks = PageTasks(page);
    const int entry = SelectedEntry(page);
    if (tasks == nullptr || entry < 0)
        return;
    TaskRecord& task = (*tasks)[static_cast<std::size_t>(entry)];
    if (!task.Delete()) {
        ShowWriteFailure(page);
        return;
    }
    // The entry stays in the host's list until it reloads: marked and without its id, so that neither this
    // page nor the host's next save touches a newer task that is given the freed id.
    tasks->SetMark(static_cast<std::size_t>(entry), 1);
    task.SetId(0);
    FillTasks(page);
    UpdateFrameCommands(page);
    PostNoticeToFrame(WM_TASKSCHANGED, 0, 0);
}

BOOL InitTaskPage(HWND page, LPARAM parameter)
{
    SetWindowLongPtrA(page, DWLP_USER, parameter);
    SetUpListColumns(PageList(page), {{"PERSON_TASKHEADING1", 150}, {"PERSON_TASKHEADING2", 75}});
    FillTasks(page);
    return TRUE;
}

INT_PTR TaskPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitTaskPage(page, lParam);
    case WM_SIZE: {
        const int width = LOWORD(lParam) < 100 ? 100 : LOWORD(lParam);
        const int height = HIWORD(lParam) < 50 ? 50 : HIWORD(lParam);
        MoveWindow(PageList(page), 0, 0, width, height, TRUE);
        return TRUE;
    }
    case WM_SHOWWINDOW:
        EnableFrameEditAndDelete(wParam != FALSE && SelectedEntry(page) >= 0);
        return FALSE;
    case WM_TASKSCHANGED:
        FillTasks(page);
        UpdateFrameCommands(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_INSERT_TASK:
            AddTask(page);
            return TRUE;
        case IDM_VIEW_DATA:
            EditTask(page);
            return TRUE;
        case IDM_EDIT_DELETE:
            DeleteTask(page);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY:
        return AnswerListPageNotice(page, IDC_TASK_PAGE_LIST, lParam,
                                    [page](const NMLISTVIEW&) { UpdateFrameCommands(page); });
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK TaskPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<TaskPageMessage, DialogSafeAnswer>(page, message, wParam, lParam);
}

HWND CreateTaskPage(HWND host, RecordList<TaskRecord>& tasks)
{
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_TASK_PAGE), host, TaskPageDlgProc,
                              reinterpret_cast<LPARAM>(&tasks));
}
