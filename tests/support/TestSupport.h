#pragma once

// Helpers shared by the tests: moments, a fixed clock, and driving the windows through their public face (controls found by object
// name, timer ticks, the details dialog opened beside the countdown window).

#include "countdown/DateValue.h"
#include "platform/LocalClock.h"
#include "platform/SecondTicker.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QLabel>
#include <QList>
#include <QSettings>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <chrono>

// Empties the settings store, as a new user has it.
inline void clearSettingsStore()
{
#ifdef Q_OS_WIN
    QSettings(SettingsStore::location().mid(1), QSettings::NativeFormat).clear();
#else
    QFile::remove(SettingsStore::location());
#endif
}

// A local moment from its fields, for test tables.
inline std::chrono::local_seconds localMoment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    using namespace std::chrono;
    return local_days{year{y} / month{unsigned(mo)} / day{unsigned(d)}} + hours{h} + minutes{mi}
        + seconds{s};
}

inline DateValue at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateValue(localMoment(y, mo, d, h, mi, s));
}

// Many moments spread over the whole range of date values, from a fixed seed.
inline QList<DateValue> spreadMoments(int count, quint64 seed)
{
    const qint64 first = at(DateValue::minYear, 1, 1).toLocalSeconds().time_since_epoch().count();
    const qint64 last =
        at(DateValue::maxYear, 12, 31, 23, 59, 59).toLocalSeconds().time_since_epoch().count();
    quint64 state = seed;
    QList<DateValue> moments;
    for (int i = 0; i < count; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const qint64 offset = qint64((state >> 11) % quint64(last - first + 1));
        moments.append(DateValue(std::chrono::local_seconds(std::chrono::seconds(first + offset))));
    }
    return moments;
}

// Fixes "now" for as long as it lives.
class FixedClock
{
public:
    explicit FixedClock(std::chrono::local_seconds moment) : m_moment(moment)
    {
        LocalClock::setSource([this] { return m_moment; });
    }
    ~FixedClock() { LocalClock::setSource({}); }
    FixedClock(const FixedClock &) = delete;
    FixedClock &operator=(const FixedClock &) = delete;

    void set(std::chrono::local_seconds moment) { m_moment = moment; }
    void advance(std::chrono::seconds by) { m_moment += by; }
    std::chrono::local_seconds now() const { return m_moment; }

private:
    std::chrono::local_seconds m_moment;
};

// The control `name` of `parent`, failing the test when there is none.
template <typename T>
T *control(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Runs the event loop until the program's ticker has ticked once: the
// handler of every window that observes it has run before this returns.
inline bool waitForTick(const QObject &)
{
    QSignalSpy ticks(&SecondTicker::instance(), &SecondTicker::ticked);
    return ticks.wait(5000);
}

// The texts of the labels `names` of `parent`, in order.
inline QStringList texts(const QObject &parent, std::initializer_list<const char *> names)
{
    QStringList result;
    for (const char *name : names)
        result << control<QLabel>(parent, name)->text();
    return result;
}
