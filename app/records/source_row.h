// Where the fields of a SOURCE row lie that citations read.
#pragma once

#include <cstddef>

namespace source_row {

inline constexpr std::size_t Size = 432;
inline constexpr std::size_t TitleOffset = 128;      // char[128]
inline constexpr std::size_t TitleSize = 128;
inline constexpr std::size_t ShortTitleOffset = 256; // char[16], the third column; may be empty
inline constexpr std::size_t ShortTitleSize = 16;

} // namespace source_row
