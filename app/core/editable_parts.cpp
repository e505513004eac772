#include "core/editable_parts.h"

#include <cstring>
#include <utility>

#include "core/typed_parts.h"

namespace {

template <typename Parts> bool HasPart(const Parts& parts, int i)
{
    return i >= 0 && i < static_cast<int>(parts.size());
}

} // namespace

EditableParts::EditableParts(std::uint8_t firstCharacter, int typeCount, const char* field)
    : firstCharacter_(firstCharacter), typeCount_(typeCount)
{
    if (field != nullptr)
        std::memcpy(bytes_, field, FieldSize);
    bytes_[FieldSize - 1] = 0;
}

void EditableParts::CopyTo(char* field) const
{
    std::memcpy(field, bytes_, FieldSize);
}

int EditableParts::Count() const
{
    return static_cast<int>(SplitTypedParts(bytes_, FieldSize, firstCharacter_).size());
}

std::uint8_t EditableParts::TypeOf(int i) const
{
    std::vector<TypedPart> parts = SplitTypedParts(bytes_, FieldSize, firstCharacter_);
    return HasPart(parts, i) ? parts[i].type : 0;
}

std::string EditableParts::TextOf(int i) const
{
    std::vector<TypedPart> parts = SplitTypedParts(bytes_, FieldSize, firstCharacter_);
    return HasPart(parts, i) ? std::string(parts[i].text) : std::string();
}

std::size_t EditableParts::Length() const
{
    return TypedPartsLength(bytes_, FieldSize);
}

bool EditableParts::Append()
{
    return AppendTypedPart(bytes_, FieldSize, 1, "");
}

void EditableParts::Delete(int i)
{
    std::vector<OwnedPart> parts = Parts();
    if (!HasPart(parts, i))
        return;
    parts.erase(parts.begin() + i);
    Replace(parts);
}

bool EditableParts::Set(int i, std::uint8_t type, std::string_view text)
{
    std::vector<OwnedPart> parts = Parts();
    if (!HasPart(parts, i) || type < 1 || type > typeCount_)
        return false;
    parts[i] = {type, WithoutTypeBytes(text, firstCharacter_)};
    return Replace(parts);
}

void EditableParts::Swap(int i)
{
    std::vector<OwnedPart> parts = Parts();
    if (!HasPart(parts, i) || !HasPart(parts, i + 1))
        return;
    std::swap(parts[i], parts[i + 1]);
    Replace(parts);
}

bool EditableParts::operator==(const EditableParts& other) const
{
    return std::memcmp(bytes_, other.bytes_, FieldSize) == 0;
}

std::vector<EditableParts::OwnedPart> EditableParts::Parts() const
{
    std::vector<OwnedPart> parts;
    for (const TypedPart& part : SplitTypedParts(bytes_, FieldSize, firstCharacter_))
        parts.push_back({part.type, std::string(part.text)});
    return parts;
}

bool EditableParts::Replace(const std::vector<OwnedPart>& parts)
{
    char joined[FieldSize] = {};
    for (const OwnedPart& part : parts)
        if (!AppendTypedPart(joined, FieldSize, part.type, part.text))
            return false;
    std::memcpy(bytes_, joined, FieldSize);
    return true;
}
