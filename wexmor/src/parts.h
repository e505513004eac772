// The part lists of names, places and addresses: kept as XML text, one element per part, appended as written
// and walked with a cursor by the Get...Part functions.
#pragma once

#include <cstddef>

#include "file.h"
#include "text.h"
#include "words.h"

namespace wexmor {

// Appends "<tag tp=\"word\">escaped text</tag>" (no tp when word is null).
void AppendPart(WexmorText& parts, const char* tag, const char* word, const char* text);

// One part at the cursor: its code (when it has a tp attribute) and its escaped text.
struct ParsedPart {
    bool hasCode = false;
    const char* code = nullptr;
    size_t codeLength = 0;
    const char* text = nullptr;
    size_t textLength = 0;
    size_t end = 0; // the cursor after the part
};
// False at the end of the list or for a malformed part.
bool ParsePart(const WexmorText& parts, size_t cursor, const char* tag, ParsedPart& part);
// True when the list has the literal at the cursor (blanks skipped); the cursor moves past it.
bool TakeLiteral(const WexmorText& parts, size_t& cursor, const char* literal);
// The index of the first word the code begins with, -1 when none.
int FindCodeByPrefix(const WordTable& table, const char* code, size_t length);
// Unescapes the part's text into the buffer, at most size - 1 characters, terminated.
void CopyPartText(const ParsedPart& part, char* buffer, int size);

// The reader's side: appends the part element at the read position, from its "<" through the ">" of its end
// tag, to the list as it stands. False when the part is cut off.
bool AppendRawPart(WexmorFile& file, WexmorText& parts);

} // namespace wexmor
