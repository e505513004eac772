#include "text.h"

#include <cstdlib>
#include <cstring>

namespace wexmor {

WexmorText::~WexmorText()
{
    std::free(buffer_);
}

bool WexmorText::Reserve(size_t count)
{
    if (count + 1 <= capacity_)
        return true;
    // Grown by half again at least, so that text built by many appends costs linear time, not quadratic.
    size_t capacity = count + 16;
    if (capacity < capacity_ + capacity_ / 2)
        capacity = capacity_ + capacity_ / 2;
    auto* grown = static_cast<char*>(std::realloc(buffer_, capacity));
    if (!grown)
        return false;
    std::memset(grown + capacity_, 0, capacity - capacity_);
    buffer_ = grown;
    capacity_ = capacity;
    return true;
}

void WexmorText::Clear()
{
    std::free(buffer_);
    buffer_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

void WexmorText::Assign(const char* text)
{
    Assign(text, text ? std::strlen(text) : 0);
}

void WexmorText::Assign(const char* bytes, size_t count)
{
    if (bytes == buffer_ && buffer_)
        return;
    Clear();
    Append(bytes, count);
}

void WexmorText::Append(const char* text)
{
    if (text)
        Append(text, std::strlen(text));
}

void WexmorText::Append(const char* bytes, size_t count)
{
    if (!bytes || count == 0)
        return;
    // Bytes of this text itself stay valid when the buffer moves.
    bool own = buffer_ && bytes >= buffer_ && bytes < buffer_ + capacity_;
    size_t ownOffset = own ? static_cast<size_t>(bytes - buffer_) : 0;
    if (!Reserve(length_ + count))
        return;
    if (own)
        bytes = buffer_ + ownOffset;
    std::memmove(buffer_ + length_, bytes, count);
    length_ += count;
    buffer_[length_] = '\0';
}

const char* EntityFor(char c)
{
    switch (c) {
    case '<':
        return "&lt;";
    case '&':
        return "&amp;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&apos;";
    default:
        return nullptr;
    }
}

void AppendEscaped(WexmorText& target, const char* text)
{
    if (!text)
        return;
    const char* run = text;
    for (const char* p = text; *p; ++p) {
        const char* entity = EntityFor(*p);
        if (!entity)
            continue;
        target.Append(run, static_cast<size_t>(p - run));
        target.Append(entity);
        run = p + 1;
    }
    target.Append(run);
}

void AppendUnescaped(WexmorText& target, const char* bytes, size_t count)
{
    static const struct {
        const char* entity;
        size_t length;
        char character;
    } entities[] = {{"&lt;", 4, '<'}, {"&amp;", 5, '&'}, {"&gt;", 4, '>'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}};

    size_t run = 0;
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] != '&')
            continue;
        for (const auto& e : entities) {
            if (count - i >= e.length && std::memcmp(bytes + i, e.entity, e.length) == 0) {
                target.Append(bytes + run, i - run);
                target.Append(&e.character, 1);
                i += e.length - 1;
                run = i + 1;
                break;
            }
        }
    }
    target.Append(bytes + run, count - run);
}

int SetCode(char* field, size_t width, const char* code)
{
    size_t length = code ? std::strlen(code) : 0;
    if (length > width - 1)
        length = width - 1;
    if (length)
        std::memcpy(field, code, length);
    field[length] = '\0';
    return static_cast<int>(length + 1);
}

int GetCode(char* buffer, const char* field)
{
    size_t length = std::strlen(field);
    if (buffer)
        std::memcpy(buffer, field, length + 1);
    return static_cast<int>(length + 1);
}

} // namespace wexmor
