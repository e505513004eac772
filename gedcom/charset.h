// Conversion of one GEDCOM line from the file's character set into Windows-1252, the text of the system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pendrax {

enum class CharSet { Ansi = 0, Ansel = 1, IbmPc = 2, Utf8 = 3, Utf16Le = 4, Utf16Be = 5 };

// ANSEL (ANSI/NISO Z39.47): spacing characters by table, a combining mark with its base letter as the
// precomposed letter where Latin-1 has one. A mark with no base letter left on the line yields nothing.
std::string AnselToCp1252(std::string_view line);
// IBM PC code page 437 by table.
std::string IbmPcToCp1252(std::string_view line);
// UTF-8; what Windows-1252 lacks, and malformed sequences, become '?'.
std::string Utf8ToCp1252(std::string_view line);
// UTF-16 code units; what Windows-1252 lacks, and unpaired surrogates, become '?'.
std::string Utf16ToCp1252(const char16_t* units, size_t count);

// The Windows-1252 byte of a code point, '?' when it has none.
char CodePointToCp1252(char32_t codePoint);

} // namespace pendrax
