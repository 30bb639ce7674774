#pragma once

#include "LocalClock.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>

// Linux tests draw offscreen; Windows has no offscreen platform in a static
// Qt, so its tests use the Windows platform.
#ifdef Q_OS_WIN
#define TALORAN_TEST_DEFAULT_PLATFORM
#else
#define TALORAN_TEST_DEFAULT_PLATFORM                                              \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                            \
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif

// Every test program gets a settings folder of its own before anything reads
// the settings store (QSettings remembers its folders on first use).
#define TALORAN_TEST_MAIN(TestClass)                                               \
    int main(int argc, char **argv)                                                \
    {                                                                              \
        QTemporaryDir configHome;                                                  \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));          \
        TALORAN_TEST_DEFAULT_PLATFORM                                              \
        QApplication app(argc, argv);                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                   \
        TestClass tc;                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                 \
        return QTest::qExec(&tc, argc, argv);                                      \
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

// A local moment from its fields, for test tables.
inline std::chrono::local_seconds localMoment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    using namespace std::chrono;
    return local_days{year{y} / month{unsigned(mo)} / day{unsigned(d)}} + hours{h} + minutes{mi}
        + seconds{s};
}
