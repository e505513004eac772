// The date field of assertion rows written before version 10200: a type byte, then either a free text or
// two 7-byte dates (modifier, calendar, day, month, 16-bit year, alternate year) without time of day.
#pragma once

#include <cstddef>

#include "core/date_value.h"

inline constexpr std::size_t OldDateValueSize = 7;

// Converts the old field at `old` (its type byte first; `available` bytes readable from there) into the
// 41-byte DateRange field of today's rows. Text dates keep at most 39 characters; both old dates become
// DateValues without time, whatever the type.
void ConvertOldDateField(const unsigned char* old, std::size_t available, unsigned char (&field)[DateRangeFieldSize]);
