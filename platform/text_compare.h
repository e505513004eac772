// Locale text comparison: how the user's locale sorts two Windows-1252 texts, ignoring case, accents and
// symbols. Keys of the database's text indexes and every sorted list use it, so both builds must agree.
#pragma once

#include <string_view>

namespace platform {

// Answers a negative number, 0 or a positive number as `a` sorts before, with or after `b`.
int CompareLocaleText(std::string_view a, std::string_view b);

} // namespace platform
