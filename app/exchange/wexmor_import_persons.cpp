// The section importers of persons and assertions, and the converters of names, places and dates.
#include <cstring>
#include <string>

#include "core/assertion_link.h"
#include "core/bounded_text.h"
#include "core/database.h"
#include "core/event_type.h"
#include "core/event_type_tables.h"
#include "core/name_record.h"
#include "core/place_record.h"
#include "core/role.h"
#include "exchange/wexmor_import.h"
#include "persons/attribute_assertion.h"
#include "records/excerpt_ref.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"

namespace {

constexpr int MaxEventPrincipals = 2;
constexpr std::size_t PartBufferSize = 63;

// Characters below a blank would pass for type bytes or break the display: they become blanks.
void BlankControlCharacters(char* text)
{
    for (; *text != '\0'; ++text)
        if (static_cast<unsigned char>(*text) < ' ')
            *text = ' ';
}

// Removes the characters of `set` from both ends of `text` in place; the trimmed text.
char* Trim(char* text, const char* set)
{
    while (*text != '\0' && std::strchr(set, *text) != nullptr)
        ++text;
    std::size_t length = std::strlen(text);
    while (length > 0 && std::strchr(set, text[length - 1]) != nullptr)
        text[--length] = '\0';
    return text;
}

// The digits at `position` of text[0, length) as a number, at most five of them counted; -1 when there
// are none. The position moves past every digit.
int ReadDigits(const char* text, std::size_t length, std::size_t& position)
{
    int value = 0;
    int digits = 0;
    while (position < length && text[position] >= '0' && text[position] <= '9') {
        if (digits < 5)
            value = value * 10 + (text[position] - '0');
        ++digits;
        ++position;
    }
    return digits == 0 ? -1 : value;
}

// The database's calendar of a Wexmor calendar index: the calendars the database has keep their number,
// the others (Chinese, Indian) and anything out of range become unknown.
std::uint8_t CalendarOfIndex(int index)
{
    switch (index) {
    case CalendarCoptic:
    case CalendarFrench:
    case CalendarGregorian:
    case CalendarHebrew:
    case CalendarHijri:
    case CalendarJulian:
        return static_cast<std::uint8_t>(index);
    default:
        return CalendarUnknown;
    }
}

} // namespace

void ImportSimpleDate(DateValue& value, WZSimpledate* date)
{
    value.minute = DateFieldNone;
    value.hour = DateFieldNone;
    value.calendar = CalendarOfIndex(GetSimpledateCalendar(date));
    const int modifier = GetSimpledateModifier(date);
    value.modifier = modifier >= 0 && modifier <= 3 ? static_cast<std::uint8_t>(modifier) : DateModifierNone;
    char text[32];
    CopyBounded(text, sizeof text, GetSimpledateDate(date));
    const std::size_t length = std::strlen(text);
    std::size_t position = 0;
    while (position < length && text[position] == ' ')
        ++position;
    bool negative = GetSimpledateEra(date) == 1;
    // A year before 1 may carry its own sign as well as the era: either says "before", never both at once.
    if (position < length && (text[position] == '-' || text[position] == '+')) {
        negative = negative || text[position] == '-';
        ++position;
    }
    const int year = ReadDigits(text, length, position);
    value.SetYear(year > 0 && year <= 32767 ? (negative ? -year : year) : 0);
    value.alternateYear = DateFieldNone;
    if (position < length && text[position] == '/') {
        ++position;
        const int second = ReadDigits(text, length, position);
        if (second >= 0 && second <= 99)
            value.alternateYear = static_cast<std::uint8_t>(second);
    }
    if (position >= length || text[position] != '-')
        return;
    ++position;
    const int month = ReadDigits(text, length, position);
    value.month = static_cast<std::uint8_t>(month >= 1 && month <= 13 ? month : 0);
    if (position >= length || text[position] != '-')
        return;
    ++position;
    const int day = ReadDigits(text, length, position);
    value.day = static_cast<std::uint8_t>(day >= 1 && day <= 31 ? day : 0);
    if (position >= length || text[position] != 'T')
        return;
    ++position;
    const int hour = ReadDigits(text, length, position);
    if (hour < 0 || hour > 24)
        return;
    int minute = 0;
    if (position < length && text[position] == ':') {
        ++position;
        minute = ReadDigits(text, length, position);
        if (minute < 0 || minute > 59)
            return;
    }
    value.hour = static_cast<std::uint8_t>(hour);
    value.minute = static_cast<std::uint8_t>(minute);
}

void ImportDate(DateRange& range, WZDate* date)
{
    if (date == nullptr)
        return;
    const char* text = GetDateText(date);
    if (text[0] != '\0') {
        range.type = DateRangeText;
        range.SetText(text);
        return;
    }
    const DateValue empty = EmptyDateValue();
    range.dates.first = empty;
    range.dates.second = empty;
    if (WZSimpledate* exact = GetDateExact(date)) {
        range.type = DateRangeSingle;
        ImportSimpleDate(range.dates.first, exact);
    } else if (WZSimpledate* begin = GetDateBegin(date)) {
        range.type = DateRangeSingle;
        ImportSimpleDate(range.dates.first, begin);
        if (WZSimpledate* end = GetDateEnd(date)) {
            range.type = DateRangeBetween;
            ImportSimpleDate(range.dates.second, end);
        }
    } else if (WZSimpledate* from = GetDateFrom(date)) {
        range.type = DateRangeFrom;
        ImportSimpleDate(range.dates.first, from);
        if (WZSimpledate* to = GetDateTo(date)) {
            range.type = DateRangeFromTo;
            ImportSimpleDate(range.dates.second, to);
        }
    } else if (WZSimpledate* to = GetDateTo(date)) {
        range.type = DateRangeTo;
        ImportSimpleDate(range.dates.first, to);
    } else {
        range.type = DateRangeText;
        range.SetText("");
    }
}

std::int32_t WexmorImportContext::ImportName(std::int32_t ownerId, WZName* name)
{
    NameRecord record(database_);
    const std::int32_t id = NewRowId(TableName);
    if (id == 0)
        return 0;
    record.SetId(id);
    char part[PartBufferSize];
    if (name != nullptr) {
        int first = 0;
        for (int type = GetNamePart(part, sizeof part, first, name); type != 0;
             type = GetNamePart(part, sizeof part, 1, name)) {
            first = 1;
            BlankControlCharacters(part);
            char* text = Trim(part, " ,;:");
            if (text[0] == '\0')
                continue;
            if (!record.AppendPart(static_cast<std::uint8_t>(type), text))
                break;
        }
    }
    record.row.number = ownerId;
    if (record.Write() != 0) {
        Fail();
        return 0;
    }
    return id;
}

std::int32_t WexmorImportContext::ImportPlace(std::int32_t attributeId, std::int32_t eventId, WZPlace* place)
{
    if (place == nullptr)
        return 0;
    PlaceRecord record(database_);
    const std::int32_t id = NewRowId(TablePlace2);
    if (id == 0)
        return 0;
    record.SetId(id);
    record.row.attributeId = attributeId;
    record.row.eventId = eventId;
    char prefix[sizeof record.row.prefix];
    CopyBounded(prefix, sizeof prefix, GetPlacePrefix(place));
    BlankControlCharacters(prefix);
    StoreField(record.row.prefix, sizeof record.row.prefix, prefix);
    char part[PartBufferSize];
    for (int type = GetPlacePart(part, sizeof part, 0, place); type != 0;
         type = GetPlacePart(part, sizeof part, 1, place)) {
        BlankControlCharacters(part);
        if (part[0] == '\0')
            continue;
        if (!record.AppendPart(static_cast<std::uint8_t>(type), part))
            break;
    }
    if (record.Write() != 0) {
        Fail();
        return 0;
    }
    return id;
}

void WexmorImportContext::ImportPerson(WZPerson* person)
{
    // A person made of two others is a merge proposal of the file's program, not a person of its own.
    if (GetPersonSubpersons(person) != nullptr)
        return;
    const std::int32_t id = NewRowId(TablePerson);
    if (id == 0)
        return;
    personMap.Set(GetPersonID(person), id);
    PersonRow row = {};
    const int sex = GetPersonSex(person);
    row.sex = static_cast<std::uint8_t>(sex == SexMale || sex == SexFemale ? sex : SexUnknown);
    row.reserved1 = PersonReservedByte;
    row.nameId = ImportName(id, GetPersonName(person));
    ImportExcerptRefs(GetPersonFirstExcerptref(person), id, OwnerPerson);
    ImportObjects(GetPersonFirstObject(person), id, OwnerPerson);
    row.noteId = StoreNote(GetPersonNote(person), id, OwnerPerson);
    Check(tlvWriteRecord(database_.TableId(TablePerson), id, &row, database_.file));
}

void WexmorImportContext::ImportAssertion(WZAssertion* assertion)
{
    if (WZAlias* alias = GetAssertionAlias(assertion))
        ImportNameAssertion(assertion, alias);
    else if (WZRelationship* relationship = GetAssertionRelationship(assertion))
        ImportRelationship(assertion, relationship);
    else if (WZAttribute* attribute = GetAssertionAttribute(assertion))
        ImportAttribute(assertion, attribute);
    else if (WZInfo* info = GetAssertionInfo(assertion))
        ImportInfo(assertion, info);
    else if (WZEvent* event = GetAssertionEvent(assertion))
        ImportEvent(assertion, event);
}

namespace {

std::int8_t PrivacyOf(WZAssertion* assertion)
{
    const int datatype = GetAssertionDatatype(assertion);
    return static_cast<std::int8_t>(datatype >= PrivacyPublic && datatype <= PrivacyInfo ? datatype : PrivacyPublic);
}

} // namespace

void WexmorImportContext::WriteLink(std::uint8_t kind, std::int32_t assertionId, WZPersonref* person,
                                    std::int32_t order, std::int32_t roleId)
{
    AssertionLink link(database_);
    const std::int32_t id = NewRowId(TableAssertionLink);
    if (id == 0)
        return;
    link.SetId(id);
    link.row.kind = kind;
    link.row.assertionId = assertionId;
    link.row.personId = person != nullptr ? personMap.Get(GetPersonrefPersonid(person)) : 0;
    link.row.order = order;
    link.row.roleId = roleId;
    Check(link.Write());
}

void WexmorImportContext::ImportNameAssertion(WZAssertion* assertion, WZAlias* alias)
{
    NameAssertion record(database_);
    const std::int32_t id = record.NewId();
    if (id == 0)
        return Fail();
    record.row.privacy = PrivacyOf(assertion);
    ImportExcerptRefs(GetAssertionFirstExcerptref(assertion), id, OwnerNameAssertion);
    record.row.noteId = StoreNote(GetAssertionNote(assertion), id, OwnerNameAssertion);
    DateRange date = record.Date();
    ImportDate(date, GetAliasDate(alias));
    record.SetDate(date);
    WZPersonref* person = GetAliasPersonref(alias);
    WriteLink(AssertionName, id, person, NewAssertionLinkOrder, 0);
    const std::int32_t personId = person != nullptr ? personMap.Get(GetPersonrefPersonid(person)) : 0;
    record.row.nameId = ImportName(personId, GetAliasName(alias));
    Check(record.Write());
}

std::int32_t WexmorImportContext::AttributeType(const char* name, int valueKind, int classCode)
{
    std::string key = std::to_string(valueKind) + ":" + std::to_string(classCode) + ":" + name;
    const auto found = attributeTypes_.find(key);
    if (found != attributeTypes_.end())
        return found->second;
    std::int32_t id = FindEventTypeId(name, valueKind, classCode, -1, NoGedcomTag, EventTypeKindAttribute, database_);
    if (id == 0)
        id = CreateEventType(name, valueKind, classCode, NoGedcomTag, EventTypeKindAttribute, 1, 1, nullptr, nullptr,
                             database_);
    if (id == 0)
        Fail();
    else
        attributeTypes_.emplace(std::move(key), id);
    return id;
}

std::int32_t WexmorImportContext::Role(const char* name)
{
    const auto found = roles_.find(name);
    if (found != roles_.end())
        return found->second;
    char trimmed[64];
    CopyBounded(trimmed, sizeof trimmed, name);
    BlankControlCharacters(trimmed);
    const std::int32_t id = FindOrCreateRole(trimmed, database_);
    if (id == 0)
        Fail();
    else
        roles_.emplace(name, id);
    return id;
}

void WexmorImportContext::ImportAttribute(WZAssertion* assertion, WZAttribute* attribute)
{
    AttributeAssertion record(database_);
    const std::int32_t id = record.NewId();
    if (id == 0)
        return Fail();
    record.row.privacy = PrivacyOf(assertion);
    ImportExcerptRefs(GetAssertionFirstExcerptref(assertion), id, OwnerAttribute);
    record.row.noteId = StoreNote(GetAssertionNote(assertion), id, OwnerAttribute);
    int valueKind = AttributeKindText;
    int classCode = GetAttributeTextclass(attribute);
    if (GetAttributeNumberclass(attribute) != -1) {
        valueKind = AttributeKindNumeric;
        classCode = GetAttributeNumberclass(attribute);
    } else if (GetAttributeFlagclass(attribute) != -1) {
        valueKind = AttributeKindFlag;
        classCode = GetAttributeFlagclass(attribute);
    }
    if (classCode < 0)
        classCode = 0;
    record.row.typeId = AttributeType(GetAttributeDescription(attribute), valueKind, classCode);
    if (valueKind == AttributeKindNumeric) {
        const int modifier = GetAttributeModifier(attribute);
        record.row.modifier = static_cast<std::int8_t>(modifier >= AttributeExact && modifier <= AttributeLess
                                                            ? modifier
                                                            : AttributeExact);
        record.row.value = GetAttributeNumber(attribute);
    } else if (valueKind == AttributeKindFlag) {
        record.row.value = GetAttributeNegative(attribute) == 0 ? 1 : 0;
    } else {
        record.row.valueTextId = StoreNote(GetAttributeText(attribute), id, OwnerAttribute);
    }
    record.row.placeId = ImportPlace(id, 0, GetAttributePlace(attribute));
    DateRange date = record.Date();
    ImportDate(date, GetAttributeDate(attribute));
    record.SetDate(date);
    WriteLink(AssertionAttribute, id, GetAttributePersonref(attribute), NewAssertionLinkOrder, 0);
    Check(record.Write());
}

void WexmorImportContext::ImportEvent(WZAssertion* assertion, WZEvent* event)
{
    EventAssertion record(database_);
    const std::int32_t id = record.NewId();
    if (id == 0)
        return Fail();
    record.row.privacy = PrivacyOf(assertion);
    ImportExcerptRefs(GetAssertionFirstExcerptref(assertion), id, OwnerEvent);
    record.row.noteId = StoreNote(GetAssertionNote(assertion), id, OwnerEvent);
    record.row.typeId = eventTypeMap.Get(GetEventType(event));
    record.row.placeId = ImportPlace(0, id, GetEventPlace(event));
    DateRange date = record.Date();
    ImportDate(date, GetEventDate(event));
    record.SetDate(date);
    int principals = 0;
    for (WZPersonref* principal = GetEventFirstPrincipal(event); principal != nullptr && principals < MaxEventPrincipals;
         principal = GetPersonrefNext(principal), ++principals) {
        const int seq = GetPersonrefSeq(principal);
        WriteLink(AssertionEvent, id, principal, seq >= 0 ? seq : NewAssertionLinkOrder, 0);
    }
    for (WZPersonrefrole* entry = GetEventFirstSubordinate(event); entry != nullptr;
         entry = GetPersonrefroleNext(entry)) {
        WZPersonref* person = GetPersonrefrolePersonref(entry);
        const std::int32_t role = Role(GetPersonrefroleRole(entry));
        const int seq = person != nullptr ? GetPersonrefSeq(person) : -1;
        WriteLink(AssertionEvent, id, person, seq >= 0 ? seq : NewAssertionLinkOrder, role);
    }
    Check(record.Write());
}

void WexmorImportContext::ImportInfo(WZAssertion* assertion, WZInfo* info)
{
    InfoAssertion record(database_);
    const std::int32_t id = record.NewId();
    if (id == 0)
        return Fail();
    record.row.privacy = PrivacyOf(assertion);
    ImportExcerptRefs(GetAssertionFirstExcerptref(assertion), id, OwnerInfo);
    record.row.noteId = StoreNote(GetAssertionNote(assertion), id, OwnerInfo);
    record.row.textId = StoreNote(GetInfoText(info), id, OwnerInfo);
    WriteLink(AssertionInfo, id, GetInfoFirstPersonref(info), NewAssertionLinkOrder, 0);
    Check(record.Write());
}

void WexmorImportContext::WriteRelationship(WZAssertion* assertion, int relation, WZPersonref* child,
                                            WZPersonref* parent)
{
    Relationship record(database_);
    const std::int32_t id = record.NewId();
    if (id == 0)
        return Fail();
    record.row.relation = static_cast<std::int8_t>(relation >= RelationBiological && relation <= RelationOther
                                                        ? relation
                                                        : RelationBiological);
    record.row.privacy = PrivacyOf(assertion);
    ImportExcerptRefs(GetAssertionFirstExcerptref(assertion), id, OwnerRelationship);
    record.row.noteId = StoreNote(GetAssertionNote(assertion), id, OwnerRelationship);
    WriteLink(AssertionRelationship, id, child, NewAssertionLinkOrder, RelationshipChildRole);
    WriteLink(AssertionRelationship, id, parent, NewAssertionLinkOrder, RelationshipParentRole);
    Check(record.Write());
}

void WexmorImportContext::ImportRelationship(WZAssertion* assertion, WZRelationship* relationship)
{
    WZPersonref* child = GetRelationshipChild(relationship);
    if (child == nullptr)
        return;
    const int relation = GetRelationshipRelation(relationship);
    if (WZPersonref* parent = GetRelationshipParent(relationship)) {
        WriteRelationship(assertion, relation, child, parent);
        return;
    }
    if (WZPersonref* father = GetRelationshipFather(relationship))
        WriteRelationship(assertion, relation, child, father);
    if (WZPersonref* mother = GetRelationshipMother(relationship))
        WriteRelationship(assertion, relation, child, mother);
}
