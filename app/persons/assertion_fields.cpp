#include "persons/assertion_fields.h"

#include <string>

#include "core/address_record.h"
#include "core/database.h"
#include "core/date_format.h"
#include "core/engine_transaction.h"
#include "core/name_record.h"
#include "core/note_text.h"
#include "core/place_record.h"
#include "language/language_table.h"
#include "settings/settings.h"
#include "core/bounded_text.h"

namespace {

#pragma pack(push, 1)
struct PersonSummaryRow {
    std::int32_t nameId;
    std::int32_t noteId;
    std::uint8_t sex;
    std::uint8_t reserved[2];
};
#pragma pack(pop)
static_assert(sizeof(PersonSummaryRow) == 11, "a PERSON row is 11 bytes");

constexpr std::uint8_t SexFemale = 2;

} // namespace

bool ReportIncludes(std::int32_t setting)
{
    return setting != 0;
}

void WriteAddressField(char* buffer, std::size_t size, const AddressRecord& address)
{
    // Only the lines that hold something are joined, so an address without a first line does not start
    // with a separator.
    CopyBounded(buffer, size, "");
    bool first = true;
    for (const char* part : {address.row.line1, address.row.line2, address.row.city, address.row.country}) {
        const std::string text(part, strnlen(part, sizeof AddressRow::line1));
        if (text.empty())
            continue;
        if (!first)
            AppendBounded(buffer, size, ", ");
        AppendBounded(buffer, size, text.c_str());
        first = false;
    }
}

void WritePlaceField(char* buffer, std::size_t size, const PlaceRecord& place)
{
    CopyBounded(buffer, size, "");
    const std::string prefix(place.row.prefix, strnlen(place.row.prefix, sizeof place.row.prefix));
    if (!prefix.empty()) {
        AppendBounded(buffer, size, prefix.c_str());
        AppendBounded(buffer, size, " ");
    }
    char text[PlacePartsSize * 2];
    place.FormatFiltered(text, sizeof text);
    AppendBounded(buffer, size, text);
}

void WriteDateField(char* buffer, std::size_t size, const DateRange& date, const char* datePicture)
{
    char pictureText[DatePictureSize];
    CopyBounded(pictureText, sizeof pictureText, datePicture);
    FormatDateRange(buffer, size, date, pictureText, CurrentSettings.dateFormat.ShowTime != 0, false);
}

void WriteGivenNamesField(char* buffer, std::size_t size, const NameRecord& name)
{
    name.GetGivenNames(buffer, size);
}

void WriteNoteField(char* buffer, std::size_t size, const NoteText* note)
{
    CopyBounded(buffer, size, note && note->Text() ? note->Text() : "");
}

bool ReadPersonSummary(std::int32_t personId, Database& database, std::uint8_t& sex, std::int32_t& nameId)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    PersonSummaryRow row = {};
    if (!transaction.Running() || tlvReadRecord(database.TableId(TablePerson), personId, &row, database.file) != 0)
        return false;
    sex = row.sex;
    nameId = row.nameId;
    return true;
}

void WritePronounField(char* buffer, std::size_t size, std::int32_t personId, Database& database, const char* femaleKey,
                       const char* otherKey)
{
    std::uint8_t sex = 0;
    std::int32_t nameId = 0;
    ReadPersonSummary(personId, database, sex, nameId);
    CopyBounded(buffer, size, GetLanguageText(sex == SexFemale ? femaleKey : otherKey));
}

void WritePersonNameField(char* buffer, std::size_t size, std::int32_t personId, Database& database, bool showIds)
{
    CopyBounded(buffer, size, "");
    std::uint8_t sex = 0;
    std::int32_t nameId = 0;
    if (!ReadPersonSummary(personId, database, sex, nameId))
        return;
    NameRecord name(database);
    if (nameId != 0)
        name.Read(nameId);
    name.Format(buffer, size, showIds ? personId : 0);
}
