#include "platform/SecondTicker.h"

#include <QWinEventNotifier>

#include <windows.h>

// A waitable timer stays on the ordinary system timer: Qt makes its precise
// timers, and coarse ones of 20 ms or less, 1 ms multimedia timers that raise
// the timer resolution.
struct SecondTicker::Timer
{
    // A synchronization timer: the wait that sees it fire resets it.
    HANDLE handle = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    QWinEventNotifier notifier{handle};
    ~Timer() { notifier.setEnabled(false); CloseHandle(handle); }
};

SecondTicker::SecondTicker(QObject *parent) : QObject(parent), m_timer(std::make_unique<Timer>())
{
    connect(&m_timer->notifier, &QWinEventNotifier::activated, this, &SecondTicker::fire);
    // The first tick comes as soon as the event loop runs.
    arm(std::chrono::milliseconds(0));
}

SecondTicker::~SecondTicker() = default;

void SecondTicker::arm(std::chrono::milliseconds wait)
{
    // A negative due time is relative, in units of 100 ns, and runs on the
    // system's interrupt time, which changes of the wall clock do not move.
    LARGE_INTEGER due;
    due.QuadPart = -qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count() / 100);
    SetWaitableTimer(m_timer->handle, &due, 0, nullptr, nullptr, FALSE);
}
