// A research task: one step of work on a research objective, with a problem and a solution text, the
// person and the source it concerns, and a status with the date of its last change. Objectives, sources
// and persons each list the tasks that point at them.
#pragma once

#include <cstdint>
#include <memory>

#include "core/note_text.h"
#include "core/table_row.h"
#include "records/task_row.h"

enum TaskStatus : std::int8_t {
    TaskStatusNew = 0,
    TaskStatusAnalysis = 1,
    TaskStatusFinished = 2,
    TaskStatusUpdated = 3,
    TaskStatusRejected = 4,
};

// The language text of a task status; any value outside the list reads as new.
const char* TaskStatusText(std::int32_t status);

// The present local date as research records keep it.
ResearchDate ResearchDateNow();
// Sets the status; one that differs from the row's takes `today` as the date of its change, so that the
// date tells when the status last changed, not when the task was last saved.
void ChangeTaskStatus(TaskRow& row, std::int8_t status, const ResearchDate& today);

class TaskRecord : public TableRow {
public:
    explicit TaskRecord(Database& database) : TableRow(database) {}
    // Reads the row of `id` in the caller's transaction; no notes are loaded.
    TaskRecord(std::int32_t id, Database& database) : TableRow(database) { Read(id); }
    ~TaskRecord() = default;

    // In the caller's transaction; on failure the id becomes 0 and the row keeps what it held.
    std::int32_t Read(std::int32_t id);
    // Makes the problem and solution objects when absent and loads their chains.
    void LoadLinked();
    // Read, then LoadLinked unless `id` is 0.
    void ReadAndLoad(std::int32_t id);
    // In a read-write transaction of its own (nested in the caller's): an id when it has none, both
    // notes under the task, then the row. True when every write succeeded.
    bool Save();
    // In a read-write transaction of its own: both note chains and the row; the object keeps its id.
    bool Delete();

    const char* GetTaskStatusLabel() const { return TaskStatusText(row.status); }
    // Copies at most 127 characters.
    void SetTitle(const char* text);

    NoteText* Problem() { return problem_.get(); }
    NoteText* Solution() { return solution_.get(); }

    TaskRow row = {};

private:
    std::unique_ptr<NoteText> problem_;
    std::unique_ptr<NoteText> solution_;
};
