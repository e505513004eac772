// The two sides of a relationship as its kind page edits them: which links of its list are the current
// parent and child, the replacement of a side by another person, and what keeps it from being saved.
#pragma once

#include <cstdint>

#include "core/assertion_link.h"
#include "core/record_list.h"

class Database;

// Positions in the link list of the current parent link and child link; -1 for none.
struct RelationshipSides {
    int parent = -1;
    int child = -1;
    bool operator==(const RelationshipSides&) const = default;
};

// The current sides of a list: each unmarked link in list order makes itself the side of its role (1
// parent, 0 child), so a later link of a role wins. A marked link is on its way out and is no side.
RelationshipSides FindRelationshipSides(const RecordList<AssertionLink>& links);

// Makes `personId` the person of the side of `role`: the side's current link (if any) is marked for
// removal, and a new link of kind relationship with that role and person is appended and becomes the
// side's current link.
void ReplaceRelationshipSide(RecordList<AssertionLink>& links, RelationshipSides& sides, std::int32_t role,
                             std::int32_t personId, Database& database);

// The language key of the side that is missing (the parent before the child); null when both are there.
const char* MissingRelationshipSide(const RelationshipSides& sides);
