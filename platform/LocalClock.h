#pragma once

#include <chrono>
#include <ctime>
#include <functional>

// The one place where the program reads the current local wall-clock moment.
// Tests replace the source to get a known "now".
class LocalClock
{
public:
    using Source = std::function<std::chrono::local_seconds()>;

    // The current local date and time of day, to the whole second.
    static std::chrono::local_seconds now();

    // Replaces the system clock; an empty source restores it.
    static void setSource(Source source);

    // The system clock itself, whatever source is set.
    static std::chrono::local_seconds systemNow();

private:
    // The local time of `utc` under the system's time zone as it is now.
    static bool toLocalTime(std::time_t utc, std::tm &local);
};
