#include "platform/SecondTicker.h"

#include <QTimer>

struct SecondTicker::Timer
{
    QTimer timer;
};

SecondTicker::SecondTicker(QObject *parent) : QObject(parent), m_timer(std::make_unique<Timer>())
{
    // One wake-up a second: a precise single shot costs no more than a coarse
    // one, and is never early.
    m_timer->timer.setSingleShot(true);
    m_timer->timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer->timer, &QTimer::timeout, this, &SecondTicker::fire);
    // The first tick comes as soon as the event loop runs.
    arm(std::chrono::milliseconds(0));
}

SecondTicker::~SecondTicker() = default;

void SecondTicker::arm(std::chrono::milliseconds wait)
{
    m_timer->timer.start(wait);
}
