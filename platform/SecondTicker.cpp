#include "platform/SecondTicker.h"

#include <QCoreApplication>
#include <QPointer>

#ifdef Q_OS_WIN
#include <QWinEventNotifier>
#include <windows.h>
#else
#include <QTimer>
#endif

#include <chrono>

using namespace std::chrono;

namespace {

// How long from now until the next whole second of the wall clock begins:
// more than 0 and at most a second, rounded up to the millisecond so that
// the tick does not come before it.
milliseconds untilNextSecond()
{
    const nanoseconds now = system_clock::now().time_since_epoch();
    nanoseconds intoSecond = now % seconds(1);
    if (intoSecond < 0ns)
        intoSecond += seconds(1);
    return ceil<milliseconds>(seconds(1) - intoSecond);
}

} // namespace

SecondTicker &SecondTicker::instance()
{
    static QPointer<SecondTicker> ticker;
    if (!ticker)
        ticker = new SecondTicker(QCoreApplication::instance());
    return *ticker;
}

SecondTicker::SecondTicker(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_WIN
    // A synchronization timer: a wait that sees it fire resets it.
    m_handle = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    m_notifier = new QWinEventNotifier(m_handle, this);
    connect(m_notifier, &QWinEventNotifier::activated, this, &SecondTicker::fire);
#else
    // One wake-up a second: a precise single shot costs no more than a
    // coarse one, and is never early.
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &SecondTicker::fire);
#endif
    arm();
}

SecondTicker::~SecondTicker()
{
#ifdef Q_OS_WIN
    delete m_notifier;
    CloseHandle(m_handle);
#endif
}

void SecondTicker::arm()
{
    const milliseconds wait = untilNextSecond();
#ifdef Q_OS_WIN
    // A negative due time is relative, in units of 100 ns, and runs on the
    // system's interrupt time, which the wall clock's changes do not move.
    LARGE_INTEGER due;
    due.QuadPart = -qint64(duration_cast<nanoseconds>(wait).count() / 100);
    SetWaitableTimer(m_handle, &due, 0, nullptr, nullptr, FALSE);
#else
    m_timer->start(wait);
#endif
}

void SecondTicker::fire()
{
    arm();
    emit ticked();
}
