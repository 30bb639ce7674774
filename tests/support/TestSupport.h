#pragma once

// Helpers shared by the tests: moments, a fixed clock, a fake placed window,
// and driving the windows through their public face (controls found by object
// name, timer ticks, the details dialog opened beside the countdown window).

#include "DateValue.h"
#include "LocalClock.h"
#include "PlacedWindow.h"
#include "SecondTicker.h"
#include "SettingsStore.h"

#include <QFile>
#include <QLabel>
#include <QList>
#include <QRectF>
#include <QSettings>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <utility>

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

// A window whose bounds, state and screens the test sets, and which records
// every change made to it, in order.
class FakeWindow : public PlacedWindow
{
public:
    explicit FakeWindow(QString key) : m_key(std::move(key)) {}

    QString settingsKey() const override { return m_key; }
    float left() const override { return l; }
    float top() const override { return t; }
    float width() const override { return w; }
    float height() const override { return h; }
    void setLeft(float v) override { record("Left", v), l = v; }
    void setTop(float v) override { record("Top", v), t = v; }
    void setWidth(float v) override { record("Width", v), w = v; }
    void setHeight(float v) override { record("Height", v), h = v; }
    int windowState() const override { return state; }
    void setWindowState(int v) override { record("State", float(v)), state = v; }
    QRectF screenTwips() const override { return screen; }
    QRectF desktopTwips() const override { return desktop; }
    bool positionIsKnown() const override { return known; }

    void setBounds(float left, float top, float width, float height)
    {
        l = left, t = top, w = width, h = height;
    }

    float l = 0, t = 0, w = 0, h = 0;
    int state = 0;
    QRectF screen{0, 0, 19200, 14400}; // 1280 x 960 pixels
    QRectF desktop{0, 0, 19200, 14400};
    bool known = true;
    QStringList log;

private:
    void record(const char *what, float v)
    {
        log << QLatin1String(what) + u' ' + QString::number(v, 'g', 9);
    }
    QString m_key;
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
