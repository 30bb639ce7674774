#include "countdown/DateValue.h"

using namespace std::chrono;

namespace {

constexpr qint64 secondsPerDay = 86400;

// Floor division, so that moments before 1970 split into a day and a time of
// day the same way as moments after it.
constexpr qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

year_month_day calendarDate(local_seconds moment)
{
    return year_month_day{floor<days>(moment)};
}

} // namespace

std::optional<DateValue> DateValue::fromParts(int y, int mo, int d, int h, int mi, int s)
{
    if (y < minYear || y > maxYear || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31)
        return std::nullopt;
    const year_month_day ymd{std::chrono::year{y}, std::chrono::month{unsigned(mo)},
                             std::chrono::day{unsigned(d)}};
    if (!ymd.ok())
        return std::nullopt;
    return DateValue(local_days{ymd} + std::chrono::hours{h} + std::chrono::minutes{mi}
                     + std::chrono::seconds{s});
}

qint64 DateValue::secondOfDay() const
{
    const qint64 t = m_moment.time_since_epoch().count();
    return t - floorDiv(t, secondsPerDay) * secondsPerDay;
}

int DateValue::year() const { return int(calendarDate(m_moment).year()); }
int DateValue::month() const { return int(unsigned(calendarDate(m_moment).month())); }
int DateValue::day() const { return int(unsigned(calendarDate(m_moment).day())); }
int DateValue::hour() const { return int(secondOfDay() / 3600); }
int DateValue::minute() const { return int(secondOfDay() / 60 % 60); }
int DateValue::second() const { return int(secondOfDay() % 60); }

bool DateValue::isInRange() const
{
    const int y = year();
    return y >= minYear && y <= maxYear;
}

qint64 dayDifference(const DateValue &from, const DateValue &to)
{
    const qint64 a = from.toLocalSeconds().time_since_epoch().count();
    const qint64 b = to.toLocalSeconds().time_since_epoch().count();
    return floorDiv(b, secondsPerDay) - floorDiv(a, secondsPerDay);
}

qint64 hourDifference(const DateValue &from, const DateValue &to)
{
    return 24 * dayDifference(from, to) + (to.hour() - from.hour());
}

qint64 minuteDifference(const DateValue &from, const DateValue &to)
{
    return 60 * hourDifference(from, to) + (to.minute() - from.minute());
}

qint64 secondDifference(const DateValue &from, const DateValue &to)
{
    return (to.toLocalSeconds() - from.toLocalSeconds()).count();
}
