#include "persons/ui/assertion_editors.h"

#include "core/assertion_link.h"
#include "persons/ui/attribute_editor.h"
#include "persons/ui/event_editor.h"
#include "persons/ui/info_editor.h"
#include "persons/ui/name_editor.h"
#include "persons/ui/relationship_editor.h"

std::unique_ptr<AssertionEditor> CreateAssertionEditor(std::uint8_t kind, std::int32_t id, Database& database)
{
    switch (kind) {
    case AssertionEvent:
        return std::make_unique<EventEditor>(id, database);
    case AssertionName:
        return std::make_unique<NameEditor>(id, database);
    case AssertionAttribute:
        return std::make_unique<AttributeEditor>(id, database);
    case AssertionInfo:
        return std::make_unique<InfoEditor>(id, database);
    case AssertionRelationship:
        return std::make_unique<RelationshipEditor>(id, database);
    default:
        return nullptr;
    }
}
