#include "records/task_record.h"

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/linked_saves.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "platform/local_time.h"

const char* TaskStatusText(std::int32_t status)
{
    switch (status) {
    case TaskStatusAnalysis:
        return GetLanguageText("TASK_STATUS_ANALYSIS");
    case TaskStatusFinished:
        return GetLanguageText("TASK_STATUS_FINISHED");
    case TaskStatusUpdated:
        return GetLanguageText("TASK_STATUS_UPDATED");
    case TaskStatusRejected:
        return GetLanguageText("TASK_STATUS_REJECTED");
    default:
        return GetLanguageText("TASK_STATUS_NEW");
    }
}

ResearchDate ResearchDateNow()
{
    const platform::LocalTime now = platform::CurrentLocalTime();
    return {now.year, now.month, now.dayOfWeek, now.day, static_cast<std::uint8_t>(now.hour & 0xFF)};
}

void ChangeTaskStatus(TaskRow& row, std::int8_t status, const ResearchDate& today)
{
    if (row.status == status)
        return;
    row.status = status;
    row.statusDate = today;
}

std::int32_t TaskRecord::Read(std::int32_t id)
{
    return ReadRow(TableTask, id, &row, sizeof row);
}

void TaskRecord::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    if (!problem_) {
        problem_ = std::make_unique<NoteText>();
        if (row.problemId != 0)
            problem_->Load(row.problemId, *database_);
    }
    if (!solution_) {
        solution_ = std::make_unique<NoteText>();
        if (row.solutionId != 0)
            solution_->Load(row.solutionId, *database_);
    }
}

void TaskRecord::ReadAndLoad(std::int32_t id)
{
    Read(id);
    if (id != 0)
        LoadLinked();
}

bool TaskRecord::Save()
{
    return RunWriteTransaction(*database_, [this] {
        if (id_ == 0 && NewRowId(TableTask) == 0)
            return false;
        const auto problem = SaveNoteChain(problem_.get(), id_, TableTask, row.problemId, *database_);
        if (!problem)
            return false;
        row.problemId = *problem;
        const auto solution = SaveNoteChain(solution_.get(), id_, TableTask, row.solutionId, *database_);
        if (!solution)
            return false;
        row.solutionId = *solution;
        return WriteRow(TableTask, &row) == 0;
    });
}

bool TaskRecord::Delete()
{
    return RunWriteTransaction(*database_, [this] {
        return DeleteNoteChainIfAny(row.problemId, *database_) &&
               DeleteNoteChainIfAny(row.solutionId, *database_) &&
               tlvDeleteRecord(database_->TableId(TableTask), id_, database_->file) == 0;
    });
}

void TaskRecord::SetTitle(const char* text)
{
    StoreField(row.title, sizeof row.title, text);
}
