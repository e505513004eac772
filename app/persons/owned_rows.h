// Saving the objects an assertion owns through an id in its row (note chains, place, address, template
// override) and telling whether the engine took the writes. A failure lets the save answer false, so
// that its caller discards the whole transaction.
#pragma once

#include <cstdint>
#include <optional>

class AddressRecord;
class Database;
class FormattingText;
class NoteText;
class PlaceRecord;

// Each answers the id the row is to keep (0 when the object has nothing to store), or nothing when the
// engine refused a write. A null object (never loaded) answers the row's `current` id, so that a row
// whose linked objects were not loaded keeps them.
std::optional<std::int32_t> SaveNoteChain(NoteText* note, std::int32_t ownerId, std::uint8_t ownerType,
                                          std::int32_t current, Database& database);
// The place's owner columns become (attributeId, eventId).
std::optional<std::int32_t> SavePlace(PlaceRecord* place, std::int32_t attributeId, std::int32_t eventId,
                                      std::int32_t current);
std::optional<std::int32_t> SaveAddress(AddressRecord* address, std::int32_t current);
std::optional<std::int32_t> SaveFormatting(FormattingText* formatting, std::int32_t current);

// Deletes the FORMATTING row of a template override; a row that is gone already is no failure.
bool DeleteFormatting(std::int32_t id, Database& database);
