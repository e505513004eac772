#include "persons/owned_rows.h"

#include "core/address_record.h"
#include "core/database.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "persons/sentence_format.h"

namespace {

std::optional<std::int32_t> Checked(bool ok, std::int32_t id)
{
    return ok ? std::optional<std::int32_t>(id) : std::nullopt;
}

} // namespace

std::optional<std::int32_t> SavePlace(PlaceRecord* place, std::int32_t attributeId, std::int32_t eventId,
                                      std::int32_t current)
{
    if (!place)
        return current;
    place->row.attributeId = attributeId;
    place->row.eventId = eventId;
    const bool ok = place->SaveOrDelete();
    return Checked(ok, place->Id());
}

std::optional<std::int32_t> SaveFormatting(FormattingText* formatting, std::int32_t current)
{
    if (!formatting)
        return current;
    const bool ok = formatting->Save();
    return Checked(ok, formatting->Id());
}

bool DeleteFormatting(std::int32_t id, Database& database)
{
    // A row already gone is as good as deleted.
    return DeleteFormattingText(id, database) || database.LastError() == TLV_ERROR_RECORD;
}
