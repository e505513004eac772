// The five contents of an assertion: alias, attribute, event, relationship and info.
#include <cstring>

#include "accessors.h"
#include "assertion_content.h"
#include "words.h"

using namespace wexmor;

WZ_LIFETIME(WZAlias, Alias)
WZ_NUMBER(WZAlias, AliasNegative, negative)
WZ_RECORD(WZAlias, AliasName, WZName, name)
WZ_RECORD(WZAlias, AliasPersonref, WZPersonref, personrefs)
WZ_RECORD(WZAlias, AliasDate, WZDate, date)

WZ_LIFETIME(WZAttribute, Attribute)
WZ_NUMBER(WZAttribute, AttributeNegative, negative)
WZ_TEXT(WZAttribute, AttributeDescription, description)
WZ_NUMBER(WZAttribute, AttributeTextclass, textClass)
WZ_TEXT(WZAttribute, AttributeText, text)
WZ_NUMBER(WZAttribute, AttributeNumberclass, numberClass)
WZ_NUMBER(WZAttribute, AttributeNumber, number)
WZ_NUMBER(WZAttribute, AttributeModifier, modifier)
WZ_NUMBER(WZAttribute, AttributeFlagclass, flagClass)
WZ_RECORD(WZAttribute, AttributePersonref, WZPersonref, personrefs)
WZ_RECORD(WZAttribute, AttributeDate, WZDate, date)
WZ_RECORD(WZAttribute, AttributePlace, WZPlace, place)
WZ_RECORD(WZAttribute, AttributeAddress, WZAddress, address)

WZ_LIFETIME(WZEvent, WZEvent)
WZ_NUMBER(WZEvent, EventType, type)
WZ_NUMBER(WZEvent, EventNegative, negative)
WZ_LIST(WZEvent, AddEventPrincipal, GetEventFirstPrincipal, WZPersonref, principals)
WZ_LIST(WZEvent, AddEventSubordinate, GetEventFirstSubordinate, WZPersonrefrole, subordinates)
WZ_RECORD(WZEvent, EventDate, WZDate, date)
WZ_RECORD(WZEvent, EventPlace, WZPlace, place)
WZ_RECORD(WZEvent, EventAddress, WZAddress, address)

WZ_LIFETIME(WZRelationship, Relationship)
WZ_NUMBER(WZRelationship, RelationshipNegative, negative)
WZ_NUMBER(WZRelationship, RelationshipRelation, relation)
WZ_RECORD(WZRelationship, RelationshipFather, WZPersonref, father)
WZ_RECORD(WZRelationship, RelationshipMother, WZPersonref, mother)
WZ_RECORD(WZRelationship, RelationshipParent, WZPersonref, parent)
WZ_RECORD(WZRelationship, RelationshipChild, WZPersonref, child)

WZ_LIFETIME(WZInfo, Info)
WZ_TEXT(WZInfo, InfoText, text)
WZ_LIST(WZInfo, AddInfoPersonref, GetInfoFirstPersonref, WZPersonref, personrefs)

namespace wexmor {

namespace {

const int kOtherClass = 0;
const int kExactModifier = 0;
const int kOtherRelation = 3;

// The negative attribute as the reader of each content takes it: its value when absent, 0 for "false",
// and otherwise 1 (alias, attribute, relationship), or 1 only for "true" (event).
int ReadNegative(WexmorFile& file, int whenAbsent, bool onlyTrueIsNegative)
{
    char value[kAttributeSize];
    if (ReadAttribute(file, value, "negative") != kRead)
        return whenAbsent;
    if (onlyTrueIsNegative)
        return std::strcmp(value, "true") == 0 ? 1 : 0;
    return std::strcmp(value, "false") == 0 ? 0 : 1;
}

void WriteOptionalRecords(WexmorFile& file, const WZDate* date, const WZPlace* place, const WZAddress* address)
{
    if (date)
        WriteDate(file, *date);
    if (place)
        WritePlace(file, *place);
    if (address)
        WriteAddress(file, *address);
}

int ReadOptionalRecords(WexmorFile& file, std::unique_ptr<WZDate>& date, std::unique_ptr<WZPlace>& place,
                        std::unique_ptr<WZAddress>& address)
{
    if (IsStartTagNext(file, "date"))
        WZ_TRY(ReadDate(file, date));
    if (IsStartTagNext(file, "place"))
        WZ_TRY(ReadPlace(file, place));
    if (IsStartTagNext(file, "address"))
        WZ_TRY(ReadAddress(file, address));
    return 0;
}

// "<name negative=...>": the start tag of a content whose only attribute is the negative one.
void WriteNegativeStartTag(WexmorFile& file, const char* name, int negative)
{
    WriteLiteral(file, "<");
    WriteLiteral(file, name);
    WriteNegativeAttribute(file, negative);
    WriteLiteral(file, ">");
}

// Reads that start tag, its negative attribute as ReadNegative takes it for all but events: 0, or `error`.
int ReadNegativeStartTag(WexmorFile& file, const char* name, int error, int whenAbsent, int& negative)
{
    if (!MatchStartTag(file, name, true))
        return error;
    negative = ReadNegative(file, whenAbsent, false);
    return MatchLiteral(file, ">", true) ? 0 : error;
}

int ReadOptionalPersonrefs(WexmorFile& file, const char* name, std::unique_ptr<WZPersonref>& first)
{
    return IsStartTagNext(file, name) ? ReadPersonrefs(file, name, first) : 0;
}

} // namespace

bool CanWrite(const WZAlias& alias)
{
    return alias.name && alias.personrefs;
}
bool CanWrite(const WZAttribute& attribute)
{
    return attribute.personrefs != nullptr;
}
bool CanWrite(const WZEvent&)
{
    return true;
}
bool CanWrite(const WZRelationship& relationship)
{
    return relationship.child != nullptr;
}
bool CanWrite(const WZInfo& info)
{
    return info.personrefs != nullptr;
}

void Write(WexmorFile& file, const WZAlias& alias)
{
    WriteNegativeStartTag(file, "alias", alias.negative);
    WriteName(file, *alias.name);
    WritePersonrefs(file, "personref", alias.personrefs.get());
    if (alias.date)
        WriteDate(file, *alias.date);
    WriteLiteral(file, "</alias>");
}

void Write(WexmorFile& file, const WZAttribute& attribute)
{
    WriteNegativeStartTag(file, "attribute", attribute.negative);
    WriteTextElement(file, "description", attribute.description);
    if (attribute.textClass >= 0) {
        WriteWordElement(file, "textclass", kTextClassWords, attribute.textClass, kOtherClass);
        WriteTextElement(file, "text", attribute.text);
    } else if (attribute.numberClass >= 0) {
        WriteWordElement(file, "numberclass", kNumberClassWords, attribute.numberClass, kOtherClass);
        WriteNumberElement(file, "number", attribute.number);
        // An unset modifier is written as exact, so that the number reads back with a modifier.
        WriteWordElement(file, "modifier", kAttributeModifierWords, attribute.modifier, kExactModifier);
    } else if (attribute.flagClass >= 0) {
        WriteWordElement(file, "flagclass", kFlagClassWords, attribute.flagClass, kOtherClass);
    }
    WritePersonrefs(file, "personref", attribute.personrefs.get());
    WriteOptionalRecords(file, attribute.date.get(), attribute.place.get(), attribute.address.get());
    WriteLiteral(file, "</attribute>");
}

void Write(WexmorFile& file, const WZEvent& event)
{
    WriteLiteral(file, "<event");
    WriteIdAttribute(file, "type", 'E', event.type);
    WriteNegativeAttribute(file, event.negative);
    WriteLiteral(file, ">");
    WritePersonrefs(file, "principal", event.principals.get());
    WritePersonrefroles(file, "subordinate", event.subordinates.get());
    WriteOptionalRecords(file, event.date.get(), event.place.get(), event.address.get());
    WriteLiteral(file, "</event>");
}

void Write(WexmorFile& file, const WZRelationship& relationship)
{
    WriteNegativeStartTag(file, "relationship", relationship.negative);
    WriteWordElement(file, "relation", kRelationWords, relationship.relation, kOtherRelation);
    if (relationship.parent) {
        WritePersonrefs(file, "parent", relationship.parent.get());
    } else {
        WritePersonrefs(file, "father", relationship.father.get());
        WritePersonrefs(file, "mother", relationship.mother.get());
    }
    WritePersonrefs(file, "child", relationship.child.get());
    WriteLiteral(file, "</relationship>");
}

void Write(WexmorFile& file, const WZInfo& info)
{
    WriteLiteral(file, "<info>");
    WriteTextElement(file, "text", info.text);
    WritePersonrefs(file, "personref", info.personrefs.get());
    WriteLiteral(file, "</info>");
}

int Read(WexmorFile& file, WZAlias& alias)
{
    WZ_TRY(ReadNegativeStartTag(file, "alias", kErrorAlias, 1, alias.negative));
    WZ_TRY(ReadName(file, alias.name));
    WZ_TRY(ReadPersonrefs(file, "personref", alias.personrefs));
    if (IsStartTagNext(file, "date"))
        WZ_TRY(ReadDate(file, alias.date));
    return MatchEndTag(file, "alias") ? 0 : kErrorAlias;
}

int Read(WexmorFile& file, WZAttribute& attribute)
{
    WZ_TRY(ReadNegativeStartTag(file, "attribute", kErrorAttribute, 0, attribute.negative));
    WZ_TRY(ReadRequiredText(file, attribute.description, "description", kErrorDescription));
    if (IsStartTagNext(file, "textclass")) {
        WZ_TRY(ReadWordElement(file, "textclass", kTextClassWords, true, attribute.textClass, kErrorTextClass, true));
        WZ_TRY(ReadRequiredText(file, attribute.text, "text", kErrorText));
    } else if (IsStartTagNext(file, "numberclass")) {
        WZ_TRY(ReadWordElement(file, "numberclass", kNumberClassWords, true, attribute.numberClass, kErrorNumberClass,
                               true));
        int32_t number = 0;
        if (ReadLongElement(file, number, "number") != kRead)
            return kErrorNumber;
        attribute.number = number;
        WZ_TRY(ReadWordElement(file, "modifier", kAttributeModifierWords, false, attribute.modifier, kErrorModifier,
                               false));
    } else if (IsStartTagNext(file, "flagclass")) {
        WZ_TRY(ReadWordElement(file, "flagclass", kFlagClassWords, true, attribute.flagClass, kErrorFlagClass, true));
    }
    WZ_TRY(ReadPersonrefs(file, "personref", attribute.personrefs));
    WZ_TRY(ReadOptionalRecords(file, attribute.date, attribute.place, attribute.address));
    return MatchEndTag(file, "attribute") ? 0 : kErrorAttribute;
}

int Read(WexmorFile& file, WZEvent& event)
{
    if (!MatchStartTag(file, "event", true))
        return kErrorEvent;
    char value[kAttributeSize];
    int32_t type = 0;
    if (ReadAttribute(file, value, "type") != kRead || !ParseLetteredId(value, 'E', type))
        return kErrorEventType;
    event.type = type;
    event.negative = ReadNegative(file, 0, true);
    if (!MatchLiteral(file, ">", true))
        return kErrorEvent;
    WZ_TRY(ReadOptionalPersonrefs(file, "principal", event.principals));
    if (IsStartTagNext(file, "subordinate"))
        WZ_TRY(ReadPersonrefroles(file, "subordinate", event.subordinates));
    WZ_TRY(ReadOptionalRecords(file, event.date, event.place, event.address));
    return MatchEndTag(file, "event") ? 0 : kErrorEvent;
}

int Read(WexmorFile& file, WZRelationship& relationship)
{
    WZ_TRY(ReadNegativeStartTag(file, "relationship", kErrorRelationship, 1, relationship.negative));
    WZ_TRY(ReadWordElement(file, "relation", kRelationWords, true, relationship.relation, kErrorRelation, true));
    WZ_TRY(ReadOptionalPersonrefs(file, "father", relationship.father));
    WZ_TRY(ReadOptionalPersonrefs(file, "mother", relationship.mother));
    WZ_TRY(ReadOptionalPersonrefs(file, "parent", relationship.parent));
    WZ_TRY(ReadOptionalPersonrefs(file, "child", relationship.child));
    return MatchEndTag(file, "relationship") ? 0 : kErrorRelationship;
}

int Read(WexmorFile& file, WZInfo& info)
{
    if (!OpenPlainElement(file, "info"))
        return kErrorInfo;
    WZ_TRY(ReadRequiredText(file, info.text, "text", kErrorText));
    WZ_TRY(ReadPersonrefs(file, "personref", info.personrefs));
    return MatchEndTag(file, "info") ? 0 : kErrorInfo;
}

} // namespace wexmor
