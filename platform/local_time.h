// The local date and time, in the layout of the Windows SYSTEMTIME structure.
#pragma once

#include <cstdint>

namespace platform {

struct LocalTime {
    std::uint16_t year;
    std::uint16_t month;     // 1..12
    std::uint16_t dayOfWeek; // 0 Sunday .. 6 Saturday
    std::uint16_t day;       // 1..31
    std::uint16_t hour;
    std::uint16_t minute;
    std::uint16_t second;
    std::uint16_t milliseconds;
};
static_assert(sizeof(LocalTime) == 16, "the SYSTEMTIME layout");

// The clock's present local date and time.
LocalTime CurrentLocalTime();

} // namespace platform
