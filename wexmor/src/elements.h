// Writers and readers of the elements that records share: value records (dates, names, places, addresses,
// objects) and the reference lists. Readers return 0 or the number of their failure point (read_errors.h).
#pragma once

#include <memory>

#include "file.h"
#include "read_errors.h"
#include "records.h"
#include "words.h"

namespace wexmor {

void WriteSimpledate(WexmorFile& file, const char* name, const WZSimpledate& date);
void WriteDate(WexmorFile& file, const WZDate& date);
void WriteName(WexmorFile& file, const WZName& name);
void WritePlace(WexmorFile& file, const WZPlace& place);
void WriteAddress(WexmorFile& file, const WZAddress& address);
void WriteObjects(WexmorFile& file, const WZObject* first);
void WritePersonrefs(WexmorFile& file, const char* name, const WZPersonref* first);
void WritePersonrefroles(WexmorFile& file, const char* name, const WZPersonrefrole* first);
void WriteExcerptrefs(WexmorFile& file, const WZExcerptref* first);
void WriteRepref(WexmorFile& file, const WZRepref& repref);

int ReadDate(WexmorFile& file, std::unique_ptr<WZDate>& date);
int ReadName(WexmorFile& file, std::unique_ptr<WZName>& name);
int ReadPlace(WexmorFile& file, std::unique_ptr<WZPlace>& place);
int ReadAddress(WexmorFile& file, std::unique_ptr<WZAddress>& address);
int ReadObjects(WexmorFile& file, std::unique_ptr<WZObject>& first);
int ReadPersonrefs(WexmorFile& file, const char* name, std::unique_ptr<WZPersonref>& first);
int ReadPersonrefroles(WexmorFile& file, const char* name, std::unique_ptr<WZPersonrefrole>& first);
int ReadExcerptrefs(WexmorFile& file, std::unique_ptr<WZExcerptref>& first);
int ReadRepref(WexmorFile& file, std::unique_ptr<WZRepref>& repref);

// Shared pieces of the record elements.
// "<name" followed by ">" (attributes not allowed): the plain start tags of container elements.
bool OpenPlainElement(WexmorFile& file, const char* name);
// The optional lang attribute: stored when well formed; false when it is malformed.
bool ReadLangAttribute(WexmorFile& file, char* field, size_t width);
// An id attribute "letter and number": 0, or kErrorId when absent, malformed or without its letter.
int ReadIdAttribute(WexmorFile& file, const char* name, char letter, int& id);
// The language attribute in a start tag, when not empty.
void WriteLangAttribute(WexmorFile& file, const char* lang);
// A text element read when next: 0, or the error when it is malformed (or required and absent).
int ReadOptionalText(WexmorFile& file, WexmorText& text, const char* name, int error);
int ReadRequiredText(WexmorFile& file, WexmorText& text, const char* name, int error);
// A word element ("<relation>biological</relation>"): its index in the table, compared by prefix or exactly.
// kAbsent leaves the index unchanged; the error is returned when the element is malformed or no word matches.
int ReadWordElement(WexmorFile& file, const char* name, const WordTable& table, bool byPrefix, int& index, int error,
                    bool required);
// The word of an index; a required word outside the table is written as the fallback word.
void WriteWordElement(WexmorFile& file, const char* name, const WordTable& table, int index, int fallback);
// A coded attribute: the word of the index, nothing when the index lies outside the table.
void WriteWordAttribute(WexmorFile& file, const char* name, const WordTable& table, int index);
// A boolean attribute "negative": "true" for a non-zero value, "false" for 0, nothing for -1.
void WriteNegativeAttribute(WexmorFile& file, int negative);

// Creates a record into the slot before it is read, so that a failed read leaves it partly filled.
template <class T> T* NewInto(std::unique_ptr<T>& slot)
{
    slot.reset(new (std::nothrow) T);
    return slot.get();
}

// Returns a reader's error number from the enclosing reader.
#define WZ_TRY(expression)                                                                                             \
    do {                                                                                                               \
        if (int wzError = (expression))                                                                                \
            return wzError;                                                                                            \
    } while (0)

// The number of the reader's error when memory ran out while a record was being read.
constexpr int kNoMemory = WZ_IMPORT_NO_MEMORY;

} // namespace wexmor
