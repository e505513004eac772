#include "core/event_type.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/database.h"
#include "core/event_type_row.h"
#include "platform/little_endian.h"
#include "language/language_table.h"

namespace {

using namespace event_type_row;

// Copies at most size - 1 characters and fills the rest of the field with NULs, so that a stored row never
// carries stale bytes behind its text.
template <std::size_t N> void CopyText(char (&field)[N], const char* text, std::size_t length)
{
    std::size_t n = length < N - 1 ? length : N - 1;
    std::memcpy(field, text, n);
    std::memset(field + n, 0, N - n);
}

template <std::size_t N> void CopyText(char (&field)[N], const std::string& text)
{
    CopyText(field, text.data(), text.size());
}

template <std::size_t N> void CopyText(char (&field)[N], const char* text)
{
    CopyText(field, text, std::strlen(text));
}

// Reads the comma-separated fields of a built-in type text from left to right.
class FieldReader {
public:
    explicit FieldReader(const char* text) : at_(text) {}

    // The text up to the next comma, which is consumed; false (nothing consumed) when no comma follows.
    bool Field(std::string& field)
    {
        const char* comma = std::strchr(at_, ',');
        if (comma == nullptr)
            return false;
        field.assign(at_, comma);
        at_ = comma + 1;
        return true;
    }

    bool AtQuote() const { return *at_ == '"'; }

    // A quoted text up to its closing quote, which is consumed; false when the quote is never closed.
    bool Quoted(std::string& field)
    {
        const char* close = std::strchr(at_ + 1, '"');
        if (close == nullptr)
            return false;
        field.assign(at_ + 1, close);
        at_ = close + 1;
        return true;
    }

    bool SkipComma()
    {
        if (*at_ != ',')
            return false;
        ++at_;
        return true;
    }

    std::string Rest()
    {
        std::string rest(at_);
        at_ += rest.size();
        return rest;
    }

private:
    const char* at_;
};

int ParsePrincipals(const std::string& field)
{
    long value = std::strtol(field.c_str(), nullptr, 10);
    if (value < 0)
        return 0;
    return value > 2 ? 2 : static_cast<int>(value);
}

int ParseAttributeKind(const std::string& field)
{
    if (field == "num")
        return AttributeKindNumeric;
    if (field == "flag")
        return AttributeKindFlag;
    return AttributeKindText;
}

const char* StandardPrincipalTemplate(int principals)
{
    return principals == 2 ? GetLanguageText("STANDARD_FEVENT_PFORMATTING")
                           : GetLanguageText("STANDARD_PEVENT_PFORMATTING");
}

const char* StandardWitnessTemplate(int principals)
{
    return principals == 2 ? GetLanguageText("STANDARD_FEVENT_WFORMATTING")
                           : GetLanguageText("STANDARD_PEVENT_WFORMATTING");
}

// The text of EVENTTYPE<n> or ATTRIBUTETYPE<n>, or null when the language file lacks the key.
const char* BuiltInTypeText(const char* prefix, int n)
{
    char key[LanguageKeySize];
    std::snprintf(key, sizeof key, "%s%d", prefix, n);
    const char* text = GetLanguageText(key);
    return std::strcmp(text, key) == 0 ? nullptr : text;
}

bool ParseBuiltInEvent(const char* text, EventTypeRow& row)
{
    FieldReader reader(text);
    std::string name, principals, classKeyword, tag, principalTemplate, witnessTemplate;
    if (!reader.Field(name) || !reader.Field(principals) || !reader.Field(classKeyword) || !reader.Field(tag))
        return false;
    if (reader.AtQuote()) {
        if (!reader.Quoted(principalTemplate) || !reader.SkipComma())
            return false;
    } else if (!reader.Field(principalTemplate)) {
        return false;
    }
    if (reader.AtQuote()) {
        if (!reader.Quoted(witnessTemplate))
            return false;
    } else {
        witnessTemplate = reader.Rest();
    }

    CopyText(row.name, name);
    row.principals = static_cast<std::uint8_t>(ParsePrincipals(principals));
    row.classCode = static_cast<std::int16_t>(GetEventClassCode(classKeyword.c_str(), EventTypeKindEvent, 0));
    row.gedcomTag = static_cast<std::int16_t>(FindGedcomTag(tag.c_str()));
    if (principalTemplate.empty())
        CopyText(row.principalTemplate, StandardPrincipalTemplate(row.principals));
    else
        CopyText(row.principalTemplate, principalTemplate);
    if (witnessTemplate.empty())
        CopyText(row.witnessTemplate, StandardWitnessTemplate(row.principals));
    else
        CopyText(row.witnessTemplate, witnessTemplate);
    row.kind = EventTypeKindEvent;
    row.print = 1;
    return true;
}

// The fields after the attribute kind are optional: each is taken only when its comma (or, for a quoted
// template, its closing quote) follows, and the first one missing leaves itself and the rest as they were.
bool ParseBuiltInAttribute(const char* text, EventTypeRow& row)
{
    FieldReader reader(text);
    std::string name, attributeKind, classKeyword, tag, sentenceTemplate;
    if (!reader.Field(name) || !reader.Field(attributeKind))
        return false;
    CopyText(row.name, name);
    row.attributeKind = static_cast<std::uint8_t>(ParseAttributeKind(attributeKind));
    row.kind = EventTypeKindAttribute;

    if (!reader.Field(classKeyword))
        return true;
    row.classCode =
        static_cast<std::int16_t>(GetEventClassCode(classKeyword.c_str(), EventTypeKindAttribute, row.attributeKind));
    if (!reader.Field(tag))
        return true;
    row.gedcomTag = static_cast<std::int16_t>(FindGedcomTag(tag.c_str()));
    bool taken = reader.AtQuote() ? reader.Quoted(sentenceTemplate) : reader.Field(sentenceTemplate);
    if (!taken)
        return true;
    if (sentenceTemplate.empty())
        CopyText(row.principalTemplate, StandardPrincipalTemplate(row.principals));
    else
        CopyText(row.principalTemplate, sentenceTemplate);
    return true;
}

} // namespace

void EncodeEventTypeRow(const EventTypeRow& row, std::uint8_t (&bytes)[EventTypeRowSize])
{
    std::memset(bytes, 0, sizeof bytes);
    std::memcpy(bytes + NameOffset, row.name, EventTypeNameSize);
    bytes[NameOffset + EventTypeNameSize - 1] = 0;
    platform::PutI16(bytes + ClassOffset, row.classCode);
    platform::PutI16(bytes + TagOffset, row.gedcomTag);
    bytes[KindOffset] = row.kind;
    bytes[PrincipalsOffset] = row.principals;
    std::memcpy(bytes + PrincipalTemplateOffset, row.principalTemplate, EventTypeTemplateSize);
    bytes[PrincipalTemplateOffset + EventTypeTemplateSize - 1] = 0;
    std::memcpy(bytes + WitnessTemplateOffset, row.witnessTemplate, EventTypeTemplateSize);
    bytes[WitnessTemplateOffset + EventTypeTemplateSize - 1] = 0;
    platform::PutU32(bytes + PrintOffset, row.print);
    bytes[AttributeKindOffset] = row.attributeKind;
}

void DecodeEventTypeRow(const std::uint8_t (&bytes)[EventTypeRowSize], EventTypeRow& row)
{
    // Texts are terminated on reading as well: a damaged row must not run a reader past its field.
    std::memcpy(row.name, bytes + NameOffset, EventTypeNameSize);
    row.name[EventTypeNameSize - 1] = 0;
    row.classCode = platform::GetI16(bytes + ClassOffset);
    row.gedcomTag = platform::GetI16(bytes + TagOffset);
    row.kind = bytes[KindOffset];
    row.principals = bytes[PrincipalsOffset];
    std::memcpy(row.principalTemplate, bytes + PrincipalTemplateOffset, EventTypeTemplateSize);
    row.principalTemplate[EventTypeTemplateSize - 1] = 0;
    std::memcpy(row.witnessTemplate, bytes + WitnessTemplateOffset, EventTypeTemplateSize);
    row.witnessTemplate[EventTypeTemplateSize - 1] = 0;
    row.print = platform::GetU32(bytes + PrintOffset);
    row.attributeKind = bytes[AttributeKindOffset];
}

EventType::EventType(Database& database) : TableRow(database)
{
    row.kind = EventTypeKindEvent;
    row.principals = 1;
    row.gedcomTag = NoGedcomTag;
}

EventType::EventType(std::int32_t id, Database& database) : EventType(database)
{
    Read(id);
}

std::int32_t EventType::Read(std::int32_t readId)
{
    std::uint8_t bytes[EventTypeRowSize];
    const std::int32_t result = ReadRow(TableEventType, readId, bytes, sizeof bytes);
    if (result == 0)
        DecodeEventTypeRow(bytes, row);
    return result;
}

std::int32_t EventType::ReadNext(std::int32_t fromId)
{
    std::uint8_t bytes[EventTypeRowSize];
    const std::int32_t found = ReadNextRow(TableEventType, fromId, bytes, sizeof bytes);
    if (found != 0)
        DecodeEventTypeRow(bytes, row);
    return found;
}

std::int32_t EventType::Write()
{
    std::uint8_t bytes[EventTypeRowSize];
    EncodeEventTypeRow(row, bytes);
    return WriteRow(TableEventType, bytes);
}

bool EventType::Save()
{
    return (id_ != 0 || NewRowId(TableEventType) != 0) && Write() == 0;
}

bool EventType::LoadBuiltInEvent(int n)
{
    const char* text = BuiltInTypeText("EVENTTYPE", n);
    if (text == nullptr || !ParseBuiltInEvent(text, row))
        return false;
    id_ = 0;
    return true;
}

bool EventType::LoadBuiltInAttribute(int n)
{
    const char* text = BuiltInTypeText("ATTRIBUTETYPE", n);
    return text != nullptr && ParseBuiltInAttribute(text, row);
}

bool EventType::FindBuiltInEvent(const char* name, int classCode, int principals, int gedcomTag)
{
    for (int n = 1; LoadBuiltInEvent(n); ++n) {
        if ((name == nullptr || std::strcmp(row.name, name) == 0) && (classCode == -1 || row.classCode == classCode) &&
            (principals == -1 || row.principals == principals) && (gedcomTag == -1 || row.gedcomTag == gedcomTag))
            return true;
    }
    return false;
}

bool EventType::FindBuiltInAttribute(const char* name, int attributeKind, int classCode, int gedcomTag)
{
    for (int n = 1; LoadBuiltInAttribute(n); ++n) {
        if ((name == nullptr || std::strcmp(row.name, name) == 0) && row.attributeKind == attributeKind &&
            (classCode == -1 || row.classCode == classCode) && (gedcomTag == -1 || row.gedcomTag == gedcomTag))
            return true;
    }
    return false;
}

bool EventType::IsBirth() const
{
    return row.classCode == EventClassBirth && row.principals == 1;
}

bool EventType::IsDeath() const
{
    return row.classCode == EventClassDeath && row.principals == 1;
}

bool SeedEventTypes(Database& database)
{
    EventType type(database);
    for (int n = 1; type.LoadBuiltInEvent(n); ++n) {
        type.SetId(0);
        if (!type.Save())
            return false;
    }
    for (int n = 1; type.LoadBuiltInAttribute(n); ++n) {
        type.SetId(0);
        if (!type.Save())
            return false;
    }
    return true;
}

std::int32_t CreateEventType(const char* name, int attributeKind, int classCode, int gedcomTag, int kind,
                             int principals, std::uint32_t print, const char* principalTemplate,
                             const char* witnessTemplate, Database& database)
{
    EventType type(database);
    EventTypeRow& row = type.row;
    CopyText(row.name, name != nullptr ? name : "");
    row.attributeKind = static_cast<std::uint8_t>(attributeKind);
    row.classCode = static_cast<std::int16_t>(classCode);
    row.gedcomTag = static_cast<std::int16_t>(gedcomTag);
    row.kind = static_cast<std::uint8_t>(kind);
    row.principals = static_cast<std::uint8_t>(principals < 0 ? 0 : principals > 2 ? 2 : principals);
    row.print = print;

    bool isEvent = kind == EventTypeKindEvent;
    if (principalTemplate != nullptr)
        CopyText(row.principalTemplate, principalTemplate);
    else if (isEvent && row.principals != 0)
        CopyText(row.principalTemplate, StandardPrincipalTemplate(row.principals));
    else if (kind == EventTypeKindAttribute)
        CopyText(row.principalTemplate, GetLanguageText("STANDARD_ATTR_FORMATTING"));
    if (witnessTemplate != nullptr)
        CopyText(row.witnessTemplate, witnessTemplate);
    else if (isEvent && row.principals != 0)
        CopyText(row.witnessTemplate, StandardWitnessTemplate(row.principals));

    if (!type.Save()) {
        if (type.Id() != 0)
            tlvDeleteRecord(database.TableId(TableEventType), type.Id(), database.file);
        return 0;
    }
    return type.Id();
}

std::int32_t VisitEventTypes(Database& database,
                             const std::function<bool(std::int32_t id, const EventTypeRow& row)>& visit)
{
    EventType type(database);
    const std::int32_t highest = tlvNumberOfRecords(database.TableId(TableEventType), database.file);
    for (std::int32_t id = 1; id <= highest; ++id)
        if (type.Read(id) == 0 && visit(id, type.row))
            return id;
    return 0;
}

std::int32_t FindEventTypeId(const char* name, int attributeKind, int classCode, int principals, int gedcomTag,
                             int kind, Database& database)
{
    return VisitEventTypes(database, [&](std::int32_t, const EventTypeRow& row) {
        return (name == nullptr || std::strcmp(row.name, name) == 0) && row.attributeKind == attributeKind &&
               row.kind == kind && (classCode == -1 || row.classCode == classCode) &&
               (principals == -1 || row.principals == 0 || row.principals == principals) &&
               (gedcomTag == -1 || row.gedcomTag == gedcomTag);
    });
}

std::int32_t FindEventTypeByGedcomTag(int gedcomTag, int kind, Database& database)
{
    return VisitEventTypes(database, [&](std::int32_t, const EventTypeRow& row) {
        return row.gedcomTag == gedcomTag && row.kind == kind;
    });
}
