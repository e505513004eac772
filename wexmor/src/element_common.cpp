// Pieces shared by the record elements: plain start tags, lang and id attributes, text children.
#include "elements.h"

#include <cstring>

namespace wexmor {

bool OpenPlainElement(WexmorFile& file, const char* name)
{
    const char* start = file.pos;
    if (MatchStartTag(file, name, true) && MatchLiteral(file, ">", true))
        return true;
    file.pos = start;
    return false;
}

bool ReadLangAttribute(WexmorFile& file, char* field, size_t width)
{
    char value[kAttributeSize];
    switch (ReadAttribute(file, value, "lang")) {
    case kRead:
        SetCode(field, width, value);
        return true;
    case kAbsent:
        return true;
    default:
        return false;
    }
}

int ReadIdAttribute(WexmorFile& file, const char* name, char letter, int& id)
{
    char value[kAttributeSize];
    int32_t number = 0;
    if (ReadAttribute(file, value, name) != kRead || !ParseLetteredId(value, letter, number))
        return kErrorId;
    id = number;
    return 0;
}

void WriteLangAttribute(WexmorFile& file, const char* lang)
{
    if (lang[0])
        WriteAttribute(file, "lang", lang);
}

int ReadOptionalText(WexmorFile& file, WexmorText& text, const char* name, int error)
{
    return ReadTextElement(file, text, name) == kMalformed ? error : 0;
}

int ReadRequiredText(WexmorFile& file, WexmorText& text, const char* name, int error)
{
    return ReadTextElement(file, text, name) == kRead ? 0 : error;
}

int ReadWordElement(WexmorFile& file, const char* name, const WordTable& table, bool byPrefix, int& index, int error,
                    bool required)
{
    char value[kAttributeSize];
    switch (ReadCodeElement(file, value, sizeof value, name)) {
    case kAbsent:
        return required ? error : 0;
    case kMalformed:
        return error;
    case kRead:
        break;
    }
    int found = byPrefix ? FindWordByPrefix(table, value) : FindWordExact(table, value);
    if (found < 0)
        return error;
    index = found;
    return 0;
}

void WriteWordElement(WexmorFile& file, const char* name, const WordTable& table, int index, int fallback)
{
    const char* word = WordAt(table, index);
    WriteCodeElement(file, name, word ? word : WordAt(table, fallback));
}

void WriteWordAttribute(WexmorFile& file, const char* name, const WordTable& table, int index)
{
    if (const char* word = WordAt(table, index))
        WriteAttribute(file, name, word);
}

void WriteNegativeAttribute(WexmorFile& file, int negative)
{
    if (negative != -1)
        WriteAttribute(file, "negative", negative ? "true" : "false");
}

} // namespace wexmor
