#include "persons/attribute_assertion.h"

#include <cstring>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/note_text.h"
#include "language/language_table.h"
#include "persons/assertion_fields.h"
#include "core/bounded_text.h"
#include "core/event_type.h"
#include "persons/old_assertion_date.h"
#include "persons/owned_rows.h"
#include "persons/sentence_format.h"

namespace {

// The old ATTRIBUTE row differs only inside the date field.
constexpr std::size_t OldDateOffset = 25;
constexpr std::size_t ValueOffset = 66;

} // namespace

AttributeAssertion::AttributeAssertion(Database& database)
    : TypedAssertion(database, AssertionAttribute, &row, sizeof row)
{
}

AttributeAssertion::AttributeAssertion(std::int32_t id, Database& database)
    : TypedAssertion(database, AssertionAttribute, &row, sizeof row)
{
    Read(id);
}

AttributeAssertion::~AttributeAssertion() = default;

TypedAssertion::SharedColumns AttributeAssertion::Columns() const
{
    return {row.typeId, row.noteId, row.placeId, row.addressId, row.date};
}

void AttributeAssertion::SetOwnedRowIds(std::int32_t noteId, std::int32_t placeId, std::int32_t addressId)
{
    row.noteId = noteId;
    row.placeId = placeId;
    row.addressId = addressId;
}

bool AttributeAssertion::Save()
{
    // The links keep the kind they were made with; a place names the attribute that owns it in its
    // attribute column.
    if (!EnsureId() || !SaveLinksAndCitations(0) || !SavePlaceAddressAndNote(id_, 0))
        return false;
    const auto valueText = SaveOwnedNote(valueText_.get(), row.valueTextId);
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
    LoadLinksOnce();
    LoadExcerptRefs();
    LoadPlaceAndAddress();
    note_ = LoadNoteChain(row.noteId);
    LoadValueText();
    formatting_ = LoadFormatting(row.formattingId);
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
    return type_->Id() != 0 ? type_->row.attributeKind : AttributeKindText;
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
    if (letter == 'v')
        return row.valueTextId != 0 || AttributeKind() == AttributeKindNumeric;
    return HasSharedField(letter);
}

void AttributeAssertion::GetFieldText(char* buffer, std::size_t size, char letter, const AssertionLink& link,
                                      const NameRecord& name, bool)
{
    if (size == 0)
        return;
    switch (letter) {
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
        WriteSharedField(buffer, size, letter, link, name);
        break;
    }
}

bool AttributeAssertion::Delete()
{
    // Rows of owned objects that are gone already are no failure; any other refusal fails the delete, and
    // the caller discards the transaction.
    if (row.valueTextId != 0 && !NoteText::DeleteChain(row.valueTextId, *database_))
        return false;
    if (!DeletePlaceNoteAndAddress())
        return false;
    if (row.formattingId != 0 && !DeleteFormatting(row.formattingId, *database_))
        return false;
    return DeleteCitationsLinksAndRow();
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
