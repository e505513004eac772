// Research objectives and tasks against a real database file: the rows, the note chains they own, the
// objective's list of tasks with its marks, the derived status and the texts.
#include "records/objective_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/note_text.h"
#include "core/write_transaction.h"
#include "platform/local_time.h"
#include "records/task_record.h"
#include "tests/support/scoped_language.h"
#include "tests/support/test_database.h"

namespace {

using test_support::CountRows;
using test_support::RawRow;
using test_support::ScopedLanguage;
using test_support::TestDatabase;

class Research : public ::testing::Test {
protected:
    Database& db() { return *database_; }

    // A task saved with its texts (empty ones store nothing); its id.
    std::int32_t AddTask(std::int32_t objectiveId, std::int8_t status, const char* problem = "",
                         const char* solution = "")
    {
        TaskRecord task(db());
        task.LoadLinked();
        task.SetTitle("look it up");
        task.row.objectiveId = objectiveId;
        task.row.status = status;
        task.Problem()->SetText(problem);
        task.Solution()->SetText(solution);
        EXPECT_TRUE(task.Save());
        return task.Id();
    }

    TaskRow StoredTask(std::int32_t id)
    {
        TaskRow row;
        std::memcpy(&row, RawRow(db(), TableTask, id, sizeof row).data(), sizeof row);
        return row;
    }

    TestDatabase database_;
};

TEST_F(Research, ATaskStoresItsNotesUnderItselfAndDropsThemWhenEmptied)
{
    const std::int32_t bare = AddTask(0, TaskStatusNew);
    EXPECT_EQ(StoredTask(bare).problemId, 0);
    EXPECT_EQ(StoredTask(bare).solutionId, 0);
    EXPECT_EQ(CountRows(db(), TableNote), 0);

    const std::int32_t id = AddTask(0, TaskStatusAnalysis, "who were the parents", "the church book");
    database_.Reopen();
    const TaskRow stored = StoredTask(id);
    ASSERT_NE(stored.problemId, 0);
    ASSERT_NE(stored.solutionId, 0);
    NoteRowData note;
    std::memcpy(&note, RawRow(db(), TableNote, stored.solutionId, sizeof note).data(), sizeof note);
    EXPECT_EQ(note.ownerId, id);
    EXPECT_EQ(note.ownerType, TableTask);

    TaskRecord task(db());
    {
        auto transaction = test_support::Transaction(db());
        task.ReadAndLoad(id);
    }
    EXPECT_STREQ(task.Problem()->Text(), "who were the parents");
    EXPECT_EQ(task.row.status, TaskStatusAnalysis);
    task.Problem()->SetText("");
    task.Solution()->SetText("");
    ASSERT_TRUE(task.Save());
    EXPECT_EQ(StoredTask(id).problemId, 0);
    EXPECT_EQ(StoredTask(id).solutionId, 0);
    EXPECT_EQ(CountRows(db(), TableNote), 0);

    ASSERT_TRUE(task.Delete());
    EXPECT_EQ(task.Id(), id) << "the object keeps its id";
    EXPECT_EQ(CountRows(db(), TableTask), 1);
}

TEST_F(Research, ReadingNothingLoadsNothing)
{
    TaskRecord task(db());
    task.ReadAndLoad(0);
    EXPECT_EQ(task.Id(), 0);
    EXPECT_EQ(task.Problem(), nullptr);

    ObjectiveRecord objective(db());
    objective.ReadAndLoad(42);
    EXPECT_EQ(objective.Id(), 0);
    EXPECT_TRUE(objective.Tasks().Empty());
}

TEST_F(Research, StatusAndPriorityTexts)
{
    ScopedLanguage language(ScopedLanguage::Master());
    ASSERT_NE(language.get(), nullptr);
    const struct {
        int code;
        const char* status;
        const char* priority;
    } cases[] = {
        {0, "New", "Low"},         {1, "Analysis", "Medium"}, {2, "Finished", "High"}, {3, "Updated", "High"},
        {4, "Rejected", "High"},   {5, "New", "High"},        {-1, "New", "High"},
    };
    for (const auto& c : cases) {
        TaskRecord task(db());
        task.row.status = static_cast<std::int8_t>(c.code);
        EXPECT_STREQ(task.GetTaskStatusLabel(), c.status) << c.code;
        ObjectiveRecord objective(db());
        objective.row.priority = static_cast<std::int8_t>(c.code);
        EXPECT_STREQ(objective.GetPriorityText(), c.priority) << c.code;
    }
    ObjectiveRecord fresh(db());
    EXPECT_EQ(fresh.row.priority, PriorityMedium);
    EXPECT_STREQ(fresh.GetTaskStatusText(), "New");
}

TEST_F(Research, TheObjectiveStatusFollowsItsUnmarkedTasks)
{
    struct Task {
        std::int8_t status;
        bool marked;
    };
    const struct {
        std::vector<Task> tasks;
        std::int8_t expected;
    } cases[] = {
        {{}, 0},
        {{{2, false}, {4, false}}, 2},
        {{{3, false}, {4, false}}, 3},
        {{{4, false}, {4, false}}, 4},
        {{{0, false}, {4, false}}, 0},
        {{{1, false}, {2, false}}, 1},
        {{{4, true}, {4, true}}, 0},
        {{{0, true}, {4, false}}, 4},
        {{{2, false}, {0, true}}, 2},
    };
    for (const auto& c : cases) {
        ObjectiveRecord objective(db());
        for (const Task& t : c.tasks) {
            auto task = std::make_unique<TaskRecord>(db());
            task->row.status = t.status;
            const std::size_t at = objective.Tasks().Append(std::move(task));
            objective.Tasks().SetMark(at, t.marked ? 1 : 0);
        }
        EXPECT_EQ(objective.ComputeStatus(), c.expected) << "case with " << c.tasks.size() << " tasks";
    }
}

TEST_F(Research, SavingANewObjectiveGivesItsTasksItsId)
{
    ObjectiveRecord objective(db());
    objective.LoadLinked();
    objective.SetTitle("Parents of Ola");
    objective.Problem()->SetText("no baptism found");
    for (std::int8_t status : {TaskStatusNew, TaskStatusFinished}) {
        auto task = std::make_unique<TaskRecord>(db());
        task->LoadLinked();
        task->row.status = status;
        objective.Tasks().Append(std::move(task));
    }
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return objective.Save(); }));
    ASSERT_NE(objective.Id(), 0);
    database_.Reopen();

    ObjectiveRecord loaded(db());
    loaded.ReadAndLoad(objective.Id());
    EXPECT_STREQ(loaded.row.title, "Parents of Ola");
    EXPECT_EQ(loaded.row.priority, PriorityMedium);
    EXPECT_STREQ(loaded.Problem()->Text(), "no baptism found");
    ASSERT_EQ(loaded.Tasks().Count(), 2u);
    EXPECT_EQ(loaded.Tasks()[0].row.objectiveId, objective.Id());
    EXPECT_EQ(loaded.Tasks()[1].row.status, TaskStatusFinished);
    EXPECT_EQ(loaded.ComputeStatus(), TaskStatusNew);
}

TEST_F(Research, AMarkedTaskIsDeletedOnceAndItsFreedIdIsNotDeletedAgain)
{
    ObjectiveRecord objective(db());
    objective.LoadLinked();
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return objective.Save(); }));
    AddTask(objective.Id(), TaskStatusNew, "problem");
    AddTask(objective.Id(), TaskStatusFinished);
    objective.LoadTasks();
    ASSERT_EQ(objective.Tasks().Count(), 2u);
    const std::int32_t removed = objective.Tasks()[0].Id();

    objective.Tasks().SetMark(0, 1);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return objective.Save(); }));
    EXPECT_EQ(objective.Tasks()[0].Id(), 0);
    EXPECT_EQ(CountRows(db(), TableTask), 1);
    EXPECT_EQ(CountRows(db(), TableNote), 0) << "the removed task's note went with it";

    // The freed id goes to the next new task, which a second save must leave alone.
    const std::int32_t newer = AddTask(0, TaskStatusNew);
    ASSERT_EQ(newer, removed);
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return objective.Save(); }));
    EXPECT_EQ(CountRows(db(), TableTask), 2);
    EXPECT_EQ(objective.Tasks().Count(), 2u) << "marked entries stay in the list";
}

TEST_F(Research, DeletingAnObjectiveDeletesItsTasksAndNotes)
{
    ObjectiveRecord objective(db());
    objective.LoadLinked();
    objective.Solution()->SetText("found it");
    ASSERT_TRUE(RunWriteTransaction(db(), [&] { return objective.Save(); }));
    AddTask(objective.Id(), TaskStatusNew, "p", "s");
    const std::int32_t other = AddTask(0, TaskStatusNew);

    ObjectiveRecord loaded(db());
    loaded.ReadAndLoad(objective.Id());
    ASSERT_TRUE(loaded.Delete());
    EXPECT_EQ(loaded.Id(), objective.Id());
    EXPECT_EQ(CountRows(db(), TableObjective), 0);
    EXPECT_EQ(CountRows(db(), TableTask), 1);
    EXPECT_EQ(StoredTask(other).objectiveId, 0);
    EXPECT_EQ(CountRows(db(), TableNote), 0);
}

} // namespace

namespace {

TEST(TaskStatusChange, OnlyADifferentStatusTakesTheDate)
{
    const ResearchDate earlier = {2020, 3, 0, 1, 9};
    const ResearchDate today = {2026, 12, 5, 11, 6};
    TaskRow row = {};
    row.status = TaskStatusAnalysis;
    row.statusDate = earlier;

    ChangeTaskStatus(row, TaskStatusAnalysis, today);
    EXPECT_EQ(int{row.status}, TaskStatusAnalysis);
    EXPECT_EQ(int{row.statusDate.year}, 2020);
    EXPECT_EQ(int{row.statusDate.day}, 1);

    ChangeTaskStatus(row, TaskStatusFinished, today);
    EXPECT_EQ(int{row.status}, TaskStatusFinished);
    EXPECT_EQ(int{row.statusDate.year}, 2026);
    EXPECT_EQ(int{row.statusDate.month}, 12);
    EXPECT_EQ(int{row.statusDate.day}, 11);
}

TEST(TaskStatusChange, TodayIsTheClocksDate)
{
    const ResearchDate today = ResearchDateNow();
    const platform::LocalTime now = platform::CurrentLocalTime();
    EXPECT_EQ(int{today.year}, now.year);
    EXPECT_EQ(int{today.month}, now.month);
    EXPECT_GE(int{today.day}, 1);
    EXPECT_LE(int{today.day}, 31);
}

} // namespace
