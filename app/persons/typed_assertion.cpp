#include "persons/typed_assertion.h"

#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "persons/assertion_fields.h"
#include "core/bounded_text.h"
#include "core/event_type.h"
#include "persons/owned_rows.h"
#include "persons/sentence_format.h"

TypedAssertion::TypedAssertion(Database& database, AssertionKind kind, void* row, std::size_t rowSize)
    : CitedAssertion(database, kind, row, rowSize)
{
}

TypedAssertion::~TypedAssertion() = default;

void TypedAssertion::LoadType()
{
    const std::int32_t typeId = Columns().typeId;
    if (type_ && type_->Id() == typeId)
        return;
    type_ = std::make_unique<EventType>(*database_);
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (transaction.Running() && typeId != 0)
        type_->Read(typeId);
}

void TypedAssertion::LoadPlaceAndAddress()
{
    const SharedColumns columns = Columns();
    place_ = std::make_unique<PlaceRecord>(*database_);
    if (columns.placeId != 0)
        place_->Read(columns.placeId);
    address_ = std::make_unique<AddressRecord>(*database_);
    if (columns.addressId != 0)
        address_->Read(columns.addressId);
}

std::unique_ptr<FormattingText> TypedAssertion::LoadFormatting(std::int32_t id)
{
    auto formatting = std::make_unique<FormattingText>(*database_);
    if (id != 0)
        formatting->Read(id);
    return formatting;
}

bool TypedAssertion::SavePlaceAddressAndNote(std::int32_t attributeId, std::int32_t eventId)
{
    SharedColumns columns = Columns();
    const auto place = SavePlace(place_.get(), attributeId, eventId, columns.placeId);
    if (!place)
        return false;
    columns.placeId = *place;
    SetOwnedRowIds(columns.noteId, columns.placeId, columns.addressId);
    const auto address = SaveAddress(address_.get(), columns.addressId);
    if (!address)
        return false;
    columns.addressId = *address;
    SetOwnedRowIds(columns.noteId, columns.placeId, columns.addressId);
    const auto note = SaveOwnedNote(note_.get(), columns.noteId);
    if (!note)
        return false;
    columns.noteId = *note;
    SetOwnedRowIds(columns.noteId, columns.placeId, columns.addressId);
    return true;
}

bool TypedAssertion::DeletePlaceNoteAndAddress()
{
    const SharedColumns columns = Columns();
    if (columns.placeId != 0 && !PlaceRecord::DeleteById(columns.placeId, *database_))
        return false;
    if (columns.noteId != 0 && !NoteText::DeleteChain(columns.noteId, *database_))
        return false;
    return columns.addressId == 0 || AddressRecord::DeleteById(columns.addressId, *database_);
}

int TypedAssertion::HasSharedField(char letter)
{
    const ReportSettings& report = CurrentSettings.report;
    const SharedColumns columns = Columns();
    switch (letter) {
    case 'a':
        return columns.addressId != 0 && ReportIncludes(report.IncludeAddresses);
    case 'd':
        return columns.date[0] != DateRangeText;
    case 'f':
        return 1;
    case 'n':
        return columns.noteId != 0 && ReportIncludes(report.IncludeNotes);
    case 'o':
        return HasCitationsField();
    case 'p':
        return columns.placeId != 0 && ReportIncludes(report.IncludePlaces);
    default:
        return 0;
    }
}

void TypedAssertion::WriteSharedField(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                                      const NameRecord& name)
{
    if (size == 0)
        return;
    const ReportSettings& report = CurrentSettings.report;
    const SharedColumns columns = Columns();
    switch (letter) {
    case 'a':
        CopyBounded(buffer, size, "");
        if (address_ && address_->Id() != 0 && ReportIncludes(report.IncludeAddresses))
            WriteAddressField(buffer, size, *address_);
        break;
    case 'c':
        LoadType();
        CopyBounded(buffer, size, std::string(type_->row.name, strnlen(type_->row.name, EventTypeNameSize)).c_str());
        break;
    case 'd':
        WriteDateField(buffer, size, LoadDateRange(columns.date), SentenceDatePicture());
        break;
    case 'f':
        WriteGivenNamesField(buffer, size, name);
        break;
    case 'g':
        WritePronounField(buffer, size, link.row.personId, *database_, LanguageKey("STANDARD_HER"),
                          LanguageKey("STANDARD_HIS"));
        break;
    case 'h':
        WritePronounField(buffer, size, link.row.personId, *database_, LanguageKey("STANDARD_SHE"),
                          LanguageKey("STANDARD_HE"));
        break;
    case 'n':
        CopyBounded(buffer, size, "");
        if (ReportIncludes(report.IncludeNotes))
            WriteNoteField(buffer, size, note_.get());
        break;
    case 'o':
        WriteCitationsField(buffer, size);
        break;
    case 'p':
        CopyBounded(buffer, size, "");
        if (place_ && columns.placeId != 0 && ReportIncludes(report.IncludePlaces))
            WritePlaceField(buffer, size, *place_);
        break;
    default:
        break;
    }
}
