// Making an assertion object from its kind and id, as the exporters do for the links of a person.
#pragma once

#include <cstdint>
#include <memory>

#include "persons/assertion.h"

class Database;

// An event, attribute or information note read by `id` (its id is 0 when the row is missing); nothing
// linked is loaded. Null for relationships, names and any other kind: every caller checks.
std::unique_ptr<Assertion> CreateAssertionByKind(std::int32_t id, int kind, Database& database);
