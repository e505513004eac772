// Research objectives and tasks.
#include "accessors.h"
#include "elements.h"
#include "words.h"

using namespace wexmor;

WZ_LIFETIME(WZObjective, Objective)
WZ_NUMBER(WZObjective, ObjectiveId, id)
WZ_CODE(WZObjective, ObjectiveLang, lang)
WZ_TEXT(WZObjective, ObjectiveTitle, title)
WZ_TEXT(WZObjective, ObjectiveProblem, problem)
WZ_TEXT(WZObjective, ObjectiveSolution, solution)
WZ_NUMBER(WZObjective, ObjectivePriority, priority)
WZ_TEXT(WZObjective, ObjectiveCreated, created)
WZ_TEXT(WZObjective, ObjectiveChange, change)

WZ_LIFETIME(WZTask, Task)
WZ_NUMBER(WZTask, TaskId, id)
WZ_CODE(WZTask, TaskLang, lang)
WZ_TEXT(WZTask, TaskTitle, title)
WZ_TEXT(WZTask, TaskProblem, problem)
WZ_TEXT(WZTask, TaskSolution, solution)
WZ_NUMBER(WZTask, TaskObjectiveref, objectiveref)
WZ_NUMBER(WZTask, TaskPersonref, personref)
WZ_NUMBER(WZTask, TaskSourceref, sourceref)
WZ_NUMBER(WZTask, TaskStatus, status)
WZ_TEXT(WZTask, TaskStatusdate, statusdate)

extern "C" void WZAPI SetTaskChange(const char* text, WZTask* task)
{
    if (task)
        task->change.Assign(text);
}

namespace {

const int kNewStatus = 0;

// The opening of an objective or a task: the plain numeric id, the language and ">".
int ReadResearchStart(WexmorFile& file, int& id, char* lang, size_t langWidth, int endError)
{
    int32_t number = 0;
    if (ReadNumberAttribute(file, number, "id") != kRead)
        return kErrorId;
    id = number;
    if (!ReadLangAttribute(file, lang, langWidth))
        return kErrorLang;
    return MatchLiteral(file, ">", true) ? 0 : endError;
}

void WriteResearchStart(WexmorFile& file, const char* name, int id, const char* lang)
{
    WriteLiteral(file, "<");
    WriteLiteral(file, name);
    char value[16];
    std::snprintf(value, sizeof value, "%d", id);
    WriteAttribute(file, "id", value);
    WriteLangAttribute(file, lang);
    WriteLiteral(file, ">");
}

void WriteReference(WexmorFile& file, const char* name, char letter, int id)
{
    if (id == 0)
        return;
    char value[24];
    std::snprintf(value, sizeof value, "%c%d", letter, id);
    WriteCodeElement(file, name, value);
}

int ReadReference(WexmorFile& file, const char* name, char letter, int& id, int error)
{
    char value[kAttributeSize];
    int32_t number = 0;
    switch (ReadCodeElement(file, value, sizeof value, name)) {
    case kAbsent:
        return 0;
    case kMalformed:
        return error;
    case kRead:
        break;
    }
    if (!ParseLetteredId(value, letter, number))
        return error;
    id = number;
    return 0;
}

int ReadObjective(WexmorFile& file, WZObjective& objective)
{
    WZ_TRY(ReadResearchStart(file, objective.id, objective.lang, sizeof objective.lang, kErrorObjective));
    WZ_TRY(ReadRequiredText(file, objective.title, "title", kErrorTitle));
    WZ_TRY(ReadRequiredText(file, objective.problem, "problem", kErrorProblem));
    WZ_TRY(ReadRequiredText(file, objective.solution, "solution", kErrorSolution));
    char value[kAttributeSize];
    objective.priority = -1;
    if (ReadCodeElement(file, value, sizeof value, "priority") == kRead) {
        objective.priority = FindWordExact(kPriorityWords, value);
        if (objective.priority < 0)
            return kErrorPriority;
    }
    WZ_TRY(ReadOptionalText(file, objective.created, "created", kErrorCreated));
    WZ_TRY(ReadOptionalText(file, objective.change, "change", kErrorChange));
    return MatchEndTag(file, "objective") ? 0 : kErrorObjective;
}

int ReadTask(WexmorFile& file, WZTask& task)
{
    WZ_TRY(ReadResearchStart(file, task.id, task.lang, sizeof task.lang, kErrorTask));
    WZ_TRY(ReadRequiredText(file, task.title, "title", kErrorTitle));
    WZ_TRY(ReadRequiredText(file, task.problem, "problem", kErrorProblem));
    WZ_TRY(ReadOptionalText(file, task.solution, "solution", kErrorSolution));
    WZ_TRY(ReadReference(file, "objectiveref", 'O', task.objectiveref, kErrorObjectiveRef));
    WZ_TRY(ReadReference(file, "personref", 'P', task.personref, kErrorPersonRef));
    WZ_TRY(ReadReference(file, "sourceref", 'S', task.sourceref, kErrorTaskSourceRef));
    if (!IsStartTagNext(file, "status"))
        return kErrorNoStatus;
    WZ_TRY(ReadWordElement(file, "status", kStatusWords, false, task.status, kErrorStatus, true));
    WZ_TRY(ReadOptionalText(file, task.statusdate, "statusdate", kErrorStatusDate));
    WZ_TRY(ReadOptionalText(file, task.change, "change", kErrorChange));
    return MatchEndTag(file, "task") ? 0 : kErrorTask;
}

} // namespace

extern "C" int WZAPI ObjectiveExport(WexmorFile* file, WZObjective* objective)
{
    if (!objective)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kObjectiveSection, 14));
    WriteResearchStart(*file, "objective", objective->id, objective->lang);
    WriteTextElement(*file, "title", objective->title);
    WriteTextElement(*file, "problem", objective->problem);
    WriteTextElement(*file, "solution", objective->solution);
    if (const char* priority = WordAt(kPriorityWords, objective->priority))
        WriteCodeElement(*file, "priority", priority);
    WriteOptionalText(*file, "created", objective->created);
    WriteOptionalText(*file, "change", objective->change);
    WriteLiteral(*file, "</objective>");
    return EndExport(*file, kObjectiveSection);
}

extern "C" int WZAPI ObjectiveImport(WexmorFile* file, int flag, WZObjective* objective)
{
    if (!objective)
        return WZ_END_OBJECTIVE;
    WZ_TRY(BeginImport(file, flag, "objective", WZ_END_OBJECTIVE));
    return ReadObjective(*file, *objective);
}

extern "C" int WZAPI TaskExport(WexmorFile* file, WZTask* task)
{
    if (!task)
        return WZ_EXPORT_NO_ID;
    WZ_TRY(BeginExport(file, kTaskSection, 15));
    WriteResearchStart(*file, "task", task->id, task->lang);
    WriteTextElement(*file, "title", task->title);
    WriteTextElement(*file, "problem", task->problem);
    WriteTextElement(*file, "solution", task->solution);
    WriteReference(*file, "objectiveref", 'O', task->objectiveref);
    WriteReference(*file, "personref", 'P', task->personref);
    WriteReference(*file, "sourceref", 'S', task->sourceref);
    WriteWordElement(*file, "status", kStatusWords, task->status, kNewStatus);
    WriteOptionalText(*file, "statusdate", task->statusdate);
    WriteOptionalText(*file, "change", task->change);
    WriteLiteral(*file, "</task>");
    return EndExport(*file, kTaskSection);
}

extern "C" int WZAPI TaskImport(WexmorFile* file, int flag, WZTask* task)
{
    if (!task)
        return WZ_END_TASK;
    WZ_TRY(BeginImport(file, flag, "task", WZ_END_TASK));
    return ReadTask(*file, *task);
}
