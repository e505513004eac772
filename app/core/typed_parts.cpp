#include "core/typed_parts.h"

#include <cstring>

std::vector<TypedPart> SplitTypedParts(const char* field, std::size_t size, std::uint8_t firstCharacter)
{
    std::vector<TypedPart> parts;
    std::size_t at = 0;
    while (at < size && field[at] != '\0') {
        std::uint8_t type = 1;
        auto byte = static_cast<std::uint8_t>(field[at]);
        if (byte < firstCharacter) {
            type = byte;
            ++at;
        }
        std::size_t start = at;
        while (at < size && static_cast<std::uint8_t>(field[at]) >= firstCharacter)
            ++at;
        parts.push_back({type, std::string_view(field + start, at - start)});
    }
    return parts;
}

std::string WithoutTypeBytes(std::string_view text, std::uint8_t firstCharacter)
{
    std::string clean(text);
    for (char& c : clean) {
        auto byte = static_cast<std::uint8_t>(c);
        if (byte != 0 && byte < firstCharacter)
            c = ' ';
    }
    return clean;
}

std::size_t TypedPartsLength(const char* field, std::size_t size)
{
    return strnlen(field, size);
}

bool AppendTypedPart(char* field, std::size_t size, std::uint8_t type, std::string_view characters)
{
    const std::size_t used = TypedPartsLength(field, size);
    if (used + 1 + characters.size() + 1 > size)
        return false;
    field[used] = static_cast<char>(type);
    std::memcpy(field + used + 1, characters.data(), characters.size());
    field[used + 1 + characters.size()] = '\0';
    return true;
}

std::string JoinPartTexts(const std::vector<std::string_view>& texts, std::string_view separator)
{
    std::string joined;
    for (std::string_view text : texts) {
        if (text.empty())
            continue;
        if (!joined.empty())
            joined += separator;
        joined += text;
    }
    return joined;
}

char* CopyCut(char* out, std::size_t size, std::string_view text)
{
    if (size == 0)
        return out;
    std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    if (n > 0)
        std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return out;
}
