// The field texts that several assertion kinds share in their sentence templates. Each writes at most
// size - 1 characters and the terminator into the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/date_value.h"

class AddressRecord;
class Database;
class NameRecord;
class NoteText;
class PlaceRecord;

// Settings switches of the report that gate fields.
bool ReportIncludes(std::int32_t setting);

// Address line 1, line 2, city and country, those that are not empty, joined by ", ".
void WriteAddressField(char* buffer, std::size_t size, const AddressRecord& address);
// The prefix and a blank when there is a prefix, then the place filtered by the place-part settings.
void WritePlaceField(char* buffer, std::size_t size, const PlaceRecord& place);
// The date in `datePicture`, with the time when the DateFormat settings show it.
void WriteDateField(char* buffer, std::size_t size, const DateRange& date, const char* datePicture);
void WriteGivenNamesField(char* buffer, std::size_t size, const NameRecord& name);
// The note's text; nothing for a missing or empty note.
void WriteNoteField(char* buffer, std::size_t size, const NoteText* note);
// The language text of `femaleKey` when the person is female, else that of `otherKey`.
void WritePronounField(char* buffer, std::size_t size, std::int32_t personId, Database& database, const char* femaleKey,
                       const char* otherKey);
// The person's primary name, with " [#id]" when `showIds`; nothing for a person that cannot be read.
void WritePersonNameField(char* buffer, std::size_t size, std::int32_t personId, Database& database, bool showIds);

// The PERSON row's sex (0 unknown, 1 male, 2 female) and name id; false when the row cannot be read.
// In a transaction of its own.
bool ReadPersonSummary(std::int32_t personId, Database& database, std::uint8_t& sex, std::int32_t& nameId);
