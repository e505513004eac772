// The working copy of a structured name that the structured-name dialog changes part by part, with the
// standard structure a new name starts from and the clean-up of the parts when the dialog is confirmed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/editable_parts.h"
#include "core/name_record.h"

static_assert(NamePartsSize == EditableParts::FieldSize, "a name's parts fill one editable field");

// The type of a name-part code ("GIVN" gives 6), compared exactly; 0 for an unknown code.
std::uint8_t NamePartTypeOfCode(std::string_view code);
// The language key of a name-part type's name: "ADVNAME_TYPE_" and its code.
std::string NamePartTypeKey(int type);
// The language key of standard structure `number`: "ADVNAME_STD" and the number.
std::string NameStandardKey(int number);

class NameParts : public EditableParts {
public:
    NameParts() : NameParts(nullptr) {}
    // A copy of a stored parts field (NamePartsSize bytes).
    explicit NameParts(const char* field) : EditableParts(NameFirstCharacter, NamePartTypeCount, field) {}

    bool IsEmpty() const { return Length() == 0; }
    // All parts' characters joined by single blanks.
    std::string Format() const override;

    // Appends one empty part per code of a comma-separated list ("GIVN,SURN"); unknown codes are skipped,
    // and so are the parts that no longer fit.
    void AddStandardStructure(std::string_view codes);
    // Removes the parts without characters and splits every part at its blanks into parts of its type, so
    // that doubled, leading and trailing blanks leave no empty parts.
    void Normalise();
};
