// Saving the objects a record owns through an id in its row (note chains, an address) and telling whether
// the engine took the writes. A failure lets the save answer false, so that its caller discards the whole
// transaction.
#pragma once

#include <cstdint>
#include <optional>

class AddressRecord;
class Database;
class NoteText;

// Each answers the id the row is to keep (0 when the object has nothing to store), or nothing when the
// engine refused a write. A null object (never loaded) answers the row's `current` id, so that a row
// whose linked objects were not loaded keeps them.
std::optional<std::int32_t> SaveNoteChain(NoteText* note, std::int32_t ownerId, std::uint8_t ownerType,
                                          std::int32_t current, Database& database);
std::optional<std::int32_t> SaveAddress(AddressRecord* address, std::int32_t current);

// Deletes the note chain from `firstId` when there is one; true when nothing was refused.
bool DeleteNoteChainIfAny(std::int32_t firstId, Database& database);
