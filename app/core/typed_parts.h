// Texts of typed parts, the stored form of structured names and places: each part is one type byte
// followed by the part's characters, and the text ends with a zero byte. Characters are never below the
// kind's first character value (17 in names, 19 in places), so any smaller byte starts the next part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TypedPart {
    std::uint8_t type;
    std::string_view text;
};

// The parts of a field of `size` bytes (the walk stops at its zero byte or its end). Characters before
// the first type byte, which only a damaged field holds, form a part of type 1.
std::vector<TypedPart> SplitTypedParts(const char* field, std::size_t size, std::uint8_t firstCharacter);

// Turns every byte from 1 to firstCharacter - 1 (a tab, CR, LF ... that came in with typed or pasted
// text) into a blank, so that it cannot pass for a type byte.
std::string WithoutTypeBytes(std::string_view text, std::uint8_t firstCharacter);

// Appends a part to the field when its type byte, its characters and the closing zero fit in `size`
// bytes; otherwise the field is left as it is. False when the part does not fit.
bool AppendTypedPart(char* field, std::size_t size, std::uint8_t type, std::string_view characters);

// The bytes used by the field's parts (without the closing zero).
std::size_t TypedPartsLength(const char* field, std::size_t size);

// Joins the texts with a separator; empty texts are left out.
std::string JoinPartTexts(const std::vector<std::string_view>& texts, std::string_view separator);

// Copies at most size - 1 characters of the text into out and terminates it; returns out.
char* CopyCut(char* out, std::size_t size, std::string_view text);
