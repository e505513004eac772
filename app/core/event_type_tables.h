// The fixed tables behind event and attribute types: the class keywords of each kind and the GEDCOM tags.
// Types store indexes into these tables, so their order is part of every database and must never change.
#pragma once

#include <cstddef>

#include "core/event_type_row.h" // EventClassBirth, EventClassDeath

inline constexpr int EventTypeKindEvent = 1;
inline constexpr int EventTypeKindAttribute = 2;

inline constexpr int AttributeKindText = 0;
inline constexpr int AttributeKindNumeric = 1;
inline constexpr int AttributeKindFlag = 2;

inline constexpr int GedcomTagCount = 129;
inline constexpr int NoGedcomTag = -1;

// A table of keywords or tags.
struct KeywordTable {
    const char* const* words;
    int count;
};

// The class keywords of a kind (1 event, 2 attribute) and attribute kind (0 text, 1 numeric, 2 flag;
// not looked at for events).
KeywordTable EventClassTable(int kind, int attributeKind);
// The index of `keyword` in that table, compared exactly; 0 ("other") when absent.
int GetEventClassCode(const char* keyword, int kind, int attributeKind);
// The keyword of `classCode` in that table; "other" for a code outside it, so that a damaged row still
// shows something.
const char* GetEventClassKeyword(int classCode, int kind, int attributeKind);

// The index of `text` in the GEDCOM tag table, compared exactly; -1 when absent.
int FindGedcomTag(const char* text);
// The tag of an index; null outside 0 .. GedcomTagCount - 1.
const char* GedcomTagText(int index);

// The tags the edit dialog offers for a kind, as indexes into the tag table, in the order shown.
KeywordTable OfferedGedcomTags(int kind);
