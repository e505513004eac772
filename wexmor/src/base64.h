// Base64 of RFC 4648 for the content of media objects.
#pragma once

#include <cstddef>
#include <memory>

#include "text.h"

namespace wexmor {

// Appends the encoding with "=" padding and "\r\n" after every 72 characters of output.
void AppendBase64(WexmorText& target, const unsigned char* data, size_t length);

// Decodes into a new buffer: blanks, tabs and line breaks are skipped, "=" ends a group. False for a character
// outside the alphabet or when memory ran out.
bool DecodeBase64(const char* text, size_t length, std::unique_ptr<unsigned char[]>& bytes, size_t& count);

} // namespace wexmor
