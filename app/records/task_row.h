// Where the fields of a TASK row (a research task) lie.
#pragma once

#include <cstddef>
#include <cstdint>

namespace task_row {

inline constexpr std::size_t Size = 158;
inline constexpr std::size_t TitleSize = 128; // char[128] at 0
inline constexpr std::int32_t PersonColumn = 5; // indexed
inline constexpr std::size_t PersonOffset = 140; // i32: the person the task concerns, 0 none
inline constexpr std::int32_t SourceColumn = 6;  // indexed
inline constexpr std::size_t SourceOffset = 144; // i32: the source the task concerns, 0 none

} // namespace task_row
