#include "persons/attribute_assertion.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/address_record.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "frame/language_table.h"
#include "frame/settings.h"
#include "persons/assertion_fields.h"
#include "persons/assertion_links.h"
#include "persons/bounded_text.h"
#include "persons/event_type.h"
#include "persons/excerpt_ref.h"
#include "persons/old_assertion_date.h"
#include "persons/owned_rows.h"
#include "persons/sentence_format.h"

namespace {

// The old ATTRIBUTE row differs only inside the date field.
constexpr std::size_t OldDateOffset = 25;
constexpr std::size_t ValueOffset = 66;

} // namespace

AttributeAssertion::AttributeAssertion(Database& database) : Assertion(database) {}

AttributeAssertion::AttributeAssertion(std::int32_t id, Database& database) : Assertion(database)
{
    Read(id);
}

AttributeAssertion::~AttributeAssertion() = default;

std::int32_t AttributeAssertion::Read(std::int32_t id)
{
    return ReadRow(TableAttribute2, id, &row, sizeof row);
}

std::int32_t AttributeAssertion::NewId()
{
    return NewRowId(TableAttribute2);
}

std::int32_t AttributeAssertion::Write()
{
    return WriteRow(TableAttribute2, &row);
}

bool AttributeAssertion::Save()
{
    if (id_ == 0 && NewId() == 0)
        return false;
    if (!SaveAssertionLinks(links_, 0, id_) || !SaveOwnerExcerptRefs(excerptRefs_, id_, OwnerAttribute))
        return false;
    const auto place = SavePlace(place_.get(), id_, 0, row.placeId);
    if (!place)
        return false;
    row.placeId = *place;
    const auto address = SaveAddress(address_.get(), row.addressId);
    if (!address)
        return false;
    row.addressId = *address;
    const auto note = SaveNoteChain(note_.get(), id_, OwnerAttribute, row.noteId, *database_);
    if (!note)
        return false;
    row.noteId = *note;
    const auto valueText = SaveNoteChain(valueText_.get(), id_, OwnerAttribute, row.valueTextId, *database_);
    if (!valueText)
        return false;
    row.valueTextId = *valueText;
    const auto formatting = SaveFormatting(formatting_.get(), row.formattingId);
    if (!formatting)
        return false;
    row.formattingId = *formatting;
    return Write() == 0;
}

void AttributeAssertion::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (links_.Empty())
        LoadAssertionLinks(links_, AssertionAttribute, id_, *database_);
    LoadOwnerExcerptRefs(excerptRefs_, id_, OwnerAttribute, *database_);
    place_ = std::make_unique<PlaceRecord>(*database_);
    if (row.placeId != 0)
        place_->Read(row.placeId);
    address_ = std::make_unique<AddressRecord>(*database_);
    if (row.addressId != 0)
        address_->Read(row.addressId);
    note_ = std::make_unique<NoteText>();
    if (row.noteId != 0)
        note_->Load(row.noteId, *database_);
    LoadValueText();
    formatting_ = std::make_unique<FormattingText>(*database_);
    if (row.formattingId != 0)
        formatting_->Read(row.formattingId);
}

void AttributeAssertion::LoadType()
{
    if (type_ && type_->id == row.typeId)
        return;
    type_ = std::make_unique<EventType>(*database_);
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (transaction.Running() && row.typeId != 0)
        type_->Read(row.typeId);
}

void AttributeAssertion::LoadValueText()
{
    if (valueText_)
        return;
    valueText_ = std::make_unique<NoteText>();
    if (row.valueTextId == 0)
        return;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (transaction.Running())
        valueText_->Load(row.valueTextId, *database_);
}

int AttributeAssertion::AttributeKind()
{
    LoadType();
    return type_->id != 0 ? type_->row.attributeKind : AttributeKindText;
}

char* AttributeAssertion::GetValueText(char* buffer, std::size_t size)
{
    if (size == 0)
        return buffer;
    LoadValueText();
    switch (AttributeKind()) {
    case AttributeKindNumeric:
        CopyBounded(buffer, size, "");
        if (row.modifier != AttributeExact) {
            AppendBounded(buffer, size,
                          GetLanguageText(row.modifier == AttributeGreater ? LanguageKey("ATTRIBUTE_MODIFIER_GREATER")
                                                                           : LanguageKey("ATTRIBUTE_MODIFIER_LESS")));
            AppendBounded(buffer, size, " ");
        }
        AppendBounded(buffer, size, std::to_string(row.value).c_str());
        break;
    case AttributeKindFlag:
        CopyBounded(
            buffer, size,
            GetLanguageText(row.value != 0 ? LanguageKey("ATTRIBUTE_FLAG_YES") : LanguageKey("ATTRIBUTE_FLAG_NO")));
        break;
    default:
        WriteNoteField(buffer, size, valueText_.get());
        break;
    }
    return buffer;
}

const char* AttributeAssertion::GetSentenceTemplate(int)
{
    if (formatting_ && formatting_->Text()[0] != '\0')
        return formatting_->Text();
    LoadType();
    return type_->row.principalTemplate;
}

int AttributeAssertion::HasField(char letter, const AssertionLink&)
{
    const ReportSettings& report = CurrentSettings.report;
    switch (letter) {
    case 'a':
        return row.addressId != 0 && ReportIncludes(report.IncludeAddresses);
    case 'd':
        return row.date[0] != DateRangeText;
    case 'f':
        return 1;
    case 'n':
        return row.noteId != 0 && ReportIncludes(report.IncludeNotes);
    case 'o':
        return ReportIncludes(report.IncludeSources) && !excerptRefs_.Empty();
    case 'p':
        return row.placeId != 0 && ReportIncludes(report.IncludePlaces);
    case 'v':
        return row.valueTextId != 0 || AttributeKind() == AttributeKindNumeric;
    default:
        return 0;
    }
}

void AttributeAssertion::GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                                      const NameRecord& name, bool)
{
    if (size == 0)
        return;
    const ReportSettings& report = CurrentSettings.report;
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
        WriteDateField(buffer, size, Date());
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
        CopyBounded(buffer, size, "");
        if (ReportIncludes(report.IncludeSources))
            FormatCitations(excerptRefs_, buffer, size);
        break;
    case 'p':
        CopyBounded(buffer, size, "");
        if (place_ && row.placeId != 0 && ReportIncludes(report.IncludePlaces))
            WritePlaceField(buffer, size, *place_);
        break;
    case 'v':
        CopyBounded(buffer, size, "");
        switch (AttributeKind()) {
        case AttributeKindText:
            WriteNoteField(buffer, size, valueText_.get());
            break;
        case AttributeKindNumeric:
            if (row.modifier == AttributeGreater)
                AppendBounded(buffer, size, ">");
            else if (row.modifier == AttributeLess)
                AppendBounded(buffer, size, "<");
            AppendBounded(buffer, size, std::to_string(row.value).c_str());
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

bool AttributeAssertion::Delete()
{
    // Rows of owned objects that are gone already are no failure; any other refusal fails the delete, and
    // the caller discards the transaction.
    if (row.placeId != 0 && !PlaceRecord::DeleteById(row.placeId, *database_))
        return false;
    if (row.valueTextId != 0 && !NoteText::DeleteChain(row.valueTextId, *database_))
        return false;
    if (row.noteId != 0 && !NoteText::DeleteChain(row.noteId, *database_))
        return false;
    if (row.addressId != 0 && !AddressRecord::DeleteById(row.addressId, *database_))
        return false;
    if (row.formattingId != 0 && !DeleteFormatting(row.formattingId, *database_))
        return false;
    return DeleteOwnerExcerptRefs(id_, OwnerAttribute, *database_) &&
           DeleteAssertionLinks(AssertionAttribute, id_, *database_) &&
           tlvDeleteRecord(database_->TableId(TableAttribute2), id_, database_->file) == 0;
}

std::int32_t AttributeAssertion::ReadOldRecord(std::int32_t id)
{
    id_ = 0;
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return TLV_ERROR_NOTRANSACTION;
    unsigned char old[sizeof(AttributeRow)] = {};
    const std::int32_t result = tlvReadRecord(database_->TableId(TableAttributeOld), id, old, database_->file);
    if (result != 0)
        return result;
    id_ = id;
    auto* bytes = reinterpret_cast<unsigned char*>(&row);
    std::memcpy(bytes, old, OldDateOffset);
    ConvertOldDateField(old + OldDateOffset, ValueOffset - OldDateOffset, row.date);
    std::memcpy(bytes + ValueOffset, old + ValueOffset, sizeof row - ValueOffset);
    return 0;
}
