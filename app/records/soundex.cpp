#include "records/soundex.h"

#include <cstdint>

namespace {

// The digit of an upper-case letter, 0 for a character that adds none.
char SoundexDigit(char c)
{
    switch (c) {
    case 'B': case 'F': case 'P': case 'V':
        return '1';
    case 'C': case 'G': case 'J': case 'K': case 'Q': case 'S': case 'X': case 'Z':
        return '2';
    case 'D': case 'T':
        return '3';
    case 'L':
        return '4';
    case 'M': case 'N':
        return '5';
    case 'R':
        return '6';
    default:
        return 0;
    }
}

} // namespace

char* ComputeSoundex(const char* name, char* out)
{
    out[0] = '\0';
    if (name[0] == '\0' || name[0] == ' ')
        return out;
    const auto first = static_cast<std::int8_t>(name[0]);
    out[0] = first > 'Z' ? static_cast<char>(first - 32) : name[0];
    std::size_t length = 1;
    for (const char* p = name + 1; *p != '\0' && *p != ' ' && length < SoundexSize - 1; ++p) {
        char c = *p;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        if (const char digit = SoundexDigit(c))
            out[length++] = digit;
    }
    while (length < SoundexSize - 1)
        out[length++] = '0';
    out[length] = '\0';
    return out;
}
