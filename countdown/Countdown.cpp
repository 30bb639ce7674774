#include "countdown/Countdown.h"

namespace {

// The difference of two clock fields, borrowing one whole unit when the
// target's field is smaller than now's.
int borrowed(int targetField, int nowField, int unit)
{
    const int difference = targetField - nowField;
    return difference < 0 ? targetField + (unit - nowField) : difference;
}

} // namespace

namespace Countdown {

int secondsField(const DateValue &now, const DateValue &target)
{
    return borrowed(target.second(), now.second(), 60);
}

CountdownFields breakDown(const DateValue &now, const DateValue &target)
{
    CountdownFields f;
    DateValue work = target;

    f.seconds = secondsField(now, work);
    work = work.addSeconds(-f.seconds);

    f.minutes = borrowed(work.minute(), now.minute(), 60);
    work = work.addMinutes(-f.minutes);

    f.hours = borrowed(work.hour(), now.hour(), 24);
    work = work.addHours(-f.hours);

    // `work` now has now's time of day, so the midnights passed are whole days.
    const qint64 days = dayDifference(now, work);
    f.days = days < 0 ? 0 : days;
    return f;
}

} // namespace Countdown
