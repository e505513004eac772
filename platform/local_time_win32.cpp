#include "platform/local_time.h"

#include <windows.h>

namespace platform {

LocalTime CurrentLocalTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
                     now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
}

} // namespace platform
