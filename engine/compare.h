// The order of column values, used by the indexes, by searches without index, by selections and sorts.
#pragma once

#include "engine/descriptor.h"

#include <cstdint>

namespace tolvane {

// -1, 0 or 1 as value `a` of the column sorts before, with or after `b`. Texts end at their NUL within the
// column and compare as the user's locale sorts them, ignoring case, accents and symbols; long texts and
// columns that store nothing always compare equal.
int CompareValues(const ColumnDescriptor& column, const std::uint8_t* a, const std::uint8_t* b);

} // namespace tolvane
