#include "parts.h"

#include <cstring>

namespace wexmor {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\v';
}

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// Matches text at p ignoring ASCII case and moves p past it.
bool Take(const char*& p, const char* literal)
{
    size_t length = std::strlen(literal);
    if (!EqualsIgnoreCase(p, literal, length))
        return false;
    p += length;
    return true;
}

} // namespace

void AppendPart(WexmorText& parts, const char* tag, const char* word, const char* text)
{
    parts.Append("<");
    parts.Append(tag);
    if (word) {
        parts.Append(" tp=\"");
        parts.Append(word);
        parts.Append("\"");
    }
    parts.Append(">");
    AppendEscaped(parts, text ? text : "");
    parts.Append("</");
    parts.Append(tag);
    parts.Append(">");
}

bool TakeLiteral(const WexmorText& parts, size_t& cursor, const char* literal)
{
    if (cursor > parts.Length())
        return false;
    const char* start = parts.Read();
    const char* p = SkipBlanks(start + cursor);
    if (!Take(p, literal))
        return false;
    cursor = static_cast<size_t>(p - start);
    return true;
}

bool ParsePart(const WexmorText& parts, size_t cursor, const char* tag, ParsedPart& part)
{
    if (cursor > parts.Length())
        return false;
    const char* start = parts.Read();
    const char* p = SkipBlanks(start + cursor);
    if (!Take(p, "<") || !Take(p, tag) || (*p != '>' && !IsBlank(*p)))
        return false;
    p = SkipBlanks(p);
    part.hasCode = false;
    if (Take(p, "tp")) {
        p = SkipBlanks(p);
        if (!Take(p, "=") || !Take(p, "\""))
            return false;
        const char* close = std::strchr(p, '"');
        if (!close)
            return false;
        part.hasCode = true;
        part.code = p;
        part.codeLength = static_cast<size_t>(close - p);
        p = SkipBlanks(close + 1);
    }
    if (!Take(p, ">"))
        return false;
    const char* lt = std::strchr(p, '<');
    if (!lt)
        return false;
    part.text = p;
    part.textLength = static_cast<size_t>(lt - p);
    p = lt;
    if (!Take(p, "</") || !Take(p, tag) || !Take(p, ">"))
        return false;
    part.end = static_cast<size_t>(p - start);
    return true;
}

int FindCodeByPrefix(const WordTable& table, const char* code, size_t length)
{
    for (int i = 0; i < table.count; ++i) {
        size_t wordLength = std::strlen(table.words[i]);
        if (length >= wordLength && EqualsIgnoreCase(code, table.words[i], wordLength))
            return i;
    }
    return -1;
}

void CopyPartText(const ParsedPart& part, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    WexmorText text;
    AppendUnescaped(text, part.text, part.textLength);
    size_t count = text.Length();
    if (count > static_cast<size_t>(size - 1))
        count = static_cast<size_t>(size - 1);
    std::memcpy(buffer, text.Read(), count);
    buffer[count] = '\0';
}

bool AppendRawPart(WexmorFile& file, WexmorText& parts)
{
    const char* lt = std::strchr(file.pos + 1, '<');
    if (!lt)
        return false;
    const char* gt = std::strchr(lt, '>');
    if (!gt)
        return false;
    parts.Append(file.pos, static_cast<size_t>(gt + 1 - file.pos));
    file.pos = gt + 1;
    return true;
}

} // namespace wexmor
