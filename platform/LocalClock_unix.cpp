#include "platform/LocalClock.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

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
// /etc/localtime when that file changes, but with TZ set only when the text of
// TZ changes, not the file it names. A changed zone file is picked up by
// spelling TZ another way ("/./path", "./name") for one tzset().
void reloadZone()
{
    static std::string seenFile;
    static struct stat seen = {};
    const char *tz = std::getenv("TZ");
    if (tz && *tz) {
        const std::string value = tz;
        const std::string file = zoneFileOfTz(value);
        struct stat now = {};
        ::stat(file.c_str(), &now);
        const bool changed = !seenFile.empty() && file == seenFile
            && (now.st_dev != seen.st_dev || now.st_ino != seen.st_ino || now.st_size != seen.st_size
                || now.st_mtim.tv_sec != seen.st_mtim.tv_sec
                || now.st_mtim.tv_nsec != seen.st_mtim.tv_nsec);
        seenFile = file;
        seen = now;
        if (changed) {
            const bool colon = value.starts_with(':');
            const std::string name = colon ? value.substr(1) : value;
            const std::string other =
                (colon ? ":" : "") + std::string(name.starts_with('/') ? "/." : "./") + name;
            ::setenv("TZ", other.c_str(), 1);
            tzset();
            ::setenv("TZ", value.c_str(), 1);
        }
    } else {
        seenFile.clear();
    }
    tzset();
}

} // namespace

bool LocalClock::toLocalTime(std::time_t utc, std::tm &local)
{
    reloadZone();
    return localtime_r(&utc, &local) != nullptr;
}
