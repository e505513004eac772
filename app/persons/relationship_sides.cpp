#include "persons/relationship_sides.h"

#include <memory>

#include "language/language_table.h"
#include "persons/relationship.h"

RelationshipSides FindRelationshipSides(const RecordList<AssertionLink>& links)
{
    RelationshipSides sides;
    for (std::size_t i = 0; i < links.Count(); ++i) {
        if (links.IsMarked(i))
            continue;
        if (links[i].row.roleId == RelationshipParentRole)
            sides.parent = static_cast<int>(i);
        else if (links[i].row.roleId == RelationshipChildRole)
            sides.child = static_cast<int>(i);
    }
    return sides;
}

void ReplaceRelationshipSide(RecordList<AssertionLink>& links, RelationshipSides& sides, std::int32_t role,
                             std::int32_t personId, Database& database)
{
    int& current = role == RelationshipParentRole ? sides.parent : sides.child;
    if (current >= 0)
        links.SetMark(static_cast<std::size_t>(current), 1);
    auto link = std::make_unique<AssertionLink>(database);
    link->row.kind = AssertionRelationship;
    link->row.roleId = role;
    link->row.personId = personId;
    current = static_cast<int>(links.Append(std::move(link)));
}

const char* MissingRelationshipSide(const RelationshipSides& sides)
{
    if (sides.parent < 0)
        return LanguageKey("RELATIONSHIP_PARENTMISSING");
    if (sides.child < 0)
        return LanguageKey("RELATIONSHIP_CHILDMISSING");
    return nullptr;
}
