// The frame of the object model: the chain steps that every property evaluator shares, and the objects
// that every run has (DATABASE, SYSTEM and SETTINGS).
#include <cstring>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/event_type_tables.h"
#include "records/excerpt_ref.h"
#include "report/language/expression_reader.h"
#include "report/language/property_results.h"
#include "report/language/report_objects.h"
#include "report/language/report_run_context.h"

bool ExpressionReader::SkipPoint()
{
    if (text_[position_] != '.')
        return false;
    ++position_;
    return true;
}

int ExpressionReader::MatchProperty(const char* const* names, int count)
{
    for (int i = 0; i < count; ++i) {
        std::size_t length = std::strlen(names[i]);
        if (std::strncmp(text_ + position_, names[i], length) == 0) {
            position_ += static_cast<std::uint32_t>(length);
            return i;
        }
    }
    Fail(ReportErrorSyntax);
    return -1;
}

int ExpressionReader::ReadIntegerArgument(std::int32_t& value)
{
    ReportValue argument;
    argument.Init(ReportInteger);
    if (!Evaluate(argument))
        return 0;
    value = argument.Integer();
    return 1;
}

int ExpressionReader::ReadIndex(std::int32_t count, std::int32_t& index)
{
    if (!ReadIntegerArgument(index))
        return 0;
    if (index < 1 || index > count)
        return Fail(ReportErrorRange);
    return 1;
}

bool ExpressionReader::Included(ReportDataSwitch which) const
{
    if (which == IncludeRelationshipsSwitch && context_->eventTypes)
        return context_->eventTypes->Switch(which) != 0;
    return CurrentReportSwitch(which) != 0;
}

std::int32_t ExpressionReader::IncludedCount(std::size_t count, ReportDataSwitch which) const
{
    return Included(which) ? static_cast<std::int32_t>(count) : 0;
}

std::int32_t ExpressionReader::CitationCount(const RecordList<ExcerptRef>& citations) const
{
    return IncludedCount(citations.Count(), IncludeSourcesSwitch);
}

int ExpressionReader::EvaluateCitedExcerpt(RecordList<ExcerptRef>& citations, Database& database, ReportValue& result)
{
    std::int32_t index = 0;
    if (!ReadIndex(CitationCount(citations), index))
        return 0;
    const ExcerptRef& citation = citations[static_cast<std::size_t>(index - 1)];
    return EvaluateExcerptById(static_cast<std::uint32_t>(citation.row.excerptId), &database, result);
}

namespace {

// The first event type of the class (and GEDCOM tag, unless NoGedcomTag) that is an event type.
std::int32_t FindEventTypeOfClass(Database* database, const char* classKeyword, const char* gedcomTag)
{
    if (database == nullptr)
        return 0;
    EngineTransaction transaction(database->file, TLV_READ);
    if (!transaction.Running())
        return 0;
    const int classCode = GetEventClassCode(classKeyword, EventTypeKindEvent, 0);
    const int tag = gedcomTag != nullptr ? FindGedcomTag(gedcomTag) : NoGedcomTag;
    return FindEventTypeId(nullptr, 0, classCode, -1, tag, EventTypeKindEvent, *database);
}

// The cached id, looked up while it is still 0 (a database without such a type looks again each time).
std::int32_t CachedType(std::int32_t& cached, Database* database, const char* classKeyword, const char* tag)
{
    if (cached == 0)
        cached = FindEventTypeOfClass(database, classKeyword, tag);
    return cached;
}

} // namespace

std::int32_t ExpressionReader::BirthTypeId()
{
    return CachedType(context_->birthTypeId, context_->database, "birth", nullptr);
}

std::int32_t ExpressionReader::DeathTypeId()
{
    return CachedType(context_->deathTypeId, context_->database, "death", nullptr);
}

std::int32_t ExpressionReader::MarriageTypeId()
{
    return CachedType(context_->marriageTypeId, context_->database, "marriage", "MARR");
}

namespace {

// The highest record id issued in a table: deleted records still count.
std::int32_t HighestId(Database& database, TableNumber table)
{
    EngineTransaction transaction(database.file, TLV_READ);
    if (!transaction.Running())
        return 0;
    const std::int32_t highest = tlvNumberOfRecords(database.TableId(table), database.file);
    return highest > 0 ? highest : 0;
}

// The record tables a DATABASE counts and indexes, with the switch that governs each.
struct DatabaseTable {
    TableNumber table;
    ReportDataSwitch governedBy;
};

} // namespace

int ExpressionReader::EvaluateDatabase(Database* database, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (database == nullptr)
        return Fail(ReportErrorDatabaseMissing);
    enum Property {
        NPersons, NSources, NRepositories, NObjectives, NEvents, NAttributes,
        PersonAt, SourceAt, RepositoryAt, ObjectiveAt, Copyright, Title, OwnerName,
    };
    static const char* const names[] = {
        "NPERSONS", "NSOURCES",    "NREPOSITORIES", "NOBJECTIVES", "NEVENTS",   "NATTRIBUTES", "PERSON(",
        "SOURCE(",  "REPOSITORY(", "OBJECTIVE(",    "COPYRIGHT",   "NAME",      "OWNERNAME",
    };
    // The counted tables in the order of the counts; the indexed ones are the first four.
    static const DatabaseTable tables[] = {
        {TablePerson, IncludePersonsSwitch},         {TableSource, IncludeSourcesSwitch},
        {TableRepository, IncludeRepositoriesSwitch}, {TableObjective, IncludeResearchSwitch},
        {TableEvent2, IncludeEventsSwitch},           {TableAttribute2, IncludeAttributesSwitch},
    };
    using ByIdEvaluator = int (ExpressionReader::*)(std::uint32_t, Database*, ReportValue&);
    static const ByIdEvaluator byId[] = {&ExpressionReader::EvaluatePersonById, &ExpressionReader::EvaluateSourceById,
                                         &ExpressionReader::EvaluateRepositoryById,
                                         &ExpressionReader::EvaluateObjectiveById};
    const int property = MatchProperty(names, PropertyCount(names));
    if (property < 0)
        return 0;
    auto count = [&](const DatabaseTable& table) {
        return Included(table.governedBy) ? HighestId(*database, table.table) : 0;
    };
    if (property <= NAttributes)
        return SetIntegerResult(result, count(tables[property]));
    if (property <= ObjectiveAt) {
        // Record ids, not positions: an id whose record was deleted is in range.
        const int kind = property - PersonAt;
        std::int32_t id = 0;
        if (!ReadIndex(count(tables[kind]), id))
            return 0;
        return (this->*byId[kind])(static_cast<std::uint32_t>(id), database, result);
    }
    const DatabaseHeader& header = database->header;
    return SetStringResult(result, property == Copyright ? TextColumn(header.copyright)
                                   : property == Title   ? TextColumn(header.title)
                                                         : TextColumn(header.ownerName));
}

int ExpressionReader::EvaluateSystem(const ReportSystem* system, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (system == nullptr)
        return Fail(ReportErrorSystemMissing);
    static const char* const dateProperty[] = {"CURRENTDATE."};
    if (MatchProperty(dateProperty, 1) < 0)
        return 0;
    static const char* const parts[] = {"YEAR", "MONTH", "DAY"};
    const platform::LocalTime& time = system->Time();
    const std::uint16_t values[] = {time.year, time.month, time.day};
    int part = MatchProperty(parts, 3);
    if (part < 0)
        return 0;
    return SetIntegerResult(result, values[part]);
}

int ExpressionReader::EvaluateSettings(ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    static const char* const names[] = {"SHOWID"};
    if (MatchProperty(names, 1) < 0)
        return 0;
    return SetBooleanResult(result, context_->showIds);
}
