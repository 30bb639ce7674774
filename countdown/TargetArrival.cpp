#include "countdown/TargetArrival.h"

#include "countdown/CountdownTarget.h"
#include "platform/LocalClock.h"

TargetArrival::TargetArrival(const CountdownTarget &target, QObject *parent)
    : QObject(parent), m_target(target)
{
    connect(&target, &CountdownTarget::changed, this, &TargetArrival::arm);
    arm();
}

void TargetArrival::arm()
{
    m_armed = m_target.moment().isLaterThan(DateValue(LocalClock::now()));
}

void TargetArrival::check()
{
    if (m_armed && !m_target.moment().isLaterThan(DateValue(LocalClock::now()))) {
        m_armed = false;
        emit arrived();
    }
}
