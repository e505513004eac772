// The user's locale order of two Windows-1252 texts with case and accents counted (CompareStringA without
// flags): letters first by their base letter, so that "a" sorts before "B", then by accents, then by case,
// a lower-case letter before its capital. Sorted lists that the user's scripts build use it.
#pragma once

#include <string_view>

namespace platform {

// Answers a negative number, 0 or a positive number as `a` sorts before, with or after `b`.
int CompareLocaleTextCased(std::string_view a, std::string_view b);

} // namespace platform
