#include "persons/person_data.h"

#include <cstring>
#include <memory>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/event_type.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "core/role.h"
#include "core/write_transaction.h"
#include "language/language_table.h"
#include "persons/assertion_fields.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/person_record.h"
#include "persons/relationship.h"
#include "settings/settings.h"

namespace {

// The list shows dates in 32 characters and descriptions in 256, the width of its columns' texts.
constexpr std::size_t DateTextSize = 32;
constexpr std::size_t DescriptionSize = 256;

std::string DateText(const DateRange& date)
{
    char text[DateTextSize] = {};
    WriteDateField(text, sizeof text, date, ScreenDatePicture());
    return text;
}

std::string PersonName(std::int32_t personId, Database& database)
{
    char name[DescriptionSize] = {};
    WritePersonNameField(name, sizeof name, personId, database, false);
    return name;
}

std::string FieldText(const char* field, std::size_t size)
{
    return std::string(field, strnlen(field, size));
}

std::string RoleName(std::int32_t roleId, Database& database)
{
    RoleRecord role(database);
    if (role.Read(roleId) != 0)
        return {};
    return FieldText(role.row.name, sizeof role.row.name);
}

// Each Describe... fills the row of a link from its assertion, which has been read.

void DescribeEvent(EventAssertion& event, const AssertionLink& link, Database& database, PersonDataRow& shown)
{
    event.LoadLinked();
    event.LoadType();
    const EventType* type = event.Type();
    if (link.row.roleId == 0)
        shown.kind = type != nullptr ? FieldText(type->row.name, sizeof type->row.name) : "";
    else
        shown.kind = RoleName(link.row.roleId, database);
    shown.date = DateText(event.Date());
    if (type != nullptr && type->row.classCode == EventClassMarriage) {
        // The other principal; with several, the last of them.
        RecordList<AssertionLink>& links = event.Links();
        for (std::size_t i = 0; i < links.Count(); ++i)
            if (links[i].row.roleId == 0 && links[i].Id() != link.Id())
                shown.description = PersonName(links[i].row.personId, database);
    } else if (event.Place() != nullptr) {
        char place[DescriptionSize] = {};
        event.Place()->Format(place, sizeof place);
        shown.description = place;
    }
}

void DescribeAttribute(AttributeAssertion& attribute, const AssertionLink&, Database&, PersonDataRow& shown)
{
    attribute.LoadType();
    if (const EventType* type = attribute.Type())
        shown.kind = FieldText(type->row.name, sizeof type->row.name);
    shown.date = DateText(attribute.Date());
    char value[DescriptionSize] = {};
    shown.description = attribute.GetValueText(value, sizeof value);
}

void DescribeName(NameAssertion& alias, const AssertionLink&, Database& database, PersonDataRow& shown)
{
    shown.date = DateText(alias.Date());
    if (alias.row.nameId != 0) {
        NameRecord name(alias.row.nameId, database);
        char text[DescriptionSize] = {};
        if (name.Id() != 0)
            shown.description = name.Format(text, sizeof text);
    }
}

const char* OtherSideKey(const AssertionLink& other, Database& database)
{
    if (other.row.roleId == RelationshipChildRole)
        return "STANDARD_CHILD";
    if (other.row.roleId != RelationshipParentRole)
        return nullptr;
    std::uint8_t sex = SexUnknown;
    std::int32_t nameId = 0;
    ReadPersonSummary(other.row.personId, database, sex, nameId);
    return sex == SexMale ? "STANDARD_FATHER" : sex == SexFemale ? "STANDARD_MOTHER" : "STANDARD_PARENT";
}

void DescribeRelationship(Relationship& relationship, const AssertionLink& link, Database& database,
                          PersonDataRow& shown)
{
    relationship.LoadLinked();
    // A relationship that lost its other participant shows empty texts rather than this person's own side.
    const AssertionLink* other = OtherParticipant(relationship, link);
    if (other == nullptr)
        return;
    const char* side = OtherSideKey(*other, database);
    shown.kind = side != nullptr ? GetLanguageText(side) : "Error";
    shown.description = PersonName(other->row.personId, database);
}

void DescribeInfo(InfoAssertion& info, const AssertionLink&, Database&, PersonDataRow& shown)
{
    info.LoadLinked();
    const NoteText* text = info.Text();
    if (text == nullptr || text->Text() == nullptr)
        return;
    const char* all = text->Text();
    const std::size_t firstLine = std::strcspn(all, "\r");
    shown.description.assign(all, firstLine < DescriptionSize - 1 ? firstLine : DescriptionSize - 1);
}

// The row of a link to an assertion of one kind: its image, the kind's fixed text when it has one (shown
// even when the assertion cannot be read), and what `describe` finds in the assertion.
template <class Assertion>
PersonDataRow DescribeLink(const AssertionLink& link, Database& database, PersonDataImage image,
                           const char* fixedKindKey,
                           void (*describe)(Assertion&, const AssertionLink&, Database&, PersonDataRow&))
{
    PersonDataRow shown;
    shown.image = image;
    if (fixedKindKey != nullptr)
        shown.kind = GetLanguageText(fixedKindKey);
    Assertion assertion(link.row.assertionId, database);
    if (assertion.Id() != 0)
        describe(assertion, link, database, shown);
    return shown;
}

} // namespace

PersonDataRow DescribePersonDataLink(const AssertionLink& link, Database& database)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    switch (link.row.kind) {
    case AssertionEvent:
        return DescribeLink(link, database, PersonDataImageEvent, nullptr, DescribeEvent);
    case AssertionAttribute:
        return DescribeLink(link, database, PersonDataImageAttribute, nullptr, DescribeAttribute);
    case AssertionName:
        return DescribeLink(link, database, PersonDataImageName, LanguageKey("PERSON_DATA_NAME"), DescribeName);
    case AssertionRelationship:
        return DescribeLink(link, database, PersonDataImageRelationship, nullptr, DescribeRelationship);
    case AssertionInfo:
        return DescribeLink(link, database, PersonDataImageInfo, LanguageKey("PERSON_INFO"), DescribeInfo);
    default:
        return {};
    }
}

bool DeleteAssertion(const AssertionLink& link, Database& database, NoticeSink* sink)
{
    PendingNotices notices;
    return RunWriteTransaction(
        database, [&] { return RemoveLinkedAssertion(link, database, notices); }, &notices, sink);
}

int FindLinkEntry(const RecordList<AssertionLink>& links, std::int32_t linkId)
{
    if (linkId == 0)
        return -1;
    for (std::size_t i = 0; i < links.Count(); ++i)
        if (links[i].Id() == linkId)
            return static_cast<int>(i);
    return -1;
}

bool RereadLink(RecordList<AssertionLink>& links, std::int32_t linkId)
{
    const int entry = FindLinkEntry(links, linkId);
    if (entry < 0)
        return false;
    AssertionLink& link = links[static_cast<std::size_t>(entry)];
    EngineTransaction transaction(link.OwnerDatabase().file, TLV_READWRITE);
    link.Read(linkId);
    return true;
}

bool AppendAddedLink(RecordList<AssertionLink>& links, std::int32_t linkId, Database& database)
{
    if (linkId == 0 || FindLinkEntry(links, linkId) >= 0)
        return false;
    EngineTransaction transaction(database.file, TLV_READWRITE);
    links.Append(std::make_unique<AssertionLink>(linkId, database));
    return true;
}

bool DropRemovedLink(RecordList<AssertionLink>& links, std::int32_t linkId)
{
    const int entry = FindLinkEntry(links, linkId);
    if (entry < 0)
        return false;
    links.Remove(static_cast<std::size_t>(entry));
    return true;
}

int RowAfterRefill(int selectedBefore, int rowCount)
{
    if (selectedBefore < 0 || rowCount <= 0)
        return -1;
    return selectedBefore < rowCount ? selectedBefore : rowCount - 1;
}
