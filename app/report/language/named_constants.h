// The named constants of report scripts: the coded values of the database and of the report objects,
// and the colour names, by fixed words. Every one is an INTEGER when used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct NamedConstant {
    char name[24];
    std::int32_t value;
};

inline constexpr std::size_t NamedConstantCount = 277;
extern const NamedConstant NamedConstantTable[NamedConstantCount];

// The entry whose name equals the whole word, exactly and case-sensitively; null when there is none.
const NamedConstant* FindNamedConstant(std::string_view word);
inline bool IsNamedConstant(std::string_view word)
{
    return FindNamedConstant(word) != nullptr;
}
