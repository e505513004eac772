// The working copy of a structured place name that the place editor changes part by part: parts are
// appended, deleted, replaced and moved, each change refused as a whole when the result would not fit in
// the 127 bytes a PLACE2 row holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/place_record.h"

class PlaceParts {
public:
    PlaceParts() = default;
    // A copy of a stored name field (PlacePartsSize bytes).
    explicit PlaceParts(const char* field);

    // Writes the name into a stored name field (PlacePartsSize bytes, zero-filled behind the parts).
    void CopyTo(char* field) const;

    int Count() const;
    // Type and characters of part i (from 0); 0 and "" for an index without a part.
    std::uint8_t TypeOf(int i) const;
    std::string TextOf(int i) const;
    // All parts' characters joined by ", ".
    std::string Format() const;

    // Appends a part of unknown type without characters; false when it does not fit.
    bool Append();
    // Removes part i.
    void Delete(int i);
    // Replaces part i by a part of `type` and `text`; characters below the first place character (a typed
    // tab or line break) become blanks so that they cannot pass for type bytes. False, and nothing
    // changed, when the result would not fit, `type` is no part type or there is no part i.
    bool Set(int i, std::uint8_t type, std::string_view text);
    // Moves part i + 1 in front of part i, when both exist.
    void Swap(int i);

    bool operator==(const PlaceParts& other) const;

private:
    char bytes_[PlacePartsSize] = {};
};
