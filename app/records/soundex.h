// Soundex codes of names, for searching and for report scripts.
#pragma once

#include <cstddef>

inline constexpr std::size_t SoundexSize = 5;

// Writes a code of four characters and a NUL into `out` (at least SoundexSize bytes): the name's first
// character in upper case (any byte above 'Z' is lowered by 32, which turns a to z and the accented small
// letters into capitals), then the digits of the following letters, up to three, stopping at the end of the
// name or at a blank, filled up with 0. Equal neighbouring digits are all kept. A name that is empty or
// begins with a blank gives the empty text. Returns `out`.
char* ComputeSoundex(const char* name, char* out);
