// Scripts that read sources, the repositories that hold them, their excerpts, research objectives with
// their tasks, and a person's media objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/run/tests/model_records.h"
#include "tests/support/scoped_language.h"

namespace {

using model_test::Case;

// The parish book (source 1) with a volume (2) that holds excerpts, kept by the archive (repository 1) and
// the library (2); an objective (1) with two tasks about Anna (person 1) and the volume.
class SourceScripts : public model_test::ModelScriptTest {
protected:
    SourceScripts()
        : language_("TASK_STATUS_NEW=new\n"
                    "TASK_STATUS_ANALYSIS=in analysis\n"
                    "TASK_STATUS_FINISHED=finished\n"
                    "TASK_STATUS_UPDATED=updated\n"
                    "TASK_STATUS_REJECTED=rejected\n"
                    "RESEARCH_EDIT_PRIORITYLOW=low\n"
                    "RESEARCH_EDIT_PRIORITYMEDIUM=medium\n"
                    "RESEARCH_EDIT_PRIORITYHIGH=high\n")
    {
    }

    void SetUp() override
    {
        anna = records.Person("Anna/Berg/", SexFemale);
        book = records.Source({.title = "Parish book of Vang",
                               .shortTitle = "PBV",
                               .author = "The parish priest",
                               .published = "Vang 1890",
                               .serial = "1234-5678",
                               .serialType = SerialIssn,
                               .kind = 3,
                               .sourceClass = 2,
                               .media = 5,
                               .text = "Births and deaths",
                               .note = "well kept"});
        volume = records.Source({.title = "Volume II", .shortTitle = "PBV2", .superior = book});
        records.Excerpt(volume, "p. 12", 3, "Anna, born", "hard to read");
        records.Excerpt(volume, "p. 13");
        const std::int32_t archive =
            records.Repository("State archive", "post@archive.no", "archive.no", "Oslo", "reading room");
        const std::int32_t library = records.Repository("Library");
        records.RepositoryRef(archive, book, "A-17", "on film");
        records.RepositoryRef(library, book, "L-2");
        const std::int32_t objective =
            records.Objective("Find Anna's parents", PriorityHigh, "who were they", "the parish book");
        records.Task({.title = "Read the volume",
                      .objective = objective,
                      .person = anna,
                      .source = volume,
                      .status = TaskStatusFinished,
                      .problem = "her birth",
                      .solution = "found"});
        records.Task({.title = "Ask the archive", .objective = objective, .status = TaskStatusAnalysis});
        records.Media(anna, 1, "Anna in 1920", "anna.portrait.jpg", "from an album");
        records.Media(anna, 2, "Her letter", "LETTER");
    }

    test_support::ScopedLanguage language_;
    std::int32_t anna = 0;
    std::int32_t book = 0;
    std::int32_t volume = 0;
};

TEST_F(SourceScripts, SourceProperties)
{
    Check({
        {"DATABASE.SOURCE(1).ID", "1"},
        {"DATABASE.SOURCE(1).TITLE", "Parish book of Vang"},
        {"DATABASE.SOURCE(1).SHORTTITLE", "PBV"},
        {"DATABASE.SOURCE(1).AUTHOR", "The parish priest"},
        {"DATABASE.SOURCE(1).PUBLISHED", "Vang 1890"},
        {"DATABASE.SOURCE(1).SERIALTYPE", "1"},
        {"DATABASE.SOURCE(1).SERIAL", "1234-5678"},
        {"DATABASE.SOURCE(1).TYPE", "3"},
        {"DATABASE.SOURCE(1).COPY", "2"},
        {"DATABASE.SOURCE(1).MEDIUM", "5"},
        {"DATABASE.SOURCE(1).NOTE", "well kept"},
        {"DATABASE.SOURCE(1).TEXT", "Births and deaths"},
        {"DATABASE.SOURCE(1).NSUBORDINATES", "1"},
        {"DATABASE.SOURCE(1).SUBORDINATE(1).TITLE", "Volume II"},
        {"DATABASE.SOURCE(1).SUBORDINATE(2).TITLE", "error 16"},
        {"DATABASE.SOURCE(2).SUPERIOR.TITLE", "Parish book of Vang"},
        // No superior: the chain fails, the value alone is a source of id 0.
        {"DATABASE.SOURCE(1).SUPERIOR.TITLE", "error 103"},
        {"DATABASE.SOURCE(1).SUPERIOR = 0", "1"},
        {"DATABASE.SOURCE(1).NREPOSITORIES", "2"},
        {"DATABASE.SOURCE(1).REPREF(2).CALLNUMBER", "L-2"},
        {"DATABASE.SOURCE(1).REPREF(3).CALLNUMBER", "error 16"},
        {"DATABASE.SOURCE(2).NEXCERPTS", "2"},
        {"DATABASE.SOURCE(2).EXCERPT(2).PAGE", "p. 13"},
        {"DATABASE.SOURCE(2).EXCERPT(0).PAGE", "error 16"},
        {"DATABASE.SOURCE(2).NTASKS", "1"},
        {"DATABASE.SOURCE(2).TASK(1).TITLE", "Read the volume"},
        {"DATABASE.SOURCE(1).NTASKS", "0"},
        {"DATABASE.SOURCE(1).title", "error 1"},
    });
}

TEST_F(SourceScripts, RepositoryReferenceAndExcerptProperties)
{
    Check({
        {"DATABASE.REPOSITORY(1).ID", "1"},
        {"DATABASE.REPOSITORY(1).NAME", "State archive"},
        {"DATABASE.REPOSITORY(1).EMAIL", "post@archive.no"},
        {"DATABASE.REPOSITORY(1).URL", "archive.no"},
        {"DATABASE.REPOSITORY(1).NOTE", "reading room"},
        {"DATABASE.REPOSITORY(1).NSOURCES", "1"},
        {"DATABASE.REPOSITORY(1).REPREF(1).SOURCE.TITLE", "Parish book of Vang"},
        {"DATABASE.REPOSITORY(1).REPREF(2).SOURCE.TITLE", "error 16"},
        {"DATABASE.SOURCE(1).REPREF(1).REPOSITORY.NAME", "State archive"},
        {"DATABASE.SOURCE(1).REPREF(1).CALLNUMBER", "A-17"},
        {"DATABASE.SOURCE(1).REPREF(1).NOTE", "on film"},
        {"DATABASE.SOURCE(1).REPREF(1).TITLE", "error 1"},
        {"DATABASE.SOURCE(2).EXCERPT(1).QUALITY", "3"},
        {"DATABASE.SOURCE(2).EXCERPT(1).PAGE", "p. 12"},
        {"DATABASE.SOURCE(2).EXCERPT(1).TEXT", "Anna, born"},
        {"DATABASE.SOURCE(2).EXCERPT(1).NOTE", "hard to read"},
        {"DATABASE.SOURCE(2).EXCERPT(1).SOURCE.SUPERIOR.SHORTTITLE", "PBV"},
    });
}

TEST_F(SourceScripts, ObjectiveAndTaskProperties)
{
    Check({
        {"DATABASE.OBJECTIVE(1).ID", "1"},
        {"DATABASE.OBJECTIVE(1).TITLE", "Find Anna's parents"},
        {"DATABASE.OBJECTIVE(1).PROBLEM", "who were they"},
        {"DATABASE.OBJECTIVE(1).SOLUTION", "the parish book"},
        {"DATABASE.OBJECTIVE(1).PRIORITYTEXT", "high"},
        {"DATABASE.OBJECTIVE(1).PRIORITY", "2"},
        {"DATABASE.OBJECTIVE(1).NTASKS", "2"},
        {"DATABASE.OBJECTIVE(1).TASK(2).TITLE", "Ask the archive"},
        {"DATABASE.OBJECTIVE(1).TASK(3).TITLE", "error 16"},
        {"DATABASE.OBJECTIVE(1).STATUS", "1"},
        {"DATABASE.OBJECTIVE(1).STATUSTEXT", "in analysis"},
        {"DATABASE.OBJECTIVE(1).TASK(1).PROBLEM", "her birth"},
        {"DATABASE.OBJECTIVE(1).TASK(1).SOLUTION", "found"},
        {"DATABASE.OBJECTIVE(1).TASK(1).OBJECTIVE.TITLE", "Find Anna's parents"},
        {"DATABASE.OBJECTIVE(1).TASK(1).PERSON.ID", "1"},
        {"DATABASE.OBJECTIVE(1).TASK(1).SOURCE.TITLE", "Volume II"},
        {"DATABASE.OBJECTIVE(1).TASK(1).STATUS", "2"},
        {"DATABASE.OBJECTIVE(1).TASK(1).STATUSTEXT", "finished"},
        // A task about no person and no source.
        {"DATABASE.OBJECTIVE(1).TASK(2).PERSON.ID", "error 105"},
        {"DATABASE.OBJECTIVE(1).TASK(2).SOURCE.TITLE", "error 103"},
        {"DATABASE.OBJECTIVE(1).TASK(2).NOTE", "error 1"},
    });
}

TEST_F(SourceScripts, AnObjectivesStatusFollowsItsTasks)
{
    const struct {
        std::vector<std::int8_t> tasks;
        const char* status;
        const char* text;
    } cases[] = {
        {{}, "0", "new"},
        {{TaskStatusNew, TaskStatusFinished}, "0", "new"},
        {{TaskStatusAnalysis, TaskStatusFinished}, "1", "in analysis"},
        {{TaskStatusFinished, TaskStatusRejected}, "2", "finished"},
        {{TaskStatusUpdated, TaskStatusUpdated}, "3", "updated"},
        {{TaskStatusRejected, TaskStatusRejected}, "4", "rejected"},
    };
    for (const auto& c : cases) {
        const std::int32_t objective = records.Objective("Status", PriorityLow);
        for (std::int8_t status : c.tasks)
            records.Task({.title = "step", .objective = objective, .status = status});
        const std::string chain = "DATABASE.OBJECTIVE(" + std::to_string(objective) + ").";
        EXPECT_EQ(Print(chain + "STATUS"), c.status) << c.tasks.size() << " tasks, first " << c.text;
        EXPECT_EQ(Print(chain + "STATUSTEXT"), c.text);
        EXPECT_EQ(Print(chain + "PRIORITYTEXT"), "low");
    }
}

TEST_F(SourceScripts, VariablesThatHoldNoRecordAreMissingObjects)
{
    const struct {
        const char* declaration;
        const char* expression;
        const char* expected;
    } cases[] = {
        {"SOURCE S", "S.TITLE", "error 103"},
        {"REPOSITORY R", "R.NAME", "error 101"},
        {"REPREF R", "R.CALLNUMBER", "error 102"},
        {"EXCERPT X", "X.PAGE", "error 104"},
        {"OBJECTIVE O", "O.TITLE", "error 107"},
        {"TASK T", "T.TITLE", "error 124"},
        {"OBJECT O", "O.DESCRIPTION", "error 125"},
        {"SOURCE S", "S = 0", "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Print(c.expression, std::string(c.declaration) + "\r\n"), c.expected) << c.expression;
}

TEST_F(SourceScripts, MediaObjectProperties)
{
    Check({
        {"DATABASE.PERSON(1).OBJECT(1).DESCRIPTION", "Anna in 1920"},
        {"DATABASE.PERSON(1).OBJECT(1).ORGFILENAME", "anna.portrait.jpg"},
        {"DATABASE.PERSON(1).OBJECT(1).TYPE", "jpg"},
        {"DATABASE.PERSON(1).OBJECT(1).NOTE", "from an album"},
        {"DATABASE.PERSON(1).OBJECT(2).TYPE", ""},
        {"DATABASE.PERSON(1).OBJECT(2).NAME", "error 1"},
    });
    Check({{"O.DESCRIPTION", "Her letter"}}, "OBJECT O\r\nO = DATABASE.PERSON(1).OBJECT(2)\r\n");
}

TEST_F(SourceScripts, RecordsAReportLeavesOutAreNotReached)
{
    ReportSettings& report = CurrentSettings.report;
    const struct {
        std::vector<std::int32_t*> switchedOff;
        std::vector<Case> cases;
    } groups[] = {
        {{&report.IncludeRepositories},
         {{"DATABASE.SOURCE(1).NREPOSITORIES", "0"}, {"DATABASE.SOURCE(1).REPREF(1).CALLNUMBER", "error 16"}}},
        {{&report.IncludeResearch},
         {{"DATABASE.SOURCE(2).NTASKS", "0"}, {"DATABASE.SOURCE(2).TASK(1).TITLE", "error 16"}}},
        {{&report.IncludeNotes},
         {
             {"DATABASE.SOURCE(1).NOTE", ""},
             {"DATABASE.REPOSITORY(1).NOTE", ""},
             {"DATABASE.REPOSITORY(1).REPREF(1).NOTE", ""},
             {"DATABASE.SOURCE(2).EXCERPT(1).NOTE", ""},
             {"DATABASE.PERSON(1).OBJECT(1).NOTE", ""},
             // The texts of sources, excerpts and research are no notes.
             {"DATABASE.SOURCE(1).TEXT", "Births and deaths"},
             {"DATABASE.SOURCE(2).EXCERPT(1).TEXT", "Anna, born"},
             {"DATABASE.OBJECTIVE(1).PROBLEM", "who were they"},
             {"DATABASE.OBJECTIVE(1).TASK(1).SOLUTION", "found"},
         }},
        {{&report.IncludeSources, &report.IncludePersons},
         {
             // A repository's references are the sources it holds.
             {"DATABASE.REPOSITORY(1).NSOURCES", "0"},
             {"DATABASE.REPOSITORY(1).REPREF(1).CALLNUMBER", "error 16"},
             // A task's person and source are withheld as missing.
             {"DATABASE.OBJECTIVE(1).TASK(1).PERSON.ID", "error 105"},
             {"DATABASE.OBJECTIVE(1).TASK(1).SOURCE.TITLE", "error 103"},
             {"DATABASE.OBJECTIVE(1).TASK(1).PERSON = 0", "1"},
             {"DATABASE.OBJECTIVE(1).TASK(1).OBJECTIVE.ID", "1"},
         }},
        // Subordinates and a source's excerpts follow no switch.
        {{&report.IncludeRepositories, &report.IncludeResearch, &report.IncludePersons},
         {
             {"DATABASE.SOURCE(1).NSUBORDINATES", "1"},
             {"DATABASE.SOURCE(2).NEXCERPTS", "2"},
             {"DATABASE.SOURCE(2).EXCERPT(1).PAGE", "p. 12"},
         }},
    };
    for (const auto& group : groups) {
        for (std::int32_t* on : group.switchedOff)
            *on = 0;
        for (const Case& c : group.cases)
            EXPECT_EQ(Print(c.expression), c.expected) << c.expression;
        for (std::int32_t* on : group.switchedOff)
            *on = 1;
    }
}

} // namespace
