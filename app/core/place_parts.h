// The working copy of a structured place name that the place editor changes part by part.
#pragma once

#include <string>

#include "core/editable_parts.h"
#include "core/place_record.h"

static_assert(PlacePartsSize == EditableParts::FieldSize, "a place's parts fill one editable field");

class PlaceParts : public EditableParts {
public:
    PlaceParts() : PlaceParts(nullptr) {}
    // A copy of a stored name field (PlacePartsSize bytes).
    explicit PlaceParts(const char* field) : EditableParts(PlaceFirstCharacter, PlacePartTypeCount, field) {}

    // All parts' characters joined by ", ".
    std::string Format() const override { return FormatPlaceParts(Bytes()); }
};
