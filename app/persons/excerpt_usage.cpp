#include "persons/excerpt_usage.h"

#include <memory>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "persons/assertion_fields.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"
#include "persons/name_assertion.h"
#include "persons/relationship.h"
#include "records/excerpt_record.h"
#include "records/excerpt_ref.h"

namespace {

constexpr std::size_t UsageNameSize = 256;

std::string PersonName(std::int32_t personId, Database& database)
{
    char name[UsageNameSize] = {};
    WritePersonNameField(name, sizeof name, personId, database, false);
    return name;
}

// The citing assertion of an owner kind, read with its participants; null for persons and unknown kinds.
std::unique_ptr<CitedAssertion> ReadCitingAssertion(std::uint8_t ownerKind, std::int32_t id, Database& database)
{
    std::unique_ptr<CitedAssertion> assertion;
    switch (ownerKind) {
    case OwnerEvent:
        assertion = std::make_unique<EventAssertion>(database);
        break;
    case OwnerAttribute:
        assertion = std::make_unique<AttributeAssertion>(database);
        break;
    case OwnerRelationship:
        assertion = std::make_unique<Relationship>(database);
        break;
    case OwnerNameAssertion:
        assertion = std::make_unique<NameAssertion>(database);
        break;
    case OwnerInfo:
        assertion = std::make_unique<InfoAssertion>(database);
        break;
    default:
        return nullptr;
    }
    assertion->ReadAndLoad(id);
    return assertion;
}

const char* TypeKeyOf(std::uint8_t ownerKind)
{
    switch (ownerKind) {
    case OwnerPerson:
        return "EXCERPT_TYPE_PERSON";
    case OwnerEvent:
        return "EXCERPT_TYPE_EVENT";
    case OwnerAttribute:
        return "EXCERPT_TYPE_ATTRIBUTE";
    case OwnerRelationship:
        return "EXCERPT_TYPE_RELATIONSHIP";
    case OwnerNameAssertion:
        return "EXCERPT_TYPE_NAME";
    case OwnerInfo:
        return "EXCERPT_TYPE_INFO";
    default:
        return "EXCERPT_TYPE_UNKNOWN";
    }
}

// Events and relationships name each participant; the other kinds name their first one.
bool ListsEveryParticipant(std::uint8_t ownerKind)
{
    return ownerKind == OwnerEvent || ownerKind == OwnerRelationship;
}

void AddRowsOf(const ExcerptRef& reference, Database& database, std::vector<ExcerptUsageRow>& rows)
{
    const std::uint8_t kind = reference.row.ownerKind;
    const char* typeKey = TypeKeyOf(kind);
    if (kind == OwnerPerson) {
        rows.push_back({typeKey, PersonName(reference.row.ownerId, database)});
        return;
    }
    std::unique_ptr<CitedAssertion> assertion = ReadCitingAssertion(kind, reference.row.ownerId, database);
    if (assertion == nullptr) {
        rows.push_back({typeKey, {}});
        return;
    }
    RecordList<AssertionLink>& links = assertion->Links();
    if (ListsEveryParticipant(kind)) {
        for (std::size_t i = 0; i < links.Count(); ++i)
            rows.push_back({typeKey, PersonName(links[i].row.personId, database)});
        return;
    }
    // An assertion whose participants are all gone still cites the excerpt.
    rows.push_back({typeKey, links.Empty() ? std::string() : PersonName(links[0].row.personId, database)});
}

} // namespace

std::vector<ExcerptUsageRow> ListExcerptUsage(ExcerptRecord& excerpt)
{
    std::vector<ExcerptUsageRow> rows;
    Database& database = excerpt.OwnerDatabase();
    EngineTransaction transaction(database.file, TLV_READWRITE);
    RecordList<ExcerptRef>& usage = excerpt.Usage();
    for (std::size_t i = 0; i < usage.Count(); ++i)
        AddRowsOf(usage[i], database, rows);
    return rows;
}
