// The reader's cursor and primitives. The input is held with one terminating zero byte, and every scan
// stops at a zero byte, so no reader can run past the end of the input.
#include <climits>
#include <cstring>

#include "file.h"
#include "words.h"

namespace wexmor {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v';
}

// The start tag "<name" has been matched at the read position; passes over its attributes to its ">".
// Refuses a self-closing tag: an element without content is written with its end tag.
ReadResult PassStartTag(WexmorFile& file, const char* name)
{
    const char* p = file.pos + 1 + std::strlen(name);
    if (*p == '>') {
        file.pos = p + 1;
        return kRead;
    }
    if (!IsBlank(*p))
        return kAbsent;
    while (*p && *p != '>' && *p != '<')
        ++p;
    if (*p != '>' || p[-1] == '/')
        return kMalformed;
    file.pos = p + 1;
    return kRead;
}

// Positions the cursor after the start tag of an element; kAbsent leaves it before the tag.
ReadResult OpenElement(WexmorFile& file, const char* name)
{
    return MatchStartTag(file, name, false) ? PassStartTag(file, name) : kAbsent;
}

// The content of an element up to the next "<", then past the ">" that follows it.
bool TakeContent(WexmorFile& file, const char*& begin, size_t& count)
{
    const char* lt = std::strchr(file.pos, '<');
    if (!lt)
        return false;
    const char* gt = std::strchr(lt, '>');
    if (!gt)
        return false;
    begin = file.pos;
    count = static_cast<size_t>(lt - file.pos);
    file.pos = gt + 1;
    return true;
}

ReadResult ReadNumberElement(WexmorFile& file, int32_t& number, const char* name, size_t limit)
{
    ReadResult opened = OpenElement(file, name);
    if (opened != kRead)
        return opened;
    const char* begin;
    size_t count;
    if (!TakeContent(file, begin, count) || count > limit)
        return kMalformed;
    char digits[16];
    std::memcpy(digits, begin, count);
    digits[count] = '\0';
    number = ParseNumber(digits);
    return kRead;
}

} // namespace

void SkipWhitespace(WexmorFile& file)
{
    while (IsBlank(*file.pos))
        ++file.pos;
}

bool SeekTag(WexmorFile& file, const char* tag)
{
    const char* found = std::strstr(file.pos, tag);
    if (!found)
        return false;
    file.pos = found;
    return true;
}

bool MatchLiteral(WexmorFile& file, const char* literal, bool consume)
{
    SkipWhitespace(file);
    size_t length = std::strlen(literal);
    if (!EqualsIgnoreCase(file.pos, literal, length))
        return false;
    if (consume)
        file.pos += length;
    return true;
}

bool MatchStartTag(WexmorFile& file, const char* name, bool consume)
{
    if (!MatchLiteral(file, "<", false))
        return false;
    size_t length = std::strlen(name);
    if (!EqualsIgnoreCase(file.pos + 1, name, length))
        return false;
    char next = file.pos[1 + length];
    if (next != '>' && next != '/' && !IsBlank(next))
        return false;
    if (consume)
        file.pos += 1 + length;
    return true;
}

bool ConsumeByte(WexmorFile& file, char expected)
{
    if (*file.pos != expected || expected == '\0')
        return false;
    ++file.pos;
    return true;
}

bool MatchEndTag(WexmorFile& file, const char* name)
{
    const char* start = file.pos;
    if (MatchLiteral(file, "</", true) && MatchLiteral(file, name, true) && MatchLiteral(file, ">", true))
        return true;
    file.pos = start;
    return false;
}

ReadResult ReadTextElement(WexmorFile& file, WexmorText& text, const char* name)
{
    ReadResult opened = OpenElement(file, name);
    if (opened != kRead)
        return opened;
    const char* begin;
    size_t count;
    if (!TakeContent(file, begin, count))
        return kMalformed;
    if (count)
        AppendUnescaped(text, begin, count);
    return kRead;
}

ReadResult ReadRawTextElement(WexmorFile& file, WexmorText& text, const char* name)
{
    ReadResult opened = OpenElement(file, name);
    if (opened != kRead)
        return opened;
    const char* begin;
    size_t count;
    if (!TakeContent(file, begin, count))
        return kMalformed;
    text.Append(begin, count);
    return kRead;
}

// Codes and attribute values are written escaped: unescaped, they must fit the field with its terminator.
static bool CopyUnescaped(const char* bytes, size_t count, char* field, size_t width)
{
    WexmorText value;
    AppendUnescaped(value, bytes, count);
    const char* text = value.Read();
    size_t length = std::strlen(text);
    if (length > width - 1)
        return false;
    std::memcpy(field, text, length + 1);
    return true;
}

ReadResult ReadCodeElement(WexmorFile& file, char* field, size_t width, const char* name)
{
    ReadResult opened = OpenElement(file, name);
    if (opened != kRead)
        return opened;
    const char* begin;
    size_t count;
    if (!TakeContent(file, begin, count) || !CopyUnescaped(begin, count, field, width))
        return kMalformed;
    return kRead;
}

ReadResult ReadLongElement(WexmorFile& file, int32_t& number, const char* name)
{
    return ReadNumberElement(file, number, name, 15);
}

ReadResult ReadIntElement(WexmorFile& file, int32_t& number, const char* name)
{
    return ReadNumberElement(file, number, name, 11);
}

ReadResult ReadAttribute(WexmorFile& file, char (&field)[kAttributeSize], const char* name)
{
    if (!MatchLiteral(file, name, true))
        return kAbsent;
    if (!ConsumeByte(file, '=') || !ConsumeByte(file, '"'))
        return kMalformed;
    const char* close = std::strchr(file.pos, '"');
    if (!close || !CopyUnescaped(file.pos, static_cast<size_t>(close - file.pos), field, kAttributeSize))
        return kMalformed;
    file.pos = close + 1;
    return kRead;
}

ReadResult ReadNumberAttribute(WexmorFile& file, int32_t& number, const char* name)
{
    char value[kAttributeSize];
    ReadResult result = ReadAttribute(file, value, name);
    if (result == kRead)
        number = ParseNumber(value);
    return result;
}

int32_t ParseNumber(const char* text)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT32_MAX) + 1)
            value = static_cast<long long>(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

bool ParseLetteredId(const char* value, char letter, int32_t& id)
{
    if (value[0] != letter)
        return false;
    id = ParseNumber(value + 1);
    return true;
}

int BeginImport(WexmorFile* file, int flag, const char* name, int endCode)
{
    if (!file || !file->data)
        return endCode;
    if (flag == 0) {
        // Search for the start tag itself, not for a longer tag that begins with the same letters.
        char tag[32];
        std::snprintf(tag, sizeof tag, "<%s", name);
        const char* from = file->pos;
        for (;;) {
            if (!SeekTag(*file, tag)) {
                file->pos = from;
                return endCode;
            }
            if (MatchStartTag(*file, name, false))
                break;
            ++file->pos;
        }
    }
    file->elementStart = file->pos;
    if (!MatchStartTag(*file, name, true))
        return endCode;
    return 0;
}

} // namespace wexmor
