#include "LocalClock.h"

#include <ctime>

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
    // The main window asks for the time about a thousand times a second, so
    // the broken-down local time is worked out once per second only.
    // localtime_r follows daylight-saving changes from the loaded zone rules.
    static std::time_t cachedUtc = -1;
    static std::chrono::local_seconds cachedLocal{};
    const std::time_t utc = std::time(nullptr);
    if (utc == cachedUtc)
        return cachedLocal;

    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &utc) != 0)
        return cachedLocal;
#else
    if (!localtime_r(&utc, &tm))
        return cachedLocal;
#endif
    using namespace std::chrono;
    const year_month_day ymd{year{tm.tm_year + 1900}, month{unsigned(tm.tm_mon + 1)},
                             day{unsigned(tm.tm_mday)}};
    cachedLocal = local_days{ymd} + hours{tm.tm_hour} + minutes{tm.tm_min}
        + seconds{tm.tm_sec > 59 ? 59 : tm.tm_sec};
    cachedUtc = utc;
    return cachedLocal;
}
