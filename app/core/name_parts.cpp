#include "core/name_parts.h"

#include <vector>

#include "core/typed_parts.h"

std::uint8_t NamePartTypeOfCode(std::string_view code)
{
    for (int type = 1; type <= NamePartTypeCount; ++type)
        if (code == NamePartCode(type))
            return static_cast<std::uint8_t>(type);
    return 0;
}

std::string NamePartTypeKey(int type)
{
    return std::string("ADVNAME_TYPE_") + NamePartCode(type);
}

std::string NameStandardKey(int number)
{
    return "ADVNAME_STD" + std::to_string(number);
}

std::string NameParts::Format() const
{
    std::vector<std::string_view> texts;
    for (const TypedPart& part : SplitTypedParts(Bytes(), FieldSize, NameFirstCharacter))
        texts.push_back(part.text);
    return JoinPartTexts(texts, " ");
}

void NameParts::AddStandardStructure(std::string_view codes)
{
    std::vector<OwnedPart> parts = Parts();
    while (true) {
        const std::size_t comma = codes.find(',');
        if (const std::uint8_t type = NamePartTypeOfCode(codes.substr(0, comma)); type != 0)
            parts.push_back({type, ""});
        if (comma == std::string_view::npos)
            break;
        codes.remove_prefix(comma + 1);
    }
    // A structure too long for the field keeps the parts that fit.
    while (!Replace(parts))
        parts.pop_back();
}

void NameParts::Normalise()
{
    std::vector<OwnedPart> pieces;
    for (const OwnedPart& part : Parts()) {
        std::string_view rest = part.text;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(' ');
            if (blank != 0)
                pieces.push_back({part.type, std::string(rest.substr(0, blank))});
            if (blank == std::string_view::npos)
                break;
            rest.remove_prefix(blank + 1);
        }
    }
    // Splitting turns blanks into type bytes and dropping parts only shortens: the pieces always fit.
    Replace(pieces);
}
