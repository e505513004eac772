// Windows-1252 <-> Unicode. Every text the program stores is Windows-1252; these convert at the edges
// (Unicode window APIs, UTF-8 files). Characters 1252 cannot hold become '?'.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string Cp1252ToUtf16(std::string_view text);
std::string Utf16ToCp1252(std::u16string_view text);
std::string Cp1252ToUtf8(std::string_view text);
// Malformed UTF-8 sequences become '?', one per bad byte.
std::string Utf8ToCp1252(std::string_view text);

// The Unicode code point of one Windows-1252 byte (the five unassigned bytes map to themselves).
char16_t Cp1252ToCodePoint(unsigned char byte);
// The Windows-1252 byte of a code point, or 0 when 1252 has none.
unsigned char CodePointToCp1252(char32_t codePoint);

// The capital of a Windows-1252 letter (ASCII, the accented letters 0xE0..0xFE but the division sign, and
// s and z with caron, oe and y with diaeresis); every other byte as it is.
unsigned char UpperCaseCp1252(unsigned char byte);

} // namespace platform
