// The properties of the source-side objects: SOURCE, REPOSITORY, REPREF, EXCERPT, OBJECTIVE, TASK and OBJECT
// (a media object). A record reached by id is read with its linked data for the rest of the chain only.
#include "report/language/expression_reader.h"

#include <string>

#include "core/address_record.h"
#include "core/note_text.h"
#include "persons/assertion_fields.h"
#include "records/excerpt_record.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "records/task_record.h"
#include "report/language/property_results.h"
#include "report/language/report_run_context.h"
#include "settings/settings.h"

// A record reached by id: without a point the id alone is the result; with one, id 0 or a record that cannot
// be read is `missingError`, and otherwise the record is read, loaded for the rest of the chain and destroyed.
template <class Record, class Load>
int ExpressionReader::EvaluateRecordById(std::uint32_t id, Database* database, std::int32_t type,
                                         std::int32_t missingError, Load load,
                                         int (ExpressionReader::*evaluate)(Record*, ReportValue&), ReportValue& result)
{
    if (Current() != '.')
        return SetRecordResult(result, type, id, database);
    if (id == 0 || database == nullptr)
        return Fail(missingError);
    Record record(*database);
    if (record.Read(static_cast<std::int32_t>(id)) != 0 || record.Id() == 0)
        return Fail(missingError);
    load(record);
    return (this->*evaluate)(&record, result);
}

int ExpressionReader::EvaluateSourceById(std::uint32_t id, Database* database, ReportValue& result)
{
    return EvaluateRecordById<SourceRecord>(
        id, database, ReportSource, ReportErrorSourceMissing,
        [](SourceRecord& source) {
            source.LoadLinked();
            source.LoadSubordinates();
        },
        &ExpressionReader::EvaluateSource, result);
}

int ExpressionReader::EvaluateSource(SourceRecord* source, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportSource, source, context_->database);
    if (source == nullptr)
        return Fail(ReportErrorSourceMissing);
    static const char* const names[] = {
        "ID",           "TITLE",         "SHORTTITLE", "AUTHOR",    "PUBLISHED", "SERIALTYPE", "SERIAL",
        "TYPE",         "COPY",          "MEDIUM",     "NOTE",      "TEXT",      "SUPERIOR",   "NSUBORDINATES",
        "SUBORDINATE(", "NREPOSITORIES", "REPREF(",    "NEXCERPTS", "EXCERPT(",  "NTASKS",     "TASK(",
    };
    enum {
        Id,
        Title,
        ShortTitle,
        Author,
        Published,
        SerialType,
        Serial,
        Type,
        Copy,
        Medium,
        Note,
        Text,
        Superior,
        NSubordinates,
        Subordinate,
        NRepositories,
        RepRef,
        NExcerpts,
        Excerpt,
        NTasks,
        Task
    };
    Database& database = source->OwnerDatabase();
    const SourceRow& row = source->row;
    std::int32_t index = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Id:
        return SetIntegerResult(result, source->Id());
    case Title:
        return SetStringResult(result, TextColumn(row.title));
    case ShortTitle:
        return SetStringResult(result, TextColumn(row.shortTitle));
    case Author:
        return SetStringResult(result, TextColumn(row.author));
    case Published:
        return SetStringResult(result, TextColumn(row.published));
    case SerialType:
        return SetIntegerResult(result, row.serialType);
    case Serial:
        return SetStringResult(result, TextColumn(row.serialNumber));
    case Type:
        return SetIntegerResult(result, row.kind);
    case Copy:
        return SetIntegerResult(result, row.sourceClass);
    case Medium:
        return SetIntegerResult(result, row.media);
    case Note:
        return SetNoteResult(result, source->Note());
    case Text:
        return SetStringResult(result, NoteTextOf(source->Text()));
    case Superior:
        return EvaluateSourceById(static_cast<std::uint32_t>(row.superiorId), &database, result);
    case NSubordinates:
        return SetIntegerResult(result, static_cast<std::int32_t>(source->Subordinates().Count()));
    case Subordinate:
        if (!ReadIndex(static_cast<std::int32_t>(source->Subordinates().Count()), index))
            return 0;
        return EvaluateSourceById(static_cast<std::uint32_t>(source->Subordinates()[index - 1].Id()), &database,
                                  result);
    case NRepositories:
        return SetIntegerResult(result, IncludedCount(source->RepositoryRefs().Count(), IncludeRepositoriesSwitch));
    case RepRef:
        if (!ReadIndex(IncludedCount(source->RepositoryRefs().Count(), IncludeRepositoriesSwitch), index))
            return 0;
        return EvaluateRepositoryRef(&source->RepositoryRefs()[index - 1], result);
    case NExcerpts:
        return SetIntegerResult(result, static_cast<std::int32_t>(source->Excerpts().Count()));
    case Excerpt:
        if (!ReadIndex(static_cast<std::int32_t>(source->Excerpts().Count()), index))
            return 0;
        return EvaluateExcerptById(static_cast<std::uint32_t>(source->Excerpts()[index - 1].Id()), &database, result);
    case NTasks:
        return SetIntegerResult(result, IncludedCount(source->Tasks().Count(), IncludeResearchSwitch));
    case Task:
        if (!ReadIndex(IncludedCount(source->Tasks().Count(), IncludeResearchSwitch), index))
            return 0;
        return EvaluateTask(&source->Tasks()[index - 1], result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateRepositoryById(std::uint32_t id, Database* database, ReportValue& result)
{
    return EvaluateRecordById<RepositoryRecord>(
        id, database, ReportRepository, ReportErrorRepositoryMissing,
        [](RepositoryRecord& repository) { repository.LoadLinked(); }, &ExpressionReader::EvaluateRepository, result);
}

int ExpressionReader::EvaluateRepository(RepositoryRecord* repository, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportRepository, repository, context_->database);
    if (repository == nullptr)
        return Fail(ReportErrorRepositoryMissing);
    static const char* const names[] = {"ID", "NAME", "EMAIL", "URL", "ADDRESS", "NOTE", "NSOURCES", "REPREF("};
    enum { Id, Name, Email, Url, Address, Note, NSources, RepRef };
    std::int32_t index = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Id:
        return SetIntegerResult(result, repository->Id());
    case Name:
        return SetStringResult(result, TextColumn(repository->row.name));
    case Email:
        return SetStringResult(result, TextColumn(repository->row.email));
    case Url:
        return SetStringResult(result, TextColumn(repository->row.url));
    case Address:
        return EvaluateAddress(Included(IncludeAddressesSwitch) ? repository->Address() : nullptr, result);
    case Note:
        return SetNoteResult(result, repository->Note());
    case NSources:
        return SetIntegerResult(result, IncludedCount(repository->References().Count(), IncludeSourcesSwitch));
    case RepRef:
        if (!ReadIndex(IncludedCount(repository->References().Count(), IncludeSourcesSwitch), index))
            return 0;
        return EvaluateRepositoryRef(&repository->References()[index - 1], result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateRepositoryRef(RepositoryRef* reference, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportRepRef, reference, context_->database);
    if (reference == nullptr)
        return Fail(ReportErrorRepRefMissing);
    static const char* const names[] = {"SOURCE", "REPOSITORY", "CALLNUMBER", "NOTE"};
    enum { Source, Repository, CallNumber, Note };
    Database& database = reference->OwnerDatabase();
    switch (MatchProperty(names, PropertyCount(names))) {
    case Source:
        return EvaluateSourceById(static_cast<std::uint32_t>(reference->row.sourceId), &database, result);
    case Repository:
        return EvaluateRepositoryById(static_cast<std::uint32_t>(reference->row.repositoryId), &database, result);
    case CallNumber:
        return SetStringResult(result, TextColumn(reference->row.callNumber));
    case Note:
        if (reference->Note() == nullptr)
            reference->LoadNote();
        return SetNoteResult(result, reference->Note());
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateExcerptById(std::uint32_t id, Database* database, ReportValue& result)
{
    return EvaluateRecordById<ExcerptRecord>(
        id, database, ReportExcerpt, ReportErrorExcerptMissing, [](ExcerptRecord& excerpt) { excerpt.LoadDetails(); },
        &ExpressionReader::EvaluateExcerpt, result);
}

int ExpressionReader::EvaluateExcerpt(ExcerptRecord* excerpt, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportExcerpt, excerpt, context_->database);
    if (excerpt == nullptr)
        return Fail(ReportErrorExcerptMissing);
    static const char* const names[] = {"QUALITY", "PAGE", "SOURCE", "NOTE", "TEXT"};
    enum { Quality, Page, Source, Note, Text };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Quality:
        return SetIntegerResult(result, excerpt->row.quality);
    case Page:
        return SetStringResult(result, TextColumn(excerpt->row.page));
    case Source:
        return EvaluateSourceById(static_cast<std::uint32_t>(excerpt->row.sourceId), &excerpt->OwnerDatabase(), result);
    case Note:
        return SetNoteResult(result, excerpt->Note());
    case Text:
        return SetStringResult(result, NoteTextOf(excerpt->Text()));
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateObjectiveById(std::uint32_t id, Database* database, ReportValue& result)
{
    return EvaluateRecordById<ObjectiveRecord>(
        id, database, ReportObjective, ReportErrorObjectiveMissing,
        [](ObjectiveRecord& objective) { objective.LoadLinked(); }, &ExpressionReader::EvaluateObjective, result);
}

int ExpressionReader::EvaluateObjective(ObjectiveRecord* objective, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportObjective, objective, context_->database);
    if (objective == nullptr)
        return Fail(ReportErrorObjectiveMissing);
    static const char* const names[] = {"ID",       "TITLE",  "PROBLEM", "SOLUTION",   "PRIORITYTEXT",
                                        "PRIORITY", "NTASKS", "TASK(",   "STATUSTEXT", "STATUS"};
    enum { Id, Title, Problem, Solution, PriorityText, Priority, NTasks, Task, StatusText, Status };
    std::int32_t index = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Id:
        return SetIntegerResult(result, objective->Id());
    case Title:
        return SetStringResult(result, TextColumn(objective->row.title));
    case Problem:
        return SetStringResult(result, NoteTextOf(objective->Problem()));
    case Solution:
        return SetStringResult(result, NoteTextOf(objective->Solution()));
    case PriorityText:
        return SetStringResult(result, objective->GetPriorityText());
    case Priority:
        return SetIntegerResult(result, objective->row.priority);
    case NTasks:
        return SetIntegerResult(result, static_cast<std::int32_t>(objective->Tasks().Count()));
    case Task:
        if (!ReadIndex(static_cast<std::int32_t>(objective->Tasks().Count()), index))
            return 0;
        return EvaluateTask(&objective->Tasks()[index - 1], result);
    case StatusText:
        return SetStringResult(result, objective->GetTaskStatusText());
    case Status:
        return SetIntegerResult(result, static_cast<std::uint8_t>(objective->ComputeStatus()));
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateTask(TaskRecord* task, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportTask, task, context_->database);
    if (task == nullptr)
        return Fail(ReportErrorTaskMissing);
    static const char* const names[] = {"TITLE",  "PROBLEM", "SOLUTION",   "OBJECTIVE",
                                        "PERSON", "SOURCE",  "STATUSTEXT", "STATUS"};
    enum { Title, Problem, Solution, Objective, Person, Source, StatusText, Status };
    Database& database = task->OwnerDatabase();
    switch (MatchProperty(names, PropertyCount(names))) {
    case Title:
        return SetStringResult(result, TextColumn(task->row.title));
    case Problem:
        task->LoadLinked();
        return SetStringResult(result, NoteTextOf(task->Problem()));
    case Solution:
        task->LoadLinked();
        return SetStringResult(result, NoteTextOf(task->Solution()));
    case Objective:
        return EvaluateObjectiveById(static_cast<std::uint32_t>(task->row.objectiveId), &database, result);
    case Person:
        // A withheld person or source is handed on as missing.
        return EvaluatePersonById(Included(IncludePersonsSwitch) ? static_cast<std::uint32_t>(task->row.personId) : 0,
                                  &database, result);
    case Source:
        return EvaluateSourceById(Included(IncludeSourcesSwitch) ? static_cast<std::uint32_t>(task->row.sourceId) : 0,
                                  &database, result);
    case StatusText:
        return SetStringResult(result, task->GetTaskStatusLabel());
    case Status:
        return SetIntegerResult(result, task->row.status);
    default:
        return 0;
    }
}

// A media object that is not there has no properties to read: the chain fails with an error of its own.
int ExpressionReader::EvaluateObject(MediaRecord* media, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportObject, media, context_->database);
    if (media == nullptr || media->Id() == 0)
        return Fail(ReportErrorMediaObjectMissing);
    static const char* const names[] = {"DESCRIPTION", "ORGFILENAME", "TYPE", "NOTE"};
    enum { Description, OrgFileName, Type, Note };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Description:
        return SetStringResult(result, media->Description());
    case OrgFileName:
        return SetStringResult(result, media->FileName());
    case Type:
        return SetStringResult(result, media->GetFileExtension());
    case Note:
        return SetNoteResult(result, media->Note());
    default:
        return 0;
    }
}
