#include "platform/LocalClock.h"

namespace {

LocalClock::Source &source()
{
    static LocalClock::Source s;
    return s;
}

} // namespace

std::chrono::local_seconds LocalClock::now()
{
    if (const auto &s = source())
        return s();
    return systemNow();
}

void LocalClock::setSource(Source s)
{
    source() = std::move(s);
}

std::chrono::local_seconds LocalClock::systemNow()
{
    // The second comes from the precise clock (std::time() moves on only at
    // the kernel's next tick); the local time is worked out once a second,
    // reading the zone again each time, so that a new system zone is followed.
    static std::time_t cachedUtc = -1;
    static std::chrono::local_seconds cachedLocal{};
    const std::time_t utc = std::chrono::system_clock::to_time_t(
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
    std::tm tm{};
    if (utc == cachedUtc || !toLocalTime(utc, tm))
        return cachedLocal;

    using namespace std::chrono;
    const year_month_day ymd{year{tm.tm_year + 1900}, month{unsigned(tm.tm_mon + 1)},
                             day{unsigned(tm.tm_mday)}};
    cachedLocal = local_days{ymd} + hours{tm.tm_hour} + minutes{tm.tm_min}
        + seconds{tm.tm_sec > 59 ? 59 : tm.tm_sec};
    cachedUtc = utc;
    return cachedLocal;
}
