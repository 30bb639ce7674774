#include "platform/LocalClock.h"

#include <ctime>

#ifndef _WIN32
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#endif

namespace {

#ifndef _WIN32
// The zone file that TZ names, when it names one: an absolute path, or a
// name under the zone folder. Empty for rule texts such as "EST5EDT" that no
// file spells (stat then fails), and when TZ is unset.
std::string zoneFileOfTz(const std::string &tz)
{
    const std::string name = tz.starts_with(':') ? tz.substr(1) : tz;
    if (name.empty() || name.starts_with('/'))
        return name;
    const char *dir = std::getenv("TZDIR");
    return std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + '/' + name;
}

// Reads the zone again when it may have changed. glibc's tzset() re-reads
// /etc/localtime when that file changed, but when TZ is set it re-reads only
// when the text of TZ changed, not the file it names. A changed zone file is
// picked up by spelling the same file another way ("/./path", "./name") for
// one tzset() and then the way it was, so every reader of TZ sees the same
// zone throughout.
void reloadZone()
{
    struct Seen
    {
        std::string file;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        bool operator==(const Seen &o) const
        {
            return file == o.file && device == o.device && inode == o.inode && size == o.size
                && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
        }
    };
    static Seen seen;

    const char *tzValue = std::getenv("TZ");
    if (tzValue && *tzValue) {
        const std::string tz = tzValue;
        Seen now;
        now.file = zoneFileOfTz(tz);
        struct stat st = {};
        if (!now.file.empty() && ::stat(now.file.c_str(), &st) == 0) {
            now.device = st.st_dev;
            now.inode = st.st_ino;
            now.size = st.st_size;
            now.modified = st.st_mtim;
        }
        const bool changed = !seen.file.empty() && seen.file == now.file && !(seen == now);
        seen = now;
        if (changed) {
            const bool colon = tz.starts_with(':');
            const std::string name = colon ? tz.substr(1) : tz;
            const std::string other =
                (colon ? ":" : "") + std::string(name.starts_with('/') ? "/." : "./") + name;
            ::setenv("TZ", other.c_str(), 1);
            tzset();
            ::setenv("TZ", tz.c_str(), 1);
        }
    } else {
        seen = {};
    }
    tzset();
}
#endif

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
    // The broken-down local time is worked out once per second only.
    // localtime_r follows daylight-saving changes from the loaded zone rules;
    // the zone itself is read again once a second, so that a change of the
    // system's zone (a laptop that travels) is followed while running.
    // The second is read from the precise clock: std::time() moves on only
    // at the kernel's next tick, some milliseconds after the second began.
    static std::time_t cachedUtc = -1;
    static std::chrono::local_seconds cachedLocal{};
    const std::time_t utc = std::chrono::system_clock::to_time_t(
        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
    if (utc == cachedUtc)
        return cachedLocal;

    std::tm tm{};
#ifdef _WIN32
    _tzset();
    if (localtime_s(&tm, &utc) != 0)
        return cachedLocal;
#else
    reloadZone();
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
