// Soundex: a letter and three digits that group surnames which sound alike. Codes are computed when
// needed and never stored.
#pragma once

#include <cstddef>

inline constexpr std::size_t SoundexSize = 5; // four characters and the terminator

// Writes the code of `name` into `out` (SoundexSize characters): empty when the name starts with a NUL
// or a blank. The first character is kept (a to z, and the characters after Z up to 127, moved down by
// 32; characters from 128 on as they are); each following letter of a group adds its digit, equal digits
// included, up to three digits or the first blank; the code is filled up with 0.
char* ComputeSoundex(const char* name, char* out);
