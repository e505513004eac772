#include "records/soundex.h"

namespace {

char SoundexDigit(char c)
{
    switch (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) {
    case 'B':
    case 'F':
    case 'P':
    case 'V':
        return '1';
    case 'C':
    case 'G':
    case 'J':
    case 'K':
    case 'Q':
    case 'S':
    case 'X':
    case 'Z':
        return '2';
    case 'D':
    case 'T':
        return '3';
    case 'L':
        return '4';
    case 'M':
    case 'N':
        return '5';
    case 'R':
        return '6';
    default:
        return '\0';
    }
}

} // namespace

char* ComputeSoundex(const char* name, char* out)
{
    out[0] = '\0';
    if (name == nullptr || name[0] == '\0' || name[0] == ' ')
        return out;
    auto first = static_cast<unsigned char>(name[0]);
    out[0] = static_cast<char>(first > 90 ? first - 32 : first);
    int digits = 0;
    for (const char* p = name + 1; *p != '\0' && *p != ' ' && digits < 3; ++p)
        if (char digit = SoundexDigit(*p))
            out[1 + digits++] = digit;
    while (digits < 3)
        out[1 + digits++] = '0';
    out[4] = '\0';
    return out;
}
