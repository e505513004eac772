#include "records/objective_record.h"

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/linked_saves.h"
#include "core/record_query.h"
#include "core/write_transaction.h"
#include "language/language_table.h"

std::int8_t ObjectiveStatus(const RecordList<TaskRecord>& tasks)
{
    // Tasks marked for removal no longer count: an objective left with none of its own is new.
    bool any = false;
    bool allRejected = true;
    std::int8_t lowest = TaskStatusUpdated;
    for (std::size_t i = 0; i < tasks.Count(); ++i) {
        if (tasks.IsMarked(i))
            continue;
        any = true;
        const std::int8_t status = tasks[i].row.status;
        if (status != TaskStatusRejected)
            allRejected = false;
        if (status < lowest)
            lowest = status;
    }
    if (!any)
        return TaskStatusNew;
    return allRejected ? static_cast<std::int8_t>(TaskStatusRejected) : lowest;
}

ObjectiveRecord::ObjectiveRecord(Database& database) : EntityRecord(database)
{
    row.priority = PriorityMedium;
}

ObjectiveRecord::ObjectiveRecord(std::int32_t id, Database& database) : EntityRecord(database)
{
    Read(id);
}

ObjectiveRecord::~ObjectiveRecord() = default;

std::int32_t ObjectiveRecord::NewId()
{
    return NewRowId(TableObjective);
}

void ObjectiveRecord::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    problem_ = std::make_unique<NoteText>();
    if (row.problemId != 0)
        problem_->Load(row.problemId, *database_);
    solution_ = std::make_unique<NoteText>();
    if (row.solutionId != 0)
        solution_->Load(row.solutionId, *database_);
    LoadTasks();
}

std::int32_t ObjectiveRecord::Read(std::int32_t id)
{
    return ReadRow(TableObjective, id, &row, sizeof row);
}

void ObjectiveRecord::ReadAndLoad(std::int32_t id)
{
    Read(id);
    LoadLinked();
}

std::int32_t ObjectiveRecord::Write()
{
    return WriteRow(TableObjective, &row);
}

bool ObjectiveRecord::Save()
{
    if (id_ == 0 && NewId() == 0)
        return false;
    const auto problem = SaveNoteChain(problem_.get(), id_, TableObjective, row.problemId, *database_);
    if (!problem)
        return false;
    row.problemId = *problem;
    const auto solution = SaveNoteChain(solution_.get(), id_, TableObjective, row.solutionId, *database_);
    if (!solution)
        return false;
    row.solutionId = *solution;
    for (std::size_t i = 0; i < tasks_.Count(); ++i)
        tasks_[i].row.objectiveId = id_;
    return SaveListEntries(tasks_) && Write() == 0;
}

void ObjectiveRecord::LoadTasks()
{
    if (id_ == 0)
        return;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    const auto ids = FindRecordIds({TableTask, task_row::ObjectiveColumn, id_}, *database_);
    if (!ids)
        return;
    for (std::int32_t taskId : *ids) {
        auto task = std::make_unique<TaskRecord>(*database_);
        task->ReadAndLoad(taskId);
        tasks_.Append(std::move(task));
    }
}

bool ObjectiveRecord::Delete()
{
    return RunWriteTransaction(*database_, [this] {
        for (std::size_t i = 0; i < tasks_.Count(); ++i)
            if (tasks_[i].Id() != 0 && !tasks_[i].Delete())
                return false;
        return DeleteNoteChainIfAny(row.problemId, *database_) &&
               DeleteNoteChainIfAny(row.solutionId, *database_) &&
               tlvDeleteRecord(database_->TableId(TableObjective), id_, database_->file) == 0;
    });
}

const char* ObjectiveRecord::GetPriorityText() const
{
    switch (row.priority) {
    case PriorityLow:
        return GetLanguageText("RESEARCH_EDIT_PRIORITYLOW");
    case PriorityMedium:
        return GetLanguageText("RESEARCH_EDIT_PRIORITYMEDIUM");
    default:
        return GetLanguageText("RESEARCH_EDIT_PRIORITYHIGH");
    }
}

void ObjectiveRecord::SetTitle(const char* text)
{
    StoreField(row.title, sizeof row.title, text);
}
