#include "platform/LocalClock.h"

bool LocalClock::toLocalTime(std::time_t utc, std::tm &local)
{
    _tzset();
    return localtime_s(&local, &utc) == 0;
}
