#include "core/place_record.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "core/database.h"
#include "core/typed_parts.h"
#include "language/language_table.h"
#include "settings/settings.h"

namespace {

const char* const PlacePartTypeKeys[PlacePartTypeCount + 1] = {
    "",
    LanguageKey("PLACE_TYPE_UNKNOWN"),
    LanguageKey("PLACE_TYPE_OTHER"),
    LanguageKey("PLACE_TYPE_CONTINENT"),
    LanguageKey("PLACE_TYPE_COUNTRY"),
    LanguageKey("PLACE_TYPE_STATE"),
    LanguageKey("PLACE_TYPE_COUNTY"),
    LanguageKey("PLACE_TYPE_TOWN"),
    LanguageKey("PLACE_TYPE_MUNI"),
    LanguageKey("PLACE_TYPE_CITYPART"),
    LanguageKey("PLACE_TYPE_BUILDING"),
    LanguageKey("PLACE_TYPE_DIOCESE"),
    LanguageKey("PLACE_TYPE_DEANERY"),
    LanguageKey("PLACE_TYPE_PARISH"),
    LanguageKey("PLACE_TYPE_FARM"),
    LanguageKey("PLACE_TYPE_OCEAN"),
    LanguageKey("PLACE_TYPE_LAKE"),
    LanguageKey("PLACE_TYPE_MOUNTAIN"),
    LanguageKey("PLACE_TYPE_CEMETERY"),
};

// The old PLACE row: PLACE2 without its index text.
constexpr std::size_t OldPlaceRowSize = offsetof(PlaceRow, indexText);

std::vector<TypedPart> Parts(const PlaceRow& row)
{
    return SplitTypedParts(row.parts, PlacePartsSize, PlaceFirstCharacter);
}

bool IsTrimmed(char c)
{
    return c == ' ' || c == ',';
}

} // namespace

const char* PlacePartTypeKey(int type)
{
    return type >= 1 && type <= PlacePartTypeCount ? PlacePartTypeKeys[type] : "";
}

std::int32_t PlaceRecord::Read(std::int32_t id)
{
    id_ = id;
    return tlvReadRecord(database_->TableId(TablePlace2), id_, &row, database_->file);
}

std::int32_t PlaceRecord::ReadOld(std::int32_t id)
{
    id_ = id;
    // A damaged file may give the old table longer rows than it should have: room for the longest.
    unsigned char old[TLV_MAX_RECORD_LENGTH] = {};
    std::int32_t result = tlvReadRecord(database_->TableId(TablePlaceOld), id_, old, database_->file);
    std::memcpy(&row, old, OldPlaceRowSize);
    std::memset(row.indexText, 0, sizeof row.indexText);
    return result;
}

void PlaceRecord::ComputeSortTexts()
{
    std::vector<TypedPart> parts = Parts(row);
    if (parts.empty())
        return;
    std::string sort;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            sort += ',';
        sort += parts[i].text;
    }
    CopyCut(row.sortText, sizeof row.sortText, sort);

    // The index text takes the segments of the sort text between commas from the last to the first.
    std::string_view sorted(row.sortText);
    std::string index;
    while (true) {
        std::size_t comma = sorted.rfind(',');
        std::string_view segment = comma == std::string_view::npos ? sorted : sorted.substr(comma + 1);
        index += segment;
        if (comma == std::string_view::npos)
            break;
        index += ',';
        sorted = sorted.substr(0, comma);
    }
    CopyCut(row.indexText, sizeof row.indexText, index);
}

std::int32_t PlaceRecord::Write()
{
    ComputeSortTexts();
    const std::int32_t table = database_->TableId(TablePlace2);
    std::int32_t result = tlvWriteRecord(table, id_, &row, database_->file);
    if (result == TLV_ERROR_RECORD) {
        // The id is dead (its row was deleted, or there never was one): the place is stored under a new id,
        // which its owner takes from the place.
        std::int32_t fresh = tlvNewID(table, database_->file);
        if (fresh > 0) {
            result = tlvWriteRecord(table, fresh, &row, database_->file);
            if (result == 0)
                id_ = fresh;
        }
    }
    database_->Places().Clear();
    return result;
}

bool PlaceRecord::SaveOrDelete()
{
    if (row.prefix[0] == '\0' && row.parts[0] == '\0') {
        if (id_ != 0 && !DeleteById(id_, *database_))
            return false;
        id_ = 0;
        return true;
    }
    const std::int32_t before = id_;
    if (id_ == 0)
        id_ = tlvNewID(database_->TableId(TablePlace2), database_->file);
    if (id_ > 0 && Write() == 0)
        return true;
    id_ = before;
    return false;
}

bool PlaceRecord::DeleteById(std::int32_t id, Database& database)
{
    const std::int32_t result = tlvDeleteRecord(database.TableId(TablePlace2), id, database.file);
    database.Places().Clear();
    return result == 0 || result == TLV_ERROR_RECORD;
}

void PlaceRecord::ReadFound(std::int32_t found)
{
    if (found == 0)
        id_ = 0;
    else
        Read(found);
}

void PlaceRecord::ReadFirstBySort()
{
    ReadFound(tlvGetFirstRecord(database_->TableId(TablePlace2), PlaceSortColumn, database_->file));
}

void PlaceRecord::ReadNextBySortFrom(std::int32_t id)
{
    ReadFound(tlvGetNextRecord(database_->TableId(TablePlace2), PlaceSortColumn, id, 1, database_->file));
}

void PlaceRecord::ReadPreviousBySortFrom(std::int32_t id)
{
    ReadFound(tlvGetPreviousRecord(database_->TableId(TablePlace2), PlaceSortColumn, id, 1, database_->file));
}

void PlaceRecord::ReadFirstByIndex()
{
    ReadFound(tlvGetFirstRecord(database_->TableId(TablePlace2), PlaceIndexColumn, database_->file));
}

void PlaceRecord::ReadNextByIndex()
{
    ReadFound(tlvGetNextRecord(database_->TableId(TablePlace2), PlaceIndexColumn, id_, 1, database_->file));
}

std::string FormatPlaceParts(const char* field)
{
    std::vector<std::string_view> texts;
    for (const TypedPart& part : SplitTypedParts(field, PlacePartsSize, PlaceFirstCharacter))
        texts.push_back(part.text);
    return JoinPartTexts(texts, ", ");
}

char* PlaceRecord::Format(char* out, std::size_t size) const
{
    return CopyCut(out, size, FormatPlaceParts(row.parts));
}

char* PlaceRecord::FormatFiltered(char* out, std::size_t size) const
{
    std::vector<std::string_view> texts;
    for (const TypedPart& part : Parts(row))
        if (part.type >= 1 && part.type <= PlacePartTypeCount && CurrentSettings.place.PartShown[part.type])
            texts.push_back(part.text);
    return CopyCut(out, size, JoinPartTexts(texts, ", "));
}

void PlaceRecord::Parse(const char* text)
{
    ClearParts();
    std::string clean = WithoutTypeBytes(text ? text : "", PlaceFirstCharacter);
    std::string_view rest(clean);
    while (true) {
        std::size_t comma = rest.find(',');
        std::string_view piece = rest.substr(0, comma);
        while (!piece.empty() && IsTrimmed(piece.front()))
            piece.remove_prefix(1);
        while (!piece.empty() && IsTrimmed(piece.back()))
            piece.remove_suffix(1);
        if (piece.empty() || !AppendTypedPart(row.parts, PlacePartsSize, PlacePartUnknown, piece))
            return;
        if (comma == std::string_view::npos)
            return;
        rest = rest.substr(comma + 1);
    }
}

int PlaceRecord::CountParts() const
{
    return static_cast<int>(Parts(row).size());
}

std::uint8_t PlaceRecord::GetPartType(int n) const
{
    std::vector<TypedPart> parts = Parts(row);
    return n >= 0 && n < static_cast<int>(parts.size()) ? parts[n].type : 0;
}

const char* PlaceRecord::GetPartText(int n) const
{
    static char shared[PlacePartsSize];
    std::vector<TypedPart> parts = Parts(row);
    return CopyCut(shared, sizeof shared, n >= 0 && n < static_cast<int>(parts.size()) ? parts[n].text : "");
}

bool PlaceRecord::IsUntyped() const
{
    for (const TypedPart& part : Parts(row))
        if (part.type != PlacePartUnknown)
            return false;
    return true;
}

void PlaceRecord::ClearParts()
{
    std::memset(row.parts, 0, sizeof row.parts);
}

bool PlaceRecord::AppendPart(std::uint8_t type, const char* characters)
{
    if (type < 1 || type > PlacePartTypeCount)
        return false;
    return AppendTypedPart(row.parts, PlacePartsSize, type,
                           WithoutTypeBytes(characters ? characters : "", PlaceFirstCharacter));
}
