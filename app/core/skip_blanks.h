// A scanner step shared by the parsers of typed texts.
#pragma once

#include <cstddef>

// Skips spaces and tabs from text + *offset (or from text when offset is null); writes the new offset
// back and returns a pointer to the first other character (the NUL of a text of only blanks).
const char* SkipBlanks(const char* text, std::size_t* offset = nullptr);
