#pragma once

#include <QtGlobal>

#include <chrono>
#include <compare>
#include <optional>

// A local wall-clock moment to the whole second: a calendar date and a time
// of day, with no time zone and no daylight saving. Every day has 86,400
// seconds, so differences and additions are plain arithmetic on the clock.
class DateValue
{
public:
    static constexpr int minYear = 100;
    static constexpr int maxYear = 9999;

    constexpr DateValue() = default;
    constexpr explicit DateValue(std::chrono::local_seconds moment) : m_moment(moment) {}

    // The moment with these fields, or nothing when a field is out of range
    // (years minYear to maxYear, a real calendar day, 0-23, 0-59, 0-59).
    static std::optional<DateValue> fromParts(int year, int month, int day,
                                              int hour = 0, int minute = 0, int second = 0);

    std::chrono::local_seconds toLocalSeconds() const { return m_moment; }

    int year() const;
    int month() const;  // 1 to 12
    int day() const;    // 1 to 31
    int hour() const;   // 0 to 23
    int minute() const; // 0 to 59
    int second() const; // 0 to 59
    bool isMidnight() const { return secondOfDay() == 0; }
    bool isInRange() const;

    DateValue addSeconds(qint64 n) const { return DateValue(m_moment + std::chrono::seconds(n)); }
    DateValue addMinutes(qint64 n) const { return addSeconds(n * 60); }
    DateValue addHours(qint64 n) const { return addSeconds(n * 3600); }
    DateValue addDays(qint64 n) const { return addSeconds(n * 86400); }

    // Strictly after: equal moments are not later.
    bool isLaterThan(const DateValue &other) const { return m_moment > other.m_moment; }

    friend constexpr auto operator<=>(const DateValue &, const DateValue &) = default;

private:
    qint64 secondOfDay() const;
    std::chrono::local_seconds m_moment{};
};

// Differences from `from` to `to` that count unit boundaries passed, not whole
// units elapsed: the days are the midnights passed (the times of day play no
// part), the hours 24 x days + the difference of the hours of the day, and so
// on down to seconds, which is the elapsed time. Negative when `to` lies before
// `from`.
qint64 dayDifference(const DateValue &from, const DateValue &to);
qint64 hourDifference(const DateValue &from, const DateValue &to);
qint64 minuteDifference(const DateValue &from, const DateValue &to);
qint64 secondDifference(const DateValue &from, const DateValue &to);
