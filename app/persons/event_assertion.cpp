#include "persons/event_assertion.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/address_record.h"
#include "core/database.h"
#include "core/date_format.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "persons/assertion_fields.h"
#include "core/bounded_text.h"
#include "core/event_type.h"
#include "persons/old_assertion_date.h"
#include "persons/owned_rows.h"
#include "core/role.h"
#include "persons/sentence_format.h"

namespace {

// The layout of a row of the old table EVENT: the ids sit one byte further on, the date is stored
// without time.
constexpr std::size_t OldRowBufferSize = 256;
constexpr std::size_t OldNoteOffset = 6;
constexpr std::size_t OldDateOffset = 26;

} // namespace

EventAssertion::EventAssertion(Database& database) : TypedAssertion(database, AssertionEvent, &row, sizeof row) {}

EventAssertion::EventAssertion(std::int32_t id, Database& database)
    : TypedAssertion(database, AssertionEvent, &row, sizeof row)
{
    Read(id);
}

EventAssertion::~EventAssertion() = default;

TypedAssertion::SharedColumns EventAssertion::Columns() const
{
    return {row.typeId, row.noteId, row.placeId, row.addressId, row.date};
}

void EventAssertion::SetOwnedRowIds(std::int32_t noteId, std::int32_t placeId, std::int32_t addressId)
{
    row.noteId = noteId;
    row.placeId = placeId;
    row.addressId = addressId;
}

void EventAssertion::DestroyLinkedObjects()
{
    address_.reset();
    place_.reset();
    note_.reset();
    type_.reset();
    principalFormatting_.reset();
    witnessFormatting_.reset();
}

std::int32_t EventAssertion::Read(std::int32_t id)
{
    DestroyLinkedObjects();
    return TypedAssertion::Read(id);
}

void EventAssertion::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    note_ = LoadNoteChain(row.noteId);
    LoadPlaceAndAddress();
    LoadLinks();
    LoadExcerptRefs();
    principalFormatting_ = LoadFormatting(row.principalFormattingId);
    witnessFormatting_ = LoadFormatting(row.witnessFormattingId);
}

bool EventAssertion::Save()
{
    // A place names the event that owns it in its event column.
    if (!EnsureId() || !SaveLinksAndCitations(AssertionEvent) || !SavePlaceAddressAndNote(0, id_))
        return false;
    const auto principal = SaveFormatting(principalFormatting_.get(), row.principalFormattingId);
    if (!principal)
        return false;
    row.principalFormattingId = *principal;
    const auto witness = SaveFormatting(witnessFormatting_.get(), row.witnessFormattingId);
    if (!witness)
        return false;
    row.witnessFormattingId = *witness;
    return Write() == 0;
}

bool EventAssertion::Delete()
{
    // Rows of owned objects that are gone already are no failure; any other refusal fails the delete, and
    // the caller discards the transaction.
    if (!DeletePlaceNoteAndAddress())
        return false;
    if (row.principalFormattingId != 0 && !DeleteFormatting(row.principalFormattingId, *database_))
        return false;
    if (row.witnessFormattingId != 0 && !DeleteFormatting(row.witnessFormattingId, *database_))
        return false;
    return DeleteCitationsLinksAndRow();
}

bool EventAssertion::RemoveLink(std::int32_t linkId)
{
    LoadLinks();
    if (links_.Count() < 2)
        return Delete();
    if (!AssertionLink::DeleteById(linkId, *database_))
        return false;
    // The link's row is gone: the entry must not be written again, nor its freed id deleted later.
    for (std::size_t i = 0; i < links_.Count(); ++i)
        if (links_[i].Id() == linkId) {
            links_.SetMark(i, 1);
            links_[i].SetId(0);
        }
    return true;
}

bool EventAssertion::IsBirth()
{
    LoadType();
    return type_->IsBirth();
}

bool EventAssertion::IsDeath()
{
    LoadType();
    return type_->IsDeath();
}

const char* EventAssertion::GetSentenceTemplate(int witness)
{
    const FormattingText* override = witness ? witnessFormatting_.get() : principalFormatting_.get();
    if (override && override->Text()[0] != '\0')
        return override->Text();
    LoadType();
    return witness ? type_->row.witnessTemplate : type_->row.principalTemplate;
}

int EventAssertion::HasField(char letter, const AssertionLink& link)
{
    if (letter != 's')
        return HasSharedField(letter);
    LoadLinks();
    for (std::size_t i = 0; i < links_.Count(); ++i)
        if (links_[i].row.roleId == 0 && links_[i].Id() != link.Id())
            return 1;
    return 0;
}

void EventAssertion::WriteOtherPrincipals(char* buffer, std::size_t size, const AssertionLink& link)
{
    LoadLinks();
    std::vector<std::int32_t> persons;
    for (std::size_t i = 0; i < links_.Count(); ++i)
        if (links_[i].row.roleId == 0 && links_[i].Id() != link.Id())
            persons.push_back(std::int32_t{links_[i].row.personId});
    CopyBounded(buffer, size, "");
    for (std::size_t i = 0; i < persons.size(); ++i) {
        if (i > 0 && i + 1 == persons.size()) {
            AppendBounded(buffer, size, " ");
            AppendBounded(buffer, size, GetLanguageText("STANDARD_AND"));
            AppendBounded(buffer, size, " ");
        } else if (i > 0) {
            AppendBounded(buffer, size, ", ");
        }
        char name[NamePartsSize * 2];
        WritePersonNameField(name, sizeof name, persons[i], *database_, false);
        AppendBounded(buffer, size, name);
    }
}

void EventAssertion::WriteRoleName(char* buffer, std::size_t size, const AssertionLink& link)
{
    if (link.row.roleId == 0) {
        CopyBounded(buffer, size, GetLanguageText("STANDARD_MAINROLE"));
        return;
    }
    RoleRecord role(*database_);
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (transaction.Running() && role.Read(link.row.roleId) == 0) {
        char name[RoleNameSize];
        CopyBounded(name, sizeof name, std::string(role.row.name, strnlen(role.row.name, RoleNameSize)).c_str());
        CopyBounded(buffer, size, name);
    }
}

void EventAssertion::GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                                  const NameRecord& name, bool)
{
    if (size == 0)
        return;
    switch (letter) {
    case 'r':
        CopyBounded(buffer, size, "");
        WriteRoleName(buffer, size, link);
        break;
    case 's':
        WriteOtherPrincipals(buffer, size, link);
        break;
    default:
        WriteSharedField(buffer, size, letter, link, name);
        break;
    }
}

char* EventAssertion::GetDatePlaceText(char* buffer, std::size_t size, const char* datePicture)
{
    if (size == 0)
        return buffer;
    FormatDateRange(buffer, size, Date(), datePicture, CurrentSettings.dateFormat.ShowTime != 0, false);
    if (place_ && (place_->row.parts[0] != '\0' || place_->row.prefix[0] != '\0') &&
        ReportIncludes(CurrentSettings.report.IncludePlaces)) {
        AppendBounded(buffer, size, " ");
        const std::string prefix(place_->row.prefix, strnlen(place_->row.prefix, sizeof place_->row.prefix));
        if (!prefix.empty()) {
            AppendBounded(buffer, size, prefix.c_str());
            AppendBounded(buffer, size, " ");
        }
        char text[PlacePartsSize * 2];
        place_->Format(text, sizeof text);
        AppendBounded(buffer, size, text);
    }
    return buffer;
}

std::int32_t EventAssertion::ReadOldRecord(std::int32_t id)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    unsigned char old[OldRowBufferSize] = {};
    const std::int32_t result = tlvReadRecord(database_->TableId(TableEventOld), id, old, database_->file);
    if (result != 0)
        return result;
    id_ = id;
    row = {};
    std::memcpy(&row.typeId, old, sizeof row.typeId);
    row.privacy = static_cast<std::int8_t>(old[4]);
    // Note, place, address and both overrides follow one unused byte.
    std::memcpy(&row.noteId, old + OldNoteOffset, 5 * sizeof(std::int32_t));
    ConvertOldDateField(old + OldDateOffset, sizeof old - OldDateOffset, row.date);
    return 0;
}
