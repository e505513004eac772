// Reading typed dates. A date is typed in the order of an input picture, optionally led by a
// modifier word and a calendar letter and followed by a time; a range is one date or two joined by the
// range words. Every word comes from the language in use and is read without regard to case.
#pragma once

#include "core/date_value.h"

// The decimal value of exactly `count` (1..9) characters of `text`, each a decimal digit; -1 otherwise.
int ParseDigits(const char* text, int count);

// Reads one date from the start of `text` in the order of `picture` into `value` (set to the empty value
// first). Returns the number of characters read, or -1 when the text is no date of this picture.
int ParseDateValue(const char* text, DateValue& value, const char* picture);

// Reads a whole range. It never fails: a text that does not parse becomes a text date, so nothing
// typed is lost. Blanks at both ends of `text` are removed in place.
void ParseDateRange(char* text, DateRange& range, const char* picture);
