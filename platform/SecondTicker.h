#pragma once

#include <QObject>

#include <chrono>
#include <memory>

// One tick a second for every window of the program, just after each whole
// second of the wall clock begins, so that a new second shows at once while
// the program wakes only once a second. The wait is worked out from a precise
// reading of the wall clock and measured on the monotonic clock, never longer
// than a second, so a clock set forward or back, or a new time zone, shows
// within a second.
class SecondTicker : public QObject
{
    Q_OBJECT
public:
    // The program's ticker, made on first use and owned by the application.
    static SecondTicker &instance();

signals:
    // A new second of the wall clock has begun (or is about to, when the
    // platform's timer fires early; the next tick then follows at once).
    void ticked();

private:
    explicit SecondTicker(QObject *parent);
    ~SecondTicker() override;
    void fire();
    // Wakes fire() once, after `wait`.
    void arm(std::chrono::milliseconds wait);

    struct Timer;
    std::unique_ptr<Timer> m_timer;
};
