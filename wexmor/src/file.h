// WexmorFile, the handle of a Wexmor file being written or read, with the writer's and the reader's
// primitives that every record type uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "text.h"

struct WexmorFile {
    std::FILE* stream = nullptr;
    bool writing = false;
    bool writeFailed = false; // sticky: once a write failed, every later export reports it
    int openError = 0;        // 0, or 1 not opened, 2 bad declaration, 3 no root element
    signed char stage = 0;    // the last section written (see wexmor::Section)
    uint32_t counts[8] = {};  // records written per section

    // Reading: a window of the file followed by one zero byte. The window holds the element being read
    // whole (and a little of what follows it); what was read before it is dropped when the next element
    // begins, so that memory stays bounded by the largest element, not by the file.
    char* data = nullptr;
    size_t size = 0;          // the whole file's bytes
    size_t filled = 0;        // the file's bytes in data
    size_t capacity = 0;      // bytes allocated for data, its terminator included
    size_t dataOffset = 0;    // where data[0] stands in the file
    bool loadedToEnd = false; // the window reaches the end of the file
    const char* pos = nullptr;
    const char* elementStart = nullptr;
};

namespace wexmor {

// Section stages in the order of the file; also the order of the totals (minus one for the counts).
enum Section : signed char {
    kHeaderSection = 1,
    kRepositorySection = 2,
    kSourceSection = 3,
    kExcerptSection = 4,
    kEventtypeSection = 5,
    kPersonSection = 6,
    kAssertionSection = 7,
    kObjectiveSection = 8,
    kTaskSection = 9,
};

// ---- writer ----
void WriteLiteral(WexmorFile& file, const char* text);
void WriteBytes(WexmorFile& file, const char* bytes, size_t count);
void WriteEscaped(WexmorFile& file, const char* text);
void WriteNumber(WexmorFile& file, long long value);
// " name=\"value\"" for a start tag.
void WriteAttribute(WexmorFile& file, const char* name, const char* value);
void WriteIdAttribute(WexmorFile& file, const char* name, char letter, int id);
// "<name>escaped text</name>"; the optional form writes nothing for an empty text.
void WriteTextElement(WexmorFile& file, const char* name, const WexmorText& text);
void WriteOptionalText(WexmorFile& file, const char* name, const WexmorText& text);
// "<name>escaped code</name>": codes and words.
void WriteCodeElement(WexmorFile& file, const char* name, const char* content);
void WriteNumberElement(WexmorFile& file, const char* name, long long value);
void WriteEndTag(WexmorFile& file, const char* name);

// Checks the order of sections before a record is written: 0, or the export error number.
int BeginExport(WexmorFile* file, Section section, int orderCode);
// Completes a record: flushes it, counts it and advances the stage; 0 or the write error.
int EndExport(WexmorFile& file, Section section);

// ---- reader ----
enum ReadResult { kRead = 0, kAbsent = 1, kMalformed = 2 };

void SkipWhitespace(WexmorFile& file);
bool SeekTag(WexmorFile& file, const char* tag);
bool MatchLiteral(WexmorFile& file, const char* literal, bool consume);
// "<" and the element name followed by a blank, "/" or ">": so "<person" does not match "<personref".
bool MatchStartTag(WexmorFile& file, const char* name, bool consume);
inline bool IsStartTagNext(WexmorFile& file, const char* name)
{
    return MatchStartTag(file, name, false);
}
// Consumes one expected byte at the read position (no blanks skipped).
bool ConsumeByte(WexmorFile& file, char expected);
// Consumes "</", the name and ">" (blanks allowed before); false when they are not there.
bool MatchEndTag(WexmorFile& file, const char* name);

// Element readers: the start tag "<name" (with any attributes, which are skipped), the content up to the next
// "<", then past the next ">". kAbsent when the element is not next (nothing consumed).
ReadResult ReadTextElement(WexmorFile& file, WexmorText& text, const char* name);
ReadResult ReadRawTextElement(WexmorFile& file, WexmorText& text, const char* name); // not unescaped
ReadResult ReadCodeElement(WexmorFile& file, char* field, size_t width, const char* name);
ReadResult ReadLongElement(WexmorFile& file, int32_t& number, const char* name);
ReadResult ReadIntElement(WexmorFile& file, int32_t& number, const char* name);
// Attribute readers: name, "=", a double-quoted value of at most 23 characters.
constexpr size_t kAttributeSize = 24;
ReadResult ReadAttribute(WexmorFile& file, char (&field)[kAttributeSize], const char* name);
ReadResult ReadNumberAttribute(WexmorFile& file, int32_t& number, const char* name);
// An id attribute or value: the letter, then the decimal number.
bool ParseLetteredId(const char* value, char letter, int32_t& id);
// Leading decimal digits with an optional sign, 0 when there are none; limited to 32 bits.
int32_t ParseNumber(const char* text);

// The reading window. The first bytes of the file up to the first element after the root's start tag.
bool LoadProlog(WexmorFile& file);
// Loads the element "<name" that stands next whole, with the start of whatever follows it (dropping what was
// read when the window must move on); anything else next is loaded far enough to be told apart.
void LoadElement(WexmorFile& file, const char* name);
// Loads the rest of the file (a search may pass over any amount of it).
void LoadRest(WexmorFile& file);

// The import protocol: 0 when the element's start tag "<name" has been consumed, else the end code.
int BeginImport(WexmorFile* file, int flag, const char* name, int endCode);

} // namespace wexmor
