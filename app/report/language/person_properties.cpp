// The properties of persons, of the families derived for a person, and of names.
#include <cstring>
#include <memory>

#include "core/assertion_link.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "persons/event_assertion.h"
#include "persons/family.h"
#include "persons/person_record.h"
#include "records/excerpt_ref.h"
#include "records/timeline.h"
#include "report/language/expression_reader.h"
#include "report/language/property_results.h"
#include "report/language/report_run_context.h"

namespace {

// Texts of names are built in buffers of this size: a longer text is cut.
constexpr std::size_t NameTextSize = 128;

std::int32_t CountOf(std::size_t count)
{
    return static_cast<std::int32_t>(count);
}

} // namespace

int ExpressionReader::EvaluatePersonById(std::uint32_t id, Database* database, ReportValue& result)
{
    if (Current() != '.')
        return SetRecordResult(result, ReportPerson, id, database);
    if (id == 0 || database == nullptr)
        return Fail(ReportErrorPersonMissing);
    PersonRecord person(static_cast<std::int32_t>(id), *database);
    if (person.Id() == 0)
        return Fail(ReportErrorPersonMissing);
    // Reports honour privacy: a person reached by id is seen through the run's data filter, as one a
    // variable holds.
    person.LoadAll(context_->eventTypes.get());
    return EvaluatePerson(&person, result);
}

int ExpressionReader::EvaluatePerson(PersonRecord* person, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportPerson, person, context_->database);
    if (person == nullptr)
        return Fail(ReportErrorPersonMissing);
    enum Property {
        Id, Name, Sex, Note, NDetails, DetailAt, NChildren, ChildAt, Birth, Death, MarriageWith, Marriage,
        NExcerpts, ExcerptAt, NTasks, TaskAt, NObjects, ObjectAt, Father, Mother, NFamilies, FamilyAt, TimelineOf,
    };
    static const char* const names[] = {
        "ID",        "NAME",     "SEX",      "NOTE",     "NDETAILS", "DETAIL(", "NCHILDREN", "CHILD(",
        "BIRTH",     "DEATH",    "MARRIAGE(", "MARRIAGE", "NEXCERPTS", "EXCERPT(", "NTASKS",  "TASK(",
        "NOBJECTS",  "OBJECT(",  "FATHER",   "MOTHER",   "NFAMILIES", "FAMILY(",  "TIMELINE(",
    };
    const int property = MatchProperty(names, PropertyCount(names));
    if (property < 0)
        return 0;
    Database& database = person->OwnerDatabase();
    auto children = [&] { return Included(IncludeRelationshipsSwitch) ? person->GatherChildIds() : 0; };
    auto tasks = [&] { return IncludedCount(person->Tasks().Count(), IncludeResearchSwitch); };
    auto objects = [&] { return IncludedCount(person->Media().Count(), IncludeObjectsSwitch); };
    auto families = [&] {
        person->BuildFamilies(context_->eventTypes.get(), AnyRelationKind, MarriageTypeId());
        return CountOf(person->Families().Count());
    };
    std::int32_t n = 0;
    switch (property) {
    case Id:
        return SetIntegerResult(result, person->Id());
    case Name:
        return EvaluateName(person->Name(), result);
    case Sex:
        return SetIntegerResult(result, person->row.sex);
    case Note:
        return SetNoteResult(result, person->Note());
    case NDetails:
        return SetIntegerResult(result, CountOf(person->Links().Count()));
    case DetailAt:
        if (!ReadIndex(CountOf(person->Links().Count()), n))
            return 0;
        return EvaluateDetail(&person->Links()[static_cast<std::size_t>(n - 1)], result);
    case NChildren:
        return SetIntegerResult(result, children());
    case ChildAt:
        if (!ReadIndex(children(), n))
            return 0;
        return EvaluatePersonById(static_cast<std::uint32_t>(person->ChildIds()[n - 1]), &database, result);
    case Birth:
        return EvaluateFoundEvent(FindPrincipalEvent(*person, BirthTypeId(), nullptr), database, result);
    case Death:
        return EvaluateFoundEvent(FindPrincipalEvent(*person, DeathTypeId(), nullptr), database, result);
    case MarriageWith:
        if (!ReadIntegerArgument(n))
            return 0;
        return EvaluateFoundEvent(FindPrincipalEvent(*person, MarriageTypeId(), &n), database, result);
    case Marriage:
        return EvaluateFoundEvent(FindPrincipalEvent(*person, MarriageTypeId(), nullptr), database, result);
    case NExcerpts:
        return SetIntegerResult(result, CitationCount(person->ExcerptRefs()));
    case ExcerptAt:
        return EvaluateCitedExcerpt(person->ExcerptRefs(), database, result);
    case NTasks:
        return SetIntegerResult(result, tasks());
    case TaskAt:
        if (!ReadIndex(tasks(), n))
            return 0;
        return EvaluateTask(&person->Tasks()[static_cast<std::size_t>(n - 1)], result);
    case NObjects:
        return SetIntegerResult(result, objects());
    case ObjectAt:
        if (!ReadIndex(objects(), n))
            return 0;
        return EvaluateObject(&person->Media()[static_cast<std::size_t>(n - 1)], result);
    case Father:
        return EvaluatePersonById(static_cast<std::uint32_t>(person->FindFather(AnyRelationKind, 0)), &database,
                                  result);
    case Mother:
        return EvaluatePersonById(static_cast<std::uint32_t>(person->FindMother(AnyRelationKind, 0)), &database,
                                  result);
    case NFamilies:
        return SetIntegerResult(result, families());
    case FamilyAt:
        if (!ReadIndex(families(), n))
            return 0;
        return EvaluateFamily(&person->Families()[static_cast<std::size_t>(n - 1)], &database, result);
    default: {
        if (!ReadIntegerArgument(n))
            return 0;
        // The timeline lives only while the rest of the chain reads it.
        std::unique_ptr<Timeline> timeline = person->BuildTimeline(n, ReportDatePicture());
        return EvaluateTimeline(timeline.get(), result);
    }
    }
}

AssertionLink* ExpressionReader::FindPrincipalEvent(PersonRecord& person, std::int32_t type,
                                                   const std::int32_t* partner)
{
    if (type == 0)
        return nullptr;
    for (int i = 0;; ++i) {
        AssertionLink* link = person.FindEventOfType(type, 0, i);
        if (link == nullptr || partner == nullptr)
            return link;
        EventAssertion event(link->row.assertionId, person.OwnerDatabase());
        event.LoadLinks();
        for (std::size_t p = 0; p < event.Links().Count(); ++p)
            if (event.Links()[p].row.personId == *partner)
                return link;
    }
}

int ExpressionReader::EvaluateFoundEvent(AssertionLink* link, Database& database, ReportValue& result)
{
    if (link != nullptr)
        return EvaluateEventOfLink(link, result);
    // An event that was not found reads as an empty event: an empty date, no counts, the id 0.
    AssertionLink none(database);
    return EvaluateEventOfLink(&none, result);
}

int ExpressionReader::EvaluateFamily(const FamilyGroup* family, Database* database, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (family == nullptr)
        return Fail(ReportErrorSyntax); // a family exists only inside its person's chain: never missing
    enum Property { Spouse, Married, NChildren, ChildAt };
    static const char* const names[] = {"SPOUSE", "MARRIED", "NCHILDREN", "CHILD("};
    std::int32_t n = 0;
    switch (MatchProperty(names, PropertyCount(names))) {
    case Spouse:
        return EvaluatePersonById(static_cast<std::uint32_t>(family->partner), database, result);
    case Married:
        return SetBooleanResult(result, family->fromEvent != 0);
    case NChildren:
        return SetIntegerResult(result, family->childCount);
    case ChildAt:
        if (!ReadIndex(family->childCount, n))
            return 0;
        return EvaluatePersonById(static_cast<std::uint32_t>(family->children[n - 1]), database, result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateName(NameRecord* name, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (name == nullptr)
        return Fail(ReportErrorNameMissing);
    enum Property { Formatted, SortKey, Forename, Surname, Suffix, Person, NParts, PartAt, PartTypeAt };
    static const char* const names[] = {"FORMATTED", "SORTKEY", "FORENAME", "SURNAME", "SUFFIX",
                                        "PERSON",    "NPARTS",  "PART(",    "PARTTYPE("};
    const int property = MatchProperty(names, PropertyCount(names));
    if (property < 0)
        return 0;
    char text[NameTextSize] = {};
    std::int32_t n = 0;
    switch (property) {
    case Formatted:
        name->Format(text, sizeof text);
        break;
    case SortKey:
        name->GetDisplayText(text, sizeof text);
        break;
    case Forename:
        name->GetGivenNames(text, sizeof text);
        break;
    case Surname:
        name->GetSurname(text, sizeof text);
        break;
    case Suffix:
        name->GetAfterSurname(text, sizeof text);
        break;
    case Person:
        return EvaluatePersonById(static_cast<std::uint32_t>(name->Id()), &name->OwnerDatabase(), result);
    case NParts:
        return SetIntegerResult(result, name->CountParts());
    case PartAt:
        if (!ReadIndex(name->CountParts(), n))
            return 0;
        std::strncpy(text, name->GetPartText(n - 1), sizeof text - 1);
        break;
    default:
        if (!ReadIndex(name->CountParts(), n))
            return 0;
        return SetIntegerResult(result, name->GetPartType(n - 1));
    }
    return SetStringResult(result, text);
}
