#pragma once

#include <QObject>

#ifdef Q_OS_WIN
class QWinEventNotifier;
#else
class QTimer;
#endif

// One tick a second for every window of the program, just after each whole
// second of the wall clock begins, so that a new second shows at once while
// the program wakes only once a second.
//
// The wait for the next second is worked out from a precise reading of the
// wall clock and measured on the monotonic clock; it is never longer than a
// second, so a wall-clock jump or a zone change shows within a second.
// On Windows it is a waitable timer, which stays on the ordinary system
// timer: Qt makes its precise timers, and coarse ones of 20 ms or less,
// multimedia timers of 1 ms resolution there.
class SecondTicker : public QObject
{
    Q_OBJECT
public:
    // The program's ticker, made on first use, ticking from then on. It
    // belongs to the application object.
    static SecondTicker &instance();

signals:
    // A new second of the wall clock has begun (or is about to, when the
    // platform's timer fires early; the next tick then follows at once).
    void ticked();

private:
    explicit SecondTicker(QObject *parent);
    ~SecondTicker() override;
    void arm();
    void fire();

#ifdef Q_OS_WIN
    void *m_handle = nullptr;
    QWinEventNotifier *m_notifier = nullptr;
#else
    QTimer *m_timer = nullptr;
#endif
};
