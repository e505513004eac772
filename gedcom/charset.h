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
// The same conversions into a buffer the caller reuses line after line (its contents are replaced).
void AnselToCp1252(std::string_view line, std::string& out);
void IbmPcToCp1252(std::string_view line, std::string& out);
// UTF-8 and UTF-16 lines are converted by the platform layer's code-page functions (platform/codepage.h).

} // namespace pendrax
