// Saving the objects an assertion owns through an id in its row (note chains, place, address, template
// override) and telling whether the engine took the writes. A failure lets the save answer false, so
// that its caller discards the whole transaction.
#pragma once

#include <cstdint>
#include <optional>

#include "core/linked_saves.h"

class AddressRecord;
class Database;
class FormattingText;
class NoteText;
class PlaceRecord;

// As the saves of core/linked_saves.h: the id the row is to keep, or nothing when the engine refused.
// The place's owner columns become (attributeId, eventId).
std::optional<std::int32_t> SavePlace(PlaceRecord* place, std::int32_t attributeId, std::int32_t eventId,
                                      std::int32_t current);
std::optional<std::int32_t> SaveFormatting(FormattingText* formatting, std::int32_t current);

// Deletes the FORMATTING row of a template override; a row that is gone already is no failure.
bool DeleteFormatting(std::int32_t id, Database& database);
