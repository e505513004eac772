// The working copy of a structured name or place that an editing dialog changes part by part: parts are
// appended, deleted, replaced and moved, each change refused as a whole when the result would not fit in
// the 127 bytes a stored field holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class EditableParts {
public:
    static constexpr std::size_t FieldSize = 128;

    virtual ~EditableParts() = default;
    EditableParts(const EditableParts&) = default;
    EditableParts& operator=(const EditableParts&) = default;

    // Writes the parts into a stored field (FieldSize bytes, zero-filled behind the parts).
    void CopyTo(char* field) const;

    int Count() const;
    // Type and characters of part i (from 0); 0 and "" for an index without a part.
    std::uint8_t TypeOf(int i) const;
    std::string TextOf(int i) const;
    // The parts as the dialog shows them whole.
    virtual std::string Format() const = 0;
    // The bytes the parts use, without the closing zero.
    std::size_t Length() const;

    // Appends a part of the kind's first type without characters; false when it does not fit.
    bool Append();
    // Removes part i.
    void Delete(int i);
    // Replaces part i by a part of `type` and `text`; characters below the kind's first character (a typed
    // tab or line break) become blanks so that they cannot pass for type bytes. False, and nothing
    // changed, when the result would not fit, `type` is no part type or there is no part i.
    bool Set(int i, std::uint8_t type, std::string_view text);
    // Moves part i + 1 in front of part i, when both exist.
    void Swap(int i);

    bool operator==(const EditableParts& other) const;

protected:
    struct OwnedPart {
        std::uint8_t type;
        std::string text;
    };

    // A kind's parts: characters are never below `firstCharacter`, types run from 1 to `typeCount`. The
    // field (FieldSize bytes) is copied; null starts without parts.
    EditableParts(std::uint8_t firstCharacter, int typeCount, const char* field);

    std::vector<OwnedPart> Parts() const;
    // Takes the parts when they all fit; otherwise keeps the parts as they were.
    bool Replace(const std::vector<OwnedPart>& parts);
    const char* Bytes() const { return bytes_; }

private:
    char bytes_[FieldSize] = {};
    std::uint8_t firstCharacter_;
    int typeCount_;
};
