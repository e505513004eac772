// The word tables of the format's coded values, and the lookups of the writer and the reader.
#pragma once

#include <cstddef>

namespace wexmor {

struct WordTable {
    const char* const* words;
    int count;
};

extern const WordTable kCalendarWords;
extern const WordTable kDateModifierWords;
extern const WordTable kEraWords;
extern const WordTable kNamePartCodes;    // types 1..16, index = type - 1
extern const WordTable kPlacePartWords;   // types 1..18, index = type - 1
extern const WordTable kAddressPartWords; // types 0..10
extern const WordTable kSourceClassWords;
extern const WordTable kSourceKindWords;
extern const WordTable kSourceMediaWords;
extern const WordTable kEventClassWords;
extern const WordTable kDatatypeWords;
extern const WordTable kTextClassWords;
extern const WordTable kNumberClassWords;
extern const WordTable kAttributeModifierWords;
extern const WordTable kFlagClassWords;
extern const WordTable kRelationWords;
extern const WordTable kPriorityWords;
extern const WordTable kStatusWords;

// The word of an index, or null when the index lies outside the table: such a value is not written.
const char* WordAt(const WordTable& table, int index);
// The index of the first word that the value begins with (ASCII case ignored), -1 when none.
int FindWordByPrefix(const WordTable& table, const char* value);
// The index of the word equal to the value (case-sensitive), -1 when none.
int FindWordExact(const WordTable& table, const char* value);

// ASCII case folding, so that every build compares letters alike.
bool EqualsIgnoreCase(const char* a, const char* b, size_t count);

} // namespace wexmor
