// Fixed-size text fields of the report side's byte layouts (report-type files, report documents).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Writes the text into its field of N bytes: at most N - 1 characters, the rest zero.
template <std::size_t N>
void PutTextField(std::uint8_t* out, const char (&text)[N])
{
    std::memset(out, 0, N);
    std::memcpy(out, text, strnlen(text, N - 1));
}

// Reads a field of N bytes as stored; a damaged file may fill it without its zero, so the last byte of the
// text is always one.
template <std::size_t N>
void GetTextField(const std::uint8_t* in, char (&text)[N])
{
    std::memcpy(text, in, N);
    text[N - 1] = '\0';
}
