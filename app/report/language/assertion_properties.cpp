// The properties of the assertion objects (DETAIL, EVENT, ATTRIBUTE, RELATIONSHIP, INFORMATION, ALIAS) and of
// their types (EVENTTYPE, ATTRIBUTETYPE). Assertions are read afresh for each chain and destroyed when the
// chain is done; the link through which an assertion was reached travels with it, since the sentence of an
// assertion is told for the person of that link.
#include "report/language/expression_reader.h"

#include <cstring>
#include <memory>
#include <string>

#include "core/assertion_link.h"
#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/role.h"
#include "core/temp_tree.h"
#include "persons/assertion_fields.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/relationship.h"
#include "records/excerpt_record.h"
#include "report/language/property_results.h"
#include "report/language/report_run_context.h"
#include "settings/settings.h"

namespace {

// The assertion of a link's kind and id, read with its linked data; null when the kind is none of the five.
std::unique_ptr<CitedAssertion> ReadLinkedAssertion(const AssertionLink& link)
{
    Database& database = link.OwnerDatabase();
    std::unique_ptr<CitedAssertion> assertion;
    switch (link.row.kind) {
    case AssertionEvent:
        assertion = std::make_unique<EventAssertion>(database);
        break;
    case AssertionAttribute:
        assertion = std::make_unique<AttributeAssertion>(database);
        break;
    case AssertionRelationship:
        assertion = std::make_unique<Relationship>(database);
        break;
    case AssertionInfo:
        assertion = std::make_unique<InfoAssertion>(database);
        break;
    case AssertionName:
        assertion = std::make_unique<NameAssertion>(database);
        break;
    default:
        return nullptr;
    }
    assertion->ReadAndLoad(link.row.assertionId);
    return assertion;
}

// The sentence of an assertion told for the person of `link`, with that person's name and sex.
std::string FormattedSentence(Assertion& assertion, const AssertionLink& link, bool showIds)
{
    Database& database = assertion.OwnerDatabase();
    std::uint8_t sex = 0;
    std::int32_t nameId = 0;
    if (!ReadPersonSummary(link.row.personId, database, sex, nameId))
        sex = 0;
    NameRecord name(database);
    if (nameId != 0)
        name.Read(nameId);
    std::string sentence(FieldTextSize, '\0');
    assertion.FormatSentence(sentence.data(), sentence.size(), link, name, sex, showIds, ReportDatePicture());
    sentence.resize(std::strlen(sentence.c_str()));
    return sentence;
}

// The role a participant plays in an event: the ROLE record's name, or nothing for a principal.
std::string RoleName(const AssertionLink& link)
{
    if (link.row.kind != AssertionEvent || link.row.roleId == 0)
        return {};
    RoleRecord role(link.OwnerDatabase());
    if (role.Read(link.row.roleId) != 0)
        return {};
    return TextColumn(role.row.name);
}

// Of a relationship's first two links, the one whose role is `role`: the first when it has that role, else
// the second. Null when the relationship has fewer than two links.
const AssertionLink* RelationshipSide(Relationship& relationship, std::int32_t role)
{
    RecordList<AssertionLink>& links = relationship.Links();
    if (links.Count() < 2)
        return nullptr;
    return links[0].row.roleId == role ? &links[0] : &links[1];
}

// The keyword of a type's class: event types from the event classes, numeric and flag attribute types from
// their own tables, other attribute types from the text attribute classes. A class code outside its table
// gives the empty text.
const char* ClassKeyword(const EventTypeRow& row)
{
    const int kind = row.kind == EventTypeKindEvent ? EventTypeKindEvent : EventTypeKindAttribute;
    const KeywordTable table = EventClassTable(kind, row.attributeKind);
    if (row.classCode < 0 || row.classCode >= table.count)
        return "";
    return table.words[row.classCode];
}

const char* GedcomTagOf(const EventTypeRow& row)
{
    const char* tag = GedcomTagText(row.gedcomTag);
    return tag != nullptr ? tag : "";
}

} // namespace

// Reads the link's assertion with its linked data and evaluates the chain on it; `missingError` when the link
// names no assertion or its assertion cannot be read.
template <class Kind>
int ExpressionReader::EvaluateAssertionOfLink(AssertionLink* link, std::int32_t missingError,
                                              int (ExpressionReader::*evaluate)(Kind*, AssertionLink*, ReportValue&),
                                              ReportValue& result)
{
    if (link == nullptr || link->row.assertionId == 0)
        return Fail(missingError);
    Kind assertion(link->OwnerDatabase());
    assertion.ReadAndLoad(link->row.assertionId);
    if (assertion.Id() == 0)
        return Fail(missingError);
    return (this->*evaluate)(&assertion, link, result);
}

// The property of an assertion's table at the read position, as its index in the table. The first
// `linkOnly` names exist only for an assertion reached through a participant's link: without one they are
// passed over. -1 (error 1 set) when none matches.
int ExpressionReader::MatchAssertionProperty(const char* const* names, int count, int linkOnly,
                                             const AssertionLink* link)
{
    const int skipped = link != nullptr ? 0 : linkOnly;
    const int property = MatchProperty(names + skipped, count - skipped);
    return property < 0 ? property : property + skipped;
}

// The person of an assertion's first link; the kind's error when the assertion has no link.
int ExpressionReader::EvaluateFirstLinkPerson(CitedAssertion& assertion, std::int32_t missingError, ReportValue& result)
{
    if (assertion.Links().Empty())
        return Fail(missingError);
    return EvaluatePersonById(static_cast<std::uint32_t>(assertion.Links()[0].row.personId), &assertion.OwnerDatabase(),
                              result);
}

int ExpressionReader::EvaluateDetail(AssertionLink* link, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportDetail, link, context_->database);
    if (link == nullptr)
        return Fail(ReportErrorDetailMissing);
    static const char* const names[] = {"TYPE",        "PERSON", "EVENT", "ATTRIBUTE", "RELATIONSHIP",
                                        "INFORMATION", "ALIAS",  "ROLE",  "FORMATTED"};
    enum { Type, Person, Event, Attribute, RelationshipName, Information, Alias, Role, Formatted };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Type:
        return SetIntegerResult(result, link->row.kind);
    case Person:
        return EvaluatePersonById(static_cast<std::uint32_t>(link->row.personId), &link->OwnerDatabase(), result);
    case Event:
        if (link->row.kind != AssertionEvent)
            return Fail(ReportErrorEventMissing);
        return EvaluateEventOfLink(link, result);
    case Attribute:
        if (link->row.kind != AssertionAttribute)
            return Fail(ReportErrorAttributeMissing);
        return EvaluateAttributeOfLink(link, result);
    case RelationshipName:
        if (link->row.kind != AssertionRelationship)
            return Fail(ReportErrorRelationshipMissing);
        return EvaluateRelationshipOfLink(link, result);
    case Information:
        if (link->row.kind != AssertionInfo)
            return Fail(ReportErrorInformationMissing);
        return EvaluateInformationOfLink(link, result);
    case Alias:
        if (link->row.kind != AssertionName)
            return Fail(ReportErrorAliasMissing);
        return EvaluateAliasOfLink(link, result);
    case Role:
        return SetStringResult(result, RoleName(*link));
    case Formatted:
        return EvaluateDetailSentence(*link, result);
    default:
        return 0;
    }
}

// The sentence of the linked assertion; every excerpt the assertion cites brings its source into the list
// of cited sources, one entry per citation, whatever the data switches say.
int ExpressionReader::EvaluateDetailSentence(const AssertionLink& link, ReportValue& result)
{
    SetStringResult(result, "");
    std::unique_ptr<CitedAssertion> assertion = ReadLinkedAssertion(link);
    if (!assertion)
        return 1;
    result.SetString(FormattedSentence(*assertion, link, context_->showIds).c_str());
    if (TempTree* cited = context_->citedSources.get()) {
        RecordList<ExcerptRef>& references = assertion->ExcerptRefs();
        for (std::size_t i = 0; i < references.Count(); ++i)
            InsertExcerptSource(*cited, assertion->OwnerDatabase(), references[i].row.excerptId);
    }
    return 1;
}

// An event is read with whatever id the link names: a link without an event goes on on an empty event.
int ExpressionReader::EvaluateEventOfLink(AssertionLink* link, ReportValue& result)
{
    Database* database = link != nullptr ? &link->OwnerDatabase() : context_->database;
    if (database == nullptr)
        return EvaluateEvent(nullptr, link, result);
    EventAssertion event(*database);
    event.ReadAndLoad(link != nullptr ? link->row.assertionId : 0);
    return EvaluateEvent(&event, link, result);
}

int ExpressionReader::EvaluateEvent(EventAssertion* event, AssertionLink* link, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportEvent, event, context_->database);
    if (event == nullptr)
        return Fail(ReportErrorEventMissing);
    static const char* const names[] = {"FORMATTED", "SHORT", "DATE",          "TYPE",         "PRIVACY",   "PLACE",
                                        "ADDRESS",   "NOTE",  "NPARTICIPANTS", "PARTICIPANT(", "NEXCERPTS", "EXCERPT("};
    enum {
        Formatted,
        Short,
        Date,
        Type,
        Privacy,
        Place,
        Address,
        Note,
        NParticipants,
        Participant,
        NExcerpts,
        Excerpt
    };
    // The sentence and the short text exist only for an event reached through a participant's link.
    const int property = MatchAssertionProperty(names, PropertyCount(names), Date, link);
    switch (property) {
    case Formatted:
        return SetStringResult(result, FormattedSentence(*event, *link, context_->showIds));
    case Short: {
        std::string text(FieldTextSize, '\0');
        event->GetDatePlaceText(text.data(), text.size(), ReportDatePicture());
        return SetStringResult(result, text);
    }
    case Date: {
        DateRange date = event->Date();
        return EvaluatePeriod(&date, result);
    }
    case Type:
        event->LoadType();
        return EvaluateEventType(event->Type(), result);
    case Privacy:
        return SetIntegerResult(result, event->row.privacy);
    case Place:
        return EvaluatePlace(Included(IncludePlacesSwitch) ? event->Place() : nullptr, result);
    case Address:
        return EvaluateAddress(Included(IncludeAddressesSwitch) ? event->Address() : nullptr, result);
    case Note:
        return SetNoteResult(result, event->Note());
    case NParticipants:
        return SetIntegerResult(result, static_cast<std::int32_t>(event->Links().Count()));
    case Participant: {
        std::int32_t index = 0;
        if (!ReadIndex(static_cast<std::int32_t>(event->Links().Count()), index))
            return 0;
        return EvaluateDetail(&event->Links()[static_cast<std::size_t>(index - 1)], result);
    }
    case NExcerpts:
        return SetIntegerResult(result, CitationCount(event->ExcerptRefs()));
    case Excerpt:
        return EvaluateCitedExcerpt(event->ExcerptRefs(), event->OwnerDatabase(), result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateAttributeOfLink(AssertionLink* link, ReportValue& result)
{
    return EvaluateAssertionOfLink<AttributeAssertion>(link, ReportErrorAttributeMissing,
                                                       &ExpressionReader::EvaluateAttribute, result);
}

// Without a point the attribute is a value of its own, as an event is: leaving the result as it was would
// make every assignment of an attribute to an ATTRIBUTE variable fail.
int ExpressionReader::EvaluateAttribute(AttributeAssertion* attribute, AssertionLink* link, ReportValue& result)
{
    if (!SkipPoint())
        return SetRecordResult(result, ReportAttribute, attribute, context_->database);
    if (attribute == nullptr)
        return Fail(ReportErrorAttributeMissing);
    static const char* const names[] = {"FORMATTED", "DATE",  "TYPE", "PRIVACY", "PLACE",     "ADDRESS",
                                        "TEXT",      "VALUE", "NOTE", "PERSON",  "NEXCERPTS", "EXCERPT("};
    enum { Formatted, Date, Type, Privacy, Place, Address, Text, Value, Note, Person, NExcerpts, Excerpt };
    // The sentence exists only for an attribute reached through a participant's link.
    const int property = MatchAssertionProperty(names, PropertyCount(names), Formatted + 1, link);
    switch (property) {
    case Formatted:
        return SetStringResult(result, FormattedSentence(*attribute, *link, context_->showIds));
    case Date: {
        DateRange date = attribute->Date();
        return EvaluatePeriod(&date, result);
    }
    case Type:
        attribute->LoadType();
        return EvaluateAttributeType(attribute->Type(), result);
    case Privacy:
        return SetIntegerResult(result, attribute->row.privacy);
    case Place:
        return EvaluatePlace(Included(IncludePlacesSwitch) ? attribute->Place() : nullptr, result);
    case Address:
        return EvaluateAddress(Included(IncludeAddressesSwitch) ? attribute->Address() : nullptr, result);
    case Text:
        attribute->LoadValueText();
        return SetStringResult(result, NoteTextOf(attribute->ValueText()));
    case Value: {
        // A text type keeps no number, whatever the row holds.
        attribute->LoadType();
        const EventType* type = attribute->Type();
        const bool numbered = type != nullptr && type->row.attributeKind != AttributeKindText;
        return SetIntegerResult(result, numbered ? attribute->row.value : 0);
    }
    case Note:
        return SetNoteResult(result, attribute->Note());
    case Person:
        return EvaluateFirstLinkPerson(*attribute, ReportErrorAttributeMissing, result);
    case NExcerpts:
        return SetIntegerResult(result, CitationCount(attribute->ExcerptRefs()));
    case Excerpt:
        return EvaluateCitedExcerpt(attribute->ExcerptRefs(), attribute->OwnerDatabase(), result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateRelationshipOfLink(AssertionLink* link, ReportValue& result)
{
    return EvaluateAssertionOfLink<Relationship>(link, ReportErrorRelationshipMissing,
                                                 &ExpressionReader::EvaluateRelationship, result);
}

int ExpressionReader::EvaluateRelationship(Relationship* relationship, AssertionLink* link, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (relationship == nullptr)
        return Fail(ReportErrorRelationshipMissing);
    static const char* const names[] = {"FORMATTED", "RELATION", "PRIVACY",   "NOTE",
                                        "PARENT",    "CHILD",    "NEXCERPTS", "EXCERPT("};
    enum { Formatted, Relation, Privacy, Note, Parent, Child, NExcerpts, Excerpt };
    const int property = MatchAssertionProperty(names, PropertyCount(names), Formatted + 1, link);
    switch (property) {
    case Formatted:
        return SetStringResult(result, FormattedSentence(*relationship, *link, context_->showIds));
    case Relation:
        return SetIntegerResult(result, relationship->row.relation);
    case Privacy:
        return SetIntegerResult(result, relationship->row.privacy);
    case Note:
        return SetNoteResult(result, relationship->Note());
    case Parent:
    case Child: {
        const std::int32_t role = property == Parent ? RelationshipParentRole : RelationshipChildRole;
        const AssertionLink* side = RelationshipSide(*relationship, role);
        if (side == nullptr)
            return Fail(ReportErrorRelationshipMissing);
        return EvaluatePersonById(static_cast<std::uint32_t>(side->row.personId), &relationship->OwnerDatabase(),
                                  result);
    }
    case NExcerpts:
        return SetIntegerResult(result, CitationCount(relationship->ExcerptRefs()));
    case Excerpt:
        return EvaluateCitedExcerpt(relationship->ExcerptRefs(), relationship->OwnerDatabase(), result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateInformationOfLink(AssertionLink* link, ReportValue& result)
{
    return EvaluateAssertionOfLink<InfoAssertion>(link, ReportErrorInformationMissing,
                                                  &ExpressionReader::EvaluateInformation, result);
}

int ExpressionReader::EvaluateInformation(InfoAssertion* information, AssertionLink* link, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (information == nullptr)
        return Fail(ReportErrorInformationMissing);
    static const char* const names[] = {"FORMATTED", "PRIVACY", "TEXT", "NOTE", "PERSON", "NEXCERPTS", "EXCERPT("};
    enum { Formatted, Privacy, Text, Note, Person, NExcerpts, Excerpt };
    const int property = MatchAssertionProperty(names, PropertyCount(names), Formatted + 1, link);
    switch (property) {
    case Formatted:
        return SetStringResult(result, FormattedSentence(*information, *link, context_->showIds));
    case Privacy:
        return SetIntegerResult(result, information->row.privacy);
    case Text:
        return SetStringResult(result, NoteTextOf(information->Text()));
    case Note:
        return SetNoteResult(result, information->Note());
    case Person:
        return EvaluateFirstLinkPerson(*information, ReportErrorInformationMissing, result);
    case NExcerpts:
        return SetIntegerResult(result, CitationCount(information->ExcerptRefs()));
    case Excerpt:
        return EvaluateCitedExcerpt(information->ExcerptRefs(), information->OwnerDatabase(), result);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateAliasOfLink(AssertionLink* link, ReportValue& result)
{
    return EvaluateAssertionOfLink<NameAssertion>(link, ReportErrorAliasMissing, &ExpressionReader::EvaluateAlias,
                                                  result);
}

int ExpressionReader::EvaluateAlias(NameAssertion* alias, AssertionLink* link, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (alias == nullptr)
        return Fail(ReportErrorAliasMissing);
    static const char* const names[] = {"FORMATTED", "PRIVACY", "NAME",      "NOTE",
                                        "DATE",      "PERSON",  "NEXCERPTS", "EXCERPT("};
    enum { Formatted, Privacy, Name, Note, Date, Person, NExcerpts, Excerpt };
    const int property = MatchAssertionProperty(names, PropertyCount(names), Formatted + 1, link);
    switch (property) {
    case Formatted:
        return SetStringResult(result, FormattedSentence(*alias, *link, context_->showIds));
    case Privacy:
        return SetIntegerResult(result, alias->row.privacy);
    case Name:
        return EvaluateName(alias->Name(), result);
    case Note:
        return SetNoteResult(result, alias->Note());
    case Date: {
        DateRange date = alias->Date();
        return EvaluatePeriod(&date, result);
    }
    case Person:
        return EvaluateFirstLinkPerson(*alias, ReportErrorAliasMissing, result);
    case NExcerpts:
        return SetIntegerResult(result, CitationCount(alias->ExcerptRefs()));
    case Excerpt:
        return EvaluateCitedExcerpt(alias->ExcerptRefs(), alias->OwnerDatabase(), result);
    default:
        return 0;
    }
}

// A type whose row could not be read (an event without a type) is missing like an absent one.
int ExpressionReader::EvaluateEventType(EventType* type, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (type == nullptr || type->Id() == 0)
        return Fail(ReportErrorEventTypeMissing);
    static const char* const names[] = {"DESCRIPTION", "CLASS", "GEDCOMTAG", "NROLES"};
    enum { Description, Class, GedcomTag, NRoles };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Description:
        return SetStringResult(result, TextColumn(type->row.name));
    case Class:
        return SetStringResult(result, ClassKeyword(type->row));
    case GedcomTag:
        return SetStringResult(result, GedcomTagOf(type->row));
    case NRoles:
        return SetIntegerResult(result, type->row.principals);
    default:
        return 0;
    }
}

int ExpressionReader::EvaluateAttributeType(EventType* type, ReportValue& result)
{
    if (!SkipPoint())
        return 1;
    if (type == nullptr || type->Id() == 0)
        return Fail(ReportErrorAttributeTypeMissing);
    static const char* const names[] = {"DESCRIPTION", "KIND", "CLASS", "GEDCOMTAG"};
    enum { Description, Kind, Class, GedcomTag };
    switch (MatchProperty(names, PropertyCount(names))) {
    case Description:
        return SetStringResult(result, TextColumn(type->row.name));
    case Kind:
        return SetIntegerResult(result, type->row.attributeKind);
    case Class:
        return SetStringResult(result, ClassKeyword(type->row));
    case GedcomTag:
        return SetStringResult(result, GedcomTagOf(type->row));
    default:
        return 0;
    }
}
