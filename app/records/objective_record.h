// A research objective: a question the user works on, with a priority, a problem and a solution text and
// the tasks that work on it. Its status is never stored: it follows from the statuses of its tasks.
#pragma once

#include <cstdint>
#include <memory>

#include "core/entity_record.h"
#include "core/note_text.h"
#include "core/record_list.h"
#include "records/task_record.h"
#include "records/task_row.h"

enum ObjectivePriority : std::int8_t {
    PriorityLow = 0,
    PriorityMedium = 1,
    PriorityHigh = 2,
};

#pragma pack(push, 1)
struct ObjectiveRow {
    char title[ResearchTitleSize];
    std::int32_t problemId;  // first NOTE row of the problem text, 0 none
    std::int32_t solutionId; // first NOTE row of the solution text, 0 none
    std::int8_t priority;    // ObjectivePriority
    ResearchDate created;
};
#pragma pack(pop)
static_assert(sizeof(ObjectiveRow) == 146, "an OBJECTIVE row is 146 bytes");

// The status an objective's tasks give it (the unmarked entries of `tasks`): new without tasks; rejected
// when every task is rejected; else the lowest status among them, never above updated.
std::int8_t ObjectiveStatus(const RecordList<TaskRecord>& tasks);

class ObjectiveRecord : public EntityRecord {
public:
    // A new objective of medium priority.
    explicit ObjectiveRecord(Database& database);
    // Reads the row of `id`; nothing linked is loaded.
    ObjectiveRecord(std::int32_t id, Database& database);
    ~ObjectiveRecord() override;

    std::int32_t NewId() override;
    // In one transaction: new problem and solution objects loaded from their chains, then LoadTasks.
    void LoadLinked() override;
    std::int32_t Read(std::int32_t id) override;
    // Read, then LoadLinked even when the read failed.
    void ReadAndLoad(std::int32_t id) override;
    std::int32_t Write() override;
    // Inside the caller's read-write transaction: an id when it has none, the notes that were loaded,
    // every task (marked or not) pointed at the objective, the unmarked ones saved and the stored marked
    // ones deleted, then the row.
    bool Save() override;

    // Appends every task of the objective to the list (which is not emptied first), when it is stored.
    void LoadTasks();
    // In a read-write transaction of its own: every task of the list, both note chains and the row. The
    // object keeps its id and contents.
    bool Delete();

    std::int8_t ComputeStatus() const { return ObjectiveStatus(tasks_); }
    const char* GetTaskStatusText() const { return TaskStatusText(ComputeStatus()); }
    // Low and medium by name; any other value reads as high.
    const char* GetPriorityText() const;
    // Copies at most 127 characters.
    void SetTitle(const char* text);

    NoteText* Problem() { return problem_.get(); }
    NoteText* Solution() { return solution_.get(); }
    RecordList<TaskRecord>& Tasks() { return tasks_; }

    ObjectiveRow row = {};

private:
    std::unique_ptr<NoteText> problem_;
    std::unique_ptr<NoteText> solution_;
    RecordList<TaskRecord> tasks_;
};
