// WexmorText, the owned text inside every record, with the escaping of XML content, and the fixed code
// fields. Nothing here throws: a failed allocation leaves the text empty.
#pragma once

#include <cstddef>

namespace wexmor {

class WexmorText {
public:
    WexmorText() = default;
    ~WexmorText();
    WexmorText(const WexmorText&) = delete;
    WexmorText& operator=(const WexmorText&) = delete;

    // A null or empty string leaves the text empty, without a buffer.
    void Assign(const char* text);
    void Assign(const char* bytes, size_t count);
    void Assign(const WexmorText& other) { Assign(other.Read(), other.Length()); }
    void Append(const char* text);
    void Append(const char* bytes, size_t count);
    void Clear();

    // Never null: "" when the text is empty.
    const char* Read() const { return buffer_ ? buffer_ : ""; }
    size_t Length() const { return length_; }
    bool Empty() const { return Read()[0] == '\0'; }
    // Bytes held for the text, its terminator included.
    size_t Capacity() const { return capacity_; }

private:
    bool Reserve(size_t count);

    char* buffer_ = nullptr;
    size_t length_ = 0;
    size_t capacity_ = 0;
};

// The entity that stands for a character in XML content, or null for a character written as it is.
const char* EntityFor(char c);
// Appends the text with "<", "&", ">", the double quote and the apostrophe written as entities.
void AppendEscaped(WexmorText& target, const char* text);
// Appends count bytes with exactly those five entities replaced by their characters; anything else, numeric
// references included, stays as it stands.
void AppendUnescaped(WexmorText& target, const char* bytes, size_t count);

// Fixed code fields: at most width - 1 characters are kept; both return the bytes copied with the terminator.
int SetCode(char* field, size_t width, const char* code);
int GetCode(char* buffer, const char* field);

} // namespace wexmor
