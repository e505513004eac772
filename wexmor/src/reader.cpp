// The reader's cursor and primitives. The input is held with one terminating zero byte, and every scan
// stops at a zero byte, so no reader can run past the end of the input.
#include <climits>
#include <cstdio>
#include <cstdlib>
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

namespace {

// A text element's content appended to `text`, with its entities resolved or as it stands.
ReadResult ReadTextContent(WexmorFile& file, WexmorText& text, const char* name, bool unescape)
{
    ReadResult opened = OpenElement(file, name);
    if (opened != kRead)
        return opened;
    const char* begin;
    size_t count;
    if (!TakeContent(file, begin, count))
        return kMalformed;
    if (!unescape)
        text.Append(begin, count);
    else if (count)
        AppendUnescaped(text, begin, count);
    return kRead;
}

} // namespace

ReadResult ReadTextElement(WexmorFile& file, WexmorText& text, const char* name)
{
    return ReadTextContent(file, text, name, true);
}

ReadResult ReadRawTextElement(WexmorFile& file, WexmorText& text, const char* name)
{
    return ReadTextContent(file, text, name, false);
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

namespace {

// Bytes read at least at a time, and bytes kept loaded past the tag that follows an element: more than any
// element name, so that the tag can be told apart.
const size_t kChunk = 1 << 20;
const size_t kLookahead = 64;

// Reads the next part of the file into the window (at least a chunk, and as much as the window holds, so that
// a large element is loaded in few rounds); false when there is nothing more.
bool ReadMore(WexmorFile& file)
{
    if (file.loadedToEnd || !file.stream) {
        file.loadedToEnd = true;
        return false;
    }
    size_t want = file.filled > kChunk ? file.filled : kChunk;
    if (file.filled + want + 1 > file.capacity) {
        const size_t posAt = static_cast<size_t>(file.pos - file.data);
        const size_t startAt = static_cast<size_t>(file.elementStart - file.data);
        auto* grown = static_cast<char*>(std::realloc(file.data, file.filled + want + 1));
        if (!grown) {
            // Without memory the window ends here, as a cut-off file would.
            file.loadedToEnd = true;
            return false;
        }
        file.data = grown;
        file.capacity = file.filled + want + 1;
        file.pos = grown + posAt;
        file.elementStart = grown + startAt;
    }
    const size_t got = std::fread(file.data + file.filled, 1, want, file.stream);
    file.filled += got;
    file.data[file.filled] = '\0';
    if (got < want)
        file.loadedToEnd = true;
    return got > 0;
}

// Whether kLookahead bytes from p are loaded (or the file ends before them).
bool LookaheadLoaded(const WexmorFile& file, const char* p)
{
    return file.loadedToEnd || static_cast<size_t>(file.data + file.filled - p) >= kLookahead;
}

// Whether the tag at p ("<" already seen) names the element: the name, then a blank, ">" or "/".
bool TagNames(const char* p, const char* name, size_t length)
{
    if (!EqualsIgnoreCase(p, name, length))
        return false;
    const char next = p[length];
    return next == '>' || next == '/' || IsBlank(next);
}

// Whether the window holds the element "<name" that stands next up to its matching end tag, and the start
// of the tag after it; or, when something else stands next, enough of that to tell.
bool ElementLoaded(const WexmorFile& file, const char* name)
{
    const size_t length = std::strlen(name);
    const char* p = std::strchr(file.pos, '<');
    if (!p)
        return file.loadedToEnd;
    if (!LookaheadLoaded(file, p))
        return false;
    if (!TagNames(p + 1, name, length))
        return true;
    int depth = 0;
    for (; p; p = std::strchr(p + 1, '<')) {
        if (!LookaheadLoaded(file, p))
            return false;
        if (p[1] == '/') {
            const char* q = p + 2;
            while (IsBlank(*q))
                ++q;
            if (TagNames(q, name, length) && --depth <= 0)
                break;
        } else if (TagNames(p + 1, name, length)) {
            ++depth;
        }
    }
    if (!p)
        return file.loadedToEnd;
    const char* next = std::strchr(p, '>');
    next = next ? std::strchr(next, '<') : nullptr;
    return next ? LookaheadLoaded(file, next) : file.loadedToEnd;
}

// Moves what is still unread to the front of the window.
void DropRead(WexmorFile& file)
{
    const size_t read = static_cast<size_t>(file.pos - file.data);
    if (read == 0)
        return;
    std::memmove(file.data, file.pos, file.filled - read + 1);
    file.filled -= read;
    file.dataOffset += read;
    file.pos = file.elementStart = file.data;
}

} // namespace

bool LoadProlog(WexmorFile& file)
{
    file.data = static_cast<char*>(std::malloc(1));
    if (!file.data)
        return false;
    file.data[0] = '\0';
    file.capacity = 1;
    file.pos = file.elementStart = file.data;
    // The declaration, the root's start tag and the first tag inside it.
    for (;;) {
        const char* p = std::strchr(file.data, '<');
        for (int tags = 1; p && tags < 3; ++tags)
            p = std::strchr(p + 1, '<');
        if ((p && LookaheadLoaded(file, p)) || !ReadMore(file))
            break;
    }
    return !std::ferror(file.stream);
}

void LoadElement(WexmorFile& file, const char* name)
{
    if (!file.stream)
        return;
    // What was read is dropped only when more must be loaded: one move per chunk, not per element.
    while (!ElementLoaded(file, name)) {
        DropRead(file);
        if (!ReadMore(file))
            break;
    }
}

void LoadRest(WexmorFile& file)
{
    while (ReadMore(file)) {
    }
}

int BeginImport(WexmorFile* file, int flag, const char* name, int endCode)
{
    if (!file || !file->data)
        return endCode;
    if (flag == 0)
        LoadRest(*file);
    else
        LoadElement(*file, name);
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
