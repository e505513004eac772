#include "core/skip_blanks.h"

const char* SkipBlanks(const char* text, std::size_t* offset)
{
    std::size_t at = offset ? *offset : 0;
    while (text[at] == ' ' || text[at] == '\t')
        ++at;
    if (offset)
        *offset = at;
    return text + at;
}
