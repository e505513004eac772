// The task dialog, which edits one research task, and the task page, which lists the tasks of a person or
// a source inside its host's window and adds, edits and deletes them through the dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/record_list.h"

class Database;
class TaskRecord;

// Owner kinds of a task page's list: whose tasks it shows.
inline constexpr std::uint8_t TaskOwnerSource = 4;
inline constexpr std::uint8_t TaskOwnerPerson = 7;

// Edits `task` (whose note objects exist) in a copy; only Save puts the copy into the task, so Cancel
// leaves it as it was. 1 when the user saved, 0 when cancelled. The caller stores the task and posts
// WM_TASKSCHANGED. `lockObjective`: a task that has an objective keeps it.
int EditTaskDialog(HWND owner, TaskRecord& task, bool lockObjective, bool allowPerson, bool allowSource);

// The person selector belongs to the persons' windows, above this layer: the program hands it in at
// start-up. Without one the person's Select button stays disabled.
using PersonSelector = std::int32_t (*)(HWND owner, Database& database);
void SetTaskPersonSelector(PersonSelector selector);

// The texts the research windows show for a task's links; empty for id 0 or a record that does not read.
std::string PersonNameText(std::int32_t personId, Database& database);
std::string SourceTitleText(std::int32_t sourceId, Database& database);
std::string ObjectiveTitleText(std::int32_t objectiveId, Database& database);

// The task page: a child dialog of `host` that shows `tasks` (its keyId the person's or source's id, its
// ownerKind TaskOwnerPerson or TaskOwnerSource). The host forwards MENU_INSERT_TASK, MENU_VIEW_DATA and
// MENU_EDIT_DELETE as WM_COMMAND, and WM_TASKSCHANGED once it has reloaded the list.
HWND CreateTaskPage(HWND host, RecordList<TaskRecord>& tasks);
INT_PTR CALLBACK TaskPageDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TaskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
