#include "core/place_parts.h"

#include <cstring>
#include <utility>
#include <vector>

#include "core/typed_parts.h"

namespace {

struct OwnedPart {
    std::uint8_t type;
    std::string text;
};

std::vector<OwnedPart> Split(const char* bytes)
{
    std::vector<OwnedPart> parts;
    for (const TypedPart& part : SplitTypedParts(bytes, PlacePartsSize, PlaceFirstCharacter))
        parts.push_back({part.type, std::string(part.text)});
    return parts;
}

// Encodes the parts into `bytes` when they all fit; otherwise leaves `bytes` as it was.
bool Join(const std::vector<OwnedPart>& parts, char* bytes)
{
    char joined[PlacePartsSize] = {};
    for (const OwnedPart& part : parts)
        if (!AppendTypedPart(joined, PlacePartsSize, part.type, part.text))
            return false;
    std::memcpy(bytes, joined, PlacePartsSize);
    return true;
}

bool HasPart(const std::vector<OwnedPart>& parts, int i)
{
    return i >= 0 && i < static_cast<int>(parts.size());
}

} // namespace

PlaceParts::PlaceParts(const char* field)
{
    std::memcpy(bytes_, field, PlacePartsSize);
    bytes_[PlacePartsSize - 1] = 0;
}

void PlaceParts::CopyTo(char* field) const
{
    std::memcpy(field, bytes_, PlacePartsSize);
}

int PlaceParts::Count() const
{
    return static_cast<int>(SplitTypedParts(bytes_, PlacePartsSize, PlaceFirstCharacter).size());
}

std::uint8_t PlaceParts::TypeOf(int i) const
{
    std::vector<TypedPart> parts = SplitTypedParts(bytes_, PlacePartsSize, PlaceFirstCharacter);
    return i >= 0 && i < static_cast<int>(parts.size()) ? parts[i].type : 0;
}

std::string PlaceParts::TextOf(int i) const
{
    std::vector<TypedPart> parts = SplitTypedParts(bytes_, PlacePartsSize, PlaceFirstCharacter);
    return i >= 0 && i < static_cast<int>(parts.size()) ? std::string(parts[i].text) : std::string();
}

std::string PlaceParts::Format() const
{
    return FormatPlaceParts(bytes_);
}

bool PlaceParts::Append()
{
    return AppendTypedPart(bytes_, PlacePartsSize, PlacePartUnknown, "");
}

void PlaceParts::Delete(int i)
{
    std::vector<OwnedPart> parts = Split(bytes_);
    if (!HasPart(parts, i))
        return;
    parts.erase(parts.begin() + i);
    Join(parts, bytes_);
}

bool PlaceParts::Set(int i, std::uint8_t type, std::string_view text)
{
    std::vector<OwnedPart> parts = Split(bytes_);
    if (!HasPart(parts, i) || type < 1 || type > PlacePartTypeCount)
        return false;
    parts[i] = {type, WithoutTypeBytes(text, PlaceFirstCharacter)};
    return Join(parts, bytes_);
}

void PlaceParts::Swap(int i)
{
    std::vector<OwnedPart> parts = Split(bytes_);
    if (!HasPart(parts, i) || !HasPart(parts, i + 1))
        return;
    std::swap(parts[i], parts[i + 1]);
    Join(parts, bytes_);
}

bool PlaceParts::operator==(const PlaceParts& other) const
{
    return std::memcmp(bytes_, other.bytes_, PlacePartsSize) == 0;
}
