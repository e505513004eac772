#include "core/linked_saves.h"

#include "core/address_record.h"
#include "core/note_text.h"

namespace {

std::optional<std::int32_t> Checked(bool ok, std::int32_t id)
{
    return ok ? std::optional<std::int32_t>(id) : std::nullopt;
}

} // namespace

std::optional<std::int32_t> SaveNoteChain(NoteText* note, std::int32_t ownerId, std::uint8_t ownerType,
                                          std::int32_t current, Database& database)
{
    if (!note)
        return current;
    note->ownerId = ownerId;
    note->ownerType = ownerType;
    const bool ok = note->Save(database);
    return Checked(ok, note->GetFirstId());
}

std::optional<std::int32_t> SaveAddress(AddressRecord* address, std::int32_t current)
{
    if (!address)
        return current;
    const bool ok = address->Save();
    return Checked(ok, address->Id());
}

bool DeleteNoteChainIfAny(std::int32_t firstId, Database& database)
{
    return firstId == 0 || NoteText::DeleteChain(firstId, database);
}
