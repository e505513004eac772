#include "core/name_record.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/typed_parts.h"
#include "settings/settings.h"

namespace {

const char* const NamePartCodes[NamePartTypeCount + 1] = {
    "",     "UNKW", "OTH", "COGN", "SURN", "PREF", "GIVN", "RELN", "NICK",
    "PATR", "MATR", "ART", "OCCN", "LOCN", "MIDL", "SUFX", "TEKN",
};

// The characters of the parts, split at the first surname part.
struct NameSplit {
    std::vector<std::string_view> before; // all parts when there is no surname part
    std::string_view surname;
    std::vector<std::string_view> after;
    bool hasSurname = false;
};

NameSplit Split(const std::vector<TypedPart>& parts)
{
    NameSplit split;
    for (const TypedPart& part : parts) {
        if (split.hasSurname)
            split.after.push_back(part.text);
        else if (part.type == NamePartSurname) {
            split.hasSurname = true;
            split.surname = part.text;
        } else
            split.before.push_back(part.text);
    }
    return split;
}

bool IsTrimmed(char c)
{
    return c == ' ' || c == ',' || c == ';' || c == ':';
}

std::string_view Trim(std::string_view piece)
{
    while (!piece.empty() && IsTrimmed(piece.front()))
        piece.remove_prefix(1);
    while (!piece.empty() && IsTrimmed(piece.back()))
        piece.remove_suffix(1);
    return piece;
}

} // namespace

const char* NamePartCode(int type)
{
    return type >= 1 && type <= NamePartTypeCount ? NamePartCodes[type] : "";
}

void NameRecord::Read(std::int32_t id)
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    id_ = tlvReadRecord(database_->TableId(TableName), id, &row, database_->file) == 0 ? id : 0;
}

void NameRecord::ReadFirst()
{
    EngineTransaction transaction(database_->file, TLV_READ);
    std::int32_t first = tlvGetFirstRecord(database_->TableId(TableName), NameDisplayColumn, database_->file);
    if (first == 0)
        id_ = 0;
    else
        Read(first);
}

void NameRecord::ReadNext(std::int32_t id)
{
    EngineTransaction transaction(database_->file, TLV_READ);
    std::int32_t next = tlvGetNextRecord(database_->TableId(TableName), NameDisplayColumn, id, 1, database_->file);
    if (next == 0)
        id_ = 0;
    else
        Read(next);
}

void NameRecord::Create()
{
    id_ = tlvNewID(database_->TableId(TableName), database_->file);
    if (NameListEvents* list = database_->NameList())
        list->DiscardAllNames();
}

std::int32_t NameRecord::Write()
{
    ComputeDisplayText(row.display, sizeof row.display);
    std::int32_t result = tlvWriteRecord(database_->TableId(TableName), id_, &row, database_->file);
    if (NameListEvents* list = database_->NameList()) {
        list->DiscardAllNames();
        if (CurrentSettings.name.IncludeNew)
            list->AddToSelection(*this);
    }
    return result;
}

bool NameRecord::Save()
{
    if (id_ == 0)
        Create();
    return Write() == 0;
}

bool NameRecord::DeleteById(std::int32_t id, Database& database)
{
    const bool deleted = tlvDeleteRecord(database.TableId(TableName), id, database.file) == 0;
    if (NameListEvents* list = database.NameList()) {
        list->DiscardAllNames();
        list->RemoveFromSelection(id);
    }
    return deleted;
}

char* NameRecord::ComputeDisplayText(char* out, std::size_t size) const
{
    // From the first surname part on, every part belongs to the surname text.
    NameSplit split = Split(SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter));
    std::vector<std::string_view> surnameTexts;
    if (split.hasSurname) {
        surnameTexts.push_back(split.surname);
        surnameTexts.insert(surnameTexts.end(), split.after.begin(), split.after.end());
    }
    const std::string given = JoinPartTexts(split.before, " ");
    const std::string surname = JoinPartTexts(surnameTexts, " ");
    // A leading blank is meant to sort names without a surname before all others.
    std::string display = surname.empty() ? std::string(" ") : surname + ", ";
    display += given.empty() ? std::string_view("-") : std::string_view(given);
    return CopyCut(out, size, display);
}

char* NameRecord::Format(char* out, std::size_t size, std::int32_t number) const
{
    std::vector<std::string_view> texts;
    for (const TypedPart& part : SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter))
        texts.push_back(part.text);
    std::string text = JoinPartTexts(texts, " ");
    if (number != 0)
        text += " [#" + std::to_string(number) + "]";
    return CopyCut(out, size, text);
}

char* NameRecord::FormatEditText(char* out, std::size_t size) const
{
    std::string text;
    bool surnameWritten = false;
    for (const TypedPart& part : SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter)) {
        if (part.type == NamePartSurname && !surnameWritten) {
            surnameWritten = true;
            text += '/';
            text += part.text;
            text += '/';
            continue;
        }
        if (part.text.empty())
            continue;
        if (!text.empty() && text.back() != '/')
            text += ' ';
        text += part.text;
    }
    return CopyCut(out, size, text);
}

void NameRecord::ParseEditText(const char* text)
{
    std::string clean =
        WithoutTypeBytes(std::string_view(text ? text : "").substr(0, NamePartsSize - 1), NameFirstCharacter);
    std::string_view all(clean);
    std::string_view given = all, surname, rest;
    std::size_t firstSlash = all.find('/');
    if (firstSlash != std::string_view::npos) {
        given = all.substr(0, firstSlash);
        surname = all.substr(firstSlash + 1);
        std::size_t secondSlash = surname.find('/');
        if (secondSlash != std::string_view::npos) {
            rest = surname.substr(secondSlash + 1);
            surname = surname.substr(0, secondSlash);
        }
    }

    ClearParts();
    // Three type bytes come on top of the characters: the last pieces are cut so that the parts fit.
    const std::pair<std::uint8_t, std::string_view> pieces[] = {
        {NamePartUnknown, Trim(given)}, {NamePartSurname, Trim(surname)}, {NamePartUnknown, Trim(rest)}};
    for (const auto& [type, piece] : pieces) {
        if (piece.empty())
            continue;
        std::size_t used = TypedPartsLength(row.parts, NamePartsSize);
        if (used + 2 >= NamePartsSize)
            break;
        std::size_t room = NamePartsSize - used - 2;
        AppendTypedPart(row.parts, NamePartsSize, type, piece.substr(0, room));
    }
}

char* NameRecord::GetGivenNames(char* out, std::size_t size) const
{
    NameSplit split = Split(SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter));
    return CopyCut(out, size, JoinPartTexts(split.before, " "));
}

char* NameRecord::GetSurname(char* out, std::size_t size) const
{
    NameSplit split = Split(SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter));
    return CopyCut(out, size, split.surname);
}

char* NameRecord::GetAfterSurname(char* out, std::size_t size) const
{
    NameSplit split = Split(SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter));
    return CopyCut(out, size, JoinPartTexts(split.after, " "));
}

char* NameRecord::GetDisplayText(char* out, std::size_t size) const
{
    return CopyCut(out, size, std::string_view(row.display, strnlen(row.display, sizeof row.display)));
}

int NameRecord::CountParts() const
{
    return static_cast<int>(SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter).size());
}

std::uint8_t NameRecord::GetPartType(int n) const
{
    std::vector<TypedPart> parts = SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter);
    return n >= 0 && n < static_cast<int>(parts.size()) ? parts[n].type : 0;
}

const char* NameRecord::GetPartText(int n) const
{
    static char shared[NamePartsSize];
    std::vector<TypedPart> parts = SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter);
    return CopyCut(shared, sizeof shared, n >= 0 && n < static_cast<int>(parts.size()) ? parts[n].text : "");
}

bool NameRecord::IsSimple() const
{
    int surnames = 0;
    for (const TypedPart& part : SplitTypedParts(row.parts, NamePartsSize, NameFirstCharacter)) {
        if (part.type == NamePartSurname)
            ++surnames;
        else if (part.type != NamePartUnknown)
            return false;
    }
    return surnames <= 1;
}

void NameRecord::ClearParts()
{
    std::memset(row.parts, 0, sizeof row.parts);
}

bool NameRecord::AppendPart(std::uint8_t type, const char* characters)
{
    if (type < 1 || type > NamePartTypeCount)
        return false;
    std::string clean = WithoutTypeBytes(characters ? characters : "", NameFirstCharacter);
    return AppendTypedPart(row.parts, NamePartsSize, type, clean);
}
