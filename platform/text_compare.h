// Locale text comparison: how the user's locale sorts two Windows-1252 texts, ignoring case, accents and
// symbols. Keys of the database's text indexes and every sorted list use it, so both builds must agree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Answers a negative number, 0 or a positive number as `a` sorts before, with or after `b`.
int CompareLocaleText(std::string_view a, std::string_view b);

// The two ways behind it. Windows compares through the built-in table, which is many times quicker than
// CompareStringA, when the user's locale sorts the probe texts as the table does; else through the system.
namespace text_compare_detail {
int CompareByTable(std::string_view a, std::string_view b);
// Every single character, and the texts the table treats beyond a character's weight.
std::vector<std::string> ProbeTexts();
// "" when `compare` orders the probe texts as the table does, else the first pair where they differ, told as
// the table orders it.
std::string FirstDisagreement(int (*compare)(std::string_view, std::string_view));
#ifdef _WIN32
// CompareStringA with the user's default locale.
int CompareBySystem(std::string_view a, std::string_view b);
// Whether CompareLocaleText compares through the table (decided once, on first use).
bool TableInUse();
#endif
} // namespace text_compare_detail

} // namespace platform
