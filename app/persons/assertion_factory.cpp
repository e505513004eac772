#include "persons/assertion_factory.h"

#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/info_assertion.h"

std::unique_ptr<Assertion> CreateAssertionByKind(std::int32_t id, int kind, Database& database)
{
    switch (kind) {
    case AssertionEvent:
        return std::make_unique<EventAssertion>(id, database);
    case AssertionAttribute:
        return std::make_unique<AttributeAssertion>(id, database);
    case AssertionInfo:
        return std::make_unique<InfoAssertion>(id, database);
    default:
        return nullptr;
    }
}
