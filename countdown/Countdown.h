#pragma once

#include "countdown/DateValue.h"

// The time left until a target, split the way a person borrows when
// subtracting clock times: seconds first, then minutes, hours and whole days.
struct CountdownFields
{
    int seconds = 0; // 0 to 59
    int minutes = 0; // 0 to 59
    int hours = 0;   // 0 to 23
    qint64 days = 0; // whole days, up to about 3.6 million for years to 9999

    qint64 weeks() const { return days / 7; }
    int daysOfWeek() const { return int(days % 7); }
};

namespace Countdown {

// The seconds field alone: the cheap part of an update, enough to tell
// whether anything on screen would change.
int secondsField(const DateValue &now, const DateValue &target);

// The full split of the time left. `target` must not lie before `now`.
CountdownFields breakDown(const DateValue &now, const DateValue &target);

} // namespace Countdown
