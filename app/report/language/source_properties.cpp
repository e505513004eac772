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

namespace {

std::int32_t Counted(std::size_t count, std::int32_t includeSwitch)
{
    return ReportIncludes(includeSwitch) ? static_cast<std::int32_t>(count) : 0;
}

} // namespace

// A record reached by id: without a point the id alone is the result; with one, id 0 or a record that cannot
// be read is `missingError`, and otherwise the record is read, loaded for the rest of the chain and destroyed.
template <class Record, class Load>
int ExpressionReader::EvaluateRecordById(std::uint32_t id, Database* database, std::int32_t type,
                                         std::int32_t missingError, Load load,
                                         int (ExpressionReader::*evaluate)(Record*, ReportValue&), ReportValue& result)
{
    if (Current() != '.') {
        result.Reset(type);
        result.SetRecord(id, database);
        return 1;
    }
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
    if (!SkipPoint()) {
        SetRecordResult(result, ReportSource, source, context_->database);
        return 1;
    }
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
    const ReportSettings& report = CurrentSettings.report;
    std::int32_t index = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Id:
        SetIntegerResult(result, source->Id());
        return 1;
    case Title:
        SetStringResult(result, TextColumn(row.title));
        return 1;
    case ShortTitle:
        SetStringResult(result, TextColumn(row.shortTitle));
        return 1;
    case Author:
        SetStringResult(result, TextColumn(row.author));
        return 1;
    case Published:
        SetStringResult(result, TextColumn(row.published));
        return 1;
    case SerialType:
        SetIntegerResult(result, row.serialType);
        return 1;
    case Serial:
        SetStringResult(result, TextColumn(row.serialNumber));
        return 1;
    case Type:
        SetIntegerResult(result, row.kind);
        return 1;
    case Copy:
        SetIntegerResult(result, row.sourceClass);
        return 1;
    case Medium:
        SetIntegerResult(result, row.media);
        return 1;
    case Note:
        SetStringResult(result, ReportNoteText(source->Note()));
        return 1;
    case Text:
        SetStringResult(result, NoteTextOf(source->Text()));
        return 1;
    case Superior:
        return EvaluateSourceById(static_cast<std::uint32_t>(row.superiorId), &database, result);
    case NSubordinates:
        SetIntegerResult(result, static_cast<std::int32_t>(source->Subordinates().Count()));
        return 1;
    case Subordinate:
        if (!ReadIndex(static_cast<std::int32_t>(source->Subordinates().Count()), index))
            return 0;
        return EvaluateSourceById(static_cast<std::uint32_t>(source->Subordinates()[index - 1].Id()), &database,
                                  result);
    case NRepositories:
        SetIntegerResult(result, Counted(source->RepositoryRefs().Count(), report.IncludeRepositories));
        return 1;
    case RepRef:
        if (!ReadIndex(Counted(source->RepositoryRefs().Count(), report.IncludeRepositories), index))
            return 0;
        return EvaluateRepositoryRef(&source->RepositoryRefs()[index - 1], result);
    case NExcerpts:
        SetIntegerResult(result, static_cast<std::int32_t>(source->Excerpts().Count()));
        return 1;
    case Excerpt:
        if (!ReadIndex(static_cast<std::int32_t>(source->Excerpts().Count()), index))
            return 0;
        return EvaluateExcerptById(static_cast<std::uint32_t>(source->Excerpts()[index - 1].Id()), &database, result);
    case NTasks:
        SetIntegerResult(result, Counted(source->Tasks().Count(), report.IncludeResearch));
        return 1;
    case Task:
        if (!ReadIndex(Counted(source->Tasks().Count(), report.IncludeResearch), index))
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
    if (!SkipPoint()) {
        SetRecordResult(result, ReportRepository, repository, context_->database);
        return 1;
    }
    if (repository == nullptr)
        return Fail(ReportErrorRepositoryMissing);
    static const char* const names[] = {"ID", "NAME", "EMAIL", "URL", "ADDRESS", "NOTE", "NSOURCES", "REPREF("};
    enum { Id, Name, Email, Url, Address, Note, NSources, RepRef };
    const ReportSettings& report = CurrentSettings.report;
    std::int32_t index = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Id:
        SetIntegerResult(result, repository->Id());
        return 1;
    case Name:
        SetStringResult(result, TextColumn(repository->row.name));
        return 1;
    case Email:
        SetStringResult(result, TextColumn(repository->row.email));
        return 1;
    case Url:
        SetStringResult(result, TextColumn(repository->row.url));
        return 1;
    case Address:
        return EvaluateAddress(ReportIncludes(report.IncludeAddresses) ? repository->Address() : nullptr, result);
    case Note:
        SetStringResult(result, ReportNoteText(repository->Note()));
        return 1;
    case NSources:
        SetIntegerResult(result, Counted(repository->References().Count(), report.IncludeSources));
        return 1;
    case RepRef:
        if (!ReadIndex(Counted(repository->References().Count(), report.IncludeSources), index))
            return 0;
        return EvaluateRepositoryRef(&repository->References()[index - 1], result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateRepositoryRef(RepositoryRef* reference, ReportValue& result)
{
    if (!SkipPoint()) {
        SetRecordResult(result, ReportRepRef, reference, context_->database);
        return 1;
    }
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
        SetStringResult(result, TextColumn(reference->row.callNumber));
        return 1;
    case Note:
        if (reference->Note() == nullptr)
            reference->LoadNote();
        SetStringResult(result, ReportNoteText(reference->Note()));
        return 1;
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
    if (!SkipPoint()) {
        SetRecordResult(result, ReportExcerpt, excerpt, context_->database);
        return 1;
    }
    if (excerpt == nullptr)
        return Fail(ReportErrorExcerptMissing);
    static const char* const names[] = {"QUALITY", "PAGE", "SOURCE", "NOTE", "TEXT"};
    enum { Quality, Page, Source, Note, Text };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Quality:
        SetIntegerResult(result, excerpt->row.quality);
        return 1;
    case Page:
        SetStringResult(result, TextColumn(excerpt->row.page));
        return 1;
    case Source:
        return EvaluateSourceById(static_cast<std::uint32_t>(excerpt->row.sourceId), &excerpt->OwnerDatabase(), result);
    case Note:
        SetStringResult(result, ReportNoteText(excerpt->Note()));
        return 1;
    case Text:
        SetStringResult(result, NoteTextOf(excerpt->Text()));
        return 1;
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
    if (!SkipPoint()) {
        SetRecordResult(result, ReportObjective, objective, context_->database);
        return 1;
    }
    if (objective == nullptr)
        return Fail(ReportErrorObjectiveMissing);
    static const char* const names[] = {"ID",       "TITLE",  "PROBLEM", "SOLUTION",   "PRIORITYTEXT",
                                        "PRIORITY", "NTASKS", "TASK(",   "STATUSTEXT", "STATUS"};
    enum { Id, Title, Problem, Solution, PriorityText, Priority, NTasks, Task, StatusText, Status };
    std::int32_t index = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Id:
        SetIntegerResult(result, objective->Id());
        return 1;
    case Title:
        SetStringResult(result, TextColumn(objective->row.title));
        return 1;
    case Problem:
        SetStringResult(result, NoteTextOf(objective->Problem()));
        return 1;
    case Solution:
        SetStringResult(result, NoteTextOf(objective->Solution()));
        return 1;
    case PriorityText:
        SetStringResult(result, objective->GetPriorityText());
        return 1;
    case Priority:
        SetIntegerResult(result, objective->row.priority);
        return 1;
    case NTasks:
        SetIntegerResult(result, static_cast<std::int32_t>(objective->Tasks().Count()));
        return 1;
    case Task:
        if (!ReadIndex(static_cast<std::int32_t>(objective->Tasks().Count()), index))
            return 0;
        return EvaluateTask(&objective->Tasks()[index - 1], result);
    case StatusText:
        SetStringResult(result, objective->GetTaskStatusText());
        return 1;
    case Status:
        SetIntegerResult(result, static_cast<std::uint8_t>(objective->ComputeStatus()));
        return 1;
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateTask(TaskRecord* task, ReportValue& result)
{
    if (!SkipPoint()) {
        SetRecordResult(result, ReportTask, task, context_->database);
        return 1;
    }
    if (task == nullptr)
        return Fail(ReportErrorTaskMissing);
    static const char* const names[] = {"TITLE",  "PROBLEM", "SOLUTION",   "OBJECTIVE",
                                        "PERSON", "SOURCE",  "STATUSTEXT", "STATUS"};
    enum { Title, Problem, Solution, Objective, Person, Source, StatusText, Status };
    Database& database = task->OwnerDatabase();
    const ReportSettings& report = CurrentSettings.report;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Title:
        SetStringResult(result, TextColumn(task->row.title));
        return 1;
    case Problem:
        task->LoadLinked();
        SetStringResult(result, NoteTextOf(task->Problem()));
        return 1;
    case Solution:
        task->LoadLinked();
        SetStringResult(result, NoteTextOf(task->Solution()));
        return 1;
    case Objective:
        return EvaluateObjectiveById(static_cast<std::uint32_t>(task->row.objectiveId), &database, result);
    case Person:
        // A withheld person or source is handed on as missing.
        return EvaluatePersonById(ReportIncludes(report.IncludePersons) ? static_cast<std::uint32_t>(task->row.personId)
                                                                        : 0,
                                  &database, result);
    case Source:
        return EvaluateSourceById(ReportIncludes(report.IncludeSources) ? static_cast<std::uint32_t>(task->row.sourceId)
                                                                        : 0,
                                  &database, result);
    case StatusText:
        SetStringResult(result, task->GetTaskStatusLabel());
        return 1;
    case Status:
        SetIntegerResult(result, task->row.status);
        return 1;
    default:
        return 0;
    }
}

// A media object that is not there has no properties to read: the chain fails with an error of its own.
int ExpressionReader::EvaluateObject(MediaRecord* media, ReportValue& result)
{
    if (!SkipPoint()) {
        SetRecordResult(result, ReportObject, media, context_->database);
        return 1;
    }
    if (media == nullptr || media->Id() == 0)
        return Fail(ReportErrorMediaObjectMissing);
    static const char* const names[] = {"DESCRIPTION", "ORGFILENAME", "TYPE", "NOTE"};
    enum { Description, OrgFileName, Type, Note };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Description:
        SetStringResult(result, media->Description());
        return 1;
    case OrgFileName:
        SetStringResult(result, media->FileName());
        return 1;
    case Type:
        SetStringResult(result, media->GetFileExtension());
        return 1;
    case Note:
        SetStringResult(result, ReportNoteText(media->Note()));
        return 1;
    default:
        return 0;
    }
}
