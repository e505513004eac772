#include "platform/local_time.h"

#include <sys/time.h>
#include <time.h>

namespace platform {

LocalTime CurrentLocalTime()
{
    timeval now{};
    gettimeofday(&now, nullptr);
    time_t seconds = now.tv_sec;
    tm local{};
    localtime_r(&seconds, &local);
    return LocalTime{static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint16_t>(local.tm_mon + 1),
                     static_cast<std::uint16_t>(local.tm_wday),        static_cast<std::uint16_t>(local.tm_mday),
                     static_cast<std::uint16_t>(local.tm_hour),        static_cast<std::uint16_t>(local.tm_min),
                     static_cast<std::uint16_t>(local.tm_sec),         static_cast<std::uint16_t>(now.tv_usec / 1000)};
}

} // namespace platform
