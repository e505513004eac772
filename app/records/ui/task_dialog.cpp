#include "records/ui/task_dialog.h"

#include <richedit.h>

#include <cstring>
#include <memory>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/note_text.h"
#include "core/ui/note_page.h"
#include "language/language_table.h"
#include "persons/assertion_fields.h"
#include "records/objective_record.h"
#include "records/source_record.h"
#include "records/task_record.h"
#include "records/ui/record_list_windows.h"
#include "res/research_resource.h"
#include "ui_common/dialog_position.h"
#include "ui_common/dialog_state.h"
#include "ui_common/frame_globals.h"
#include "ui_common/guarded_procedure.h"
#include "ui_common/window_helpers.h"

namespace {

PersonSelector ChoosePerson = nullptr;

// What the dialog edits: a copy of the task's row, put into the task only on Save.
struct TaskDialogState {
    TaskRecord* task = nullptr;
    TaskRow working = {};
    bool lockObjective = false;
    bool allowPerson = false;
    bool allowSource = false;
};

struct TaskDialogArgs {
    TaskRecord* task;
    bool allowPerson;
    bool allowSource;
    bool lockObjective;
};

constexpr const char* StatusKeys[] = {"TASK_STATUS_NEW", "TASK_STATUS_ANALYSIS", "TASK_STATUS_FINISHED",
                                      "TASK_STATUS_UPDATED", "TASK_STATUS_REJECTED"};

void ShowStatusDate(HWND dialog, const ResearchDate& date)
{
    char text[64] = "";
    if (date.year != 0) {
        SYSTEMTIME time = {};
        time.wYear = date.year;
        time.wMonth = date.month;
        time.wDay = date.day;
        if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text) == 0)
            text[0] = '\0';
    }
    SetDlgItemTextA(dialog, IDC_TASK_CHANGE, text);
}

void ShowObjective(HWND dialog, const TaskDialogState& state)
{
    SetDlgItemTextA(dialog, IDC_TASK_OBJECTIVE, ObjectiveTitleText(state.working.objectiveId, *CurrentDatabase).c_str());
    // A task belongs to an objective: without one there is nothing to save it under.
    EnableWindow(GetDlgItem(dialog, IDOK), state.working.objectiveId != 0);
}

BOOL InitTaskDialog(HWND dialog, LPARAM parameter)
{
    const auto* args = reinterpret_cast<const TaskDialogArgs*>(parameter);
    if (CurrentDatabase == nullptr || args == nullptr || args->task == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    auto owned = std::make_unique<TaskDialogState>();
    owned->task = args->task;
    owned->working = args->task->row;
    owned->lockObjective = args->lockObjective;
    owned->allowPerson = args->allowPerson && ChoosePerson != nullptr;
    owned->allowSource = args->allowSource;
    TaskDialogState& state = AttachDialogState(dialog, std::move(owned));
    Database& database = *CurrentDatabase;

    if (state.task->Id() == 0)
        state.working.statusDate = ResearchDateNow();
    TranslateDialog(dialog);
    SendDlgItemMessageA(dialog, IDC_TASK_TITLE, EM_LIMITTEXT, ResearchTitleSize - 1, 0);
    PrepareNoteEdit(GetDlgItem(dialog, IDC_TASK_PROBLEM), state.task->Problem());
    PrepareNoteEdit(GetDlgItem(dialog, IDC_TASK_SOLUTION), state.task->Solution());

    HWND status = GetDlgItem(dialog, IDC_TASK_STATUS);
    for (const char* key : StatusKeys)
        SendMessageA(status, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetLanguageText(key)));
    const int shown = state.working.status >= TaskStatusNew && state.working.status <= TaskStatusRejected
                          ? state.working.status
                          : static_cast<int>(TaskStatusNew);
    SendMessageA(status, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);

    ShowObjective(dialog, state);
    EnableWindow(GetDlgItem(dialog, IDC_TASK_SELECT_OBJECTIVE), !(state.lockObjective && state.working.objectiveId != 0));
    EnableWindow(GetDlgItem(dialog, IDC_TASK_SELECT_PERSON), state.allowPerson);
    EnableWindow(GetDlgItem(dialog, IDC_TASK_SELECT_SOURCE), state.allowSource);

    char title[ResearchTitleSize];
    CopyBounded(title, sizeof title, state.working.title);
    SetDlgItemTextA(dialog, IDC_TASK_TITLE, title);
    SetDlgItemTextA(dialog, IDC_TASK_PERSON, PersonNameText(state.working.personId, database).c_str());
    SetDlgItemTextA(dialog, IDC_TASK_SOURCE, SourceTitleText(state.working.sourceId, database).c_str());
    ShowStatusDate(dialog, state.working.statusDate);
    CentreOnOwner(dialog);
    return TRUE;
}

void SaveTask(HWND dialog, TaskDialogState& state)
{
    if (state.working.objectiveId == 0)
        return;
    char title[ResearchTitleSize] = {};
    GetDlgItemTextA(dialog, IDC_TASK_TITLE, title, sizeof title);
    StoreField(state.working.title, sizeof state.working.title, title);
    const LRESULT status = SendDlgItemMessageA(dialog, IDC_TASK_STATUS, CB_GETCURSEL, 0, 0);
    if (status >= TaskStatusNew && status <= TaskStatusRejected)
        ChangeTaskStatus(state.working, static_cast<std::int8_t>(status), ResearchDateNow());

    TaskRecord& task = *state.task;
    task.row = state.working;
    if (task.Problem() != nullptr)
        ReadNoteFromEdit(*task.Problem(), GetDlgItem(dialog, IDC_TASK_PROBLEM));
    if (task.Solution() != nullptr)
        ReadNoteFromEdit(*task.Solution(), GetDlgItem(dialog, IDC_TASK_SOLUTION));
    EndDialog(dialog, 1);
}

void TaskDialogCommand(HWND dialog, TaskDialogState& state, int command, int)
{
    Database& database = *CurrentDatabase;
    switch (command) {
    case IDOK:
        SaveTask(dialog, state);
        break;
    case IDC_TASK_SELECT_OBJECTIVE:
        if (std::int32_t id = ShowResearchList(dialog, database)) {
            state.working.objectiveId = id;
            ShowObjective(dialog, state);
        }
        break;
    case IDC_TASK_SELECT_PERSON:
        if (ChoosePerson == nullptr || !state.allowPerson)
            break;
        if (std::int32_t id = ChoosePerson(dialog, database)) {
            state.working.personId = id;
            SetDlgItemTextA(dialog, IDC_TASK_PERSON, PersonNameText(id, database).c_str());
        }
        break;
    case IDC_TASK_SELECT_SOURCE:
        if (!state.allowSource)
            break;
        if (std::int32_t id = SelectSource(dialog, database)) {
            state.working.sourceId = id;
            SetDlgItemTextA(dialog, IDC_TASK_SOURCE, SourceTitleText(id, database).c_str());
        }
        break;
    default:
        break;
    }
}

INT_PTR TaskDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerStatefulDialog<TaskDialogState>(dialog, message, wParam, lParam, "Window_Task.htm", InitTaskDialog,
                                                 TaskDialogCommand);
}

} // namespace

INT_PTR CALLBACK TaskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedProcedure<TaskDialogMessage, DialogSafeAnswer>(dialog, message, wParam, lParam);
}

int EditTaskDialog(HWND owner, TaskRecord& task, bool lockObjective, bool allowPerson, bool allowSource)
{
    TaskDialogArgs args = {&task, allowPerson, allowSource, lockObjective};
    const INT_PTR result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_TASK), owner, TaskDialogProc,
                                           reinterpret_cast<LPARAM>(&args));
    return result == 1 ? 1 : 0;
}

void SetTaskPersonSelector(PersonSelector selector)
{
    ChoosePerson = selector;
}

std::string PersonNameText(std::int32_t personId, Database& database)
{
    if (personId == 0)
        return {};
    char text[256] = "";
    WritePersonNameField(text, sizeof text, personId, database, false);
    return text;
}

std::string SourceTitleText(std::int32_t sourceId, Database& database)
{
    if (sourceId == 0)
        return {};
    SourceRecord source(sourceId, database);
    return source.Id() != 0 ? std::string(source.Title(), strnlen(source.Title(), sizeof source.row.title)) : std::string();
}

std::string ObjectiveTitleText(std::int32_t objectiveId, Database& database)
{
    if (objectiveId == 0)
        return {};
    ObjectiveRecord objective(objectiveId, database);
    return objective.Id() != 0 ? std::string(objective.row.title, strnlen(objective.row.title, sizeof objective.row.title))
                               : std::string();
}
