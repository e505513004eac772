// Copying and appending text into caller buffers of a given size: never more than size - 1 characters,
// always terminated (when the size is not 0).
#pragma once

#include <cstddef>
#include <cstring>

inline char* CopyBounded(char* buffer, std::size_t size, const char* text)
{
    if (size == 0)
        return buffer;
    std::size_t n = 0;
    if (text)
        for (; n + 1 < size && text[n]; ++n)
            buffer[n] = text[n];
    buffer[n] = '\0';
    return buffer;
}

// `buffer` must already be terminated within `size`.
inline char* AppendBounded(char* buffer, std::size_t size, const char* text)
{
    if (size == 0)
        return buffer;
    const std::size_t used = strnlen(buffer, size - 1);
    CopyBounded(buffer + used, size - used, text);
    return buffer;
}

// Fills a stored text field: at most size - 1 characters, the rest zero, as the rows keep their texts.
inline void StoreField(char* field, std::size_t size, const char* text)
{
    std::memset(field, 0, size);
    CopyBounded(field, size, text);
}
